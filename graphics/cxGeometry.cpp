#include "graphics/cxGeometry.h"

HOST_CLASS_INFO(TcxGeometryObject, TcxOwnedPersistent, nullptr)
HOST_CLASS_INFO(TcxRect, TcxGeometryObject, nullptr)
HOST_CLASS_INFO(TcxSize, TcxGeometryObject, nullptr)
HOST_CLASS_INFO(TcxMargin, TcxGeometryObject, nullptr)

namespace {

// Rounds towards minus infinity, so that centring in negative coordinates
// leaves the odd pixel on the same side as in positive ones.
Integer FloorHalf(Int64 A) { return static_cast<Integer>(A >= 0 ? A / 2 : -((-A + 1) / 2)); }

}  // namespace

TRect cxRectInflate(const TRect& R, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) {
  return {R.Left - ALeft, R.Top - ATop, R.Right + ARight, R.Bottom + ABottom};
}

TRect cxRectOffset(const TRect& R, Integer DX, Integer DY, bool APositive) {
  if (!APositive) DX = -DX, DY = -DY;
  return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}

bool cxRectPtIn(const TRect& R, Integer X, Integer Y) {
  return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

bool cxRectPtIn(const TRect& R, const TPoint& P) { return cxRectPtIn(R, P.X, P.Y); }

TRect cxRectSetLeft(const TRect& R, Integer ALeft, Integer AWidth) {
  return {ALeft, R.Top, ALeft + AWidth, R.Bottom};
}

TRect cxRectSetTop(const TRect& R, Integer ATop, Integer AHeight) { return {R.Left, ATop, R.Right, ATop + AHeight}; }

TRect cxRectCenter(const TRect& R, Integer AWidth, Integer AHeight) {
  const Integer left = FloorHalf(Int64{R.Left} + R.Right - AWidth);
  const Integer top = FloorHalf(Int64{R.Top} + R.Bottom - AHeight);
  return {left, top, left + AWidth, top + AHeight};
}

TRect cxRectCenter(const TRect& R, const TSize& ASize) { return cxRectCenter(R, ASize.cx, ASize.cy); }

TRect cxRectProportionalStretch(const TRect& R, Integer AWidth, Integer AHeight) {
  const Int64 width = cxRectWidth(R), height = cxRectHeight(R);
  if (width <= 0 || height <= 0 || AWidth <= 0 || AHeight <= 0) return R;
  // Whole-number arithmetic: the truncated quotients come out exact, where
  // a floating-point aspect could fall a hair short of a whole pixel.
  TRect result = R;
  if (width * AHeight > height * AWidth)
    result.Right = R.Left + static_cast<Integer>(height * AWidth / AHeight);
  else
    result.Bottom = R.Top + static_cast<Integer>(width * AHeight / AWidth);
  return result;
}

TRect cxRectContent(const TRect& R, const TRect& AMargins) {
  return {R.Left + AMargins.Left, R.Top + AMargins.Top, R.Right - AMargins.Right, R.Bottom - AMargins.Bottom};
}

TdxRectF cxRectContent(const TdxRectF& R, const TdxRectF& AMargins) {
  return {R.Left + AMargins.Left, R.Top + AMargins.Top, R.Right - AMargins.Right, R.Bottom - AMargins.Bottom};
}

TPoint cxPointOffset(const TPoint& P, Integer DX, Integer DY, bool APositive) {
  return APositive ? TPoint{P.X + DX, P.Y + DY} : TPoint{P.X - DX, P.Y - DY};
}

// --- TcxGeometryObject -------------------------------------------------------

void TcxGeometryObject::DoChange() {
  if (OnChange) OnChange(this);
}

void TcxGeometryObject::Update(Integer& AField, Integer Value) {
  if (AField == Value) return;
  AField = Value;
  DoChange();
}

void TcxRect::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxRect*>(Source)) return SetRect(source->FRect);
  TcxGeometryObject::Assign(Source);
}

void TcxRect::SetRect(const TRect& Value) {
  if (FRect == Value) return;
  FRect = Value;
  DoChange();
}

void TcxSize::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxSize*>(Source)) return SetSize(source->FSize);
  TcxGeometryObject::Assign(Source);
}

void TcxSize::SetSize(const TSize& Value) {
  if (FSize == Value) return;
  FSize = Value;
  DoChange();
}

void TcxMargin::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxMargin*>(Source)) return SetMargin(source->FMargin);
  TcxGeometryObject::Assign(Source);
}

void TcxMargin::SetMargin(const TRect& Value) {
  if (FMargin == Value) return;
  FMargin = Value;
  DoChange();
}

Integer TcxMargin::GetAll() const {
  const bool same = FMargin.Left == FMargin.Top && FMargin.Top == FMargin.Right && FMargin.Right == FMargin.Bottom;
  return same ? FMargin.Left : -1;
}
