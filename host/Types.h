#pragma once
// Geometry records; they are the platform's own, so they pass to it unchanged.

#include "platform/WinTypes.h"

using TPoint = POINT;
using TSize = SIZE;
using TRect = RECT;

constexpr TPoint Point(LONG X, LONG Y) { return {X, Y}; }
constexpr TRect Rect(LONG Left, LONG Top, LONG Right, LONG Bottom) { return {Left, Top, Right, Bottom}; }
constexpr TRect Bounds(LONG Left, LONG Top, LONG Width, LONG Height) {
  return {Left, Top, Left + Width, Top + Height};
}
