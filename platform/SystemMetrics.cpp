// The system's metrics and user settings: one fixed table, a 1920 × 1080
// screen at 96 dpi with a 40-pixel task bar at the bottom, in the sizes of a
// current desktop. Settings can change (SystemParametersInfoW); metrics cannot.

#include <algorithm>
#include <iterator>

#include "platform/SystemChanges.h"
#include "platform/WindowObjects.h"

namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
constexpr int TaskBarHeight = 40;
constexpr int Caption = 23;
constexpr int SizingFrame = 8;

struct TMetric {
  int Index;
  int Value;
};

constexpr TMetric Metrics[] = {
    {SM_CXSCREEN, ScreenWidth},
    {SM_CYSCREEN, ScreenHeight},
    // Scroll bars, their arrows and thumbs: 17 pixels.
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYVSCROLL, 17},
    {SM_CXHSCROLL, 17},
    {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},
    {SM_CYCAPTION, Caption},
    {SM_CYSMCAPTION, 18},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CXFRAME, SizingFrame},
    {SM_CYFRAME, SizingFrame},
    {SM_CXPADDEDBORDER, 0},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXFOCUSBORDER, 1},
    {SM_CYFOCUSBORDER, 1},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CXICONSPACING, 75},
    {SM_CYICONSPACING, 75},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 20},
    {SM_CXMENUSIZE, 19},
    {SM_CYMENUSIZE, 19},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
    {SM_MENUDROPALIGNMENT, 0},
    {SM_CXSIZE, 36},
    {SM_CYSIZE, 22},
    {SM_CXFULLSCREEN, ScreenWidth},
    {SM_CYFULLSCREEN, ScreenHeight - TaskBarHeight - Caption},
    {SM_CXMIN, 136},
    {SM_CYMIN, 39},
    {SM_CXMINTRACK, 136},
    {SM_CYMINTRACK, 39},
    {SM_CXMAXTRACK, ScreenWidth + 2 * SizingFrame},
    {SM_CYMAXTRACK, ScreenHeight + 2 * SizingFrame},
    {SM_CXMAXIMIZED, ScreenWidth + 2 * SizingFrame},
    {SM_CYMAXIMIZED, ScreenHeight - TaskBarHeight + 2 * SizingFrame},
    {SM_CXMINIMIZED, 160},
    {SM_CYMINIMIZED, 28},
    // Mouse: a wheel and three buttons; the double-click and the drag
    // rectangles 4 pixels a side.
    {SM_MOUSEPRESENT, 1},
    {SM_MOUSEWHEELPRESENT, 1},
    {SM_CMOUSEBUTTONS, 3},
    {SM_SWAPBUTTON, 0},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    // One monitor; no far-east or right-to-left input.
    {SM_XVIRTUALSCREEN, 0},
    {SM_YVIRTUALSCREEN, 0},
    {SM_CXVIRTUALSCREEN, ScreenWidth},
    {SM_CYVIRTUALSCREEN, ScreenHeight},
    {SM_CMONITORS, 1},
    {SM_SAMEDISPLAYFORMAT, 1},
    {SM_DBCSENABLED, 0},
    {SM_IMMENABLED, 0},
    {SM_MIDEASTENABLED, 0},
    {SM_CYKANJIWINDOW, 0},
    {SM_DEBUG, 0},
    {SM_REMOTESESSION, 0},
};

// Flags set through pvParam: the visual effects, 0x1000 and up.
struct TFlag {
  UINT Get;
  UINT Set;
  BOOL Default;
  BOOL Value;
};

TFlag Flags[] = {
    {SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, TRUE, TRUE},
    {SPI_GETMENUFADE, SPI_SETMENUFADE, TRUE, TRUE},
    {SPI_GETCOMBOBOXANIMATION, SPI_SETCOMBOBOXANIMATION, TRUE, TRUE},
    {SPI_GETTOOLTIPANIMATION, SPI_SETTOOLTIPANIMATION, TRUE, TRUE},
    {SPI_GETGRADIENTCAPTIONS, SPI_SETGRADIENTCAPTIONS, TRUE, TRUE},
    {SPI_GETFLATMENU, SPI_SETFLATMENU, TRUE, TRUE},
    {SPI_GETCLIENTAREAANIMATION, SPI_SETCLIENTAREAANIMATION, TRUE, TRUE},
    // Accelerator underlines show only once the keyboard is used.
    {SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, FALSE, FALSE},
};

// Values set through uiParam.
struct TNumber {
  UINT Get;
  UINT Set;
  UINT Default;
  UINT Value;
};

TNumber Numbers[] = {
    {SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES, 3, 3},
    {SPI_GETWHEELSCROLLCHARS, SPI_SETWHEELSCROLLCHARS, 3, 3},
    {SPI_GETMOUSEHOVERTIME, SPI_SETMOUSEHOVERTIME, 400, 400},
    {SPI_GETMOUSEHOVERWIDTH, SPI_SETMOUSEHOVERWIDTH, 4, 4},
    {SPI_GETMOUSEHOVERHEIGHT, SPI_SETMOUSEHOVERHEIGHT, 4, 4},
    {SPI_GETDRAGFULLWINDOWS, SPI_SETDRAGFULLWINDOWS, TRUE, TRUE},
};

BOOL Changed(UINT action, UINT fWinIni) {
  if (fWinIni & SPIF_SENDCHANGE) AnnounceSettingChange(action, u"");
  return TRUE;
}

}  // namespace

int GetSystemMetrics(int nIndex) {
  auto it = std::find_if(std::begin(Metrics), std::end(Metrics), [&](const TMetric& m) { return m.Index == nIndex; });
  return it == std::end(Metrics) ? 0 : it->Value;
}

BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni) {
  if (uiAction == SPI_GETWORKAREA) {
    if (!pvParam) return FALSE;
    *static_cast<RECT*>(pvParam) = RECT{0, 0, ScreenWidth, ScreenHeight - TaskBarHeight};
    return TRUE;
  }
  for (TFlag& f : Flags) {
    if (uiAction == f.Get) {
      if (!pvParam) return FALSE;
      *static_cast<BOOL*>(pvParam) = f.Value;
      return TRUE;
    }
    if (uiAction == f.Set) {
      f.Value = pvParam ? TRUE : FALSE;
      return Changed(uiAction, fWinIni);
    }
  }
  for (TNumber& n : Numbers) {
    if (uiAction == n.Get) {
      if (!pvParam) return FALSE;
      // The one boolean among them answers as a BOOL.
      if (n.Get == SPI_GETDRAGFULLWINDOWS)
        *static_cast<BOOL*>(pvParam) = n.Value ? TRUE : FALSE;
      else
        *static_cast<UINT*>(pvParam) = n.Value;
      return TRUE;
    }
    if (uiAction == n.Set) {
      n.Value = uiParam;
      return Changed(uiAction, fWinIni);
    }
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

void ResetSystemParameters() {
  for (TFlag& f : Flags) f.Value = f.Default;
  for (TNumber& n : Numbers) n.Value = n.Default;
}
