#include <gtest/gtest.h>

#include <cmath>

#include "tests/platform/GdiPlusTestSupport.h"

namespace {

using namespace Gdiplus;

class GdiplusPaths : public TGdiplusDrawingTest {
 protected:
  static void MakePath(TPath& path, GpFillMode mode = FillModeAlternate) {
    ASSERT_EQ(GdipCreatePath(mode, path.Out()), Ok);
  }
  static GpRectF Bounds(GpPath* path, const GpMatrix* matrix = nullptr, const GpPen* pen = nullptr) {
    GpRectF r;
    EXPECT_EQ(GdipGetPathWorldBounds(path, &r, matrix, pen), Ok);
    return r;
  }
  static bool Inside(GpPath* path, REAL x, REAL y) {
    BOOL result = FALSE;
    EXPECT_EQ(GdipIsVisiblePathPoint(path, x, y, nullptr, &result), Ok);
    return result != FALSE;
  }
};

void ExpectRect(const GpRectF& r, REAL x, REAL y, REAL w, REAL h) {
  EXPECT_NEAR(r.X, x, 1e-3);
  EXPECT_NEAR(r.Y, y, 1e-3);
  EXPECT_NEAR(r.Width, w, 1e-3);
  EXPECT_NEAR(r.Height, h, 1e-3);
}

// --- Paths ------------------------------------------------------------------

TEST_F(GdiplusPaths, BoundsCoverTheFiguresTransformedAndWidened) {
  TPath path;
  MakePath(path);
  ExpectRect(Bounds(path), 0, 0, 0, 0);
  ASSERT_EQ(GdipAddPathRectangleI(path, 1, 2, 3, 4), Ok);
  ExpectRect(Bounds(path), 1, 2, 3, 4);
  TPen pen;
  ASSERT_EQ(GdipCreatePen1(0xFF000000, 2, UnitPixel, pen.Out()), Ok);
  ExpectRect(Bounds(path, nullptr, pen), 0, 1, 5, 6);
  ASSERT_EQ(GdipAddPathEllipseI(path, 10, 20, 30, 40), Ok);
  ExpectRect(Bounds(path), 1, 2, 39, 58);
  TMatrix shift;
  ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 1, 5, 5, shift.Out()), Ok);
  ExpectRect(Bounds(path, shift), 7, 7, 78, 58);
  GpRect whole;
  ASSERT_EQ(GdipGetPathWorldBoundsI(path, &whole, nullptr, nullptr), Ok);
  EXPECT_EQ((std::vector<INT>{whole.X, whole.Y, whole.Width, whole.Height}), (std::vector<INT>{1, 2, 39, 58}));
  // A half circle clockwise from the right: the lower half.
  TPath arc;
  MakePath(arc);
  ASSERT_EQ(GdipAddPathArcI(arc, 0, 0, 20, 20, 0, 180), Ok);
  ExpectRect(Bounds(arc), 0, 10, 20, 10);
  TPath copy;
  ASSERT_EQ(GdipClonePath(path, copy.Out()), Ok);
  ExpectRect(Bounds(copy), 1, 2, 39, 58);
  GpRectF r;
  EXPECT_EQ(GdipGetPathWorldBounds(path, nullptr, nullptr, nullptr), InvalidParameter);
  EXPECT_EQ(GdipGetPathWorldBounds(path, &r, reinterpret_cast<GpMatrix*>(pen.Handle), nullptr), InvalidParameter);
}

TEST_F(GdiplusPaths, HitTestsFollowTheFillModeAndThePen) {
  TPath alternate, winding;
  MakePath(alternate, FillModeAlternate);
  MakePath(winding, FillModeWinding);
  for (GpPath* p : {alternate.Handle, winding.Handle}) {
    ASSERT_EQ(GdipAddPathRectangle(p, 0, 0, 4, 4), Ok);
    ASSERT_EQ(GdipAddPathRectangle(p, 2, 0, 4, 4), Ok);
  }
  EXPECT_TRUE(Inside(alternate, 1, 2));
  EXPECT_FALSE(Inside(alternate, 3, 2)) << "covered twice: a hole";
  EXPECT_TRUE(Inside(winding, 3, 2));
  EXPECT_FALSE(Inside(winding, 7, 2));
  TPen pen;
  ASSERT_EQ(GdipCreatePen1(0xFF000000, 1, UnitPixel, pen.Out()), Ok);
  BOOL onOutline = FALSE;
  ASSERT_EQ(GdipIsOutlineVisiblePathPointI(alternate, 6, 1, pen, nullptr, &onOutline), Ok);
  EXPECT_TRUE(onOutline);
  ASSERT_EQ(GdipIsOutlineVisiblePathPoint(alternate, 1, 2, pen, nullptr, &onOutline), Ok);
  EXPECT_FALSE(onOutline) << "a unit from the nearest edges";
  TTestSurface surface(1, 1);
  TGraphics g;
  OnDC(g, surface);
  BOOL inside = FALSE;
  ASSERT_EQ(GdipIsVisiblePathPointI(winding, 3, 2, g, &inside), Ok);
  EXPECT_TRUE(inside);
  EXPECT_EQ(GdipIsVisiblePathPointI(winding, 3, 2, reinterpret_cast<GpGraphics*>(pen.Handle), &inside),
            InvalidParameter);
  EXPECT_EQ(GdipIsOutlineVisiblePathPointI(winding, 3, 2, nullptr, nullptr, &inside), InvalidParameter);
  EXPECT_EQ(GdipIsVisiblePathPoint(winding, 3, 2, nullptr, nullptr), InvalidParameter);
}

TEST_F(GdiplusPaths, LinesAndArcsContinueTheOpenFigureUntilItCloses) {
  TPath path;
  MakePath(path);
  // Three sides of a square, closed into the fourth; the shared corners
  // are not repeated.
  ASSERT_EQ(GdipAddPathLineI(path, 0, 0, 10, 0), Ok);
  ASSERT_EQ(GdipAddPathLine(path, 10, 0, 10, 10), Ok);
  ASSERT_EQ(GdipAddPathLine(path, 10, 10, 0, 10), Ok);
  ASSERT_EQ(GdipClosePathFigure(path), Ok);
  EXPECT_TRUE(Inside(path, 5, 5));
  // A new figure: an arc joined to a line that starts where nothing ends.
  ASSERT_EQ(GdipStartPathFigure(path), Ok);
  ASSERT_EQ(GdipAddPathArc(path, 20, 0, 10, 10, 180, 180), Ok);
  ASSERT_EQ(GdipAddPathLineI(path, 30, 10, 20, 10), Ok);
  ExpectRect(Bounds(path), 0, 0, 30, 10);
  EXPECT_TRUE(Inside(path, 25, 3)) << "the upper half disc and the box below it";
  EXPECT_TRUE(Inside(path, 25, 8));
  EXPECT_FALSE(Inside(path, 15, 5));
  // Drawn and filled.
  TTestSurface surface(32, 12, 0);
  TGraphics g;
  OnDC(g, surface);
  TBrush brush;
  Solid(brush, 0xFFFF0000);
  TPen pen;
  ASSERT_EQ(GdipCreatePen1(0xFF00FF00, 2, UnitPixel, pen.Out()), Ok);
  ASSERT_EQ(GdipFillPath(g, brush, path), Ok);
  ASSERT_EQ(GdipDrawPath(g, pen, path), Ok);
  EXPECT_EQ(surface.At(5, 5), 0xFFFF0000u);
  EXPECT_EQ(surface.At(5, 0), 0xFF00FF00u);
  EXPECT_EQ(surface.At(25, 5), 0xFFFF0000u);
  EXPECT_EQ(surface.At(15, 5), 0u);

  const GpPointF two[2] = {{0, 0}, {1, 1}};
  const GpPointF bad[3] = {{0, 0}, {NAN, 1}, {1, 0}};
  EXPECT_EQ(GdipAddPathPolygon(path, two, 2), InvalidParameter);
  EXPECT_EQ(GdipAddPathPolygon(path, bad, 3), InvalidParameter);
  EXPECT_EQ(GdipAddPathPolygonI(path, nullptr, 3), InvalidParameter);
  EXPECT_EQ(GdipAddPathLine(path, 0, 0, INFINITY, 0), InvalidParameter);
  EXPECT_EQ(GdipAddPathLine(nullptr, 0, 0, 1, 0), InvalidParameter);
  GpPath* none = nullptr;
  EXPECT_EQ(GdipCreatePath(static_cast<GpFillMode>(2), &none), InvalidParameter);
  EXPECT_EQ(GdipCreatePath(FillModeWinding, nullptr), InvalidParameter);
  EXPECT_EQ(GdipDeletePath(nullptr), InvalidParameter);
}

TEST_F(GdiplusPaths, PathsClipLikeTheirFill) {
  // Two figures side by side, the second reaching above the row: the gap
  // between them stays out, clipped or filled.
  TPath path;
  MakePath(path);
  ASSERT_EQ(GdipAddPathRectangleI(path, 1, 0, 3, 1), Ok);
  ASSERT_EQ(GdipAddPathEllipse(path, 5, -2, 2, 6), Ok);
  TTestSurface clipped(8, 1, 0), filled(8, 1, 0);
  TGraphics g, f;
  OnDC(g, clipped);
  OnDC(f, filled);
  ASSERT_EQ(GdipSetClipPath(g, path, CombineModeReplace), Ok);
  Fill(g, 0xFFFF0000, 0, 0, 8, 1);
  TBrush brush;
  Solid(brush, 0xFFFF0000);
  ASSERT_EQ(GdipFillPath(f, brush, path), Ok);
  for (const TTestSurface* s : {&clipped, &filled}) ExpectPicture(*s, {".RRR.RR."}, {{'.', 0}, {'R', 0xFFFF0000}});
}

// --- Matrices ---------------------------------------------------------------

std::vector<REAL> Elements(GpMatrix* m) {
  std::vector<REAL> e(6);
  EXPECT_EQ(GdipGetMatrixElements(m, e.data()), Ok);
  return e;
}

void ExpectElements(GpMatrix* m, std::vector<REAL> expected) {
  const std::vector<REAL> actual = Elements(m);
  for (size_t i = 0; i < 6; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "element " << i;
}

TEST_F(GdiplusPaths, MatricesCombineInEitherOrder) {
  TMatrix m;
  ASSERT_EQ(GdipCreateMatrix(m.Out()), Ok);
  ExpectElements(m, {1, 0, 0, 1, 0, 0});
  ASSERT_EQ(GdipSetMatrixElements(m, 1, 2, 3, 4, 5, 6), Ok);
  ExpectElements(m, {1, 2, 3, 4, 5, 6});
  // (x, y) -> (x + 3y + 5, 2x + 4y + 6): (1, 1) -> (9, 12).
  GpPointF p{1, 1};
  ASSERT_EQ(GdipTransformMatrixPoints(m, &p, 1), Ok);
  EXPECT_FLOAT_EQ(p.X, 9);
  EXPECT_FLOAT_EQ(p.Y, 12);

  // Translating by (10, 0) and scaling by 2: scaling first (prepended)
  // takes (1, 1) to (12, 2); scaling after it (appended) to (22, 2).
  for (const auto& [order, x] : {std::pair{MatrixOrderPrepend, 12.0f}, {MatrixOrderAppend, 22.0f}}) {
    TMatrix t;
    ASSERT_EQ(GdipCreateMatrix2(1, 0, 0, 1, 10, 0, t.Out()), Ok);
    ASSERT_EQ(GdipScaleMatrix(t, 2, 2, order), Ok);
    GpPointF q{1, 1};
    ASSERT_EQ(GdipTransformMatrixPoints(t, &q, 1), Ok);
    EXPECT_FLOAT_EQ(q.X, x);
    EXPECT_FLOAT_EQ(q.Y, 2);
  }
  // A quarter turn clockwise on the screen takes x along y.
  TMatrix turn;
  ASSERT_EQ(GdipCreateMatrix(turn.Out()), Ok);
  ASSERT_EQ(GdipRotateMatrix(turn, 90, MatrixOrderAppend), Ok);
  ExpectElements(turn, {0, 1, -1, 0, 0, 0});
  ASSERT_EQ(GdipShearMatrix(turn, 2, 0, MatrixOrderPrepend), Ok);
  // Shear first: (1, 1) -> (3, 1), then turned: (-1, 3).
  GpPoint points[2] = {{1, 1}, {0, 0}};
  ASSERT_EQ(GdipTransformMatrixPointsI(turn, points, 2), Ok);
  EXPECT_EQ(points[0].X, -1);
  EXPECT_EQ(points[0].Y, 3);
  ASSERT_EQ(GdipTranslateMatrix(turn, 0.5f, -2.5f, MatrixOrderAppend), Ok);
  ASSERT_EQ(GdipTransformMatrixPointsI(turn, points, 2), Ok);
  EXPECT_EQ(points[1].X, 1) << "0.5 rounds up";
  EXPECT_EQ(points[1].Y, -2) << "-2.5 rounds up";
  TMatrix other;
  ASSERT_EQ(GdipCloneMatrix(m, other.Out()), Ok);
  ASSERT_EQ(GdipMultiplyMatrix(other, turn, MatrixOrderAppend), Ok);
  GpPointF viaProduct{1, 1}, stepByStep{1, 1};
  ASSERT_EQ(GdipTransformMatrixPoints(other, &viaProduct, 1), Ok);
  ASSERT_EQ(GdipTransformMatrixPoints(m, &stepByStep, 1), Ok);
  ASSERT_EQ(GdipTransformMatrixPoints(turn, &stepByStep, 1), Ok);
  EXPECT_NEAR(viaProduct.X, stepByStep.X, 1e-4);
  EXPECT_NEAR(viaProduct.Y, stepByStep.Y, 1e-4);
}

TEST_F(GdiplusPaths, AMatrixTimesItsInverseIsTheIdentity) {
  TMatrix m, inverse;
  ASSERT_EQ(GdipCreateMatrix2(2, 1, -3, 0.5f, 7, -4, m.Out()), Ok);
  ASSERT_EQ(GdipCloneMatrix(m, inverse.Out()), Ok);
  ASSERT_EQ(GdipInvertMatrix(inverse), Ok);
  ASSERT_EQ(GdipMultiplyMatrix(m, inverse, MatrixOrderAppend), Ok);
  ExpectElements(m, {1, 0, 0, 1, 0, 0});
  TMatrix flat;
  ASSERT_EQ(GdipCreateMatrix2(1, 2, 2, 4, 1, 1, flat.Out()), Ok);
  EXPECT_EQ(GdipInvertMatrix(flat), InvalidParameter);
  ExpectElements(flat, {1, 2, 2, 4, 1, 1});
  EXPECT_EQ(GdipRotateMatrix(flat, 10, static_cast<GpMatrixOrder>(3)), InvalidParameter);
  EXPECT_EQ(GdipMultiplyMatrix(flat, nullptr, MatrixOrderAppend), InvalidParameter);
  EXPECT_EQ(GdipTransformMatrixPoints(flat, nullptr, 1), InvalidParameter);
  EXPECT_EQ(GdipGetMatrixElements(flat, nullptr), InvalidParameter);
  EXPECT_EQ(GdipCreateMatrix(nullptr), InvalidParameter);
  EXPECT_EQ(GdipDeleteMatrix(nullptr), InvalidParameter);
}

}  // namespace
