#include "platform/FontMatch.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <map>
#include <tuple>

#include "platform/GdiText.h"
#include "platform/Kernel.h"
#include "platform/Utf8.h"

namespace {

// Metric-compatible Tahoma and friends; a Debian package the setup installs.
constexpr const char* WineFontFolder = "/usr/share/wine/fonts";

FcConfig* Config() {
  static FcConfig* config = [] {
    FcConfig* c = FcInitLoadConfigAndFonts();
    struct stat st;
    if (c && stat(WineFontFolder, &st) == 0 && S_ISDIR(st.st_mode))
      FcConfigAppFontAddDir(c, reinterpret_cast<const FcChar8*>(WineFontFolder));
    return c;
  }();
  return config;
}

// The DejaVu family standing in for a face that is not installed.
const char* FallbackFamily(BYTE pitchAndFamily) {
  const BYTE family = pitchAndFamily & 0xF0;
  if ((pitchAndFamily & 0x03) == 1 || family == 0x30) return "DejaVu Sans Mono";  // fixed pitch, modern
  if (family == 0x10) return "DejaVu Serif";                                        // roman
  return "DejaVu Sans";
}

TFontFile Match(const std::u16string& face, bool bold, bool italic, BYTE pitchAndFamily) {
  TFontFile result;
  FcConfig* config = Config();
  if (!config) return result;
  FcPattern* pattern = FcPatternCreate();
  const std::string name = Utf8(face);
  if (!name.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(FallbackFamily(pitchAndFamily)));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult fcResult = FcResultNoMatch;
  FcPattern* found = FcFontMatch(config, pattern, &fcResult);
  FcPatternDestroy(pattern);
  if (!found) return result;
  FcChar8* file = nullptr;
  FcChar8* family = nullptr;
  int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
    result.Path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(found, FC_INDEX, 0, &index);
    if (FcPatternGetString(found, FC_FAMILY, 0, &family) == FcResultMatch)
      result.Family = Utf16(reinterpret_cast<const char*>(family));
    FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(found, FC_SLANT, 0, &slant);
    result.Index = index;
    result.Bold = weight >= FC_WEIGHT_DEMIBOLD;
    result.Italic = slant != FC_SLANT_ROMAN;
  }
  FcPatternDestroy(found);
  return result;
}

}  // namespace

TFontFile MatchFontFile(const std::u16string& face, LONG weight, bool italic, BYTE pitchAndFamily) {
  // Matching walks every installed font: remember each answer.
  using TKey = std::tuple<std::u16string, bool, bool, BYTE>;
  static std::map<TKey, TFontFile> cache;
  std::u16string folded = face;
  for (char16_t& c : folded)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  const TKey key{folded, weight >= FW_SEMIBOLD, italic, pitchAndFamily};
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, Match(face, std::get<1>(key), italic, pitchAndFamily)).first;
  return it->second;
}
