// Graphics objects: made on DCs (a snapshot of the DC) and images, their
// modes, saved states, world transform, visibility tests, clearing, and
// the DC they lend for GDI drawing.
#include <algorithm>
#include <cmath>

#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

namespace {

GpStatus Transform(GpGraphics* graphics, const cairo_matrix_t& op, GpMatrixOrder order) {
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  cairo_matrix_t world = g->State.World;
  if (!Combine(world, op, order) || !Invertible(world)) return InvalidParameter;
  g->State.World = world;
  return Ok;
}

GpStatus IsVisibleRect(GpGraphics* graphics, double x, double y, double width, double height, BOOL* result) {
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (!result) return InvalidParameter;
  *result = FALSE;
  INT w = 0, h = 0;
  GpStatus status = Ok;
  TargetSize(*g, w, h, status);
  if (status != Ok) return status;
  for (const double v : {x, y, width, height})
    if (!std::isfinite(v)) return InvalidParameter;
  if (width == 0 || height == 0) return Ok;
  // The box of the rectangle's corners on the device, widened to whole
  // pixels: any pixel it touches.
  const cairo_matrix_t m = g->DeviceMatrix();
  double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
  for (const auto& [cx, cy] : {std::pair{x, y}, {x + width, y}, {x, y + height}, {x + width, y + height}}) {
    double px = cx, py = cy;
    cairo_matrix_transform_point(&m, &px, &py);
    left = std::min(left, px), right = std::max(right, px), top = std::min(top, py), bottom = std::max(bottom, py);
  }
  constexpr double Far = 1 << 29;
  const pixman_box32_t box{static_cast<int32_t>(std::clamp(std::floor(left), -Far, Far)),
                           static_cast<int32_t>(std::clamp(std::floor(top), -Far, Far)),
                           static_cast<int32_t>(std::clamp(std::ceil(right), -Far, Far)),
                           static_cast<int32_t>(std::clamp(std::ceil(bottom), -Far, Far))};
  TRegion visible;
  DrawableRegion(*g, w, h, visible.R);
  *result = box.x1 < box.x2 && box.y1 < box.y2 &&
                    pixman_region32_contains_rectangle(&visible.R, &box) != PIXMAN_REGION_OUT
                ? TRUE
                : FALSE;
  return Ok;
}

// A memory DC on a 32-bit copy of the image, for GDI to draw on.
GpStatus LendImageDC(GpGraphics& g, HDC& hdc) {
  const GpBitmap& image = *g.Image;
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = image.Width;
  bi.bmiHeader.biHeight = -image.Height;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return OutOfMemory;
  auto* pixels = static_cast<DWORD*>(bits);
  ReadPremultiplied(image, 0, 0, image.Width, image.Height, pixels);
  g.LentBefore.assign(pixels, pixels + static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height));
  hdc = CreateCompatibleDC(nullptr);
  g.LentOldBitmap = SelectObject(hdc, dib);
  g.LentBitmap = dib;
  return Ok;
}

// The DC itself, its state saved and the snapshot's surface, origins and
// clip put back.
GpStatus LendOwnDC(GpGraphics& g, HDC& hdc) {
  TDeviceContext* dc = DCLookup(g.DC);
  INT w = 0, h = 0;
  GpStatus status = Ok;
  TargetSize(g, w, h, status);
  if (!dc || status != Ok) return Win32Error;
  g.LentLevel = SaveDC(g.DC);
  if (!g.Window && dc->State.Bitmap != g.Snapshot.Bitmap) SelectObject(g.DC, g.Snapshot.Bitmap);
  TDCState& state = dc->State;
  state.WindowOrg = g.Snapshot.WindowOrg;
  state.ViewportOrg = g.Snapshot.ViewportOrg;
  state.HasClip = g.Snapshot.HasClip;
  state.Clip = g.Snapshot.Clip;
  hdc = g.DC;
  return Ok;
}

}  // namespace

GpGraphics::GpGraphics() {
  cairo_matrix_init_identity(&State.World);
  State.Clip = UnlimitedRegion();
}

GpGraphics::~GpGraphics() { TakeBackDC(false); }

void GpGraphics::TakeBackDC(bool writeBack) {
  if (!Lent) return;
  if (LentBitmap) {
    if (writeBack) {
      const auto* dib = GdiLookupAs<TBitmapObject>(LentBitmap, OBJ_BITMAP);
      WriteChanged(*Image, 0, 0, Image->Width, Image->Height, reinterpret_cast<const DWORD*>(dib->Storage.data()),
                   LentBefore.data());
    }
    SelectObject(Lent, LentOldBitmap);
    DeleteDC(Lent);
    DeleteObject(LentBitmap);
    LentBitmap = nullptr;
    LentBefore = {};
  } else if (DCLookup(Lent)) {
    RestoreDC(Lent, LentLevel);
  }
  Lent = nullptr;
}

cairo_matrix_t GpGraphics::DeviceMatrix() const {
  cairo_matrix_t m = State.World;
  if (!Image) {
    const POINT origin = DeviceOf(Snapshot, 0, 0);
    cairo_matrix_t page;
    cairo_matrix_init_translate(&page, origin.X, origin.Y);
    cairo_matrix_multiply(&m, &m, &page);
  }
  return m;
}

GpStatus UsableGraphics(GpGraphics* handle, GpGraphics*& graphics) {
  graphics = LookupObject<GpGraphics>(handle);
  if (!graphics) return InvalidParameter;
  return graphics->Lent ? ObjectBusy : Ok;
}

GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !graphics) return InvalidParameter;
  auto g = std::make_unique<GpGraphics>();
  g->DC = hdc;
  g->Snapshot = dc->State;
  g->Window = dc->Window;
  if (dc->State.HasClip || dc->Visible) {
    TRegion clip(*(dc->State.HasClip ? dc->State.Clip : dc->Visible));
    if (dc->State.HasClip && dc->Visible)
      pixman_region32_intersect(&clip.R, &clip.R, const_cast<pixman_region32_t*>(dc->Visible.get()));
    g->DCClip = MakeSharedRegion(clip.R);
  }
  *graphics = AddObject(std::move(g));
  return Ok;
}

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpBitmap* b = LookupObject<GpBitmap>(image);
  if (!b || !graphics) return InvalidParameter;
  auto g = std::make_unique<GpGraphics>();
  g->Image = b;
  ++b->Graphics;
  *graphics = AddObject(std::move(g));
  return Ok;
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = LookupObject<GpGraphics>(graphics);
  if (!g) return InvalidParameter;
  if (g->Image) --g->Image->Graphics;
  RemoveObject(g);
  return Ok;
}

GpStatus GdipGetDC(GpGraphics* graphics, HDC* hdc) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (!hdc) return InvalidParameter;
  HDC lent = nullptr;
  if (const GpStatus s = g->Image ? LendImageDC(*g, lent) : LendOwnDC(*g, lent); s != Ok) return s;
  g->Lent = lent;
  *hdc = lent;
  return Ok;
}

GpStatus GdipReleaseDC(GpGraphics* graphics, HDC hdc) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = LookupObject<GpGraphics>(graphics);
  if (!g || !hdc) return InvalidParameter;
  if (hdc != g->Lent) return g->Lent ? InvalidParameter : WrongState;
  g->TakeBackDC(true);
  return Ok;
}

GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  return ClearOn(*g, color);
}

GpStatus GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode interpolationMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (interpolationMode < InterpolationModeDefault || interpolationMode > InterpolationModeHighQualityBicubic)
    return InvalidParameter;
  g->State.Interpolation = interpolationMode;
  return Ok;
}

GpStatus GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* interpolationMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (!interpolationMode) return InvalidParameter;
  *interpolationMode = g->State.Interpolation;
  return Ok;
}

GpStatus GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode smoothingMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (smoothingMode < SmoothingModeDefault || smoothingMode > SmoothingModeAntiAlias) return InvalidParameter;
  g->State.Smoothing = smoothingMode;
  return Ok;
}

GpStatus GdipGetSmoothingMode(GpGraphics* graphics, SmoothingMode* smoothingMode) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (!smoothingMode) return InvalidParameter;
  *smoothingMode = g->State.Smoothing;
  return Ok;
}

GpStatus GdipIsVisibleRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, BOOL* result) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return IsVisibleRect(graphics, x, y, width, height, result);
}

GpStatus GdipIsVisibleRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, BOOL* result) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  return IsVisibleRect(graphics, x, y, width, height, result);
}

GpStatus GdipSaveGraphics(GpGraphics* graphics, GraphicsState* state) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  if (!state) return InvalidParameter;
  *state = ++g->LastSaved;
  g->Saved.emplace_back(*state, g->State);
  return Ok;
}

GpStatus GdipRestoreGraphics(GpGraphics* graphics, GraphicsState state) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  const auto saved = std::find_if(g->Saved.begin(), g->Saved.end(), [state](const auto& s) { return s.first == state; });
  if (saved == g->Saved.end()) return InvalidParameter;
  g->State = saved->second;
  g->Saved.erase(saved, g->Saved.end());
  return Ok;
}

GpStatus GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  const GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m || !Invertible(m->M)) return InvalidParameter;
  g->State.World = m->M;
  return Ok;
}

GpStatus GdipResetWorldTransform(GpGraphics* graphics) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpGraphics* g = nullptr;
  if (const GpStatus s = UsableGraphics(graphics, g); s != Ok) return s;
  cairo_matrix_init_identity(&g->State.World);
  return Ok;
}

GpStatus GdipMultiplyWorldTransform(GpGraphics* graphics, const GpMatrix* matrix, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpMatrix* m = LookupObject<GpMatrix>(matrix);
  if (!m) return InvalidParameter;
  return Transform(graphics, m->M, order);
}

GpStatus GdipTranslateWorldTransform(GpGraphics* graphics, REAL dx, REAL dy, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  cairo_matrix_t op;
  cairo_matrix_init_translate(&op, dx, dy);
  return Transform(graphics, op, order);
}

GpStatus GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  cairo_matrix_t op;
  cairo_matrix_init_scale(&op, sx, sy);
  return Transform(graphics, op, order);
}

GpStatus GdipRotateWorldTransform(GpGraphics* graphics, REAL angle, GpMatrixOrder order) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  cairo_matrix_t op;
  cairo_matrix_init_rotate(&op, angle * M_PI / 180);
  return Transform(graphics, op, order);
}

}  // namespace Gdiplus
