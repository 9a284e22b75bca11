#include "platform/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/FontMatch.h"

namespace {

// Coverage kept per face before its glyph cache starts over.
constexpr size_t GlyphCacheBudget = 32u << 20;
// Realised faces kept for reuse after their last font is deleted.
constexpr size_t SpareFaces = 16;

FT_Library Library() {
  // Lives for the process: faces may be released during static destruction.
  static FT_Library library = [] {
    FT_Library l = nullptr;
    return FT_Init_FreeType(&l) == 0 ? l : nullptr;
  }();
  return library;
}

struct TGlyph {
  std::vector<BYTE> Pixels;
  TGlyphCoverage Coverage;
};

struct TFaceKey {
  std::string Path;
  int Index;
  LONG Height, Width;
  // Synthetic bold: outlines only (the file's advances are already bold), or
  // wider advances too.
  enum { NoBold, BoldOutlines, BoldOutlinesAndAdvances } Bold;
  bool Italic, Mono;
  bool operator<(const TFaceKey& o) const {
    return std::tie(Path, Index, Height, Width, Bold, Italic, Mono) <
           std::tie(o.Path, o.Index, o.Height, o.Width, o.Bold, o.Italic, o.Mono);
  }
};

LONG ClampHeight(LONG h) {
  if (h == 0) return 16;
  return std::clamp<LONG>(h, -MaxFontHeight, MaxFontHeight);
}

}  // namespace

struct TFontFace::TImpl {
  FT_Face Face = nullptr;
  FT_Int32 LoadFlags = 0;
  FT_Render_Mode RenderMode = FT_RENDER_MODE_NORMAL;
  FT_Pos BoldStrength = 0;  // 26.6, 0 without synthetic bold
  int BoldAdvance = 0;
  std::array<int, 256> Latin1Advances;
  std::unordered_map<char32_t, int> Advances;
  std::array<const TGlyph*, 256> Latin1Glyphs{};
  std::unordered_map<char32_t, std::unique_ptr<TGlyph>> Glyphs;
  size_t CachedBytes = 0;

  TImpl() { Latin1Advances.fill(-1); }
  ~TImpl() {
    if (Face) FT_Done_Face(Face);
  }

  // Loads the glyph's outline, synthetic bold applied; false when it has none.
  bool LoadOutline(char32_t c) {
    const FT_UInt index = FT_Get_Char_Index(Face, c);
    if (FT_Load_Glyph(Face, index, LoadFlags) != 0 && FT_Load_Glyph(Face, 0, LoadFlags) != 0) return false;
    if (Face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    if (BoldStrength) FT_Outline_EmboldenXY(&Face->glyph->outline, BoldStrength, 0);
    return true;
  }

  int MeasureAdvance(char32_t c) {
    const FT_UInt index = FT_Get_Char_Index(Face, c);
    if (FT_Load_Glyph(Face, index, LoadFlags) != 0) return 0;
    return static_cast<int>((Face->glyph->advance.x + 32) >> 6) + BoldAdvance;
  }

  std::unique_ptr<TGlyph> RenderWhole(char32_t c) {
    auto glyph = std::make_unique<TGlyph>();
    if (!LoadOutline(c) || FT_Render_Glyph(Face->glyph, RenderMode) != 0) return glyph;
    const FT_Bitmap& bitmap = Face->glyph->bitmap;
    TGlyphCoverage& cov = glyph->Coverage;
    cov.Width = static_cast<int>(bitmap.width);
    cov.Height = static_cast<int>(bitmap.rows);
    cov.Pitch = cov.Width;
    cov.Left = Face->glyph->bitmap_left;
    cov.Top = Face->glyph->bitmap_top;
    glyph->Pixels.resize(static_cast<size_t>(cov.Width) * static_cast<size_t>(cov.Height));
    CopyCoverage(bitmap, glyph->Pixels.data(), cov.Width);
    cov.Data = glyph->Pixels.data();
    return glyph;
  }

  // Gray rows as they are; one-bit rows spread to 0 and 255.
  static void CopyCoverage(const FT_Bitmap& bitmap, BYTE* out, int pitch) {
    for (unsigned y = 0; y < bitmap.rows; ++y) {
      const BYTE* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
      BYTE* dest = out + static_cast<size_t>(y) * static_cast<size_t>(pitch);
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        for (unsigned x = 0; x < bitmap.width; ++x) dest[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        std::memcpy(dest, row, bitmap.width);
      }
    }
  }
};

namespace {

struct TFaceCache {
  std::map<TFaceKey, std::pair<std::shared_ptr<TFontFace>, unsigned long>> Faces;
  unsigned long Clock = 0;

  // Forgets the least recently used faces no font holds any more.
  void Trim() {
    size_t spare = 0;
    for (auto& [key, entry] : Faces) spare += entry.first.use_count() == 1;
    while (spare > SpareFaces) {
      auto oldest = Faces.end();
      for (auto it = Faces.begin(); it != Faces.end(); ++it)
        if (it->second.first.use_count() == 1 && (oldest == Faces.end() || it->second.second < oldest->second.second))
          oldest = it;
      Faces.erase(oldest);
      --spare;
    }
  }
};

TFaceCache& Cache() {
  static auto* cache = new TFaceCache;  // never destroyed: see Library()
  return *cache;
}

// Whether a bold file only carries the regular outlines (its bold design
// living in embedded bitmaps), so that it must be emboldened like a regular.
bool HasRegularOutlines(const TFontFile& bold, const TFontFile& regular) {
  static std::map<std::pair<std::string, std::string>, bool> known;
  const auto key = std::make_pair(bold.Path, regular.Path);
  auto it = known.find(key);
  if (it != known.end()) return it->second;
  bool same = false;
  FT_Face faces[2] = {};
  if (FT_New_Face(Library(), bold.Path.c_str(), bold.Index, &faces[0]) == 0 &&
      FT_New_Face(Library(), regular.Path.c_str(), regular.Index, &faces[1]) == 0) {
    std::vector<FT_Vector> points[2];
    for (int i = 0; i < 2; ++i) {
      if (FT_Load_Char(faces[i], u'H', FT_LOAD_NO_SCALE) == 0 && faces[i]->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        const FT_Outline& o = faces[i]->glyph->outline;
        points[i].assign(o.points, o.points + o.n_points);
      }
    }
    same = !points[0].empty() && points[0].size() == points[1].size() &&
           std::equal(points[0].begin(), points[0].end(), points[1].begin(),
                      [](const FT_Vector& a, const FT_Vector& b) { return a.x == b.x && a.y == b.y; });
  }
  for (FT_Face f : faces)
    if (f) FT_Done_Face(f);
  return known.emplace(key, same).first->second;
}

long Scale(long value, double em, int unitsPerEm) { return std::lround(static_cast<double>(value) * em / unitsPerEm); }

}  // namespace

TFontFace::TFontFace(std::unique_ptr<TImpl> impl) : FImpl(std::move(impl)) {}
TFontFace::~TFontFace() = default;

std::shared_ptr<TFontFace> TFontFace::Realize(const LOGFONTW& lf) {
  std::u16string name;
  for (int i = 0; i < LF_FACESIZE && lf.lfFaceName[i]; ++i) name += lf.lfFaceName[i];
  const bool bold = lf.lfWeight >= FW_SEMIBOLD;
  const bool italic = lf.lfItalic != 0;
  const TFontFile file = MatchFontFile(name, lf.lfWeight, italic, lf.lfPitchAndFamily);
  if (file.Path.empty() || !Library()) return nullptr;

  const LONG height = ClampHeight(lf.lfHeight);
  const LONG width = std::clamp<LONG>(lf.lfWidth, 0, MaxFontHeight);
  auto synthesizedBold = TFaceKey::NoBold;
  if (bold && !file.Bold) synthesizedBold = TFaceKey::BoldOutlinesAndAdvances;
  if (bold && file.Bold) {
    const TFontFile regular = MatchFontFile(name, FW_NORMAL, italic, lf.lfPitchAndFamily);
    if (regular.Path != file.Path && !regular.Bold && HasRegularOutlines(file, regular))
      synthesizedBold = TFaceKey::BoldOutlines;
  }
  const TFaceKey key{file.Path, file.Index, height, width, synthesizedBold, italic && !file.Italic,
                     lf.lfQuality == NONANTIALIASED_QUALITY};
  TFaceCache& cache = Cache();
  auto found = cache.Faces.find(key);
  if (found != cache.Faces.end()) {
    found->second.second = ++cache.Clock;
    return found->second.first;
  }

  auto impl = std::make_unique<TImpl>();
  if (FT_New_Face(Library(), file.Path.c_str(), file.Index, &impl->Face) != 0) {
    impl->Face = nullptr;
    return nullptr;
  }
  FT_Face face = impl->Face;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);
  const int upem = face->units_per_EM ? face->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  long winAscent = os2 ? os2->usWinAscent : 0;
  long winDescent = os2 ? os2->usWinDescent : 0;
  if (winAscent + winDescent <= 0) {
    winAscent = hhea ? hhea->Ascender : face->ascender;
    winDescent = hhea ? -hhea->Descender : -face->descender;
  }
  if (winAscent + winDescent <= 0) winAscent = upem, winDescent = 0;

  // Negative heights fix the em, positive ones the cell.
  double em;
  LONG ascent, descent;
  if (height < 0) {
    em = -height;
    ascent = Scale(winAscent, em, upem);
    descent = Scale(winDescent, em, upem);
  } else {
    em = static_cast<double>(height) * upem / static_cast<double>(winAscent + winDescent);
    ascent = std::lround(static_cast<double>(height) * winAscent / static_cast<double>(winAscent + winDescent));
    descent = height - ascent;
  }
  const long avgUnits = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
  const double xEm = width > 0 ? std::clamp<double>(static_cast<double>(width) * upem / avgUnits, 1, MaxFontHeight) : em;
  if (FT_Set_Char_Size(face, std::lround(xEm * 64), std::lround(em * 64), 72, 72) != 0) return nullptr;

  std::shared_ptr<TFontFace> result(new TFontFace(std::move(impl)));
  TImpl& f = *result->FImpl;
  result->FCachesGlyphs = em <= MaxCachedGlyphEm;
  // Hinting buys nothing at sizes too big to cache, and costs time there.
  f.LoadFlags = FT_LOAD_NO_BITMAP | (key.Mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL) |
                (result->FCachesGlyphs ? 0 : FT_LOAD_NO_HINTING);
  f.RenderMode = key.Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
  if (key.Bold != TFaceKey::NoBold) f.BoldStrength = std::max<FT_Pos>(64, std::lround(em * 64 / 24));
  if (key.Bold == TFaceKey::BoldOutlinesAndAdvances) f.BoldAdvance = static_cast<int>((f.BoldStrength + 32) >> 6);
  if (key.Italic) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
    FT_Set_Transform(face, &shear, nullptr);
  }

  TEXTMETRICW& tm = result->FMetrics;
  tm.tmAscent = ascent;
  tm.tmDescent = descent;
  tm.tmHeight = ascent + descent;
  tm.tmInternalLeading = tm.tmHeight - std::lround(em);
  if (hhea) {
    const long lineGap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
    tm.tmExternalLeading = std::max(0L, Scale(lineGap, em, upem));
    tm.tmMaxCharWidth = Scale(hhea->advance_Width_Max, xEm, upem) + f.BoldAdvance;
  }
  tm.tmAveCharWidth = std::max(1L, Scale(avgUnits, xEm, upem));
  tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = os2 ? os2->usFirstCharIndex : 0x20;
  tm.tmLastChar = os2 ? os2->usLastCharIndex : 0xFFFF;
  tm.tmBreakChar = os2 && os2->version >= 2 && os2->usBreakChar ? os2->usBreakChar : 0x20;
  tm.tmDefaultChar = os2 && os2->version >= 2 ? os2->usDefaultChar : 0x1F;
  BYTE pitch = TMPF_VECTOR | TMPF_TRUETYPE | (FT_IS_FIXED_WIDTH(face) ? 0 : TMPF_FIXED_PITCH);
  const int familyClass = os2 ? (os2->sFamilyClass >> 8) : 0;
  if (FT_IS_FIXED_WIDTH(face)) pitch |= FF_MODERN;
  else if (familyClass >= 1 && familyClass <= 7) pitch |= FF_ROMAN;
  else pitch |= FF_SWISS;
  tm.tmPitchAndFamily = pitch;

  result->FFamily = file.Family;
  result->FStrokeThickness = std::max(1L, Scale(face->underline_thickness, em, upem));
  const int underline = static_cast<int>(Scale(-face->underline_position, em, upem)) - result->FStrokeThickness / 2;
  result->FUnderlineOffset = std::clamp(underline, 1, std::max(1, static_cast<int>(descent) - result->FStrokeThickness));
  result->FStrikeoutOffset = os2 && os2->yStrikeoutPosition > 0 ? static_cast<int>(Scale(os2->yStrikeoutPosition, em, upem))
                                                                : static_cast<int>(ascent / 3);

  cache.Faces.emplace(key, std::make_pair(result, ++cache.Clock));
  cache.Trim();
  return result;
}

int TFontFace::Advance(char32_t c) {
  TImpl& f = *FImpl;
  if (c < 256) {
    int& slot = f.Latin1Advances[c];
    if (slot < 0) slot = f.MeasureAdvance(c);
    return slot;
  }
  auto it = f.Advances.find(c);
  if (it == f.Advances.end()) it = f.Advances.emplace(c, f.MeasureAdvance(c)).first;
  return it->second;
}

const TGlyphCoverage* TFontFace::Glyph(char32_t c) {
  TImpl& f = *FImpl;
  const TGlyph* glyph = c < 256 ? f.Latin1Glyphs[c] : nullptr;
  if (!glyph) {
    auto it = f.Glyphs.find(c);
    if (it == f.Glyphs.end()) {
      if (f.CachedBytes > GlyphCacheBudget) {
        f.Glyphs.clear();
        f.Latin1Glyphs.fill(nullptr);
        f.CachedBytes = 0;
      }
      auto rendered = f.RenderWhole(c);
      f.CachedBytes += rendered->Pixels.size() + sizeof(TGlyph);
      it = f.Glyphs.emplace(c, std::move(rendered)).first;
    }
    glyph = it->second.get();
    if (c < 256) f.Latin1Glyphs[c] = glyph;
  }
  return glyph->Pixels.empty() ? nullptr : &glyph->Coverage;
}

bool TFontFace::RenderClipped(char32_t c, int penX, int baseline, const RECT& area, std::vector<BYTE>& scratch,
                              TGlyphCoverage& out) {
  TImpl& f = *FImpl;
  if (!f.LoadOutline(c)) return false;
  FT_Outline& outline = f.Face->glyph->outline;
  FT_BBox box;
  FT_Outline_Get_CBox(&outline, &box);
  const long long left = std::max<long long>(area.Left, penX + (box.xMin >> 6));
  const long long right = std::min<long long>(area.Right, penX + ((box.xMax + 63) >> 6));
  const long long top = std::max<long long>(area.Top, baseline - ((box.yMax + 63) >> 6));
  const long long bottom = std::min<long long>(area.Bottom, baseline - (box.yMin >> 6));
  if (left >= right || top >= bottom) return false;
  const int w = static_cast<int>(right - left), h = static_cast<int>(bottom - top);
  const bool mono = f.RenderMode == FT_RENDER_MODE_MONO;
  const int rasterPitch = mono ? (w + 7) / 8 : w;
  // The coverage after the raster: one buffer, raster rows first for mono.
  const size_t coverageBytes = static_cast<size_t>(w) * static_cast<size_t>(h);
  const size_t rasterBytes = mono ? static_cast<size_t>(rasterPitch) * static_cast<size_t>(h) : 0;
  scratch.assign(coverageBytes + rasterBytes, 0);
  FT_Bitmap target;
  FT_Bitmap_Init(&target);
  target.width = static_cast<unsigned>(w);
  target.rows = static_cast<unsigned>(h);
  target.pitch = rasterPitch;
  target.pixel_mode = mono ? FT_PIXEL_MODE_MONO : FT_PIXEL_MODE_GRAY;
  target.num_grays = 256;
  target.buffer = mono ? scratch.data() + coverageBytes : scratch.data();
  // Move the outline so that the area's top-left pixel is the bitmap's.
  FT_Outline_Translate(&outline, static_cast<FT_Pos>(penX - left) * 64,
                       static_cast<FT_Pos>(h - (baseline - top)) * 64);
  if (FT_Outline_Get_Bitmap(Library(), &outline, &target) != 0) return false;
  if (mono) TImpl::CopyCoverage(target, scratch.data(), w);
  out.Data = scratch.data();
  out.Pitch = w;
  out.Width = w;
  out.Height = h;
  out.Left = static_cast<int>(left - penX);
  out.Top = static_cast<int>(baseline - top);
  return true;
}
