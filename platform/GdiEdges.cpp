// Three-dimensional edges: rings around a rectangle, or diagonal lines.

#include <algorithm>

#include "platform/GdiObjects.h"

int EdgeRings(UINT edge, UINT flags, TEdgeRing rings[2]) {
  int count = 0;
  const bool soft = flags & BF_SOFT;
  if (flags & BF_MONO) {
    if (edge & BDR_OUTER) rings[count++] = {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  } else if (flags & BF_FLAT) {
    if (edge & BDR_OUTER) rings[count++] = {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
    if (edge & BDR_INNER) rings[count++] = {COLOR_BTNFACE, COLOR_BTNFACE};
  } else {
    // Soft edges take the stronger colour outside on the top and left.
    if (edge & BDR_RAISEDOUTER) rings[count++] = {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    else if (edge & BDR_SUNKENOUTER) rings[count++] = {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    if (edge & BDR_RAISEDINNER) rings[count++] = {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    else if (edge & BDR_SUNKENINNER) rings[count++] = {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
  }
  return count;
}

namespace {

void FillSolid(HDC hdc, const RECT& r, int sysColor) { FillRect(hdc, &r, GetSysColorBrush(sysColor)); }

// One ring around r: the right and bottom sides own the corners they share
// with the top and left ones.
void DrawRing(HDC hdc, const RECT& r, UINT sides, const TEdgeRing& ring) {
  const LONG topEnd = sides & BF_RIGHT ? r.Right - 1 : r.Right;
  const LONG leftEnd = sides & BF_BOTTOM ? r.Bottom - 1 : r.Bottom;
  if (sides & BF_TOP) FillSolid(hdc, {r.Left, r.Top, topEnd, r.Top + 1}, ring.TopLeft);
  if (sides & BF_LEFT) FillSolid(hdc, {r.Left, r.Top, r.Left + 1, leftEnd}, ring.TopLeft);
  if (sides & BF_BOTTOM) FillSolid(hdc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, ring.BottomRight);
  if (sides & BF_RIGHT) FillSolid(hdc, {r.Right - 1, r.Top, r.Right, r.Bottom}, ring.BottomRight);
}

RECT Shrink(RECT r, UINT sides) {
  if (sides & BF_LEFT) ++r.Left;
  if (sides & BF_TOP) ++r.Top;
  if (sides & BF_RIGHT) --r.Right;
  if (sides & BF_BOTTOM) --r.Bottom;
  return r;
}

// 45-degree lines from the corner opposite the end the flags name: ring k
// is the outer line moved k pixels sideways, towards the end corner's side.
void DrawDiagonal(HDC hdc, const RECT& r, UINT flags, const TEdgeRing* rings, int count) {
  const LONG size = std::min(r.Right - r.Left, r.Bottom - r.Top);
  if (size <= 0) return;
  const bool endTop = flags & BF_TOP, endRight = flags & BF_RIGHT;
  const LONG dx = endRight ? 1 : -1, dy = endTop ? -1 : 1;
  const LONG x0 = endRight ? r.Left : r.Right - 1, y0 = endTop ? r.Bottom - 1 : r.Top;
  const LONG width = r.Right - r.Left;
  for (int k = 0; k < count; ++k) {
    const int color = endTop ? rings[k].TopLeft : rings[k].BottomRight;
    for (LONG i = 0; i < size && i + k < width; ++i) {
      const LONG x = x0 + dx * (i + k), y = y0 + dy * i;
      FillSolid(hdc, {x, y, x + 1, y + 1}, color);
    }
  }
  if (!(flags & BF_MIDDLE)) return;
  // The face: each row of the square beyond the last line, to the side.
  for (LONG i = 0; i < size; ++i) {
    const LONG from = x0 + dx * (i + count), y = y0 + dy * i;
    const RECT row = endRight ? RECT{from, y, r.Right, y + 1} : RECT{r.Left, y, from + 1, y + 1};
    if (row.Left < row.Right) FillSolid(hdc, row, COLOR_BTNFACE);
  }
}

}  // namespace

BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags) {
  if (!DCLookup(hdc) || !qrc) return FALSE;
  const UINT sides = grfFlags & BF_RECT;
  TEdgeRing rings[2];
  const int count = EdgeRings(edge, grfFlags, rings);
  RECT inside = *qrc;
  if (grfFlags & BF_DIAGONAL) {
    DrawDiagonal(hdc, inside, grfFlags, rings, count);
    for (int k = 0; k < count; ++k) inside = Shrink(inside, sides);
  } else {
    for (int k = 0; k < count; ++k) {
      DrawRing(hdc, inside, sides, rings[k]);
      inside = Shrink(inside, sides);
    }
    if (grfFlags & BF_MIDDLE) FillSolid(hdc, inside, COLOR_BTNFACE);
  }
  if (grfFlags & BF_ADJUST) *qrc = inside;
  return TRUE;
}
