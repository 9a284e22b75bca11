#include <algorithm>

#include "platform/GdiObjects.h"

namespace {

void FillSolid(HDC hdc, const RECT& r, int sysColor) { FillRect(hdc, &r, GetSysColorBrush(sysColor)); }

// One ring of an edge.
void Ring(HDC hdc, const RECT& r, UINT sides, int topLeft, int bottomRight) {
  if (sides & BF_TOP) FillSolid(hdc, {r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
  if (sides & BF_LEFT) FillSolid(hdc, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
  if (sides & BF_BOTTOM) FillSolid(hdc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
  if (sides & BF_RIGHT) FillSolid(hdc, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

RECT Shrink(RECT r, UINT sides) {
  if (sides & BF_LEFT) ++r.Left;
  if (sides & BF_TOP) ++r.Top;
  if (sides & BF_RIGHT) --r.Right;
  if (sides & BF_BOTTOM) --r.Bottom;
  return r;
}

// A filled triangle pointing in a direction, centred in r.
void Arrow(HDC hdc, const RECT& r, UINT direction, int sysColor, POINT offset) {
  const LONG w = r.Right - r.Left, h = r.Bottom - r.Top;
  const LONG size = std::max<LONG>(1, std::min(w, h) / 4);  // half the base
  const LONG cx = r.Left + w / 2 + offset.X, cy = r.Top + h / 2 + offset.Y;
  for (LONG i = 0; i < size; ++i) {
    RECT line{};
    switch (direction) {
      case DFCS_SCROLLUP: line = {cx - i, cy - size / 2 + i, cx + i + 1, cy - size / 2 + i + 1}; break;
      case DFCS_SCROLLDOWN: line = {cx - i, cy + size / 2 - i, cx + i + 1, cy + size / 2 - i + 1}; break;
      case DFCS_SCROLLLEFT: line = {cx - size / 2 + i, cy - i, cx - size / 2 + i + 1, cy + i + 1}; break;
      default: line = {cx + size / 2 - i, cy - i, cx + size / 2 - i + 1, cy + i + 1}; break;
    }
    FillSolid(hdc, line, sysColor);
  }
}

void ButtonFace(HDC hdc, RECT r, UINT state) {
  if (state & DFCS_FLAT) {
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    r = Shrink(r, BF_RECT);
  } else {
    DrawEdge(hdc, &r, state & DFCS_PUSHED ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  }
  FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags) {
  if (!DCLookup(hdc) || !qrc) return FALSE;
  RECT r = *qrc;
  const UINT sides = grfFlags & BF_RECT;
  const bool flat = grfFlags & (BF_FLAT | BF_MONO);
  if (flat) {
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
      Ring(hdc, r, sides, grfFlags & BF_MONO ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW,
           grfFlags & BF_MONO ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
      r = Shrink(r, sides);
    }
  } else {
    if (edge & BDR_RAISEDOUTER) Ring(hdc, r, sides, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    else if (edge & BDR_SUNKENOUTER) Ring(hdc, r, sides, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) r = Shrink(r, sides);
    if (edge & BDR_RAISEDINNER) Ring(hdc, r, sides, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    else if (edge & BDR_SUNKENINNER) Ring(hdc, r, sides, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) r = Shrink(r, sides);
  }
  if (grfFlags & BF_MIDDLE) FillSolid(hdc, r, COLOR_BTNFACE);
  if (grfFlags & BF_ADJUST) *qrc = r;
  return TRUE;
}

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState) {
  if (!DCLookup(hdc) || !lprc) return FALSE;
  const RECT r = *lprc;
  if (uType == DFC_BUTTON) {
    if ((uState & 0x1F) != DFCS_BUTTONPUSH) return FALSE;
    ButtonFace(hdc, r, uState);
    return TRUE;
  }
  if (uType != DFC_SCROLL) return FALSE;
  const UINT kind = uState & 0x1F;
  if (kind == DFCS_SCROLLSIZEGRIP) {
    FillSolid(hdc, r, COLOR_BTNFACE);
    // Three pairs of diagonal strokes in the bottom-right corner.
    const LONG size = std::min(r.Right - r.Left, r.Bottom - r.Top);
    for (LONG k = 2; k < size; k += 4)
      for (LONG i = 0; i < k && i < size; ++i) {
        FillSolid(hdc, {r.Right - k + i, r.Bottom - 1 - i, r.Right - k + i + 1, r.Bottom - i}, COLOR_BTNHIGHLIGHT);
        FillSolid(hdc, {r.Right - k + i + 1, r.Bottom - 1 - i, r.Right - k + i + 2, r.Bottom - i}, COLOR_BTNSHADOW);
      }
    return TRUE;
  }
  if (kind > DFCS_SCROLLRIGHT) return FALSE;
  ButtonFace(hdc, r, uState);
  // Pushed glyphs move down and right by a pixel.
  const POINT offset = uState & DFCS_PUSHED ? POINT{1, 1} : POINT{0, 0};
  if (uState & DFCS_INACTIVE) {
    Arrow(hdc, r, kind, COLOR_BTNHIGHLIGHT, {offset.X + 1, offset.Y + 1});
    Arrow(hdc, r, kind, COLOR_BTNSHADOW, offset);
  } else {
    Arrow(hdc, r, kind, COLOR_BTNTEXT, offset);
  }
  return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return RoundRect(hdc, left, top, right, bottom, std::abs(right - left), std::abs(bottom - top));
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  HRGN outer = CreateRoundRectRgn(left, top, right, bottom, width, height);
  const auto* pen = GdiLookupAs<TPenObject>(dc->State.Pen, OBJ_PEN);
  const bool outline = pen && pen->Description.lopnStyle != PS_NULL;
  if (outline) {
    // The edge is what a one-pixel-smaller shape leaves of the whole one.
    HRGN inner = CreateRoundRectRgn(left + 1, top + 1, right - 1, bottom - 1, std::max(width - 2, 0),
                                    std::max(height - 2, 0));
    FillRgn(hdc, inner, dc->State.Brush);
    CombineRgn(outer, outer, inner, RGN_DIFF);
    HBRUSH penBrush = CreateSolidBrush(pen->IsDCPen ? dc->State.DCPenColor : pen->Description.lopnColor);
    FillRgn(hdc, outer, penBrush);
    DeleteObject(penBrush);
    DeleteObject(inner);
  } else {
    FillRgn(hdc, outer, dc->State.Brush);
  }
  DeleteObject(outer);
  return TRUE;
}
