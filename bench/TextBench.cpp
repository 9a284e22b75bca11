// Text: the countdown's big number cold and warm (beside FreeType rendering
// the same glyphs into a buffer), measuring and a word-wrapped paragraph.
#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

#include "bench/BenchSurface.h"
#include "platform/GdiText.h"

namespace {

HFONT BigNumberFont(int height = -467) {
  return CreateFontW(height, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Tekton Pro Ext");
}

void BigNumberWarm(benchmark::State& state) {
  TSurface s;
  HFONT font = BigNumberFont();
  HGDIOBJ old = SelectObject(s.DC, font);
  SetBkMode(s.DC, TRANSPARENT);
  TextOutW(s.DC, 60, 0, u"40", 2);
  for (auto _ : state) TextOutW(s.DC, 60, 0, u"40", 2);
  SelectObject(s.DC, old);
  DeleteObject(font);
}
BENCHMARK(BigNumberWarm);

// A new size each time, more than the faces kept for reuse: nothing cached.
void BigNumberCold(benchmark::State& state) {
  TSurface s;
  SetBkMode(s.DC, TRANSPARENT);
  int step = 0;
  for (auto _ : state) {
    HFONT font = BigNumberFont(-467 - step++ % 40);
    HGDIOBJ old = SelectObject(s.DC, font);
    TextOutW(s.DC, 60, 0, u"40", 2);
    SelectObject(s.DC, old);
    DeleteObject(font);
  }
}
BENCHMARK(BigNumberCold);

// FreeType alone: load and render "4" and "0" at the same size.
void BigNumberFreeTypeRender(benchmark::State& state) {
  FcInit();
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:bold"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcChar8* file = nullptr;
  FcPatternGetString(match, FC_FILE, 0, &file);
  FT_Library library;
  FT_Init_FreeType(&library);
  FT_Face face;
  FT_New_Face(library, reinterpret_cast<const char*>(file), 0, &face);
  FT_Set_Pixel_Sizes(face, 0, 467);
  for (auto _ : state) {
    for (FT_ULong c : {FT_ULong('4'), FT_ULong('0')}) {
      FT_Load_Char(face, c, FT_LOAD_NO_BITMAP);
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
      benchmark::DoNotOptimize(face->glyph->bitmap.buffer);
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  FcPatternDestroy(match);
  FcPatternDestroy(pattern);
}
BENCHMARK(BigNumberFreeTypeRender);

void Extent100Characters(benchmark::State& state) {
  TSurface s(4, 4);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Tahoma");
  HGDIOBJ old = SelectObject(s.DC, font);
  std::u16string text;
  while (text.size() < 100) text += u"The quick brown fox jumps over the lazy dog. ";
  text.resize(100);
  SIZE size;
  for (auto _ : state) {
    GetTextExtentPoint32W(s.DC, text.data(), 100, &size);
    benchmark::DoNotOptimize(size);
  }
  SelectObject(s.DC, old);
  DeleteObject(font);
}
BENCHMARK(Extent100Characters);

void WordWrappedParagraph(benchmark::State& state) {
  TSurface s;
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Tahoma");
  HGDIOBJ old = SelectObject(s.DC, font);
  SetBkMode(s.DC, TRANSPARENT);
  std::u16string text;
  for (int i = 0; i < 12; ++i) text += u"Start, pause and continue the countdown; restart it or set it to zero. ";
  for (auto _ : state) {
    RECT r{10, 10, 410, 470};
    DrawTextW(s.DC, text.data(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
  }
  SelectObject(s.DC, old);
  DeleteObject(font);
}
BENCHMARK(WordWrappedParagraph);

}  // namespace
