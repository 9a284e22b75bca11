#pragma once
// Which installed font file answers a face name, through fontconfig.

#include <string>

#include "platform/WinTypes.h"

struct TFontFile {
  std::string Path;
  int Index = 0;
  std::u16string Family;  // the family found, as GetTextFaceW reports it
  bool Bold = false;      // the file's own style, before any synthesis
  bool Italic = false;
};

// Empty Path when no font at all is installed.
TFontFile MatchFontFile(const std::u16string& face, LONG weight, bool italic, BYTE pitchAndFamily);
