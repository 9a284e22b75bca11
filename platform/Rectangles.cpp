// The rectangle helpers: right and bottom edges are exclusive, and an empty
// rectangle (no width or no height) contains no point.

#include <algorithm>

#include "platform/Windows.h"

BOOL SetRect(RECT* lprc, int xLeft, int yTop, int xRight, int yBottom) {
  if (!lprc) return FALSE;
  *lprc = RECT{xLeft, yTop, xRight, yBottom};
  return TRUE;
}

BOOL SetRectEmpty(RECT* lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(RECT* lprcDst, const RECT* lprcSrc) {
  if (!lprcDst || !lprcSrc) return FALSE;
  *lprcDst = *lprcSrc;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) { return !lprc || lprc->Right <= lprc->Left || lprc->Bottom <= lprc->Top; }

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2) { return lprc1 && lprc2 && *lprc1 == *lprc2; }

BOOL PtInRect(const RECT* lprc, POINT pt) {
  return lprc && pt.X >= lprc->Left && pt.X < lprc->Right && pt.Y >= lprc->Top && pt.Y < lprc->Bottom;
}

BOOL OffsetRect(RECT* lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->Left += dx;
  lprc->Right += dx;
  lprc->Top += dy;
  lprc->Bottom += dy;
  return TRUE;
}

BOOL InflateRect(RECT* lprc, int dx, int dy) {
  if (!lprc) return FALSE;
  lprc->Left -= dx;
  lprc->Right += dx;
  lprc->Top -= dy;
  lprc->Bottom += dy;
  return TRUE;
}

BOOL IntersectRect(RECT* lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const RECT r{std::max(lprcSrc1->Left, lprcSrc2->Left), std::max(lprcSrc1->Top, lprcSrc2->Top),
               std::min(lprcSrc1->Right, lprcSrc2->Right), std::min(lprcSrc1->Bottom, lprcSrc2->Bottom)};
  if (IsRectEmpty(&r)) {
    *lprcDst = RECT{};
    return FALSE;
  }
  *lprcDst = r;
  return TRUE;
}

// An empty rectangle adds nothing.
BOOL UnionRect(RECT* lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
  if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
  const bool empty1 = IsRectEmpty(lprcSrc1), empty2 = IsRectEmpty(lprcSrc2);
  if (empty1 && empty2) {
    *lprcDst = RECT{};
    return FALSE;
  }
  if (empty1) *lprcDst = *lprcSrc2;
  else if (empty2) *lprcDst = *lprcSrc1;
  else
    *lprcDst = RECT{std::min(lprcSrc1->Left, lprcSrc2->Left), std::min(lprcSrc1->Top, lprcSrc2->Top),
                    std::max(lprcSrc1->Right, lprcSrc2->Right), std::max(lprcSrc1->Bottom, lprcSrc2->Bottom)};
  return TRUE;
}
