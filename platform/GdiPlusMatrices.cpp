// Affine matrices: made, combined with rotations, scales, shears and
// translations, inverted, and applied to points.
#include <climits>
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

bool ValidOrder(GpMatrixOrder order) { return order == MatrixOrderPrepend || order == MatrixOrderAppend; }

cairo_matrix_t Elements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  cairo_matrix_t m;
  cairo_matrix_init(&m, m11, m12, m21, m22, dx, dy);
  return m;
}

// Ok with the operation applied, or why not.
GpStatus Apply(GpMatrix* matrix, const cairo_matrix_t& op, GpMatrixOrder order) {
  GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m || !ValidOrder(order)) return InvalidParameter;
  Combine(m->M, op, order);
  return Ok;
}

// Each point through the matrix, its coordinates stored by store.
template <typename Point, typename Store>
GpStatus TransformPoints(GpMatrix* matrix, Point* pts, INT count, Store store) {
  const GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m || !pts || count <= 0) return InvalidParameter;
  for (INT i = 0; i < count; ++i) {
    double x = pts[i].X, y = pts[i].Y;
    cairo_matrix_transform_point(&m->M, &x, &y);
    pts[i] = {store(x), store(y)};
  }
  return Ok;
}

}  // namespace

bool Combine(cairo_matrix_t& m, const cairo_matrix_t& op, GpMatrixOrder order) {
  if (!ValidOrder(order)) return false;
  // cairo's product applies its first operand first.
  if (order == MatrixOrderPrepend) cairo_matrix_multiply(&m, &op, &m);
  else cairo_matrix_multiply(&m, &m, &op);
  return true;
}

INT RoundToInt(double v) {
  const double r = std::floor(v + 0.5);
  if (!(r > INT_MIN)) return INT_MIN;  // NaN too
  return r < INT_MAX ? static_cast<INT>(r) : INT_MAX;
}

bool Invertible(const cairo_matrix_t& m) {
  for (const double e : {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0})
    if (!std::isfinite(e)) return false;
  cairo_matrix_t copy = m;
  return cairo_matrix_invert(&copy) == CAIRO_STATUS_SUCCESS;
}

GpStatus GdipCreateMatrix(GpMatrix** matrix) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!matrix) return InvalidParameter;
  *matrix = AddObject(std::make_unique<GpMatrix>());
  return Ok;
}

GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!matrix) return InvalidParameter;
  auto m = std::make_unique<GpMatrix>();
  m->M = Elements(m11, m12, m21, m22, dx, dy);
  *matrix = AddObject(std::move(m));
  return Ok;
}

GpStatus GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m || !cloneMatrix) return InvalidParameter;
  auto copy = std::make_unique<GpMatrix>();
  copy->M = m->M;
  *cloneMatrix = AddObject(std::move(copy));
  return Ok;
}

GpStatus GdipDeleteMatrix(GpMatrix* matrix) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m) return InvalidParameter;
  RemoveObject(m);
  return Ok;
}

GpStatus GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m) return InvalidParameter;
  m->M = Elements(m11, m12, m21, m22, dx, dy);
  return Ok;
}

GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* matrixOut) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m || !matrixOut) return InvalidParameter;
  const double elements[6] = {m->M.xx, m->M.yx, m->M.xy, m->M.yy, m->M.x0, m->M.y0};
  for (int i = 0; i < 6; ++i) matrixOut[i] = static_cast<REAL>(elements[i]);
  return Ok;
}

GpStatus GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpMatrix* other = LookupObject<GpMatrix>(matrix2);
  if (!other) return InvalidParameter;
  return Apply(matrix, other->M, order);
}

GpStatus GdipRotateMatrix(GpMatrix* matrix, REAL angle, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  cairo_matrix_t op;
  cairo_matrix_init_rotate(&op, angle * M_PI / 180);
  return Apply(matrix, op, order);
}

GpStatus GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return Apply(matrix, Elements(scaleX, 0, 0, scaleY, 0, 0), order);
}

GpStatus GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return Apply(matrix, Elements(1, shearY, shearX, 1, 0, 0), order);
}

GpStatus GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return Apply(matrix, Elements(1, 0, 0, 1, offsetX, offsetY), order);
}

GpStatus GdipInvertMatrix(GpMatrix* matrix) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m) return InvalidParameter;
  cairo_matrix_t inverse = m->M;
  if (cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS) return InvalidParameter;
  m->M = inverse;
  return Ok;
}

GpStatus GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return TransformPoints(matrix, pts, count, [](double v) { return static_cast<REAL>(v); });
}

GpStatus GdipTransformMatrixPointsI(GpMatrix* matrix, GpPoint* pts, INT count) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return TransformPoints(matrix, pts, count, RoundToInt);
}

}  // namespace Gdiplus
