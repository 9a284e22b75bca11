#pragma once
// The objects behind the drawing half's handles, and how a drawing reaches
// its target; shared by the image library's sources only.

#include <cairo.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/GdiObjects.h"
#include "platform/GdiPlusGraphics.h"
#include "platform/GdiPlusObjects.h"

namespace Gdiplus {

// A region of device pixels, shared by the states that hold it.
using TSharedRegion = std::shared_ptr<const pixman_region32_t>;

// No limit: a box far beyond any surface, 2^29 pixels every way.
TSharedRegion UnlimitedRegion();
// A whole value held within that reach.
int32_t ClampToInt(double v);

struct GpMatrix : TGdipObject {
  cairo_matrix_t M;
  GpMatrix() { cairo_matrix_init_identity(&M); }
};

// Applies op to m before (prepend) or after (append) what m does; false
// for an unknown order.
bool Combine(cairo_matrix_t& m, const cairo_matrix_t& op, GpMatrixOrder order);
bool Invertible(const cairo_matrix_t& m);
// The nearest whole number (halves up), held within INT's range.
INT RoundToInt(double v);
inline REAL Real(INT v) { return static_cast<REAL>(v); }

// A context to trace and measure paths on; nothing is drawn.
class TScratch {
 public:
  TScratch() : FSurface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)), FContext(cairo_create(FSurface)) {}
  ~TScratch() {
    cairo_destroy(FContext);
    cairo_surface_destroy(FSurface);
  }
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;
  cairo_t* operator*() const { return FContext; }

 private:
  cairo_surface_t* FSurface;
  cairo_t* FContext;
};

struct GpRegion : TGdipObject {
  TSharedRegion Region;  // world coordinates
};

struct GpImageAttributes : TGdipObject {
  struct TAdjust {
    bool Enabled = false;
    ColorMatrix Matrix;
  };
  TAdjust Adjust[5];  // by ColorAdjustType
  // The matrix images are drawn with, or nullptr.
  const ColorMatrix* BitmapMatrix() const;
};

struct GpBrush : TGdipObject {
  virtual std::unique_ptr<GpBrush> Clone() const = 0;
  // Becomes the context's source, in world coordinates; images in it are
  // sampled with the filter. The brush must outlive the drawing.
  virtual void Use(cairo_t* cr, cairo_filter_t filter) const = 0;
};

struct GpSolidFill : GpBrush {
  ARGB Color = 0;
  std::unique_ptr<GpBrush> Clone() const override;
  void Use(cairo_t* cr, cairo_filter_t filter) const override;
};

struct GpTexture : GpBrush {
  INT Width = 0;
  INT Height = 0;
  std::vector<DWORD> Pixels;  // premultiplied, one tile (flips included)
  bool Clamp = false;
  std::unique_ptr<GpBrush> Clone() const override;
  void Use(cairo_t* cr, cairo_filter_t filter) const override;
};

struct GpLineGradient : GpBrush {
  GpPointF Start;
  GpPointF End;
  std::vector<std::pair<REAL, ARGB>> Stops;  // position 0 to 1, colour
  bool Mirror = false;
  std::unique_ptr<GpBrush> Clone() const override;
  void Use(cairo_t* cr, cairo_filter_t filter) const override;
};

// The colour premultiplied and rounded as the library does, and cairo
// lands on exactly those values.
void SetSourceColor(cairo_t* cr, ARGB color);
// Premultiplied 32-bit pixels of a width and height (within cairo's limit
// of 32767 a side) as a surface; the pixels must outlive it.
cairo_surface_t* WrapPixels(const void* rows, INT width, INT height, INT stride, bool opaque = false);
inline constexpr INT MaxRenderSide = 32767;

struct GpPen : TGdipObject {
  REAL Width = 1;
  GpDashStyle Dash = DashStyleSolid;
  std::unique_ptr<GpBrush> Brush;
  // Puts the pen's width, dashes, caps and joins on the context.
  void Apply(cairo_t* cr) const;
};

struct GpPath : TGdipObject {
  GpFillMode FillMode = FillModeAlternate;
  std::vector<GpPointF> Points;
  std::vector<BYTE> Types;
  bool FigureOpen = false;

  // Each adds nothing and answers false when a value is not finite; empty
  // shapes add nothing. These continue the open figure, or start one:
  bool AddLines(const GpPointF* points, INT count);
  bool AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  // These are closed figures of their own:
  bool AddPolygon(const GpPointF* points, INT count);
  bool AddRectangle(REAL x, REAL y, REAL width, REAL height);
  bool AddEllipse(REAL x, REAL y, REAL width, REAL height);
  bool AddPie(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
  void CloseFigure();
  // The figures as the context's current path, its fill rule set.
  void Trace(cairo_t* cr) const;
  // Whether the path is one rectangle with sides along the axes: its
  // corners.
  bool IsAlignedRectangle(double& x0, double& y0, double& x1, double& y1) const;
};

std::vector<GpPointF> FloatPoints(const GpPoint* points, INT count);

struct TGraphicsState {
  cairo_matrix_t World;
  TSharedRegion Clip;  // device pixels
  InterpolationMode Interpolation = InterpolationModeBilinear;
  SmoothingMode Smoothing = SmoothingModeNone;
};

struct GpGraphics : TGdipObject {
  // A DC's snapshot...
  HDC DC = nullptr;
  TDCState Snapshot;
  HWND Window = nullptr;    // the window of a window DC
  TSharedRegion DCClip;     // the DC's clip and visible region, or nullptr
  // ... or an image.
  GpBitmap* Image = nullptr;

  TGraphicsState State;
  std::vector<std::pair<GraphicsState, TGraphicsState>> Saved;
  GraphicsState LastSaved = 0;

  // A DC lent out: the DC and the save level to restore, or the image's
  // copy with the pixels it started with.
  HDC Lent = nullptr;
  int LentLevel = 0;
  HBITMAP LentBitmap = nullptr;
  HGDIOBJ LentOldBitmap = nullptr;
  std::vector<DWORD> LentBefore;

  GpGraphics();
  ~GpGraphics() override;
  // Takes the lent DC back, writing an image's changed pixels back first
  // when asked.
  void TakeBackDC(bool writeBack);
  // World to device pixels.
  cairo_matrix_t DeviceMatrix() const;
};

// The graphics behind the handle, when it is one (else InvalidParameter)
// and not busy (else ObjectBusy).
GpStatus UsableGraphics(GpGraphics* handle, GpGraphics*& graphics);

// The target's size in device pixels; false when it has no pixels (the
// screen), Win32Error in status when they are gone.
bool TargetSize(const GpGraphics& graphics, INT& width, INT& height, GpStatus& status);
// What a drawing may touch: the clip, the DC's clip and the target (none
// when width is 0).
void DrawableRegion(const GpGraphics& graphics, INT width, INT height, pixman_region32_t& out);

// One drawing: a source painted through a shape, both in world
// coordinates, with a constant alpha.
class TDrawing {
 public:
  virtual ~TDrawing() = default;
  // The shape as the context's path; a stroke puts its pen on it too.
  virtual void Trace(cairo_t* cr) const = 0;
  virtual bool Stroked() const { return false; }
  virtual void UseSource(cairo_t* cr) const = 0;
  virtual double Alpha() const { return 1; }
  // The whole pixels of the shape when it is a rectangle filled under an
  // axis-aligned device matrix.
  virtual bool AlignedPixels(const cairo_matrix_t&, pixman_box32_t&) const { return false; }
};

// Draws on the target with the clip, the world transform and the
// smoothing in force. Without smoothing the shape is a set of whole pixels
// (those its coverage reaches half of: those whose centres it holds where
// a straight edge crosses them); cairo's own aliased rasterizer is not used,
// as it joins the spans of separate figures.
GpStatus DrawOn(GpGraphics& graphics, const TDrawing& drawing);
// Every pixel of the clip becomes the colour.
GpStatus ClearOn(GpGraphics& graphics, ARGB color);
// The pixels of the shape (device), within bounds.
void ShapePixels(const TDrawing& drawing, const cairo_matrix_t& device, const pixman_box32_t& bounds,
                 pixman_region32_t& out);
// The pixels whose centres lie in [x0, x1) x [y0, y1) (world) under an
// axis-aligned device matrix; false for another matrix.
bool AlignedRectPixels(const cairo_matrix_t& device, double x0, double y0, double x1, double y1, pixman_box32_t& box);

cairo_filter_t FilterOf(InterpolationMode mode);

// A path filled with a brush or stroked with a pen; without either, the
// bare shape (what a clip takes).
class TPathDrawing : public TDrawing {
 public:
  TPathDrawing(const GpPath& path, const GpBrush* brush, const GpPen* pen, cairo_filter_t filter)
      : FPath(path), FBrush(pen ? pen->Brush.get() : brush), FPen(pen), FFilter(filter) {}
  void Trace(cairo_t* cr) const override;
  bool Stroked() const override { return FPen != nullptr; }
  void UseSource(cairo_t* cr) const override;
  bool AlignedPixels(const cairo_matrix_t& device, pixman_box32_t& box) const override;

 private:
  const GpPath& FPath;
  const GpBrush* FBrush;
  const GpPen* FPen;
  cairo_filter_t FFilter;
};

// A pixel format's rows read as premultiplied 32-bit pixels, and those
// that differ from before written back in the bitmap's format.
void ReadPremultiplied(const GpBitmap& bitmap, INT x, INT y, INT width, INT height, DWORD* out);
void WriteChanged(GpBitmap& bitmap, INT x, INT y, INT width, INT height, const DWORD* now, const DWORD* before);

// Alternate or winding.
bool ValidFillMode(GpFillMode mode);

}  // namespace Gdiplus
