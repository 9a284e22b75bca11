#include "host/GraphicsObjects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "host/Exceptions.h"
#include "host/Filer.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

constexpr Integer IntMin = std::numeric_limits<Integer>::min();
constexpr Integer IntMax = std::numeric_limits<Integer>::max();

class GraphicsObjects : public TGdiLeakCheck {};

TEST(Colors, ConstantsHaveTheFrameworkValues) {
  const struct {
    TColor Color;
    uint32_t Value;
  } cases[] = {
      {clBtnFace, 0xFF00000F},  {clWindow, 0xFF000005},       {clWindowFrame, 0xFF000006},
      {clWindowText, 0xFF000008}, {clHighlight, 0xFF00000D},  {clHighlightText, 0xFF00000E},
      {clBtnShadow, 0xFF000010}, {clBtnText, 0xFF000012},     {clBtnHighlight, 0xFF000014},
      {cl3DDkShadow, 0xFF000015}, {cl3DLight, 0xFF000016},    {clBlack, 0},
      {clNone, 0x1FFFFFFF},      {clDefault, 0x20000000},     {clRed, 0x0000FF},
      {clBlue, 0xFF0000},        {clWhite, 0xFFFFFF},
  };
  for (const auto& c : cases) EXPECT_EQ(static_cast<uint32_t>(c.Color), c.Value) << c.Value;
}

TEST(Colors, SystemColorsResolveAndEverythingElsePassesUnchanged) {
  EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clBtnFace)), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clHighlight)), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(clWindowText)), GetSysColor(COLOR_WINDOWTEXT));
  for (TColor plain : {clBlack, clRed, clWhite, TColor{0x123456}, clNone, clDefault})
    EXPECT_EQ(ColorToRGB(plain), plain);
  EXPECT_EQ(ColorToGdi(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToGdi(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToGdi(clNone), 0u) << "no colour: black, not the white its low bits spell";
  EXPECT_EQ(ColorToGdi(clDefault), 0u);
}

TEST(Colors, NamesAndTextForms) {
  EXPECT_EQ(ColorToString(clBtnFace), u"clBtnFace");
  EXPECT_EQ(ColorToString(clDefault), u"clDefault");
  EXPECT_EQ(ColorToString(0x123456), u"$00123456");
  EXPECT_EQ(StringToColor(u"CLRED"), clRed);
  EXPECT_EQ(StringToColor(u"$0000FF00"), clLime);
  EXPECT_EQ(StringToColor(u"255"), clRed);
  EXPECT_THROW(StringToColor(u"clNoSuchColour"), EConvertError);
}

TEST(FontSize, ConvertsToHeightAtTheScreenResolution) {
  const struct {
    Integer Size, Height;
  } cases[] = {{350, -467}, {351, -468}, {8, -11}, {9, -12}, {10, -13}, {12, -16}, {0, 0}, {-8, 11}};
  for (const auto& c : cases) {
    TFont font;
    font.SetSize(c.Size);
    EXPECT_EQ(font.GetHeight(), c.Height) << c.Size;
    EXPECT_EQ(font.GetSize(), c.Size) << c.Height;
  }
  TFont font;
  font.SetHeight(-16);
  EXPECT_EQ(font.GetSize(), 12);
  font.SetHeight(-11);
  EXPECT_EQ(font.GetSize(), 8);  // 8.25 points
}

TEST(FontSize, HugeValuesSaturateInsteadOfOverflowing) {
  TFont font;
  font.SetSize(IntMax);
  EXPECT_EQ(font.GetHeight(), IntMin);
  font.SetSize(IntMin);
  EXPECT_EQ(font.GetHeight(), IntMax);
  // 2^31 pixels are exactly 1610612736 points.
  font.SetHeight(IntMin);
  EXPECT_EQ(font.GetSize(), 1610612736);
  font.SetHeight(IntMax);
  EXPECT_EQ(font.GetSize(), -1610612735);  // 2147483647 * 0.75 = 1610612735.25

  EXPECT_EQ(MulDivSaturated(IntMax, IntMax, 1), IntMax);
  EXPECT_EQ(MulDivSaturated(IntMin, IntMax, 1), IntMin);
  EXPECT_EQ(MulDivSaturated(IntMin, -1, 1), IntMax);
  EXPECT_EQ(MulDivSaturated(5, 1, 2), 3);
  EXPECT_EQ(MulDivSaturated(-5, 1, 2), -3);
  EXPECT_EQ(MulDivSaturated(5, 1, -2), -3);
  EXPECT_EQ(MulDivSaturated(7, 3, 0), IntMax);
  EXPECT_EQ(MulDivSaturated(-7, 3, 0), IntMin);
}

TEST_F(GraphicsObjects, FontStartsAsTheDefaultAndItsHandleFollowsItsProperties) {
  TFont font;
  EXPECT_EQ(font.GetName(), u"Tahoma");
  EXPECT_EQ(font.GetHeight(), -11);
  EXPECT_EQ(font.GetCharset(), DEFAULT_CHARSET);
  EXPECT_EQ(font.GetColor(), clWindowText);
  EXPECT_TRUE(font.GetStyle().Empty());
  EXPECT_FALSE(font.HandleAllocated());

  font.SetName(u"DejaVu Sans");
  font.SetHeight(-20);
  font.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
  font.SetCharset(ANSI_CHARSET);
  font.SetPitch(fpFixed);
  font.SetQuality(fqNonAntialiased);
  font.SetOrientation(900);
  LOGFONTW lf;
  ASSERT_EQ(GetObjectW(font.GetHandle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(String(lf.lfFaceName), u"DejaVu Sans");
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(lf.lfPitchAndFamily & 0x0F, FIXED_PITCH);
  EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfOrientation, 900);

  font.SetHeight(-30);
  EXPECT_FALSE(font.HandleAllocated());
  ASSERT_EQ(GetObjectW(font.GetHandle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfHeight, -30);
}

TEST_F(GraphicsObjects, OnChangeFiresForEveryRealChangeOnly) {
  TFont font;
  int changes = 0;
  TObject* sender = nullptr;
  font.OnChange = [&](TObject* s) {
    ++changes;
    sender = s;
  };
  font.SetHeight(-11);  // already so
  font.SetName(u"Tahoma");
  font.SetColor(clWindowText);
  EXPECT_EQ(changes, 0);
  font.SetSize(350);
  font.SetColor(clRed);
  font.SetStyle({fsBold});
  font.SetName(u"");  // a font needs a name: ignored
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(sender, &font);

  TBrush brush;
  TPen pen;
  int objectChanges = 0;
  brush.OnChange = pen.OnChange = [&](TObject*) { ++objectChanges; };
  brush.SetColor(clWhite);
  pen.SetWidth(1);
  brush.SetStyle(bsCross);
  pen.SetMode(pmXor);
  pen.SetWidth(0);  // raised to 1, which it already is
  EXPECT_EQ(objectChanges, 2);
}

TEST_F(GraphicsObjects, AHandleDrawnWithDuringOnChangeIsTheNewOne) {
  TFont font;
  HFONT old = font.GetHandle();
  HFONT seen = nullptr;
  LOGFONTW lf;
  font.OnChange = [&](TObject*) {
    seen = font.GetHandle();
    GetObjectW(seen, sizeof(lf), &lf);
  };
  font.SetHeight(-40);
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(lf.lfHeight, -40);
  EXPECT_EQ(GetObjectType(old), 0u) << "the stale handle is deleted";
  EXPECT_EQ(font.GetHandle(), seen);
}

TEST_F(GraphicsObjects, AssignCopiesEveryPropertyWithOneChange) {
  TFont source;
  source.SetName(u"DejaVu Serif");
  source.SetSize(350);
  source.SetStyle({fsBold});
  source.SetCharset(ANSI_CHARSET);
  source.SetColor(clDefault);
  source.SetPitch(fpVariable);
  source.SetQuality(fqClearType);
  source.SetOrientation(450);
  TFont target;
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  target.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.GetName(), u"DejaVu Serif");
  EXPECT_EQ(target.GetHeight(), -467);
  EXPECT_EQ(target.GetStyle(), TFontStyles{fsBold});
  EXPECT_EQ(target.GetCharset(), ANSI_CHARSET);
  EXPECT_EQ(target.GetColor(), clDefault);
  EXPECT_EQ(target.GetPitch(), fpVariable);
  EXPECT_EQ(target.GetQuality(), fqClearType);
  EXPECT_EQ(target.GetOrientation(), 450);

  TBrush brush;
  brush.SetColor(clRed);
  brush.SetStyle(bsDiagCross);
  TBrush brushCopy;
  brushCopy.Assign(&brush);
  EXPECT_EQ(brushCopy.GetColor(), clRed);
  EXPECT_EQ(brushCopy.GetStyle(), bsDiagCross);

  TPen pen;
  pen.SetColor(clBlue);
  pen.SetWidth(3);
  pen.SetStyle(psDot);
  pen.SetMode(pmNotXor);
  TPen penCopy;
  penCopy.Assign(&pen);
  EXPECT_EQ(penCopy.GetColor(), clBlue);
  EXPECT_EQ(penCopy.GetWidth(), 3);
  EXPECT_EQ(penCopy.GetStyle(), psDot);
  EXPECT_EQ(penCopy.GetMode(), pmNotXor);

  EXPECT_THROW(target.Assign(&brush), EConvertError);
  EXPECT_THROW(brush.Assign(&pen), EConvertError);
}

TEST_F(GraphicsObjects, FontTakesOnTheDescriptionOfAHandleItIsGiven) {
  HFONT given = CreateFontW(-24, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                            DRAFT_QUALITY, FIXED_PITCH, u"DejaVu Sans Mono");
  TFont font;
  font.SetHandle(given);
  EXPECT_EQ(font.GetName(), u"DejaVu Sans Mono");
  EXPECT_EQ(font.GetHeight(), -24);
  EXPECT_EQ(font.GetStyle(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(font.GetCharset(), RUSSIAN_CHARSET);
  EXPECT_EQ(font.GetPitch(), fpFixed);
  EXPECT_EQ(font.GetQuality(), fqDraft);
  EXPECT_NE(font.GetHandle(), given);
  LOGFONTW made;
  ASSERT_EQ(GetObjectW(font.GetHandle(), sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_EQ(made.lfOutPrecision, OUT_TT_ONLY_PRECIS) << "kept, and passed on to copies";
  TFont copy;
  copy.Assign(&font);
  ASSERT_EQ(GetObjectW(copy.GetHandle(), sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_EQ(made.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  EXPECT_TRUE(DeleteObject(given)) << "the given handle stays the caller's";
}

TEST_F(GraphicsObjects, BrushHandlesByStyle) {
  const struct {
    TBrushStyle Style;
    UINT GdiStyle;
    ULONG_PTR Hatch;
  } cases[] = {
      {bsSolid, BS_SOLID, 0},
      {bsClear, BS_NULL, 0},
      {bsHorizontal, BS_HATCHED, HS_HORIZONTAL},
      {bsVertical, BS_HATCHED, HS_VERTICAL},
      {bsFDiagonal, BS_HATCHED, HS_FDIAGONAL},
      {bsBDiagonal, BS_HATCHED, HS_BDIAGONAL},
      {bsCross, BS_HATCHED, HS_CROSS},
      {bsDiagCross, BS_HATCHED, HS_DIAGCROSS},
  };
  for (const auto& c : cases) {
    TBrush brush;
    brush.SetColor(clBtnShadow);
    brush.SetStyle(c.Style);
    LOGBRUSH lb;
    ASSERT_GT(GetObjectW(brush.GetHandle(), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbStyle, c.GdiStyle) << c.Style;
    if (c.GdiStyle == BS_HATCHED) {
      EXPECT_EQ(lb.lbHatch, c.Hatch) << c.Style;
    }
    if (c.GdiStyle != BS_NULL) {
      EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNSHADOW)) << c.Style;
    }
  }
  TBrush brush;
  EXPECT_EQ(brush.GetColor(), clWhite);
  EXPECT_EQ(brush.GetStyle(), bsSolid);
  brush.SetStyle(bsClear);
  brush.SetColor(clWhite);
  EXPECT_EQ(brush.GetStyle(), bsSolid) << "giving a clear brush a colour makes it solid";
}

TEST_F(GraphicsObjects, BrushAdoptsAHandleItIsGiven) {
  const struct {
    HBRUSH Handle;
    TColor Color;
    TBrushStyle Style;
  } cases[] = {
      {CreateHatchBrush(HS_CROSS, RGB(1, 2, 3)), RGB(1, 2, 3), bsCross},
      {CreateSolidBrush(RGB(10, 20, 30)), RGB(10, 20, 30), bsSolid},
      {static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), 0, bsClear},
  };
  for (const auto& c : cases) {
    TBrush brush;
    int changes = 0;
    brush.OnChange = [&](TObject*) { ++changes; };
    brush.SetHandle(c.Handle);
    EXPECT_EQ(brush.GetHandle(), c.Handle) << "the brush draws with the handle itself";
    EXPECT_EQ(brush.GetColor(), c.Color);
    EXPECT_EQ(brush.GetStyle(), c.Style);
    EXPECT_EQ(changes, 1);
    brush.SetHandle(c.Handle);
    EXPECT_EQ(changes, 1) << "the same handle again changes nothing";
  }  // each brush deleted its adopted handle: the leak check counts them

  TBrush brush;
  HBRUSH own = brush.GetHandle();
  HBRUSH system = GetSysColorBrush(COLOR_BTNFACE);
  brush.SetHandle(system);
  EXPECT_EQ(brush.GetHandle(), system);
  EXPECT_EQ(brush.GetColor(), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(GetObjectType(own), 0u) << "the brush's own handle went";
  brush.SetColor(clRed);
  EXPECT_NE(brush.GetHandle(), system);
  LOGBRUSH lb;
  EXPECT_EQ(GetObjectW(system, sizeof(lb), &lb), static_cast<int>(sizeof(lb))) << "stock: never deleted";
  brush.SetHandle(nullptr);
  brush.SetHandle(static_cast<HBRUSH>(GetStockObject(BLACK_PEN)));
  EXPECT_EQ(brush.GetColor(), clRed) << "nullptr and other objects are ignored";
}

TEST_F(GraphicsObjects, PenHandlesAndModes) {
  TPen pen;
  EXPECT_EQ(pen.GetColor(), clBlack);
  EXPECT_EQ(pen.GetWidth(), 1);
  EXPECT_EQ(pen.GetMode(), pmCopy);
  pen.SetColor(clHighlight);
  pen.SetWidth(4);
  pen.SetStyle(psDashDot);
  LOGPEN lp;
  ASSERT_GT(GetObjectW(pen.GetHandle(), sizeof(lp), &lp), 0);
  EXPECT_EQ(lp.lopnStyle, PS_DASHDOT);
  EXPECT_EQ(lp.lopnWidth.X, 4);
  EXPECT_EQ(lp.lopnColor, GetSysColor(COLOR_HIGHLIGHT));
  pen.SetStyle(psClear);
  ASSERT_GT(GetObjectW(pen.GetHandle(), sizeof(lp), &lp), 0);
  EXPECT_EQ(lp.lopnStyle, PS_NULL);

  const struct {
    TPenMode Mode;
    int Rop2;
  } modes[] = {
      {pmBlack, R2_BLACK},           {pmWhite, R2_WHITE},           {pmNop, R2_NOP},
      {pmNot, R2_NOT},               {pmCopy, R2_COPYPEN},          {pmNotCopy, R2_NOTCOPYPEN},
      {pmMergePenNot, R2_MERGEPENNOT}, {pmMaskPenNot, R2_MASKPENNOT}, {pmMergeNotPen, R2_MERGENOTPEN},
      {pmMaskNotPen, R2_MASKNOTPEN}, {pmMerge, R2_MERGEPEN},        {pmNotMerge, R2_NOTMERGEPEN},
      {pmMask, R2_MASKPEN},          {pmNotMask, R2_NOTMASKPEN},    {pmXor, R2_XORPEN},
      {pmNotXor, R2_NOTXORPEN},
  };
  for (const auto& m : modes) {
    EXPECT_EQ(PenModeToROP2(m.Mode), m.Rop2) << m.Mode;
    EXPECT_EQ(ROP2ToPenMode(m.Rop2), m.Mode) << m.Rop2;
  }
  EXPECT_EQ(ROP2ToPenMode(0), pmCopy);
  EXPECT_EQ(ROP2ToPenMode(17), pmCopy);
}

class TFontHolder : public TComponent {
  HOST_CLASS(TFontHolder);
  explicit TFontHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TFont* GetFont() const { return FFont.get(); }
  TBrush* GetBrush() const { return FBrush.get(); }
  TPen* GetPen() const { return FPen.get(); }

 private:
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TBrush> FBrush = std::make_unique<TBrush>();
  std::unique_ptr<TPen> FPen = std::make_unique<TPen>();
};
const TPublished& FontHolderPublished() {
  static const TPublished p{{SubObjectProp<TFontHolder, TFont>(u"Font", &TFontHolder::GetFont),
                             SubObjectProp<TFontHolder, TBrush>(u"Brush", &TFontHolder::GetBrush),
                             SubObjectProp<TFontHolder, TPen>(u"Pen", &TFontHolder::GetPen)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TFontHolder, TComponent, &CreateOwned<TFontHolder>, &FontHolderPublished)

TEST_F(GraphicsObjects, DescriptionsReadAndWriteTheObjectsByName) {
  TFontHolder holder(nullptr);
  ReadComponentFromText(u"object Label1: TFontHolder\n"
                        u"  Font.Charset = ANSI_CHARSET\n"
                        u"  Font.Color = clHighlight\n"
                        u"  Font.Height = -467\n"
                        u"  Font.Name = 'DejaVu Sans'\n"
                        u"  Font.Style = [fsBold, fsItalic]\n"
                        u"  Font.Pitch = fpVariable\n"
                        u"  Brush.Style = bsClear\n"
                        u"  Pen.Mode = pmXor\n"
                        u"  Pen.Width = 2\n"
                        u"end\n",
                        &holder);
  const TFont& font = *holder.GetFont();
  EXPECT_EQ(font.GetCharset(), ANSI_CHARSET);
  EXPECT_EQ(font.GetColor(), clHighlight);
  EXPECT_EQ(font.GetHeight(), -467);
  EXPECT_EQ(font.GetSize(), 350);
  EXPECT_EQ(font.GetName(), u"DejaVu Sans");
  EXPECT_EQ(font.GetStyle(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(font.GetPitch(), fpVariable);
  EXPECT_EQ(holder.GetBrush()->GetStyle(), bsClear);
  EXPECT_EQ(holder.GetPen()->GetMode(), pmXor);
  EXPECT_EQ(holder.GetPen()->GetWidth(), 2);

  const String text = WriteComponentToText(&holder);
  for (const char16_t* line : {u"Font.Charset = ANSI_CHARSET", u"Font.Color = clHighlight", u"Font.Height = -467",
                               u"Font.Style = [fsBold, fsItalic]", u"Brush.Style = bsClear", u"Pen.Mode = pmXor"})
    EXPECT_NE(text.find(line), String::npos) << UTF8Encode(line) << "\n" << UTF8Encode(text);
  EXPECT_EQ(text.find(u"Font.Size"), String::npos) << "the height says it";
  EXPECT_EQ(text.find(u"Brush.Color"), String::npos) << "defaults are not written";
}

}  // namespace
