// Pens: a width, a dash style and a brush (or colour) to draw outlines with.
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

// World, display and pixel units all measure world units here.
GpStatus CheckPenUnit(GpUnit unit) {
  if (unit == UnitWorld || unit == UnitDisplay || unit == UnitPixel) return Ok;
  return unit >= UnitPoint && unit <= UnitMillimeter ? NotImplemented : InvalidParameter;
}

bool ValidWidth(REAL width) { return std::isfinite(width) && width >= 0; }

std::unique_ptr<GpBrush> SolidBrush(ARGB color) {
  auto brush = std::make_unique<GpSolidFill>();
  brush->Color = color;
  return brush;
}

GpStatus CreatePen(std::unique_ptr<GpBrush> brush, REAL width, GpUnit unit, GpPen** pen) {
  if (!pen || !ValidWidth(width)) return InvalidParameter;
  if (const GpStatus s = CheckPenUnit(unit); s != Ok) return s;
  auto p = std::make_unique<GpPen>();
  p->Width = width;
  p->Brush = std::move(brush);
  *pen = AddObject(std::move(p));
  return Ok;
}

}  // namespace

void GpPen::Apply(cairo_t* cr) const {
  double width = Width;
  if (width <= 0) {
    // The thinnest line: one device pixel, whatever the transform.
    double dx = 1, dy = 0;
    cairo_device_to_user_distance(cr, &dx, &dy);
    width = std::hypot(dx, dy);
  }
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_set_miter_limit(cr, 10);
  static const double Patterns[][6] = {{3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
  static const int Lengths[] = {2, 2, 4, 6};
  if (Dash == DashStyleSolid) {
    cairo_set_dash(cr, nullptr, 0, 0);
    return;
  }
  const int style = Dash - DashStyleDash;
  double dashes[6];
  for (int i = 0; i < Lengths[style]; ++i) dashes[i] = Patterns[style][i] * width;
  cairo_set_dash(cr, dashes, Lengths[style], 0);
}

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return CreatePen(SolidBrush(color), width, unit, pen);
}

GpStatus GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBrush* b = LookupObject<GpBrush>(brush);
  if (!b) return InvalidParameter;
  return CreatePen(b->Clone(), width, unit, pen);
}

GpStatus GdipClonePen(GpPen* pen, GpPen** clonepen) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPen* p = LookupObject<GpPen>(pen);
  if (!p || !clonepen) return InvalidParameter;
  auto copy = std::make_unique<GpPen>();
  copy->Width = p->Width;
  copy->Dash = p->Dash;
  copy->Brush = p->Brush->Clone();
  *clonepen = AddObject(std::move(copy));
  return Ok;
}

GpStatus GdipDeletePen(GpPen* pen) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPen* p = LookupObject<GpPen>(pen);
  if (!p) return InvalidParameter;
  RemoveObject(p);
  return Ok;
}

GpStatus GdipSetPenWidth(GpPen* pen, REAL width) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPen* p = LookupObject<GpPen>(pen);
  if (!p || !ValidWidth(width)) return InvalidParameter;
  p->Width = width;
  return Ok;
}

GpStatus GdipGetPenWidth(GpPen* pen, REAL* width) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPen* p = LookupObject<GpPen>(pen);
  if (!p || !width) return InvalidParameter;
  *width = p->Width;
  return Ok;
}

GpStatus GdipSetPenColor(GpPen* pen, ARGB argb) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPen* p = LookupObject<GpPen>(pen);
  if (!p) return InvalidParameter;
  p->Brush = SolidBrush(argb);
  return Ok;
}

GpStatus GdipSetPenBrushFill(GpPen* pen, GpBrush* brush) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPen* p = LookupObject<GpPen>(pen);
  const GpBrush* b = LookupObject<GpBrush>(brush);
  if (!p || !b) return InvalidParameter;
  p->Brush = b->Clone();
  return Ok;
}

GpStatus GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashstyle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpPen* p = LookupObject<GpPen>(pen);
  if (!p || dashstyle < DashStyleSolid || dashstyle > DashStyleCustom) return InvalidParameter;
  if (dashstyle == DashStyleCustom) return NotImplemented;
  p->Dash = dashstyle;
  return Ok;
}

GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashstyle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPen* p = LookupObject<GpPen>(pen);
  if (!p || !dashstyle) return InvalidParameter;
  *dashstyle = p->Dash;
  return Ok;
}

}  // namespace Gdiplus
