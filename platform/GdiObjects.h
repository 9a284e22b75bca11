#pragma once
// The objects behind GDI handles, shared by the platform's GDI sources only.

#include <pixman.h>

#include <memory>
#include <vector>

#include "platform/Gdi.h"
#include "platform/GdiText.h"

class TFontFace;
struct HWND__;
using HWND = HWND__*;

struct TGdiObject {
  explicit TGdiObject(DWORD type) : Type(type) {}
  virtual ~TGdiObject() = default;
  DWORD Type;
  bool Stock = false;
  int SelectCount = 0;  // DCs it is selected into
};

// Pixels: 1 bit (rows of bytes, most significant bit first), 24 bits (BGR)
// or 32 bits (BGRA); rows padded to 4 bytes. Row 0 is the top row; Rows
// point at each row in memory, so bottom-up DIBs read the same way.
struct TBitmapObject : TGdiObject {
  TBitmapObject() : TGdiObject(OBJ_BITMAP) {}
  LONG Width = 0;
  LONG Height = 0;
  WORD BitsPerPixel = 0;
  LONG Stride = 0;
  bool IsDIBSection = false;
  bool TopDown = false;  // for DIB sections: as the header asked
  RGBQUAD ColorTable[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  std::vector<BYTE> Storage;

  BYTE* Row(LONG y) { return Storage.data() + static_cast<size_t>(TopDown || !IsDIBSection ? y : Height - 1 - y) * Stride; }
  const BYTE* Row(LONG y) const { return const_cast<TBitmapObject*>(this)->Row(y); }
  // The first row in memory, as CreateDIBSection hands it out.
  BYTE* Bits() { return Storage.data(); }
};

struct TBrushObject : TGdiObject {
  TBrushObject() : TGdiObject(OBJ_BRUSH) {}
  LOGBRUSH Description;
  // BS_PATTERN: a private copy of the pattern bitmap, and whether it is a
  // monochrome device-dependent one (mapped through the DC's colours).
  std::unique_ptr<TBitmapObject> Pattern;
  bool IsDCBrush = false;
};

struct TPenObject : TGdiObject {
  TPenObject() : TGdiObject(OBJ_PEN) {}
  LOGPEN Description;
  bool IsDCPen = false;
};

struct TFontObject : TGdiObject {
  TFontObject() : TGdiObject(OBJ_FONT) {}
  LOGFONTW Description;
  bool Realized = false;
  std::shared_ptr<TFontFace> Face;  // realised on first use; nullptr if no font is installed
  TEXTMETRICW Metrics;              // the face's, completed from the description
};

struct TRegionObject : TGdiObject {
  TRegionObject() : TGdiObject(OBJ_REGION) { pixman_region32_init(&Region); }
  ~TRegionObject() override { pixman_region32_fini(&Region); }
  pixman_region32_t Region;
};

// Drawing state, saved whole by SaveDC.
struct TDCState {
  HBITMAP Bitmap = nullptr;
  HBRUSH Brush = nullptr;
  HPEN Pen = nullptr;
  HFONT Font = nullptr;
  POINT ViewportOrg;
  POINT WindowOrg;
  POINT BrushOrg;
  int BkMode = OPAQUE;
  COLORREF BkColor = RGB(255, 255, 255);
  COLORREF TextColor = RGB(0, 0, 0);
  int Rop2 = R2_COPYPEN;
  int StretchMode = BLACKONWHITE;
  COLORREF DCBrushColor = RGB(255, 255, 255);
  COLORREF DCPenColor = RGB(0, 0, 0);
  POINT CurrentPos;
  int PolyFillMode = 1;  // ALTERNATE
  UINT TextAlign = 0;
  int JustifyExtra = 0;
  int JustifyCount = 0;
  bool HasClip = false;
  std::shared_ptr<const pixman_region32_t> Clip;  // surface coordinates
  // Where a window DC's device origin lies on its surface; (0, 0) for others.
  // Device coordinates seen by callers are surface coordinates minus this.
  POINT DCOrigin;
};

// A path: recorded between BeginPath and EndPath (Open), then ready for
// WidenPath and PathToRegion. Points in callers' device coordinates.
struct TGdiPath {
  struct TFigure {
    std::vector<POINT> Points;
    bool Closed = false;
  };
  bool Open = true;
  std::vector<TFigure> Figures;
};

struct TDeviceContext {
  bool IsScreen = false;
  TDCState State;
  std::vector<TDCState> Saved;
  std::unique_ptr<TGdiPath> Path;
  // A window DC draws on its top-level window's surface, never outside the
  // window's visible region (surface coordinates).
  HWND Window = nullptr;
  std::shared_ptr<const pixman_region32_t> Visible;
};

// The path a drawing call adds its outline to instead of drawing, while one
// is being recorded; nullptr otherwise.
TGdiPath* RecordingPath(TDeviceContext* dc);
// Logical points added to the recording path: a figure begun at a point (the
// current position's), a line from the current position, or a whole figure.
void PathMoveTo(TDeviceContext* dc, int x, int y);
void PathLineTo(TDeviceContext* dc, int x, int y);
void PathAddFigure(TDeviceContext* dc, const POINT* points, int count, bool closed);
// A rectangle with corners rounded by ellipses of width x height (the whole
// ellipse when they span the box) added as a closed figure.
void PathAddRoundRect(TDeviceContext* dc, int left, int top, int right, int bottom, int width, int height);

// A window DC: its surface is WindowDCSurface(window); nothing is drawn
// outside visible. ReleaseWindowDC frees it, DeleteDC refuses it.
HDC CreateWindowDC(HWND window, POINT origin, const pixman_region32_t& visible);
bool ReleaseWindowDC(HDC hdc);
// The pixels a window DC draws on (the window manager's side), or nullptr.
TBitmapObject* WindowDCSurface(HWND window);

TGdiObject* GdiLookup(HGDIOBJ h);
template <typename T>
T* GdiLookupAs(HGDIOBJ h, DWORD type) {
  TGdiObject* o = GdiLookup(h);
  return o && o->Type == type ? static_cast<T*>(o) : nullptr;
}
// Takes ownership and returns the new handle.
HGDIOBJ GdiAdd(std::unique_ptr<TGdiObject> object);
TDeviceContext* DCLookup(HDC hdc);
// Objects alive, stock ones not counted.
int GdiLiveObjectCount();
// Makes the object a stock one: never deleted, not counted.
void GdiMakeStock(HGDIOBJ h);

// The stock fonts, made when the other stock objects are.
void CreateStockFonts(HGDIOBJ* stock);
// The DC's font realised, the system font when none is selected; nullptr
// when no font is installed.
TFontObject* DCFont(TDeviceContext* dc);

// One ring of a three-dimensional edge: its system colours.
struct TEdgeRing {
  int TopLeft;
  int BottomRight;
};
// The rings DrawEdge draws for the edge and flags, outer first; the count.
int EdgeRings(UINT edge, UINT flags, TEdgeRing rings[2]);

// The surface a DC draws on, or nullptr.
TBitmapObject* DCSurface(TDeviceContext* dc);

std::shared_ptr<const pixman_region32_t> MakeSharedRegion(const pixman_region32_t& source);

// An owned pixman region, for temporaries.
struct TRegion {
  pixman_region32_t R;
  TRegion() { pixman_region32_init(&R); }
  explicit TRegion(const pixman_region32_t& source) {
    pixman_region32_init(&R);
    pixman_region32_copy(&R, const_cast<pixman_region32_t*>(&source));
  }
  TRegion(const TRegion&) = delete;
  TRegion& operator=(const TRegion&) = delete;
  ~TRegion() { pixman_region32_fini(&R); }
};

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
inline int RegionComplexity(const pixman_region32_t& r) {
  const int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&r));
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// One pixel as 32-bit BGRA: 1-bit DIB sections through their colour table,
// monochrome device bitmaps as black and white, 24-bit pixels with alpha 0.
DWORD ReadPixel(const TBitmapObject& bitmap, LONG x, LONG y);
// Which of a 1-bit bitmap's two colours lies nearer a pixel: its colour
// table's, or black and white for device bitmaps; ties go to 0.
int NearestMonoIndex(const TBitmapObject& bitmap, DWORD bgra);
// A 1-bit target takes the nearer of its two colours.
void WritePixel(TBitmapObject& bitmap, LONG x, LONG y, DWORD bgra);
// A new bitmap of the size and depth, zero-filled; nullptr when too large.
std::unique_ptr<TBitmapObject> NewBitmap(LONG width, LONG height, WORD bitsPerPixel);

// COLORREF (0x00BBGGRR) to a BGRA pixel with alpha 0, and back.
inline DWORD ColorToBGRA(COLORREF c) { return (c & 0x00FF00) | ((c & 0xFF) << 16) | ((c >> 16) & 0xFF); }
inline COLORREF BGRAToColor(DWORD bgra) { return (bgra & 0x00FF00) | ((bgra & 0xFF) << 16) | ((bgra >> 16) & 0xFF); }

// Logical to device: no scaling, only the two origins.
inline POINT DeviceOf(const TDCState& s, int x, int y) {
  return {x - s.WindowOrg.X + s.ViewportOrg.X + s.DCOrigin.X, y - s.WindowOrg.Y + s.ViewportOrg.Y + s.DCOrigin.Y};
}

// Where an operation may write: the device rectangle within the surface, a
// window DC's visible region and the clip. The caller finishes the region.
void TargetRegion(TDeviceContext* dc, const TBitmapObject& surface, LONG l, LONG t, LONG r, LONG b,
                  pixman_region32_t& out);

// Calls visit(y, x1, x2) for every row span [x1, x2) of the target region.
template <typename Visit>
void ForRows(TDeviceContext* dc, TBitmapObject& surface, LONG l, LONG t, LONG r, LONG b, Visit visit) {
  pixman_region32_t region;
  TargetRegion(dc, surface, l, t, r, b, region);
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&region, &n);
  for (int i = 0; i < n; ++i)
    for (LONG y = boxes[i].y1; y < boxes[i].y2; ++y) visit(y, boxes[i].x1, boxes[i].x2);
  pixman_region32_fini(&region);
}

// Calls visit(x, y) for every device pixel of the target region.
template <typename Visit>
void ForTarget(TDeviceContext* dc, TBitmapObject& surface, LONG l, LONG t, LONG r, LONG b, Visit visit) {
  ForRows(dc, surface, l, t, r, b, [&](LONG y, LONG x1, LONG x2) {
    for (LONG x = x1; x < x2; ++x) visit(x, y);
  });
}
