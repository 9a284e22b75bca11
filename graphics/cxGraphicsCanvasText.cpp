// Text on the canvas of cxGraphics: the fast path straight to ExtTextOutW,
// the general one through DrawTextW (turned through a bitmap when rotated),
// disabled text, measuring and placing, and the font's angle.
#include <algorithm>

#include "graphics/GdiScopes.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "platform/ScopeExit.h"

bool dxUseAntialiasingForRotatedText = true;

namespace {

// A bitmap turned back by this is upright.
constexpr TcxRotationAngle OppositeAngle[] = {ra0, raMinus90, raPlus90, ra180};

// Where single-line text of AExtent lands in R by the flags: right, centred
// or left; bottom, centred or top. A disabled text's shadow takes a pixel
// more (ADisabledShift).
TRect AlignedTextRect(TRect R, Integer Flags, const TSize& AExtent, Integer ADisabledShift) {
  if (AExtent.cx < cxRectWidth(R)) {
    if (Flags & cxAlignRight) R.Left = R.Right - AExtent.cx - ADisabledShift;
    else if (Flags & cxAlignHCenter) R.Left = (R.Left + R.Right - AExtent.cx) / 2;
  }
  if (AExtent.cy < cxRectHeight(R)) {
    if (Flags & cxAlignBottom) R.Top = R.Bottom - AExtent.cy - ADisabledShift;
    else if (Flags & cxAlignVCenter) R.Top = (R.Top + R.Bottom - AExtent.cy) / 2;
  }
  return R;
}

}  // namespace

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, Integer Flags, bool AEnabled) {
  DrawTexT(Text, R, Flags, AEnabled, ra0);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, Integer Flags, bool AEnabled,
                         TcxRotationAngle ARotationAngle) {
  if (Text.empty()) return;
  const TSize extent = TextExtent(Text);
  if (extent.cx <= cxRectWidth(R) && extent.cy <= cxRectHeight(R)) Flags |= cxDontClip;
  const bool general = !(Flags & cxSingleLine) || ARotationAngle != ra0 ||
                       (Flags & (cxShowPrefix | cxShowEndEllipsis | cxShowPathEllipsis));
  const Integer disabledShift = AEnabled ? 0 : 1;
  TRect r = R;
  if (!general) {
    r = AlignedTextRect(R, Flags, extent, disabledShift);
  } else if (ARotationAngle != ra0 && !(Flags & cxSingleLine) && (Flags & (cxAlignBottom | cxAlignVCenter))) {
    AlignMultiLineTextRectVertically(r, Text, (Flags & cxAlignBottom) ? vaBottom : vaCenter, Flags & cxWordBreak,
                                     Flags & cxShowPrefix, AEnabled, Flags & cxDontBreakChars,
                                     Flags & cxShowEndEllipsis);
  }
  const UINT format = cxFlagsToDTFlags(Flags);
  const UINT options = (Flags & cxDontClip) ? 0 : ETO_CLIPPED;
  const auto draw = [&](const TRect& AAt) {
    if (general) {
      cxDrawText(this, Text, AAt, format, GetFont()->GetColor(), ARotationAngle);
    } else {
      FCanvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
      cxExtTextOut(GetHandle(), Text, cxPoint(AAt.Left, AAt.Top), AAt, options);
    }
  };
  if (AEnabled) return draw(r);
  const TBrushStyle brushStyle = GetBrush()->GetStyle();
  const TColor fontColor = GetFont()->GetColor();
  TScopeExit restore([&] {
    GetBrush()->SetStyle(brushStyle);
    GetFont()->SetColor(fontColor);
  });
  GetBrush()->SetStyle(bsClear);
  GetFont()->SetColor(clBtnHighlight);
  draw(cxRectOffset(r, 1, 1));
  GetFont()->SetColor(clBtnShadow);
  draw(r);
}

void TcxCanvas::DrawTexT(const String& Text, const TRect& R, TAlignment AAlignmentHorz,
                         TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis) {
  const Integer flags = cxAlignmentsHorz[AAlignmentHorz] | cxAlignmentsVert[AAlignmentVert] |
                        (AMultiLine ? cxWordBreak : cxSingleLine) | (AShowEndEllipsis ? cxShowEndEllipsis : 0);
  DrawTexT(Text, R, flags, true);
}

void TcxCanvas::TextExtent(const String& Text, TRect& R, Integer Flags) {
  if (cxRectWidth(R) <= 0 && !Text.empty()) R.Right = R.Left + 1;
  const UINT format = cxFlagsToDTFlags(Flags);
  TRect extent = R;
  FCanvas->RequiredState({csHandleValid, csFontValid});
  if (!DrawTextW(GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &extent, (format & ~DT_CENTER) | DT_CALCRECT))
    extent = cxRect(R.Left, R.Top, R.Left, R.Top);
  const Integer spareX = cxRectWidth(R) - cxRectWidth(extent), spareY = cxRectHeight(R) - cxRectHeight(extent);
  const Integer dx = (format & DT_CENTER) ? spareX / 2 : (format & DT_RIGHT) ? spareX : 0;
  const Integer dy = (format & DT_VCENTER) ? spareY / 2 : (format & DT_BOTTOM) ? spareY : 0;
  R = cxRectOffset(extent, dx, dy);
}

Integer TcxCanvas::FontHeight(TFont* AFont) { return cxTextHeight(AFont); }

void TcxCanvas::AlignMultiLineTextRectVertically(TRect& R, const String& Text, TcxAlignmentVert AAlignmentVert,
                                                 bool AWordBreak, bool AShowPrefix, bool AEnabled,
                                                 bool ADontBreakChars, bool AEndEllipsis) {
  if (AAlignmentVert != vaBottom && AAlignmentVert != vaCenter) return;
  const Integer disabledShift = AEnabled ? 0 : 1;
  Integer height;
  if (AEndEllipsis && AWordBreak) {
    // The ellipsis ends the last line that fits whole.
    const Integer line = std::max(TextHeight(u"Zq"), 1);
    height = std::max((cxRectHeight(R) - disabledShift) / line, 1) * line;
  } else {
    const Integer flags = cxAlignLeft | cxAlignTop | (AWordBreak ? cxWordBreak : 0) |
                          (AShowPrefix ? cxShowPrefix : 0) | (ADontBreakChars ? cxDontBreakChars : 0);
    TRect text = cxRectInflate(R, 0, 0, -disabledShift, 0);
    TextExtent(Text, text, flags);
    height = cxRectHeight(text);
  }
  if (AAlignmentVert == vaBottom) R.Top = R.Bottom - disabledShift - height;
  else R.Top = (R.Top + R.Bottom - height) / 2;
}

void TcxCanvas::SetFontAngle(Integer AAngle) {
  LOGFONTW description;
  if (GetObjectW(GetFont()->GetHandle(), sizeof description, &description) != static_cast<int>(sizeof description))
    return;
  description.lfEscapement = AAngle * 10;
  if (AAngle != 0) description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  TOwnedGdiObject<HFONT> font(CreateFontIndirectW(&description));
  GetFont()->SetHandle(font);
}

void cxDrawText(TcxCanvas* ACanvas, const String& AText, TRect ARect, UINT AFormat, TColor AColor,
                TcxRotationAngle ARotationAngle) {
  if (ARotationAngle == ra0) {
    ACanvas->GetCanvas()->RequiredState({csHandleValid, csFontValid});
    cxDrawText(ACanvas->GetHandle(), AText, ARect, AFormat, TRANSPARENT, AColor);
    return;
  }
  // The area turned upright, the text drawn on it, and the area turned back.
  TcxBitmap bitmap(ARect, pf32bit);
  cxBitBlt(CanvasDC(&bitmap), ACanvas->GetHandle(), bitmap.GetClientRect(), cxPoint(ARect.Left, ARect.Top), SRCCOPY);
  bitmap.Rotate(OppositeAngle[ARotationAngle]);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetFont()->Assign(ACanvas->GetFont());
  if (!dxUseAntialiasingForRotatedText) dxSetFontAsNonAntialiased(canvas->GetFont());
  canvas->RequiredState({csHandleValid, csFontValid});
  TRect upright = bitmap.GetClientRect();
  cxDrawText(canvas->GetHandle(), AText, upright, AFormat, TRANSPARENT, AColor);
  bitmap.Rotate(ARotationAngle);
  cxBitBlt(ACanvas->GetHandle(), CanvasDC(&bitmap), ARect, cxNullPoint, SRCCOPY);
}
