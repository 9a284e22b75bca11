// Frame controls in the classic look, and ellipses and rounded rectangles.

#include <algorithm>

#include "platform/GdiObjects.h"

namespace {

void FillSolid(HDC hdc, const RECT& r, int sysColor) { FillRect(hdc, &r, GetSysColorBrush(sysColor)); }

void Dot(HDC hdc, LONG x, LONG y, int sysColor) { FillSolid(hdc, {x, y, x + 1, y + 1}, sysColor); }

void FillRegion(HDC hdc, HRGN region, int sysColor) { FillRgn(hdc, region, GetSysColorBrush(sysColor)); }

// The edge flags a state asks for.
UINT EdgeFlagsOf(UINT state) { return (state & DFCS_FLAT ? BF_FLAT : 0) | (state & DFCS_MONO ? BF_MONO : 0); }

// Push and scroll buttons: the soft raised edge, sunken when pushed.
void ButtonFace(HDC hdc, RECT r, UINT state) {
  const UINT edge = state & DFCS_PUSHED ? EDGE_SUNKEN : EDGE_RAISED;
  DrawEdge(hdc, &r, edge, BF_RECT | BF_SOFT | BF_MIDDLE | EdgeFlagsOf(state));
}

// A filled triangle pointing in a direction, centred in r. Its depth
// rows (or columns) are the same whichever way it points.
void Arrow(HDC hdc, const RECT& r, UINT direction, int sysColor, POINT offset) {
  const LONG w = r.Right - r.Left, h = r.Bottom - r.Top;
  const LONG depth = std::max<LONG>(1, std::min(w, h) / 4);  // also half the base
  const LONG cx = r.Left + w / 2 + offset.X, cy = r.Top + h / 2 + offset.Y;
  const bool vertical = direction == DFCS_SCROLLUP || direction == DFCS_SCROLLDOWN;
  const LONG first = (vertical ? cy : cx) - (depth - 1) / 2, last = first + depth - 1;
  for (LONG i = 0; i < depth; ++i) {  // i: rows from the point
    RECT line{};
    switch (direction) {
      case DFCS_SCROLLUP: line = {cx - i, first + i, cx + i + 1, first + i + 1}; break;
      case DFCS_SCROLLDOWN: line = {cx - i, last - i, cx + i + 1, last - i + 1}; break;
      case DFCS_SCROLLLEFT: line = {first + i, cy - i, first + i + 1, cy + i + 1}; break;
      default: line = {last - i, cy - i, last - i + 1, cy + i + 1}; break;
    }
    FillSolid(hdc, line, sysColor);
  }
}

void ScrollButton(HDC hdc, const RECT& r, UINT kind, UINT state) {
  ButtonFace(hdc, r, state);
  // Pushed glyphs move down and right by a pixel.
  const POINT offset = state & DFCS_PUSHED ? POINT{1, 1} : POINT{0, 0};
  if (state & DFCS_INACTIVE) {
    Arrow(hdc, r, kind, COLOR_BTNHIGHLIGHT, {offset.X + 1, offset.Y + 1});
    Arrow(hdc, r, kind, COLOR_BTNSHADOW, offset);
  } else {
    Arrow(hdc, r, kind, COLOR_BTNTEXT, offset);
  }
}

// Diagonal d holds the pixels whose distances from the right and the bottom
// add up to d; each pair is a shadow diagonal and a highlight one outside it.
void SizeGrip(HDC hdc, const RECT& r) {
  FillSolid(hdc, r, COLOR_BTNFACE);
  for (LONG pair = 0; pair < 3; ++pair)
    for (LONG line = 0; line < 2; ++line) {
      const LONG d = 4 * pair + line;
      for (LONG j = 0; j <= d; ++j) {
        const LONG x = r.Right - 1 - j, y = r.Bottom - 1 - (d - j);
        if (x >= r.Left && y >= r.Top) Dot(hdc, x, y, line == 0 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
      }
    }
}

// The largest square centred in r.
RECT CentredSquare(const RECT& r) {
  const LONG w = r.Right - r.Left, h = r.Bottom - r.Top, size = std::min(w, h);
  const LONG x = r.Left + (w - size) / 2, y = r.Top + (h - size) / 2;
  return {x, y, x + size, y + size};
}

// The check mark, seven pixels square: row by row, bit 6 the left column.
constexpr BYTE CheckMark[7] = {0x01, 0x03, 0x47, 0x6E, 0x7C, 0x38, 0x10};

void CheckBox(HDC hdc, const RECT& r, UINT state) {
  const RECT box = CentredSquare(r);
  const bool indeterminate = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
  const bool grey = (state & (DFCS_PUSHED | DFCS_INACTIVE)) || indeterminate;
  RECT inside = box;
  DrawEdge(hdc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST | EdgeFlagsOf(state));
  FillSolid(hdc, inside, grey ? COLOR_BTNFACE : COLOR_WINDOW);
  if (!(state & DFCS_CHECKED)) return;
  // The mark, scaled to the box, keeps a pixel from the two-pixel edge.
  const LONG size = box.Right - box.Left - 6;
  const int color = (state & DFCS_INACTIVE) || indeterminate ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT;
  for (LONG y = 0; y < size; ++y)
    for (LONG x = 0; x < size; ++x)
      if (CheckMark[y * 7 / size] >> (6 - x * 7 / size) & 1) Dot(hdc, box.Left + 3 + x, box.Top + 3 + y, color);
}

// A disc filling the square of the size at (x, y).
HRGN Disc(LONG x, LONG y, LONG size) {
  // Elliptic regions stop a pixel short of their box.
  return size > 0 ? CreateEllipticRgn(x, y, x + size + 1, y + size + 1) : CreateRectRgn(0, 0, 0, 0);
}

// Rings of the sunken edge, each split along the diagonal from the
// bottom-left to the top-right corner, which takes the bottom-right colour.
void RadioButton(HDC hdc, const RECT& r, UINT state) {
  const RECT box = CentredSquare(r);
  const LONG size = box.Right - box.Left;
  if (size <= 0) return;
  if ((state & 0x1F) == DFCS_BUTTONRADIOMASK) {
    FillRect(hdc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HRGN disc = Disc(box.Left, box.Top, size);
    FillRgn(hdc, disc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DeleteObject(disc);
    return;
  }
  TEdgeRing rings[2];
  const int count = EdgeRings(EDGE_SUNKEN, EdgeFlagsOf(state), rings);
  const POINT corners[3] = {{box.Left, box.Top}, {box.Left + size - 1, box.Top}, {box.Left, box.Top + size - 1}};
  HRGN upperLeft = CreatePolygonRgn(corners, 3, ALTERNATE);
  HRGN ring = CreateRectRgn(0, 0, 0, 0), half = CreateRectRgn(0, 0, 0, 0);
  for (int k = 0; k < count; ++k) {
    HRGN outer = Disc(box.Left + k, box.Top + k, size - 2 * k);
    HRGN inner = Disc(box.Left + k + 1, box.Top + k + 1, size - 2 * k - 2);
    CombineRgn(ring, outer, inner, RGN_DIFF);
    CombineRgn(half, ring, upperLeft, RGN_AND);
    FillRegion(hdc, half, rings[k].TopLeft);
    CombineRgn(half, ring, upperLeft, RGN_DIFF);
    FillRegion(hdc, half, rings[k].BottomRight);
    DeleteObject(outer);
    DeleteObject(inner);
  }
  const bool grey = state & (DFCS_PUSHED | DFCS_INACTIVE);
  HRGN inside = Disc(box.Left + count, box.Top + count, size - 2 * count);
  FillRegion(hdc, inside, grey ? COLOR_BTNFACE : COLOR_WINDOW);
  if (state & DFCS_CHECKED) {
    const LONG dot = size / 3, at = (size - dot) / 2;
    HRGN mark = Disc(box.Left + at, box.Top + at, dot);
    FillRegion(hdc, mark, state & DFCS_INACTIVE ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    DeleteObject(mark);
  }
  for (HRGN region : {upperLeft, ring, half, inside}) DeleteObject(region);
}

bool Button(HDC hdc, const RECT& r, UINT state) {
  switch (state & 0x1F) {
    case DFCS_BUTTONPUSH: ButtonFace(hdc, r, state); return true;
    case DFCS_BUTTONCHECK:
    case DFCS_BUTTON3STATE: CheckBox(hdc, r, state); return true;
    case DFCS_BUTTONRADIO:
    case DFCS_BUTTONRADIOIMAGE:
    case DFCS_BUTTONRADIOMASK: RadioButton(hdc, r, state); return true;
    default: return false;
  }
}

bool Scroll(HDC hdc, const RECT& r, UINT state) {
  const UINT kind = state & 0x1F;
  if (kind == DFCS_SCROLLSIZEGRIP) SizeGrip(hdc, r);
  else if (kind <= DFCS_SCROLLRIGHT) ScrollButton(hdc, r, kind, state);
  else return false;
  return true;
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState) {
  if (!DCLookup(hdc) || !lprc) return FALSE;
  switch (uType) {
    case DFC_BUTTON: return Button(hdc, *lprc, uState) ? TRUE : FALSE;
    case DFC_SCROLL: return Scroll(hdc, *lprc, uState) ? TRUE : FALSE;
    default: return FALSE;
  }
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return RoundRect(hdc, left, top, right, bottom, std::abs(right - left), std::abs(bottom - top));
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (RecordingPath(dc)) {
    PathAddRoundRect(dc, left, top, right, bottom, width, height);
    return TRUE;
  }
  // Rounded regions stop a pixel short of their box; the shape covers it.
  HRGN outer = CreateRoundRectRgn(left, top, right + 1, bottom + 1, width, height);
  const auto* pen = GdiLookupAs<TPenObject>(dc->State.Pen, OBJ_PEN);
  const bool outline = pen && pen->Description.lopnStyle != PS_NULL;
  if (outline) {
    // The edge is what a one-pixel-smaller shape leaves of the whole one.
    HRGN inner = CreateRoundRectRgn(left + 1, top + 1, right, bottom, std::max(width - 2, 0), std::max(height - 2, 0));
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
