#pragma once
// Rectangle arithmetic. Right and bottom edges are exclusive.

#include "platform/WinTypes.h"

BOOL SetRect(RECT* lprc, int xLeft, int yTop, int xRight, int yBottom);
BOOL SetRectEmpty(RECT* lprc);
BOOL CopyRect(RECT* lprcDst, const RECT* lprcSrc);
BOOL IsRectEmpty(const RECT* lprc);
BOOL EqualRect(const RECT* lprc1, const RECT* lprc2);
BOOL PtInRect(const RECT* lprc, POINT pt);
BOOL OffsetRect(RECT* lprc, int dx, int dy);
// Grows by dx on the left and right and dy on the top and bottom.
BOOL InflateRect(RECT* lprc, int dx, int dy);
// FALSE, with an empty result, when they do not overlap.
BOOL IntersectRect(RECT* lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
BOOL UnionRect(RECT* lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2);
