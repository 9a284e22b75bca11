#pragma once
// What the text layout tests share: a surface with DejaVu Sans Mono selected,
// whose one advance and cell height give every expected width and break.

#include <gtest/gtest.h>

#include <string>

#include "graphics/cxDrawTextUtils.h"
#include "platform/DcGuards.h"
#include "tests/platform/GdiTestSurface.h"

inline constexpr DWORD Paper = 0x00FFFFFF;

// A monospaced font of AHeight (GDI's sign rule) selected into a DC while
// alive, with its metrics.
class TMonoFont {
  struct TOwnedFont {
    HFONT Handle;
    ~TOwnedFont() { DeleteObject(Handle); }
  } FFont;
  TSelectedObject FSelected;

 public:
  TMonoFont(HDC ADC, LONG AHeight, LONG AWeight = FW_NORMAL, BYTE ACharSet = DEFAULT_CHARSET)
      : FFont{CreateFontW(AHeight, 0, 0, 0, AWeight, 0, 0, 0, ACharSet, 0, 0, 0, 0, u"DejaVu Sans Mono")},
        FSelected(ADC, FFont.Handle) {
    GetTextMetricsW(ADC, &Metrics);
    SIZE one{};
    GetTextExtentPoint32W(ADC, u"W", 1, &one);
    Advance = one.cx;
  }

  TEXTMETRICW Metrics;
  Integer Advance = 0;
};

class DrawTextFixture : public TGdiLeakCheck {
 protected:
  static constexpr Integer SurfaceWidth = 240, SurfaceHeight = 120;
  TTestSurface Surface{SurfaceWidth, SurfaceHeight, Paper};
  HDC DC = Surface.DC;
  TMonoFont Font{DC, -13};
  const Integer A = Font.Advance;  // one character
  const Integer H = Font.Metrics.tmHeight;  // one row

  // A rectangle at (ALeft, ATop) of AChars characters and ARows rows.
  TRect Box(Integer AChars, Integer ARows, Integer ALeft = 0, Integer ATop = 0) const {
    return {ALeft, ATop, ALeft + AChars * A, ATop + ARows * H};
  }

  TcxTextParams Params(Cardinal AFormat) const {
    TcxTextParams params;
    cxCalcTextParams(DC, AFormat, params);
    return params;
  }

  // The rows of AText made in R, as "text|text", a row's break count after
  // a slash when it has one ("a b/1"); characters beyond ASCII show as '?'.
  std::string RowsOf(const String& AText, const TRect& R, Cardinal AFormat) const {
    const TcxTextParams params = Params(AFormat);
    TcxTextRows rows;
    Integer count = 0;
    cxMakeTextRows(DC, AText.data(), static_cast<Integer>(AText.size()), R, params, rows, count);
    std::string result;
    for (Integer i = 0; i < count; ++i) {
      const TcxTextRow& row = cxGetTextRow(rows, i);
      if (i > 0) result += '|';
      for (Integer c = 0; c < row.TextLength; ++c) result += row.Text[c] < 128 ? static_cast<char>(row.Text[c]) : '?';
      if (row.BreakCount > 0) result += '/' + std::to_string(row.BreakCount);
    }
    return result;
  }
};
