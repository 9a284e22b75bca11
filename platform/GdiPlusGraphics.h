#pragma once
// The image library's drawing half: graphics on device contexts and images,
// image drawing with image attributes, brushes, pens, paths and matrices.
//
// Compositing: every drawing is source over on premultiplied pixels, the
// destination's alpha composed too: for each channel c of the source with
// alpha a (both premultiplied, 0 to 1), the result is c + (1 - a) x d over
// the destination d, alpha included. What is drawn onto a transparent
// target therefore keeps its own alpha. Clearing replaces the pixels.
//
// Coordinates: world coordinates go through the world transform to the
// page, which is the DC's logical space (its window and viewport origins
// as they were when the graphics was made) or the image's pixels. Pixel
// (x, y) covers the square from (x, y) to (x + 1, y + 1): a fill of a
// rectangle with whole coordinates covers exactly its pixels, right and
// bottom excluded.
//
// Targets: a DC's 32-bit surface is drawn on in place; a 24- or 1-bit one
// (and an image of a format other than 32bppPARGB) through a 32-bit copy of
// the area a drawing touches, of which the pixels that changed are written
// back (a 1-bit surface takes the nearer of its two colours).
//
// Interpolation (images and texture brushes): nearest neighbour for
// InterpolationModeNearestNeighbor; bilinear for the default, low-quality
// and bilinear modes; the best filter at hand (cubic when enlarging, a
// windowed sinc when reducing) for the high-quality and bicubic modes.
// Smoothing: shapes are anti-aliased in SmoothingModeHighQuality and
// SmoothingModeAntiAlias. Otherwise a pixel is in a shape when the shape
// covers at least half of it: where one straight edge crosses a pixel,
// when it holds the pixel's centre; a rectangle along the axes holds
// exactly the pixels whose centres it holds.
//
// Statuses as in the first half: InvalidParameter for a null or unknown
// handle or an out-of-range value (modes, orders, counts), NotImplemented
// for a known value this library does not support; ObjectBusy for a
// graphics whose DC is lent out; ValueOverflow for a target, or a part of
// an image drawn, beyond 32767 pixels a side.

#include "platform/GdiPlus.h"

namespace Gdiplus {

struct GpGraphics;
// Brushes: a solid fill, texture or linear gradient is a brush.
struct GpBrush;
struct GpSolidFill;
struct GpTexture;
struct GpLineGradient;
struct GpPen;
struct GpPath;
struct GpMatrix;
struct GpRegion;
struct GpImageAttributes;

struct GpPointF {
  REAL X = 0;
  REAL Y = 0;
};
struct GpPoint {
  INT X = 0;
  INT Y = 0;
};
struct GpRectF {
  REAL X = 0;
  REAL Y = 0;
  REAL Width = 0;
  REAL Height = 0;
};

enum GpUnit : int {
  UnitWorld = 0,
  UnitDisplay = 1,
  UnitPixel = 2,
  UnitPoint = 3,
  UnitInch = 4,
  UnitDocument = 5,
  UnitMillimeter = 6,
};

enum InterpolationMode : int {
  InterpolationModeDefault = 0,
  InterpolationModeLowQuality = 1,
  InterpolationModeHighQuality = 2,
  InterpolationModeBilinear = 3,
  InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5,
  InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7,
};

enum SmoothingMode : int {
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
};

// How a new clip meets the one in force.
enum CombineMode : int {
  CombineModeReplace = 0,
  CombineModeIntersect = 1,
  CombineModeUnion = 2,
  CombineModeXor = 3,
  CombineModeExclude = 4,     // the old less the new
  CombineModeComplement = 5,  // the new less the old
};

// Prepend: the operation applies before the matrix; append: after it.
enum GpMatrixOrder : int {
  MatrixOrderPrepend = 0,
  MatrixOrderAppend = 1,
};

enum GpFillMode : int {
  FillModeAlternate = 0,
  FillModeWinding = 1,
};

enum GpWrapMode : int {
  WrapModeTile = 0,
  WrapModeTileFlipX = 1,
  WrapModeTileFlipY = 2,
  WrapModeTileFlipXY = 3,
  WrapModeClamp = 4,
};

enum LinearGradientMode : int {
  LinearGradientModeHorizontal = 0,        // left to right
  LinearGradientModeVertical = 1,          // top to bottom
  LinearGradientModeForwardDiagonal = 2,   // top-left to bottom-right
  LinearGradientModeBackwardDiagonal = 3,  // top-right to bottom-left
};

// Dashes and gaps in pen widths: dash 3 + 1, dot 1 + 1, dash-dot
// 3 + 1 + 1 + 1, dash-dot-dot 3 + 1 + 1 + 1 + 1 + 1.
enum GpDashStyle : int {
  DashStyleSolid = 0,
  DashStyleDash = 1,
  DashStyleDot = 2,
  DashStyleDashDot = 3,
  DashStyleDashDotDot = 4,
  DashStyleCustom = 5,
};

enum ColorAdjustType : int {
  ColorAdjustTypeDefault = 0,
  ColorAdjustTypeBitmap = 1,
  ColorAdjustTypeBrush = 2,
  ColorAdjustTypePen = 3,
  ColorAdjustTypeText = 4,
};

enum ColorMatrixFlags : int {
  ColorMatrixFlagsDefault = 0,
  ColorMatrixFlagsSkipGrays = 1,
  ColorMatrixFlagsAltGray = 2,
};

// Row vector (red, green, blue, alpha, 1) times m gives the new colour.
struct ColorMatrix {
  REAL m[5][5] = {};
};

// Point types of a path's figures.
inline constexpr BYTE PathPointTypeStart = 0;
inline constexpr BYTE PathPointTypeLine = 1;
inline constexpr BYTE PathPointTypeBezier = 3;
inline constexpr BYTE PathPointTypePathTypeMask = 0x07;
inline constexpr BYTE PathPointTypeCloseSubpath = 0x80;

using GraphicsState = UINT;
// Asked once before an image is drawn; TRUE gives up (Aborted).
using DrawImageAbort = BOOL (*)(void* data);

// --- Graphics -------------------------------------------------------------

// Takes from the DC, once: the surface it draws on (the bitmap selected,
// or its window's pixels), its window and viewport origins and its clip
// (with a window DC's visible region). Later changes to the DC do not reach
// the graphics. A DC without pixels (the screen's) draws nothing.
// Win32Error from any later drawing when that surface is gone.
GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
// Draws on the bitmap's pixels; the bitmap is not disposed of while a
// graphics draws on it (ObjectBusy).
GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
// A DC lent out and not released is taken back unwritten.
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
// Lends a DC for GDI drawing until GdipReleaseDC; the graphics is busy
// meanwhile. On a DC graphics it is that DC, its state saved and the
// surface, origins and clip of the snapshot put back (restored at release).
// On an image graphics it is a memory DC on a 32-bit copy of the image's
// premultiplied pixels; at release the pixels GDI changed are written
// back, alpha as GDI left it.
GpStatus GdipGetDC(GpGraphics* graphics, HDC* hdc);
GpStatus GdipReleaseDC(GpGraphics* graphics, HDC hdc);
// Every pixel inside the clip becomes the colour, premultiplied.
GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color);
GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode interpolationMode);
GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* interpolationMode);
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode smoothingMode);
GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* smoothingMode);

// The clip is kept in device pixels, taken through the world transform in
// force when it is set: the pixels whose centres lie inside. It starts
// unlimited; the DC's own clip always applies besides.
GpStatus GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode combineMode);
GpStatus GdipSetClipRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode combineMode);
GpStatus GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode combineMode);
// By the path's fill mode.
GpStatus GdipSetClipPath(GpGraphics* graphics, GpPath* path, CombineMode combineMode);
GpStatus GdipResetClip(GpGraphics* graphics);
// Whether the clip, with the DC's, holds no pixel.
GpStatus GdipIsClipEmpty(GpGraphics* graphics, BOOL* result);
// Whether any pixel of the rectangle (world coordinates) lies inside the
// clip and the target.
GpStatus GdipIsVisibleRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, BOOL* result);
GpStatus GdipIsVisibleRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, BOOL* result);
// Saves the clip, world transform and modes; restoring a state drops it
// and every state saved after it.
GpStatus GdipSaveGraphics(GpGraphics* graphics, GraphicsState* state);
GpStatus GdipRestoreGraphics(GpGraphics* graphics, GraphicsState state);

// A transform that cannot be inverted is refused (InvalidParameter) and
// the one in force stays. Angles are in degrees, clockwise on the screen.
GpStatus GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix);
GpStatus GdipResetWorldTransform(GpGraphics* graphics);
GpStatus GdipMultiplyWorldTransform(GpGraphics* graphics, const GpMatrix* matrix, GpMatrixOrder order);
GpStatus GdipTranslateWorldTransform(GpGraphics* graphics, REAL dx, REAL dy, GpMatrixOrder order);
GpStatus GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, GpMatrixOrder order);
GpStatus GdipRotateWorldTransform(GpGraphics* graphics, REAL angle, GpMatrixOrder order);

// --- Regions --------------------------------------------------------------

// The region's rectangles as they are now, in world coordinates.
GpStatus GdipCreateRegionHrgn(HRGN hRgn, GpRegion** region);
GpStatus GdipDeleteRegion(GpRegion* region);

// --- Images ---------------------------------------------------------------

// Maps the source rectangle (pixels, UnitPixel only: other units are
// NotImplemented) onto the destination rectangle; a negative size mirrors.
// The source is first cut to the image, the destination by as much.
// Samples beyond the source rectangle's edges repeat its edge pixels.
// Attributes (optional) adjust the colours by their bitmap or default
// colour matrix: one that differs from the identity only in the alpha
// scale (m[3][3], 0 to 1) multiplies the premultiplied pixels by it; any
// other matrix is applied to straight colours, each result clamped.
GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                               REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit,
                               const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData);
GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth, INT dstheight,
                                INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                                const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData);
// The whole image into the rectangle.
GpStatus GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);

// --- Image attributes -----------------------------------------------------

GpStatus GdipCreateImageAttributes(GpImageAttributes** imageattr);
GpStatus GdipCloneImageAttributes(const GpImageAttributes* imageattr, GpImageAttributes** cloneImageattr);
GpStatus GdipDisposeImageAttributes(GpImageAttributes* imageattr);
// Sets (or with enableFlag FALSE removes) the matrix of one adjust type;
// images use the bitmap type's, else the default type's. No grey matrix:
// flags other than ColorMatrixFlagsDefault are NotImplemented.
GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                          const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix,
                                          ColorMatrixFlags flags);

// --- Brushes --------------------------------------------------------------

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color);
GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
// A copy of the image's part (inside the image), tiled from the world
// origin of the graphics it fills; flipped tiles mirror every other tile,
// clamp paints the part once.
GpStatus GdipCreateTexture2I(GpImage* image, GpWrapMode wrapmode, INT x, INT y, INT width, INT height,
                             GpTexture** texture);
// The first colour along the rectangle's start edge (or corner), the
// second along the far one; diagonal modes run corner to corner whatever
// the rectangle's shape. Beyond the rectangle the gradient repeats (tile)
// or mirrors (the flip modes); clamp is refused. An empty rectangle is
// refused.
GpStatus GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                     GpWrapMode wrapMode, GpLineGradient** lineGradient);
GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** lineGradient);
// Colours at positions from 0 (the start) to 1 (the far edge), rising; at
// least two.
GpStatus GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* blend, const REAL* positions, INT count);
GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** cloneBrush);
GpStatus GdipDeleteBrush(GpBrush* brush);

// --- Pens -----------------------------------------------------------------

// Widths in world units (UnitWorld, UnitDisplay and UnitPixel alike; other
// units are NotImplemented); width 0 draws one device pixel wide. Flat
// caps, mitred joins. The pen keeps a copy of a brush given to it.
GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipClonePen(GpPen* pen, GpPen** clonepen);
GpStatus GdipDeletePen(GpPen* pen);
GpStatus GdipSetPenWidth(GpPen* pen, REAL width);
GpStatus GdipGetPenWidth(GpPen* pen, REAL* width);
GpStatus GdipSetPenColor(GpPen* pen, ARGB argb);
GpStatus GdipSetPenBrushFill(GpPen* pen, GpBrush* brush);
// DashStyleCustom is NotImplemented (no dash arrays).
GpStatus GdipSetPenDashStyle(GpPen* pen, GpDashStyle dashstyle);
GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* dashstyle);

// --- Shapes ---------------------------------------------------------------

// Lines take at least two points, polygons at least three (else
// InvalidParameter). Arcs and pies run from the start angle through the
// sweep (degrees, clockwise; at most a full turn), angles measured on the
// ellipse as seen.
GpStatus GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
GpStatus GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2);
GpStatus GdipDrawLines(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
GpStatus GdipDrawLinesI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
GpStatus GdipDrawPolygon(GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count);
GpStatus GdipDrawPolygonI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
GpStatus GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count,
                         GpFillMode fillMode);
GpStatus GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                          GpFillMode fillMode);
GpStatus GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
GpStatus GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
GpStatus GdipFillEllipse(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
GpStatus GdipDrawArc(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                     REAL sweepAngle);
GpStatus GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle);
GpStatus GdipDrawPie(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                     REAL sweepAngle);
GpStatus GdipDrawPieI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle);
GpStatus GdipFillPie(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height, REAL startAngle,
                     REAL sweepAngle);
GpStatus GdipFillPieI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle);
GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path);
GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);

// --- Paths ----------------------------------------------------------------

// Figures of lines and Bézier curves. Lines and arcs continue the open
// figure (joined to its last point); ellipses, rectangles and polygons are
// closed figures of their own.
GpStatus GdipCreatePath(GpFillMode brushMode, GpPath** path);
GpStatus GdipClonePath(GpPath* path, GpPath** clonePath);
GpStatus GdipDeletePath(GpPath* path);
GpStatus GdipStartPathFigure(GpPath* path);
GpStatus GdipClosePathFigure(GpPath* path);
GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
GpStatus GdipAddPathLineI(GpPath* path, INT x1, INT y1, INT x2, INT y2);
GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
GpStatus GdipAddPathArcI(GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle);
GpStatus GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipAddPathEllipseI(GpPath* path, INT x, INT y, INT width, INT height);
// An empty rectangle adds nothing.
GpStatus GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL width, REAL height);
GpStatus GdipAddPathRectangleI(GpPath* path, INT x, INT y, INT width, INT height);
GpStatus GdipAddPathPolygon(GpPath* path, const GpPointF* points, INT count);
GpStatus GdipAddPathPolygonI(GpPath* path, const GpPoint* points, INT count);
// The box of the figures, transformed by the matrix and widened by the pen
// when given (either may be null); all zero for an empty path.
GpStatus GdipGetPathWorldBounds(GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen);
GpStatus GdipGetPathWorldBoundsI(GpPath* path, GpRect* bounds, const GpMatrix* matrix, const GpPen* pen);
// Whether the point lies inside (by the fill mode), or on the outline as
// the pen would draw it. The graphics, when given, must be valid.
GpStatus GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result);
GpStatus GdipIsVisiblePathPointI(GpPath* path, INT x, INT y, GpGraphics* graphics, BOOL* result);
GpStatus GdipIsOutlineVisiblePathPoint(GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics* graphics,
                                       BOOL* result);
GpStatus GdipIsOutlineVisiblePathPointI(GpPath* path, INT x, INT y, GpPen* pen, GpGraphics* graphics,
                                        BOOL* result);

// --- Matrices -------------------------------------------------------------

// Elements m11, m12, m21, m22, dx, dy: a point (x, y) goes to
// (x m11 + y m21 + dx, x m12 + y m22 + dy).
GpStatus GdipCreateMatrix(GpMatrix** matrix);
GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix);
GpStatus GdipCloneMatrix(GpMatrix* matrix, GpMatrix** cloneMatrix);
GpStatus GdipDeleteMatrix(GpMatrix* matrix);
GpStatus GdipSetMatrixElements(GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
// Six elements, in the order above.
GpStatus GdipGetMatrixElements(const GpMatrix* matrix, REAL* matrixOut);
GpStatus GdipMultiplyMatrix(GpMatrix* matrix, GpMatrix* matrix2, GpMatrixOrder order);
GpStatus GdipRotateMatrix(GpMatrix* matrix, REAL angle, GpMatrixOrder order);
GpStatus GdipScaleMatrix(GpMatrix* matrix, REAL scaleX, REAL scaleY, GpMatrixOrder order);
// x gains shearX times y, y gains shearY times x.
GpStatus GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, GpMatrixOrder order);
GpStatus GdipTranslateMatrix(GpMatrix* matrix, REAL offsetX, REAL offsetY, GpMatrixOrder order);
// InvalidParameter, the matrix unchanged, when it cannot be inverted.
GpStatus GdipInvertMatrix(GpMatrix* matrix);
GpStatus GdipTransformMatrixPoints(GpMatrix* matrix, GpPointF* pts, INT count);
// Results rounded to the nearest whole number (halves up).
GpStatus GdipTransformMatrixPointsI(GpMatrix* matrix, GpPoint* pts, INT count);

}  // namespace Gdiplus
