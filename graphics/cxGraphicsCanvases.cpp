// The canvases of cxGraphics beside the plain one: a control's while it
// paints, the screen's, and the nesting paint canvas; and a bitmap's.
#include "graphics/cxGraphics.h"
#include "platform/Painting.h"
#include "platform/WindowManager.h"

namespace {

// The brush style of a brush description: hatched ones by their hatch.
TBrushStyle BrushStyleOf(const LOGBRUSH& ABrush) {
  switch (ABrush.lbStyle) {
    case BS_NULL: return bsClear;
    case BS_HATCHED: return static_cast<TBrushStyle>(bsHorizontal + ABrush.lbHatch);
    default: return bsSolid;
  }
}

// A host canvas's font, brush and pen as the objects selected into DC say,
// and the font's colour as its text colour.
void SynchronizeObjects(TCanvas* ACanvas, HDC DC) {
  TFont* font = ACanvas->GetFont();
  font->SetHandle(static_cast<HFONT>(GetCurrentObject(DC, OBJ_FONT)));
  font->SetColor(static_cast<TColor>(GetTextColor(DC)));
  LOGBRUSH brush;
  if (GetObjectW(GetCurrentObject(DC, OBJ_BRUSH), sizeof brush, &brush) == static_cast<int>(sizeof brush)) {
    ACanvas->GetBrush()->SetColor(static_cast<TColor>(brush.lbColor));
    ACanvas->GetBrush()->SetStyle(BrushStyleOf(brush));
  }
  LOGPEN pen;
  if (GetObjectW(GetCurrentObject(DC, OBJ_PEN), sizeof pen, &pen) == static_cast<int>(sizeof pen)) {
    TPen* target = ACanvas->GetPen();
    target->SetColor(static_cast<TColor>(pen.lopnColor));
    target->SetStyle(pen.lopnStyle <= PS_INSIDEFRAME ? static_cast<TPenStyle>(pen.lopnStyle) : psSolid);
    target->SetWidth(pen.lopnWidth.X);
    target->SetMode(ROP2ToPenMode(GetROP2(DC)));
  }
}

}  // namespace

// --- TcxControlCanvas ------------------------------------------------------------------

HOST_CLASS_INFO(TcxControlCanvas, TcxCanvas, nullptr)

void TcxControlCanvas::BeginPaint() {
  GetWindowOrgEx(GetHandle(), &FOrigin);
  SetBrushOrgEx(GetHandle(), FOrigin.X, FOrigin.Y, &FBrushOrigin);
}

void TcxControlCanvas::EndPaint() {
  SetBrushOrgEx(GetHandle(), FBrushOrigin.X, FBrushOrigin.Y, nullptr);
  FOrigin = cxNullPoint;
  FBrushOrigin = cxNullPoint;
}

TPoint TcxControlCanvas::GetWindowOrg() const {
  const TPoint origin = TcxCanvas::GetWindowOrg();
  return {origin.X - FOrigin.X, origin.Y - FOrigin.Y};
}

void TcxControlCanvas::SetWindowOrg(const TPoint& P) { TcxCanvas::SetWindowOrg({P.X + FOrigin.X, P.Y + FOrigin.Y}); }

TPoint TcxControlCanvas::GetDCOrigin() const {
  const TPoint viewport = GetViewportOrg(), window = TcxCanvas::GetWindowOrg();
  return {viewport.X - window.X, viewport.Y - window.Y};
}

// --- TcxScreenCanvas ----------------------------------------------------------------------

// The desktop window's device context, taken when first needed and locked
// against window updates meanwhile.
class TcxScreenCanvas::TScreenCanvas : public TCanvas {
 public:
  ~TScreenCanvas() override { ReleaseHandle(); }

  void ReleaseHandle() {
    if (!FDC) return;
    SetHandle(nullptr);
    ReleaseDC(GetDesktopWindow(), FDC);
    FDC = nullptr;
  }

 protected:
  void CreateHandle() override {
    FDC = GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    SetHandle(FDC);
  }

 private:
  HDC FDC = nullptr;
};

HOST_CLASS_INFO(TcxScreenCanvas, TcxCanvas, &CreateDefault<TcxScreenCanvas>)

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(nullptr), FScreenCanvas(std::make_unique<TScreenCanvas>()) {
  SetCanvas(FScreenCanvas.get());
}

TcxScreenCanvas::~TcxScreenCanvas() = default;

void TcxScreenCanvas::Dormant() { FScreenCanvas->ReleaseHandle(); }

// --- TcxPaintCanvas -------------------------------------------------------------------------

HOST_CLASS_INFO(TcxPaintCanvas, TcxCanvas, &CreateDefault<TcxPaintCanvas>)

TcxPaintCanvas::TcxPaintCanvas() : TcxCanvas(nullptr) {}

TcxPaintCanvas::~TcxPaintCanvas() = default;

void TcxPaintCanvas::BeginPaint(HDC DC) {
  TcxPaintCanvasState state{GetCanvas(), ::SaveDC(DC), std::make_unique<TCanvas>()};
  state.Wrapper->SetHandle(DC);
  SynchronizeObjects(state.Wrapper.get(), DC);
  SetCanvas(state.Wrapper.get());
  FSavedStates.push_back(std::move(state));
  ++FCounter;
  SaveState();
}

void TcxPaintCanvas::BeginPaint(TCanvas* ACanvas) {
  FSavedStates.push_back({GetCanvas(), 0, nullptr});
  SetCanvas(ACanvas);
  ++FCounter;
  SaveState();
}

void TcxPaintCanvas::EndPaint() {
  if (FCounter == 0) return;
  RestoreState();
  --FCounter;
  TcxPaintCanvasState state = std::move(FSavedStates.back());
  FSavedStates.pop_back();
  if (state.Wrapper) {
    HDC dc = state.Wrapper->GetHandle();
    // The wrapper puts back the objects it found before the state goes back.
    state.Wrapper.reset();
    ::RestoreDC(dc, state.SaveDC);
  }
  SetCanvas(state.PrevCanvas);
}

// --- The bitmap's canvas ------------------------------------------------------------------------

TcxCanvas* TcxBitmap::GetcxCanvas() {
  if (!FcxCanvas) FcxCanvas.reset(new TcxCanvas(GetCanvas()));
  return FcxCanvas.get();
}
