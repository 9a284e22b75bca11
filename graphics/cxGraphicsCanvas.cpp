// The canvas of cxGraphics: its host canvas's properties, origins, the
// stacks of saved device contexts, clip regions and font/brush/pen states,
// clipping, and view params.
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "platform/Painting.h"

HOST_CLASS_INFO(TcxCanvas, TObject, nullptr)

TcxCanvas::TcxCanvas(TCanvas* ACanvas) : FCanvas(ACanvas) {}

TcxCanvas::~TcxCanvas() = default;

Integer TcxCanvas::GetDpiX() const { return GetDeviceCaps(GetHandle(), LOGPIXELSX); }
Integer TcxCanvas::GetDpiY() const { return GetDeviceCaps(GetHandle(), LOGPIXELSY); }

TPoint TcxCanvas::GetViewportOrg() const {
  TPoint p;
  GetViewportOrgEx(GetHandle(), &p);
  return p;
}

void TcxCanvas::SetViewportOrg(const TPoint& P) { SetViewportOrgEx(GetHandle(), P.X, P.Y, nullptr); }

TPoint TcxCanvas::GetWindowOrg() const {
  TPoint p;
  GetWindowOrgEx(GetHandle(), &p);
  return p;
}

void TcxCanvas::SetWindowOrg(const TPoint& P) { SetWindowOrgEx(GetHandle(), P.X, P.Y, nullptr); }

TPoint TcxCanvas::GetDCOrigin() const {
  const TPoint viewport = GetViewportOrg(), window = GetWindowOrg();
  return {viewport.X - window.X, viewport.Y - window.Y};
}

// --- Saved states ----------------------------------------------------------------

void TcxCanvas::SaveDC() {
  FCanvas->Lock();
  HDC dc = GetHandle();
  FSavedDCs.push_back({dc, ::SaveDC(dc)});
}

void TcxCanvas::RestoreDC() {
  if (FSavedDCs.empty()) return;
  const TcxDCState saved = FSavedDCs.back();
  FSavedDCs.pop_back();
  FCanvas->SetHandle(saved.Handle);
  ::RestoreDC(saved.Handle, saved.State);
  // The context may hold other objects now than the canvas thinks it does.
  FCanvas->Refresh();
  FCanvas->Unlock();
}

void TcxCanvas::SaveClipRegion() { FSavedRegions.emplace_back(GetClipRegion()); }

void TcxCanvas::RestoreClipRegion() {
  if (FSavedRegions.empty()) return;
  TcxRegion* region = FSavedRegions.back().release();
  FSavedRegions.pop_back();
  SetClipRegion(region, roSet);
}

void TcxCanvas::SaveState() {
  SaveDC();
  TcxCanvasState state{std::make_unique<TFont>(), std::make_unique<TBrush>(), std::make_unique<TPen>()};
  state.Font->Assign(GetFont());
  state.Brush->Assign(GetBrush());
  state.Pen->Assign(GetPen());
  FSavedStates.push_back(std::move(state));
}

void TcxCanvas::RestoreState() {
  if (FSavedStates.empty()) return;
  const TcxCanvasState state = std::move(FSavedStates.back());
  FSavedStates.pop_back();
  GetFont()->Assign(state.Font.get());
  GetBrush()->Assign(state.Brush.get());
  GetPen()->Assign(state.Pen.get());
  RestoreDC();
}

// --- Clipping ----------------------------------------------------------------------

TcxRegion* TcxCanvas::GetClipRegion(bool AConsiderOrigin) {
  auto* region = new TcxRegion;
  if (GetClipRgn(GetHandle(), region->GetHandle()) != 1)
    SetRectRgn(region->GetHandle(), 0, 0, cxMaxRegionSize, cxMaxRegionSize);
  if (AConsiderOrigin) {
    const TPoint origin = GetDCOrigin();
    region->Offset(-origin.X, -origin.Y);
  }
  return region;
}

void TcxCanvas::SetClipRegion(TcxRegion* ARegion, TcxRegionOperation AOperation, bool AConsiderOrigin,
                              bool ADestroyRegion) {
  if (!ARegion) return;
  if (AOperation != roSet) {
    TcxRegion* clip = GetClipRegion(AConsiderOrigin);
    clip->Combine(ARegion, AOperation, ADestroyRegion);
    SetClipRegion(clip, roSet, AConsiderOrigin, true);
    return;
  }
  const TPoint origin = AConsiderOrigin ? GetDCOrigin() : cxNullPoint;
  ARegion->Offset(origin.X, origin.Y);
  SelectClipRgn(GetHandle(), ARegion->GetHandle());
  if (ADestroyRegion) TObject::Free(ARegion);
  else ARegion->Offset(-origin.X, -origin.Y);
}

void TcxCanvas::ExcludeClipRect(const TRect& R) { ::ExcludeClipRect(GetHandle(), R.Left, R.Top, R.Right, R.Bottom); }

void TcxCanvas::IntersectClipRect(const TRect& R) {
  ::IntersectClipRect(GetHandle(), R.Left, R.Top, R.Right, R.Bottom);
}

bool TcxCanvas::RectVisible(const TRect& R) const { return ::RectVisible(GetHandle(), &R) != FALSE; }

bool TcxCanvas::RectFullyVisible(const TRect& R) {
  const std::unique_ptr<TcxRegion, TFreeObject> clip(GetClipRegion());
  TcxRegion rect(R);
  clip->Combine(&rect, roIntersect, false);
  return clip->IsEqual(&rect);
}

void TcxCanvas::ExcludeFrameRect(const TRect& R, Integer ALineWidth, TcxBorders ABorders) {
  for (TcxBorder border : {bLeft, bRight, bTop, bBottom})
    if (ABorders.Contains(border)) ExcludeClipRect(BorderStrip(R, border, ALineWidth));
}

// --- View params ---------------------------------------------------------------------

TcxViewParams TcxCanvas::GetParams() const { return {nullptr, GetBrush()->GetColor(), GetFont(), GetFont()->GetColor()}; }

void TcxCanvas::SetParams(const TcxViewParams& AParams) {
  SetBrushColor(AParams.Color);
  if (AParams.Font) GetFont()->Assign(AParams.Font);
  GetFont()->SetColor(AParams.TextColor);
}

void TcxCanvas::SetBrushColor(TColor Value) {
  if (GetBrush()->GetColor() != Value) GetBrush()->SetColor(Value);
}
