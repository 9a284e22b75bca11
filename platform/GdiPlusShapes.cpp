// Shapes drawn with pens and filled with brushes: each is a path of its
// own, traced and stroked or filled on the graphics.
#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

GpStatus Stroke(GpGraphics* graphics, GpPen* pen, const GpPath& path) {
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  const GpPen* p = LookupObject<GpPen>(pen);
  if (!p) return InvalidParameter;
  return DrawOn(*g, TPathDrawing(path, nullptr, p, FilterOf(g->State.Interpolation)));
}

GpStatus Fill(GpGraphics* graphics, GpBrush* brush, const GpPath& path) {
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  const GpBrush* b = LookupObject<GpBrush>(brush);
  if (!b) return InvalidParameter;
  return DrawOn(*g, TPathDrawing(path, b, nullptr, FilterOf(g->State.Interpolation)));
}

// The shape build adds, stroked with the pen or filled with the brush;
// InvalidParameter when build refuses the values.
template <typename Build>
GpStatus StrokeShape(GpGraphics* graphics, GpPen* pen, Build build) {
  GpPath path;
  return build(path) ? Stroke(graphics, pen, path) : InvalidParameter;
}

template <typename Build>
GpStatus FillShape(GpGraphics* graphics, GpBrush* brush, Build build) {
  GpPath path;
  return build(path) ? Fill(graphics, brush, path) : InvalidParameter;
}

GpStatus DrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  if (!points || count < 2) return InvalidParameter;
  return StrokeShape(graphics, pen, [&](GpPath& p) { return p.AddLines(points, count); });
}

GpStatus DrawPolygon(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  if (!points || count < 3) return InvalidParameter;
  return StrokeShape(graphics, pen, [&](GpPath& p) { return p.AddPolygon(points, count); });
}

GpStatus FillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count, GpFillMode fillMode) {
  if (!points || count < 3 || !ValidFillMode(fillMode)) return InvalidParameter;
  return FillShape(graphics, brush, [&](GpPath& p) {
    p.FillMode = fillMode;
    return p.AddPolygon(points, count);
  });
}

GpStatus DrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  return StrokeShape(graphics, pen, [&](GpPath& p) { return p.AddRectangle(x, y, width, height); });
}

GpStatus FillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  return FillShape(graphics, brush, [&](GpPath& p) { return p.AddRectangle(x, y, width, height); });
}

GpStatus DrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  return StrokeShape(graphics, pen, [&](GpPath& p) { return p.AddEllipse(x, y, width, height); });
}

GpStatus FillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  return FillShape(graphics, brush, [&](GpPath& p) { return p.AddEllipse(x, y, width, height); });
}

GpStatus DrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                 REAL sweepAngle) {
  return StrokeShape(graphics, pen, [&](GpPath& p) { return p.AddArc(x, y, width, height, startAngle, sweepAngle); });
}

GpStatus DrawPie(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                 REAL sweepAngle) {
  return StrokeShape(graphics, pen, [&](GpPath& p) { return p.AddPie(x, y, width, height, startAngle, sweepAngle); });
}

GpStatus FillPie(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                 REAL sweepAngle) {
  return FillShape(graphics, brush, [&](GpPath& p) { return p.AddPie(x, y, width, height, startAngle, sweepAngle); });
}

}  // namespace

GpStatus GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPointF ends[2] = {{x1, y1}, {x2, y2}};
  return DrawLines(graphics, pen, ends, 2);
}

GpStatus GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPointF ends[2] = {{Real(x1), Real(y1)}, {Real(x2), Real(y2)}};
  return DrawLines(graphics, pen, ends, 2);
}

GpStatus GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawLines(graphics, pen, points, count);
}

GpStatus GdipDrawLinesI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!points) return InvalidParameter;
  return DrawLines(graphics, pen, FloatPoints(points, count).data(), count);
}

GpStatus GdipDrawPolygon(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawPolygon(graphics, pen, points, count);
}

GpStatus GdipDrawPolygonI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!points) return InvalidParameter;
  return DrawPolygon(graphics, pen, FloatPoints(points, count).data(), count);
}

GpStatus GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                         GpFillMode fillMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return FillPolygon(graphics, brush, points, count, fillMode);
}

GpStatus GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                          GpFillMode fillMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!points) return InvalidParameter;
  return FillPolygon(graphics, brush, FloatPoints(points, count).data(), count, fillMode);
}

GpStatus GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawRectangle(graphics, pen, x, y, width, height);
}

GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawRectangle(graphics, pen, Real(x), Real(y), Real(width), Real(height));
}

GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return FillRectangle(graphics, brush, x, y, width, height);
}

GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return FillRectangle(graphics, brush, Real(x), Real(y), Real(width), Real(height));
}

GpStatus GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawEllipse(graphics, pen, x, y, width, height);
}

GpStatus GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawEllipse(graphics, pen, Real(x), Real(y), Real(width), Real(height));
}

GpStatus GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return FillEllipse(graphics, brush, x, y, width, height);
}

GpStatus GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return FillEllipse(graphics, brush, Real(x), Real(y), Real(width), Real(height));
}

GpStatus GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                     REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawArc(graphics, pen, x, y, width, height, startAngle, sweepAngle);
}

GpStatus GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawArc(graphics, pen, Real(x), Real(y), Real(width), Real(height), startAngle, sweepAngle);
}

GpStatus GdipDrawPie(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                     REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawPie(graphics, pen, x, y, width, height, startAngle, sweepAngle);
}

GpStatus GdipDrawPieI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return DrawPie(graphics, pen, Real(x), Real(y), Real(width), Real(height), startAngle, sweepAngle);
}

GpStatus GdipFillPie(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                     REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return FillPie(graphics, brush, x, y, width, height, startAngle, sweepAngle);
}

GpStatus GdipFillPieI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return FillPie(graphics, brush, Real(x), Real(y), Real(width), Real(height), startAngle, sweepAngle);
}

GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPath* p = LookupObject<GpPath>(path);
  if (!p) return InvalidParameter;
  return Stroke(graphics, pen, *p);
}

GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpPath* p = LookupObject<GpPath>(path);
  if (!p) return InvalidParameter;
  return Fill(graphics, brush, *p);
}

}  // namespace Gdiplus
