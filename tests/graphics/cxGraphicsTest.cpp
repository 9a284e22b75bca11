// The unit's shared objects and resolution, bitmaps and regions, and text on
// a device context.
#include <gtest/gtest.h>

#include "controls/cxClasses.h"
#include "tests/graphics/GraphicsTestSupport.h"

namespace {

class Graphics : public TGdiLeakCheck {};

TEST_F(Graphics, SystemBrushesDrawWithTheSystemColourBrushes) {
  TcxObjectList* brushes = SystemBrushes();
  ASSERT_NE(brushes, nullptr);
  ASSERT_EQ(brushes->GetCount(), 31);
  for (int i = 0; i < 31; ++i) {
    auto* brush = dynamic_cast<TBrush*>(brushes->GetItem(i));
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->GetHandle(), GetSysColorBrush(i)) << i;
    EXPECT_EQ(brush->GetColor(), static_cast<TColor>(GetSysColor(i))) << i;
  }
}

TEST_F(Graphics, TheHalfToneBrushAlternatesPixels) {
  TTestSurface s(9, 3, 0xFF123456);
  SetTextColor(s.DC, RGB(0, 0, 0));
  SetBkColor(s.DC, RGB(255, 255, 255));
  const RECT all{0, 0, 9, 3};
  FillRect(s.DC, &all, cxHalfToneBrush()->GetHandle());
  // Rows 0xAA, 0x55: a set bit takes the background colour.
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 9; ++x) EXPECT_EQ(s.At(x, y), (x + y) % 2 == 0 ? 0x00FFFFFFu : 0u) << x << ", " << y;
}

TEST_F(Graphics, StartingTheUnitAgainMakesItsObjectsAfresh) {
  const int live = GetLiveGdiObjectCount();
  {
    TGraphicsUnitWithout entry("AlphaBlend");
    EXPECT_EQ(GetLiveGdiObjectCount(), live) << "the old objects went, the new ones came";
    EXPECT_EQ(SystemBrushes()->GetCount(), 31);
    EXPECT_NE(cxHalfToneBrush(), nullptr);
  }
  EXPECT_EQ(GetLiveGdiObjectCount(), live);
}

TEST(Resolution, NinetySixPixelsPerInch) {
  EXPECT_EQ(cxGetPixelsPerInch(), cxSize(96, 96));
  EXPECT_EQ(cxGetCurrentDPI(), 96);
  EXPECT_EQ(cxGetValueCurrentDPI(17), 17);
  EXPECT_EQ(cxGetValueCurrentDPI(-3), -3);
  EXPECT_EQ(cxGetValueCurrentDPI(cxSize(4, 5)), cxSize(4, 5));
  EXPECT_EQ(cxGetValueCurrentDPI(TRect{1, 2, 3, 4}), (TRect{1, 2, 3, 4}));
}

TEST_F(Graphics, BitmapsAndCopies) {
  TcxBitmapPtr bitmap = cxCreateBitmap(cxSize(3, 2), pf32bit);
  EXPECT_EQ(bitmap->GetWidth(), 3);
  EXPECT_EQ(bitmap->GetHeight(), 2);
  EXPECT_EQ(bitmap->GetPixelFormat(), pf32bit);
  EXPECT_EQ(cxCreateBitmap(TRect{10, 10, 14, 11})->GetWidth(), 4);
  EXPECT_EQ(cxCreateBitmap(4, 1)->GetPixelFormat(), pf24bit);
  EXPECT_EQ(cxCreateBitmap(4, 1, pf1bit)->GetPixelFormat(), pf1bit);

  TcxBitmapPtr source = Bitmap32(3, 2, {1, 2, 3, 4, 5, 6});
  TTestSurface s(4, 4, 0);
  cxDrawBitmap(s.DC, source.get(), {1, 1, 3, 3}, cxPoint(1, 0));
  EXPECT_EQ(s.At(1, 1), 2u);
  EXPECT_EQ(s.At(2, 1), 3u);
  EXPECT_EQ(s.At(1, 2), 5u);
  EXPECT_EQ(s.At(2, 2), 6u);
  EXPECT_EQ(s.At(3, 3), 0u);
  cxDrawBitmap(s.DC, source.get(), {0, 0, 1, 1}, cxNullPoint, NOTSRCCOPY);
  EXPECT_EQ(s.At(0, 0), ~1u);
  TTestSurface copy(2, 2, 0);
  cxBitBlt(copy.DC, s.DC, {0, 0, 2, 2}, cxPoint(1, 1), SRCCOPY);
  EXPECT_EQ(copy.At(0, 0), 2u);
  EXPECT_EQ(copy.At(1, 1), 6u);
}

TEST_F(Graphics, RegionsFromBitmapsHoldTheOpaqueRuns) {
  constexpr DWORD T = 0x00FF00FF, O = 0x00000000;
  TcxBitmapPtr bitmap = Bitmap32(4, 3, {T, O, O, T,              //
                                        O, 0xFFFFFFFF, O, O,     // alpha does not count
                                        0xFFFF00FF, T, T, O});   // nor here
  HRGN region = cxCreateRegionFromBitmap(bitmap.get(), RGB(255, 0, 255));
  ASSERT_NE(region, nullptr);
  HRGN expected = CreateRectRgn(1, 0, 3, 1);
  for (const RECT& r : {RECT{0, 1, 4, 2}, RECT{3, 2, 4, 3}}) {
    HRGN part = CreateRectRgnIndirect(&r);
    CombineRgn(expected, expected, part, RGN_OR);
    DeleteObject(part);
  }
  EXPECT_TRUE(EqualRgn(region, expected));
  DeleteObject(expected);
  DeleteObject(region);

  TcxBitmapPtr face = Bitmap32(2, 2, {0x00F0F0F0, 0x00F0F0F0, 0x00F0F0F0, 0x00F0F0F0});
  EXPECT_EQ(cxCreateRegionFromBitmap(face.get(), clBtnFace), nullptr) << "all transparent";
  TcxBitmapPtr empty = cxCreateBitmap(0, 0, pf32bit);
  EXPECT_EQ(cxCreateRegionFromBitmap(empty.get(), clBlack), nullptr);
}

TEST(TextFlags, EveryFlagToDrawTextFlags) {
  const struct {
    Integer Flags;
    UINT Expected;
  } cases[] = {
      {0, DT_NOPREFIX},
      {cxAlignLeft | cxAlignTop, DT_NOPREFIX},
      {cxAlignRight, DT_NOPREFIX | DT_RIGHT},
      {cxAlignHCenter, DT_NOPREFIX | DT_CENTER},
      {cxAlignBottom, DT_NOPREFIX | DT_BOTTOM},
      {cxAlignVCenter, DT_NOPREFIX | DT_VCENTER},
      {cxAlignCenter, DT_NOPREFIX | DT_CENTER | DT_VCENTER},
      {cxSingleLine, DT_NOPREFIX | DT_SINGLELINE},
      {cxDontClip, DT_NOPREFIX | DT_NOCLIP},
      {cxExpandTabs, DT_NOPREFIX | DT_EXPANDTABS},
      {cxShowPrefix, 0},
      {cxWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxWordBreak | cxDontBreakChars, DT_NOPREFIX | DT_WORDBREAK},
      {cxWordBreak | cxDontBreakChars | cxNoFullWidthCharBreak, DT_NOPREFIX | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK},
      {cxWordBreak | cxNoFullWidthCharBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxDontBreakChars | cxNoFullWidthCharBreak, DT_NOPREFIX},
      {cxShowEndEllipsis, DT_NOPREFIX | DT_END_ELLIPSIS},
      {cxCalcRect, DT_NOPREFIX | DT_CALCRECT},
      {cxShowPathEllipsis, DT_NOPREFIX | DT_PATH_ELLIPSIS},
      {cxShowPrefix | cxSingleLine | cxAlignRight, DT_SINGLELINE | DT_RIGHT},
  };
  for (const auto& c : cases) EXPECT_EQ(cxFlagsToDTFlags(c.Flags), c.Expected) << c.Flags;
}

TEST(TextFlags, WritingDirection) {
  const struct {
    TFontCharset Charset;
    String Text;
    TcxWritingDirection Expected;
  } cases[] = {
      {ARABIC_CHARSET, u"", wdRightToLeft},
      {ARABIC_CHARSET, u"\u0627\u0628", wdRightToLeft},
      {ARABIC_CHARSET, u"ab", wdLeftToRight},
      {GB2312_CHARSET, u"\u4E2D", wdRightToLeft},
      {CHINESEBIG5_CHARSET, u"\u0080", wdRightToLeft},
      {CHINESEBIG5_CHARSET, u"\u007F", wdLeftToRight},
      {SHIFTJIS_CHARSET, u"\u65E5", wdLeftToRight},
      {ANSI_CHARSET, u"", wdLeftToRight},
      {DEFAULT_CHARSET, u"\u0627", wdLeftToRight},  // the system's character set is ANSI_CHARSET
  };
  for (const auto& c : cases) EXPECT_EQ(cxGetWritingDirection(c.Charset, c.Text), c.Expected) << int(c.Charset);
}

TEST_F(Graphics, TextOnADeviceContextPutsItsSettingsBack) {
  TTestSurface s(60, 20, 0x00FFFFFF);
  TFont font;
  font.SetName(u"DejaVu Sans");
  font.SetHeight(-12);
  HGDIOBJ old = SelectObject(s.DC, font.GetHandle());
  SetBkMode(s.DC, OPAQUE);
  SetTextColor(s.DC, RGB(1, 2, 3));
  TRect r{0, 0, 60, 20};
  EXPECT_GT(cxDrawText(s.DC, u"Hi", r, DT_SINGLELINE, TRANSPARENT, clRed), 0);
  EXPECT_EQ(GetBkMode(s.DC), OPAQUE);
  EXPECT_EQ(GetTextColor(s.DC), RGB(1, 2, 3));
  int red = 0;
  for (int i = 0; i < 60 * 20; ++i) red += s.Bits[i] == 0x00FF0000u;
  EXPECT_GT(red, 0) << "drawn in the colour given";
  EXPECT_EQ(s.At(59, 19), 0x00FFFFFFu) << "transparent: no background box";

  TRect calc{0, 0, 5, 5}, direct{0, 0, 5, 5};
  EXPECT_EQ(cxDrawText(s.DC, u"", calc, DT_CALCRECT), DrawTextW(s.DC, u"", 0, &direct, DT_CALCRECT))
      << "an empty text goes to DrawTextW as it is";
  EXPECT_EQ(calc, direct);
  EXPECT_EQ(GetTextColor(s.DC), RGB(1, 2, 3)) << "clDefault keeps the colour";
  TRect partial{0, 0, 0, 0}, whole{0, 0, 0, 0};
  cxDrawText(s.DC, u"Hi there", partial, DT_CALCRECT | DT_SINGLELINE, TRANSPARENT, clDefault, 2);
  cxDrawText(s.DC, u"Hi", whole, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(partial, whole);

  TSize all, two, hi;
  ASSERT_TRUE(cxGetTextExtentPoint32(s.DC, u"Hi there", all));
  ASSERT_TRUE(cxGetTextExtentPoint32(s.DC, u"Hi there", two, 2));
  ASSERT_TRUE(cxGetTextExtentPoint32(s.DC, u"Hi", hi));
  EXPECT_EQ(two, hi);
  EXPECT_GT(all.cx, hi.cx);
  EXPECT_EQ(all.cy, cxTextHeight(s.DC));
  EXPECT_EQ(cxTextHeight(&font), cxTextHeight(s.DC));
  SelectObject(s.DC, old);

  TTestSurface out(60, 20, 0x00FFFFFF);
  SetBkMode(out.DC, TRANSPARENT);
  EXPECT_TRUE(cxExtTextOut(out.DC, u"WW", cxPoint(0, 0), cxRect(0, 0, 3, 20), ETO_CLIPPED));
  int inked = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 3; x < 60; ++x) inked += out.At(x, y) != 0x00FFFFFFu;
  EXPECT_EQ(inked, 0) << "clipped to the rectangle";
  EXPECT_TRUE(cxExtTextOut(out.DC, u"WW", cxPoint(0, 0)));
  for (int y = 0; y < 20; ++y)
    for (int x = 3; x < 60; ++x) inked += out.At(x, y) != 0x00FFFFFFu;
  EXPECT_GT(inked, 0);
}

TEST_F(Graphics, FontsResetAndNonAntialiased) {
  TFont font;
  font.SetName(u"DejaVu Serif");
  font.SetHeight(-30);
  font.SetPitch(fpFixed);
  font.SetStyle({fsBold});
  font.SetCharset(RUSSIAN_CHARSET);
  font.SetColor(clRed);
  cxResetFont(&font);
  EXPECT_EQ(font.GetName(), u"Tahoma");
  EXPECT_EQ(font.GetHeight(), -11);
  EXPECT_EQ(font.GetPitch(), fpDefault);
  EXPECT_EQ(font.GetStyle(), TFontStyles{});
  EXPECT_EQ(font.GetCharset(), DEFAULT_CHARSET);
  EXPECT_EQ(font.GetColor(), clRed) << "the colour is not part of it";
  dxSetFontAsNonAntialiased(&font);
  LOGFONTW lf;
  ASSERT_EQ(GetObjectW(font.GetHandle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
}

}  // namespace
