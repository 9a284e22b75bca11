#pragma once
// A font realised at one size: cell metrics, advances and glyph coverage.

#include <memory>
#include <string>
#include <vector>

#include "platform/GdiText.h"

// Rows of 8-bit coverage, top row first. The pixel (i, j) lies at
// (pen + Left + i, baseline - Top + j).
struct TGlyphCoverage {
  const BYTE* Data = nullptr;
  int Pitch = 0;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

class TFontFace {
 public:
  // Shared between fonts of the same file, size and rendering; nullptr when
  // no font file could be opened at all.
  static std::shared_ptr<TFontFace> Realize(const LOGFONTW& lf);
  ~TFontFace();
  TFontFace(const TFontFace&) = delete;
  TFontFace& operator=(const TFontFace&) = delete;

  // Only the fields that follow from the file and the size: the font object
  // adds weight, style, charset and pitch from its description.
  const TEXTMETRICW& Metrics() const { return FMetrics; }
  const std::u16string& Family() const { return FFamily; }
  // Offsets of the first row below (underline) or above (strike-out) the
  // baseline, and the strokes' thickness.
  int UnderlineOffset() const { return FUnderlineOffset; }
  int StrikeoutOffset() const { return FStrikeoutOffset; }
  int StrokeThickness() const { return FStrokeThickness; }

  int Advance(char32_t c);
  bool CachesGlyphs() const { return FCachesGlyphs; }
  // The cached coverage (CachesGlyphs() only); nullptr for an empty glyph.
  const TGlyphCoverage* Glyph(char32_t c);
  // The part of the glyph drawn with its pen at (penX, baseline) that falls
  // inside area, rendered into scratch; false when nothing of it does.
  bool RenderClipped(char32_t c, int penX, int baseline, const RECT& area, std::vector<BYTE>& scratch,
                     TGlyphCoverage& out);

  struct TImpl;

 private:
  explicit TFontFace(std::unique_ptr<TImpl> impl);
  std::unique_ptr<TImpl> FImpl;
  TEXTMETRICW FMetrics;
  std::u16string FFamily;
  int FUnderlineOffset = 1;
  int FStrikeoutOffset = 1;
  int FStrokeThickness = 1;
  bool FCachesGlyphs = true;
};
