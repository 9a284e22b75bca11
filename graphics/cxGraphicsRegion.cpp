// The region wrapper of cxGraphics.
#include "graphics/cxGraphics.h"
#include "platform/Painting.h"
#include "platform/WindowManager.h"

namespace {

constexpr int RegionModes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};

}  // namespace

HOST_CLASS_INFO(TcxRegion, TObject, &CreateDefault<TcxRegion>)

TcxRegion::TcxRegion() : TcxRegion(cxNullRect) {}

TcxRegion::TcxRegion(HRGN AHandle) : FHandle(AHandle) {}

TcxRegion::TcxRegion(const TRect& ABounds) : FHandle(CreateRectRgnIndirect(&ABounds)) {}

TcxRegion::TcxRegion(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)
    : FHandle(CreateRectRgn(ALeft, ATop, ARight, ABottom)) {}

TcxRegion::TcxRegion(HWND AWindow) : TcxRegion() {
  if (GetWindowRgn(AWindow, FHandle) != ERROR) return;
  RECT r;
  if (GetWindowRect(AWindow, &r)) SetRectRgn(FHandle, 0, 0, r.Right - r.Left, r.Bottom - r.Top);
}

TcxRegion::TcxRegion(const TRect& ABounds, Integer AWidthEllepse, Integer AHeightEllepse)
    : FHandle(CreateRoundRectRgn(ABounds.Left + 1, ABounds.Top + 1, ABounds.Right, ABounds.Bottom, AWidthEllepse,
                                 AHeightEllepse)) {}

TcxRegion::~TcxRegion() {
  if (FHandle) DeleteObject(FHandle);
}

void TcxRegion::Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion) {
  if (!ARegion) return;
  if (AOperation == roSet) CombineRgn(FHandle, ARegion->FHandle, nullptr, RGN_COPY);
  else CombineRgn(FHandle, FHandle, ARegion->FHandle, RegionModes[AOperation]);
  if (ADestroyRegion && ARegion != this) TObject::Free(ARegion);
}

void TcxRegion::Combine(const TRect& R, TcxRegionOperation AOperation) {
  TcxRegion region(R);
  Combine(&region, AOperation, false);
}

bool TcxRegion::IsEqual(TcxRegion* ARegion) const { return ARegion && IsEqual(ARegion->FHandle); }

bool TcxRegion::IsEqual(HRGN ARegion) const {
  RECT box;
  if (IsEmpty() && GetRgnBox(ARegion, &box) <= NULLREGION) return true;
  return EqualRgn(FHandle, ARegion) != FALSE;
}

void TcxRegion::Offset(Integer DX, Integer DY) { OffsetRgn(FHandle, DX, DY); }

bool TcxRegion::PtInRegion(Integer X, Integer Y) const { return ::PtInRegion(FHandle, X, Y) != FALSE; }

bool TcxRegion::RectInRegion(const TRect& R) const { return ::RectInRegion(FHandle, &R) != FALSE; }

TRect TcxRegion::GetBoundsRect() const {
  RECT box;
  return GetRgnBox(FHandle, &box) <= NULLREGION ? cxNullRect : box;
}

bool TcxRegion::IsEmpty() const {
  RECT box;
  return GetRgnBox(FHandle, &box) <= NULLREGION;
}
