#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/GdiText.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

constexpr const char* TahomaFile = "/usr/share/wine/fonts/tahoma.ttf";
constexpr const char* DejaVuBoldFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr DWORD White = 0x00FFFFFF;

// The vertical metrics a font file declares, read straight from its tables.
struct TFileMetrics {
  int UnitsPerEm = 0;
  int WinAscent = 0;
  int WinDescent = 0;
};

TFileMetrics ReadFileMetrics(const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto u16 = [&](size_t at) { return static_cast<int>(data.at(at) << 8 | data.at(at + 1)); };
  auto u32 = [&](size_t at) { return static_cast<size_t>(u16(at)) << 16 | static_cast<size_t>(u16(at + 2)); };
  TFileMetrics m;
  const int tables = u16(4);
  for (int i = 0; i < tables; ++i) {
    const size_t record = 12 + 16 * static_cast<size_t>(i);
    const std::string tag(reinterpret_cast<const char*>(&data.at(record)), 4);
    const size_t offset = u32(record + 8);
    if (tag == "head") m.UnitsPerEm = u16(offset + 18);
    if (tag == "OS/2") m.WinAscent = u16(offset + 74), m.WinDescent = u16(offset + 76);
  }
  return m;
}

HFONT MakeFont(LONG height, const char16_t* face, LONG weight = FW_NORMAL, BYTE quality = DEFAULT_QUALITY,
               BYTE pitch = 0) {
  return CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0, quality, pitch, face);
}

// A font selected into a DC for the scope.
struct TSelected {
  HDC DC;
  HFONT Font;
  HGDIOBJ Old;
  TSelected(HDC dc, HFONT font) : DC(dc), Font(font), Old(SelectObject(dc, font)) {}
  ~TSelected() {
    SelectObject(DC, Old);
    DeleteObject(Font);
  }
  TEXTMETRICW Metrics() const {
    TEXTMETRICW tm;
    EXPECT_TRUE(GetTextMetricsW(DC, &tm));
    return tm;
  }
  std::u16string Face() const {
    WCHAR name[LF_FACESIZE];
    GetTextFaceW(DC, LF_FACESIZE, name);
    return name;
  }
  int Width(const std::u16string& s) const {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(DC, s.data(), static_cast<int>(s.size()), &size));
    return size.cx;
  }
};

struct TInk {
  RECT Box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  int Pixels = 0;
  std::set<DWORD> Colors;
};

TInk InkOf(const TTestSurface& s, int w, int h, DWORD background = White) {
  TInk ink;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const DWORD p = s.At(x, y);
      ink.Colors.insert(p);
      if (p == background) continue;
      ++ink.Pixels;
      ink.Box = {std::min(ink.Box.Left, x), std::min(ink.Box.Top, y), std::max(ink.Box.Right, x + 1),
                 std::max(ink.Box.Bottom, y + 1)};
    }
  return ink;
}

bool SamePixels(const TTestSurface& a, const TTestSurface& b, int w, int h) {
  return std::memcmp(a.Bits, b.Bits, sizeof(DWORD) * static_cast<size_t>(w) * static_cast<size_t>(h)) == 0;
}

class GdiTextTest : public TGdiLeakCheck {};

TEST_F(GdiTextTest, HeightsFollowTheFileMetrics) {
  struct TCase {
    const char16_t* Face;
    LONG Weight;
    const char* File;
    LONG Height;
  } cases[] = {
      {u"Tahoma", FW_NORMAL, TahomaFile, -467},
      {u"Tahoma", FW_NORMAL, TahomaFile, -11},
      {u"Tahoma", FW_NORMAL, TahomaFile, 16},
      {u"DejaVu Sans", FW_BOLD, DejaVuBoldFile, -467},
      {u"DejaVu Sans", FW_BOLD, DejaVuBoldFile, -16},
      {u"DejaVu Sans", FW_BOLD, DejaVuBoldFile, 40},
  };
  TTestSurface surface(4, 4);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Height);
    const TFileMetrics file = ReadFileMetrics(c.File);
    ASSERT_GT(file.UnitsPerEm, 0);
    TSelected font(surface.DC, MakeFont(c.Height, c.Face, c.Weight));
    const TEXTMETRICW tm = font.Metrics();
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    if (c.Height < 0) {
      const double em = -c.Height;
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -c.Height);
      EXPECT_EQ(tm.tmAscent, std::lround(file.WinAscent * em / file.UnitsPerEm));
      EXPECT_EQ(tm.tmDescent, std::lround(file.WinDescent * em / file.UnitsPerEm));
    } else {
      EXPECT_EQ(tm.tmHeight, c.Height);
      EXPECT_EQ(tm.tmAscent, std::lround(static_cast<double>(c.Height) * file.WinAscent /
                                         (file.WinAscent + file.WinDescent)));
    }
  }
}

TEST_F(GdiTextTest, MetricsReportTheDescription) {
  TTestSurface surface(4, 4);
  TSelected font(surface.DC, CreateFontW(-13, 0, 450, 450, FW_BOLD, 1, 1, 1, GREEK_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                                         NONANTIALIASED_QUALITY, 0, u"Tahoma"));
  const TEXTMETRICW tm = font.Metrics();
  EXPECT_GE(tm.tmWeight, FW_BOLD);
  EXPECT_NE(tm.tmItalic, 0);
  EXPECT_NE(tm.tmUnderlined, 0);
  EXPECT_NE(tm.tmStruckOut, 0);
  EXPECT_EQ(tm.tmCharSet, GREEK_CHARSET);
  EXPECT_EQ(tm.tmBreakChar, u' ');
  EXPECT_GT(tm.tmAveCharWidth, 0);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  EXPECT_EQ(tm.tmDigitizedAspectX, 96);
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);  // set means variable pitch

  LOGFONTW back;
  ASSERT_EQ(GetObjectW(font.Font, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(back.lfEscapement, 450);
  EXPECT_EQ(back.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(std::u16string(back.lfFaceName), u"Tahoma");

  // A default charset reads back as ANSI; a fixed-pitch face clears the bit.
  TSelected mono(surface.DC, MakeFont(-13, u"DejaVu Sans Mono"));
  EXPECT_EQ(mono.Metrics().tmCharSet, ANSI_CHARSET);
  EXPECT_FALSE(mono.Metrics().tmPitchAndFamily & TMPF_FIXED_PITCH);
}

TEST_F(GdiTextTest, UnknownFacesFallBackByFamily) {
  struct TCase {
    const char16_t* Face;
    BYTE Pitch;
    const char16_t* Expected;
  } cases[] = {
      {u"Tahoma", 0, u"Tahoma"},
      {u"TAHOMA", 0, u"Tahoma"},
      {u"Tekton Pro Ext", 0, u"DejaVu Sans"},
      {u"Tekton Pro Ext", VARIABLE_PITCH | FF_ROMAN, u"DejaVu Serif"},
      {u"Tekton Pro Ext", FIXED_PITCH | FF_MODERN, u"DejaVu Sans Mono"},
      {u"", 0, u"DejaVu Sans"},
  };
  TTestSurface surface(4, 4);
  for (const TCase& c : cases) {
    TSelected font(surface.DC, MakeFont(-11, c.Face, FW_NORMAL, DEFAULT_QUALITY, c.Pitch));
    EXPECT_EQ(font.Face(), c.Expected);
  }
  // The default font of a new DC measures text too.
  TEXTMETRICW tm;
  EXPECT_TRUE(GetTextMetricsW(surface.DC, &tm));
  EXPECT_GT(tm.tmHeight, 0);
}

TEST_F(GdiTextTest, TheBigNumberInksInsideItsCellAndAdvancesByItsExtent) {
  const int w = 760, h = 600;
  TTestSurface whole(w, h, White), pieces(w, h, White);
  TSelected a(whole.DC, MakeFont(-467, u"Tekton Pro Ext", FW_BOLD));
  TSelected b(pieces.DC, MakeFont(-467, u"Tekton Pro Ext", FW_BOLD));
  const TEXTMETRICW tm = a.Metrics();
  const int cell = a.Width(u"40");
  ASSERT_LE(10 + cell, w);
  ASSERT_LE(10 + tm.tmHeight, h);
  SetBkMode(whole.DC, TRANSPARENT);
  SetBkMode(pieces.DC, TRANSPARENT);
  ASSERT_TRUE(TextOutW(whole.DC, 10, 10, u"40", 2));
  const TInk ink = InkOf(whole, w, h);
  EXPECT_GE(ink.Box.Left, 10);
  EXPECT_LE(ink.Box.Right, 10 + cell);
  EXPECT_GE(ink.Box.Top, 10 + tm.tmInternalLeading / 2);
  // Digits sit on the baseline, round ones overshooting it a little.
  EXPECT_GE(ink.Box.Bottom, 10 + tm.tmAscent - 2);
  EXPECT_LE(ink.Box.Bottom, 10 + tm.tmAscent + tm.tmDescent / 4);
  EXPECT_GT(ink.Pixels, cell * tm.tmAscent / 8);
  EXPECT_EQ(cell, a.Width(u"4") + a.Width(u"0"));
  // Drawn piece by piece at the measured advance, the pixels are the same.
  TextOutW(pieces.DC, 10, 10, u"4", 1);
  TextOutW(pieces.DC, 10 + b.Width(u"4"), 10, u"0", 1);
  EXPECT_TRUE(SamePixels(whole, pieces, w, h));
}

TEST_F(GdiTextTest, QualityChoosesOneBitOrGreyGlyphs) {
  for (BYTE quality : {NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY}) {
    TTestSurface s(120, 40, White);
    TSelected font(s.DC, MakeFont(-20, u"Tahoma", FW_NORMAL, quality));
    SetTextColor(s.DC, RGB(0, 0, 0));
    SetBkMode(s.DC, TRANSPARENT);
    TextOutW(s.DC, 2, 2, u"Quality 40", 10);
    const TInk ink = InkOf(s, 120, 40);
    if (quality == NONANTIALIASED_QUALITY) {
      EXPECT_EQ(ink.Colors, (std::set<DWORD>{0x00000000, White}));
    } else {
      EXPECT_GT(ink.Colors.size(), 8u);
    }
  }
}

TEST_F(GdiTextTest, BoldInksMoreThanRegular) {
  long darkness[2] = {};
  int widths[2] = {};
  for (int bold = 0; bold < 2; ++bold) {
    TTestSurface s(200, 40, White);
    TSelected font(s.DC, MakeFont(-20, u"Tahoma", bold ? FW_BOLD : FW_NORMAL));
    SetBkMode(s.DC, TRANSPARENT);
    TextOutW(s.DC, 2, 2, u"Restart", 7);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 200; ++x) darkness[bold] += 255 - static_cast<long>(s.At(x, y) & 0xFF);
    widths[bold] = font.Width(u"Restart");
  }
  EXPECT_GT(darkness[1], darkness[0] * 5 / 4);
  EXPECT_GT(widths[1], widths[0]);
}

TEST_F(GdiTextTest, ExtentsAddUpAndPartialExtentsAndFitAgree) {
  TTestSurface s(4, 4);
  TSelected font(s.DC, MakeFont(-11, u"Tahoma"));
  const std::u16string words[] = {u"Start", u" ", u"Pause", u"Zq", u"Zg", u"...", u"\u00C9t\u00E9 \U0001F600"};
  std::u16string all;
  int sum = 0;
  for (const std::u16string& w : words) {
    all += w;
    sum += font.Width(w);
  }
  EXPECT_EQ(font.Width(all), sum);

  const int n = static_cast<int>(all.size());
  std::vector<int> dx(all.size());
  SIZE size;
  int fit = -1;
  ASSERT_TRUE(GetTextExtentExPointW(s.DC, all.data(), n, 0, &fit, dx.data(), &size));
  EXPECT_EQ(size.cx, sum);
  EXPECT_EQ(fit, 0);
  for (int i = 0; i < n; ++i) {
    if (i + 1 < n && all[i] >= 0xD800 && all[i] < 0xDC00) continue;  // a pair measures as one
    EXPECT_EQ(dx[static_cast<size_t>(i)], font.Width(all.substr(0, static_cast<size_t>(i) + 1))) << i;
  }
  for (int k : {0, 4, 9}) {
    ASSERT_TRUE(GetTextExtentExPointW(s.DC, all.data(), n, dx[static_cast<size_t>(k)], &fit, nullptr, nullptr));
    EXPECT_EQ(fit, k + 1);
    ASSERT_TRUE(GetTextExtentExPointW(s.DC, all.data(), n, dx[static_cast<size_t>(k)] - 1, &fit, nullptr, nullptr));
    EXPECT_LE(fit, k);
  }
  SIZE empty;
  ASSERT_TRUE(GetTextExtentPoint32W(s.DC, u"", 0, &empty));
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(empty.cy, font.Metrics().tmHeight);
  EXPECT_FALSE(GetTextExtentPoint32W(s.DC, u"x", -1, &empty));
}

TEST_F(GdiTextTest, TabbedExtentsUseStopsAndPackTheWidthInSixteenBits) {
  TTestSurface s(4, 4);
  TSelected font(s.DC, MakeFont(-11, u"Tahoma"));
  const TEXTMETRICW tm = font.Metrics();
  const int b = font.Width(u"b");
  const INT one[] = {40};
  const INT several[] = {30, 100};
  struct TCase {
    const char16_t* Text;
    int Stops;
    const INT* Positions;
    int Width;
  } cases[] = {
      {u"a\tb", 0, nullptr, 8 * tm.tmAveCharWidth + b},
      {u"\t\tb", 1, one, 80 + b},
      {u"a\tb\tb", 2, several, 100 + b},
  };
  for (const TCase& c : cases) {
    const DWORD packed = GetTabbedTextExtentW(s.DC, c.Text, static_cast<int>(std::char_traits<char16_t>::length(c.Text)),
                                              c.Stops, c.Positions);
    EXPECT_EQ(static_cast<int>(packed & 0xFFFF), c.Width) << std::string(c.Text, c.Text + 3).size();
    EXPECT_EQ(static_cast<LONG>(packed >> 16), tm.tmHeight);
  }
  // Wider than 65535: the low word wraps rather than saturating.
  const std::u16string wide(12000, u'W');
  const int full = font.Width(wide);
  ASSERT_GT(full, 65535);
  EXPECT_EQ(GetTabbedTextExtentW(s.DC, wide.data(), static_cast<int>(wide.size()), 0, nullptr) & 0xFFFF,
            static_cast<DWORD>(full) & 0xFFFF);
}

TEST_F(GdiTextTest, JustificationWidensBreakCharactersOnly) {
  TTestSurface s(4, 4);
  TSelected font(s.DC, MakeFont(-11, u"Tahoma"));
  const std::u16string text = u"a b c d";
  const int plain = font.Width(text);
  const int space = font.Width(u" ");
  ASSERT_TRUE(SetTextJustification(s.DC, 10, 3));
  EXPECT_EQ(font.Width(text), plain + 10);
  std::vector<int> dx(text.size());
  GetTextExtentExPointW(s.DC, text.data(), 7, 0, nullptr, dx.data(), nullptr);
  int spread = 0;
  for (size_t i = 1; i < text.size(); i += 2) {
    const int extra = dx[i] - dx[i - 1] - space;
    EXPECT_TRUE(extra == 3 || extra == 4) << extra;
    spread += extra;
  }
  EXPECT_EQ(spread, 10);
  EXPECT_EQ(font.Width(u"abcd"), font.Width(u"ab") + font.Width(u"cd"));
  SetTextJustification(s.DC, 0, 0);
  EXPECT_EQ(font.Width(text), plain);
}

TEST_F(GdiTextTest, BackgroundModesAndOpaqueClippedRectangles) {
  const int w = 120, h = 30;
  TTestSurface opaque(w, h, White), transparent(w, h, White);
  TSelected a(opaque.DC, MakeFont(-16, u"Tahoma"));
  TSelected b(transparent.DC, MakeFont(-16, u"Tahoma"));
  const TEXTMETRICW tm = a.Metrics();
  const int cell = a.Width(u"Zero");
  SetBkColor(opaque.DC, RGB(0, 0, 255));
  SetBkMode(opaque.DC, OPAQUE);
  SetBkMode(transparent.DC, TRANSPARENT);
  TextOutW(opaque.DC, 5, 5, u"Zero", 4);
  TextOutW(transparent.DC, 5, 5, u"Zero", 4);
  // The cell's corner holds no ink: background colour in one, untouched in the other.
  EXPECT_EQ(opaque.At(5, 5), 0x000000FFu);
  EXPECT_EQ(opaque.At(5 + cell - 1, 5 + tm.tmHeight - 1), 0x000000FFu);
  EXPECT_EQ(opaque.At(5 + cell, 5), White);
  EXPECT_EQ(opaque.At(5, 5 + tm.tmHeight), White);
  EXPECT_EQ(transparent.At(5, 5), White);
  EXPECT_GT(InkOf(transparent, w, h).Pixels, 20);

  // ETO_OPAQUE fills the rectangle, ETO_CLIPPED keeps every pixel inside it.
  TTestSurface clipped(w, h, White);
  TSelected c(clipped.DC, MakeFont(-16, u"Tahoma"));
  SetBkMode(clipped.DC, TRANSPARENT);
  SetBkColor(clipped.DC, RGB(0, 255, 0));
  const RECT r{20, 8, 40, 18};
  ASSERT_TRUE(ExtTextOutW(clipped.DC, 5, 5, ETO_OPAQUE | ETO_CLIPPED, &r, u"Zero", 4, nullptr));
  const TInk ink = InkOf(clipped, w, h);
  EXPECT_EQ(ink.Box.Left, 20);
  EXPECT_EQ(ink.Box.Top, 8);
  EXPECT_EQ(ink.Box.Right, 40);
  EXPECT_EQ(ink.Box.Bottom, 18);
  EXPECT_GT(ink.Colors.size(), 3u);  // text over the green fill
  // The rectangle follows the viewport origin like the text does.
  TTestSurface moved(w, h, White);
  TSelected d(moved.DC, MakeFont(-16, u"Tahoma"));
  SetBkMode(moved.DC, TRANSPARENT);
  SetBkColor(moved.DC, RGB(0, 255, 0));
  SetViewportOrgEx(moved.DC, 3, 2, nullptr);
  const RECT shifted{17, 6, 37, 16};
  ExtTextOutW(moved.DC, 2, 3, ETO_OPAQUE | ETO_CLIPPED, &shifted, u"Zero", 4, nullptr);
  EXPECT_TRUE(SamePixels(clipped, moved, w, h));
}

TEST_F(GdiTextTest, AlignmentPlacesTheTextAroundThePoint) {
  const int w = 160, h = 60;
  TTestSurface reference(w, h, White);
  TSelected ref(reference.DC, MakeFont(-16, u"Tahoma"));
  const TEXTMETRICW tm = ref.Metrics();
  const int cell = ref.Width(u"Restart");
  SetBkMode(reference.DC, TRANSPARENT);
  TextOutW(reference.DC, 40, 10, u"Restart", 7);
  struct TCase {
    UINT Align;
    int X, Y;
  } cases[] = {
      {TA_BASELINE | TA_LEFT, 40, 10 + tm.tmAscent},
      {TA_BOTTOM | TA_LEFT, 40, 10 + tm.tmHeight},
      {TA_TOP | TA_RIGHT, 40 + cell, 10},
      {TA_TOP | TA_CENTER, 40 + cell / 2, 10},
  };
  for (const TCase& c : cases) {
    TTestSurface s(w, h, White);
    TSelected font(s.DC, MakeFont(-16, u"Tahoma"));
    SetBkMode(s.DC, TRANSPARENT);
    EXPECT_EQ(SetTextAlign(s.DC, c.Align), TA_TOP | TA_LEFT);
    TextOutW(s.DC, c.X, c.Y, u"Restart", 7);
    EXPECT_TRUE(SamePixels(reference, s, w, h)) << c.Align;
  }
  // Updating the current position draws there and moves it on.
  TTestSurface s(w, h, White);
  TSelected font(s.DC, MakeFont(-16, u"Tahoma"));
  SetBkMode(s.DC, TRANSPARENT);
  SetTextAlign(s.DC, TA_UPDATECP);
  MoveToEx(s.DC, 40, 10, nullptr);
  TextOutW(s.DC, 0, 0, u"Rest", 4);
  TextOutW(s.DC, 0, 0, u"art", 3);
  POINT cp;
  GetCurrentPositionEx(s.DC, &cp);
  EXPECT_EQ(cp.X, 40 + cell);
  EXPECT_TRUE(SamePixels(reference, s, w, h));
}

TEST_F(GdiTextTest, UnderlineAndStrikeOutSpanTheExtent) {
  const int w = 120, h = 40;
  TTestSurface s(w, h, White);
  TSelected font(s.DC, CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 1, 1, 0, 0, 0, NONANTIALIASED_QUALITY, 0, u"Tahoma"));
  const TEXTMETRICW tm = font.Metrics();
  const int cell = font.Width(u"I I");
  SetBkMode(s.DC, TRANSPARENT);
  TextOutW(s.DC, 10, 5, u"I I", 3);
  // Rows inked across the whole extent, one below the baseline, one above.
  int below = 0, above = 0;
  for (int y = 5; y < 5 + tm.tmHeight; ++y) {
    bool full = true;
    for (int x = 10; x < 10 + cell; ++x) full = full && s.At(x, y) != White;
    if (full) (y >= 5 + tm.tmAscent ? below : above) += 1;
    EXPECT_EQ(s.At(10 + cell, y), White);
  }
  EXPECT_GE(below, 1);
  EXPECT_GE(above, 1);
}

TEST_F(GdiTextTest, TabbedOutputMatchesItsExtentAndSkipsTabs) {
  const int w = 200, h = 30;
  TTestSurface tabbed(w, h, White), pieces(w, h, White);
  TSelected a(tabbed.DC, MakeFont(-11, u"Tahoma"));
  TSelected b(pieces.DC, MakeFont(-11, u"Tahoma"));
  SetBkMode(tabbed.DC, TRANSPARENT);
  SetBkMode(pieces.DC, TRANSPARENT);
  const INT stop = 50;
  const LONG packed = TabbedTextOutW(tabbed.DC, 10, 5, u"ab\tcd", 5, 1, &stop, 0);
  EXPECT_EQ(packed & 0xFFFF, 50 - 10 + a.Width(u"cd"));
  TextOutW(pieces.DC, 10, 5, u"ab", 2);
  TextOutW(pieces.DC, 50, 5, u"cd", 2);
  EXPECT_TRUE(SamePixels(tabbed, pieces, w, h));
}

TEST_F(GdiTextTest, AbsurdSizesAreBoundedAndDrawOnlyInsideTheClip) {
  const int w = 200, h = 150;
  TTestSurface s(w, h, White);
  TSelected huge(s.DC, MakeFont(INT32_MIN, u"Tekton Pro Ext", FW_BOLD));
  const TEXTMETRICW tm = huge.Metrics();
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, MaxFontHeight);
  const int stem = huge.Width(u"I");
  EXPECT_GT(stem, w);
  SetBkMode(s.DC, TRANSPARENT);
  // The middle of the I's stem covers the whole small surface.
  ASSERT_TRUE(TextOutW(s.DC, -stem / 2 + w / 2, -tm.tmAscent / 2, u"I", 1));
  EXPECT_EQ(InkOf(s, w, h).Colors, std::set<DWORD>{0});

  // Glyphs too big to cache are rasterised per clip: a smaller clip gives
  // the same pixels inside it and nothing outside.
  const int em = MaxCachedGlyphEm + 100;
  TTestSurface full(w, h, White), part(w, h, White);
  TSelected f(full.DC, MakeFont(-em, u"Tahoma"));
  TSelected p(part.DC, MakeFont(-em, u"Tahoma"));
  SetBkMode(full.DC, TRANSPARENT);
  SetBkMode(part.DC, TRANSPARENT);
  const int x = -em / 4, y = -em / 2;
  TextOutW(full.DC, x, y, u"8", 1);
  IntersectClipRect(part.DC, 50, 40, 130, 110);
  TextOutW(part.DC, x, y, u"8", 1);
  int inside = 0;
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      const bool in = xx >= 50 && xx < 130 && yy >= 40 && yy < 110;
      EXPECT_EQ(part.At(xx, yy), in ? full.At(xx, yy) : White) << xx << "," << yy;
      inside += in && full.At(xx, yy) != White;
      if (HasFailure()) return;
    }
  EXPECT_GT(inside, 0);
}

TEST_F(GdiTextTest, OtherDepthsTakeTheText) {
  // A 24-bit DIB gets the same colours as a 32-bit one, a 1-bit one the
  // nearer of its two.
  for (WORD bits : {24, 1}) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = 60;
    bi.bmiHeader.biHeight = -20;
    bi.bmiHeader.biBitCount = bits;
    bi.bmiColors[0] = {0, 0, 0, 0};
    bi.bmiColors[1] = {255, 255, 255, 0};
    void* raw = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    PatBlt(dc, 0, 0, 60, 20, WHITENESS);
    TTestSurface reference(60, 20, White);
    {
      TSelected font(dc, MakeFont(-14, u"Tahoma"));
      TSelected refFont(reference.DC, MakeFont(-14, u"Tahoma"));
      SetBkMode(dc, TRANSPARENT);
      SetBkMode(reference.DC, TRANSPARENT);
      TextOutW(dc, 2, 2, u"Zero", 4);
      TextOutW(reference.DC, 2, 2, u"Zero", 4);
    }
    int differing = 0, inked = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 60; ++x) {
        const COLORREF got = GetPixel(dc, x, y);
        const DWORD want = reference.At(x, y);
        const COLORREF wantColor = RGB((want >> 16) & 0xFF, (want >> 8) & 0xFF, want & 0xFF);
        inked += got != RGB(255, 255, 255);
        if (bits == 24) differing += got != wantColor;
        else differing += got != (GetRValue(wantColor) < 128 ? RGB(0, 0, 0) : RGB(255, 255, 255));
      }
    EXPECT_EQ(differing, 0) << bits;
    EXPECT_GT(inked, 10) << bits;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
  }
}

}  // namespace
