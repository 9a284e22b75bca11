#pragma once
// Rectangle, point and size helpers, their single-precision twins, and small
// persistent geometry objects that tell of their changes.

#include "controls/cxClasses.h"
#include "host/Types.h"

inline constexpr TRect cxNullRect{0, 0, 0, 0};
inline constexpr TSize cxNullSize{0, 0};
inline constexpr TPoint cxNullPoint{0, 0};
inline constexpr TRect cxSimpleRect{1, 1, 1, 1};
inline constexpr TPoint cxSimplePoint{1, 1};
inline constexpr TPoint cxInvalidPoint{-1, -1};

constexpr TPoint cxPoint(Integer X, Integer Y) { return {X, Y}; }
constexpr TSize cxSize(Integer cx, Integer cy) { return {cx, cy}; }
constexpr TRect cxRect(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) {
  return {ALeft, ATop, ARight, ABottom};
}
constexpr TRect cxRect(const TPoint& ATopLeft, const TPoint& ABottomRight) {
  return {ATopLeft.X, ATopLeft.Y, ABottomRight.X, ABottomRight.Y};
}
// (0, 0) to the size.
constexpr TRect cxRect(const TSize& ASize) { return {0, 0, ASize.cx, ASize.cy}; }

constexpr Integer cxRectWidth(const TRect& R) { return R.Right - R.Left; }
constexpr Integer cxRectHeight(const TRect& R) { return R.Bottom - R.Top; }
constexpr TSize cxRectSize(const TRect& R) { return {R.Right - R.Left, R.Bottom - R.Top}; }
// No area: inverted rectangles count as empty.
constexpr bool cxRectIsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// Left - ALeft, Top - ATop, Right + ARight, Bottom + ABottom.
TRect cxRectInflate(const TRect& R, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
// Both corners moved by (DX, DY), or by (-DX, -DY) when not APositive.
TRect cxRectOffset(const TRect& R, Integer DX, Integer DY, bool APositive = true);
// Left <= X < Right and Top <= Y < Bottom.
bool cxRectPtIn(const TRect& R, Integer X, Integer Y);
bool cxRectPtIn(const TRect& R, const TPoint& P);
// The side moved to ALeft (ATop), the extent AWidth (AHeight) from there.
TRect cxRectSetLeft(const TRect& R, Integer ALeft, Integer AWidth);
TRect cxRectSetTop(const TRect& R, Integer ATop, Integer AHeight);
// A rectangle of that size centred in R; the odd pixel of the spare space
// goes right and down.
TRect cxRectCenter(const TRect& R, Integer AWidth, Integer AHeight);
TRect cxRectCenter(const TRect& R, const TSize& ASize);
// The largest rectangle of the aspect AWidth : AHeight at R's top-left; R
// itself when any of the sizes is 0 or less.
TRect cxRectProportionalStretch(const TRect& R, Integer AWidth, Integer AHeight);
// R shrunk by the margins a rectangle holds (its Left is the left margin...).
TRect cxRectContent(const TRect& R, const TRect& AMargins);

TPoint cxPointOffset(const TPoint& P, Integer DX, Integer DY, bool APositive = true);
constexpr bool cxSizeIsEqual(const TSize& S1, const TSize& S2) { return S1 == S2; }

// Single-precision points and rectangles.
struct TdxPointF {
  Single X = 0;
  Single Y = 0;
  friend bool operator==(const TdxPointF&, const TdxPointF&) = default;
};

struct TdxRectF {
  Single Left = 0;
  Single Top = 0;
  Single Right = 0;
  Single Bottom = 0;
  friend bool operator==(const TdxRectF&, const TdxRectF&) = default;
};

constexpr TdxPointF dxPointF(Single X, Single Y) { return {X, Y}; }
constexpr TdxRectF dxRectF(Single ALeft, Single ATop, Single ARight, Single ABottom) {
  return {ALeft, ATop, ARight, ABottom};
}
TdxRectF cxRectContent(const TdxRectF& R, const TdxRectF& AMargins);

// A geometry value owned by another object, which OnChange tells of every
// real change.
class TcxGeometryObject : public TcxOwnedPersistent {
  HOST_CLASS(TcxGeometryObject);

  explicit TcxGeometryObject(TPersistent* AOwner) : TcxOwnedPersistent(AOwner) {}

  TNotifyEvent OnChange;

 protected:
  virtual void DoChange();
  // Stores Value and calls DoChange when it differs.
  void Update(Integer& AField, Integer Value);
};

class TcxRect : public TcxGeometryObject {
  HOST_CLASS(TcxRect);

  explicit TcxRect(TPersistent* AOwner) : TcxGeometryObject(AOwner) {}

  void Assign(TPersistent* Source) override;
  bool IsEqual(const TRect& R) const { return FRect == R; }
  bool IsEmpty() const { return cxRectIsEmpty(FRect); }

  const TRect& GetRect() const { return FRect; }
  // One change notification for the whole rectangle.
  void SetRect(const TRect& Value);
  Integer GetLeft() const { return FRect.Left; }
  void SetLeft(Integer Value) { Update(FRect.Left, Value); }
  Integer GetTop() const { return FRect.Top; }
  void SetTop(Integer Value) { Update(FRect.Top, Value); }
  Integer GetRight() const { return FRect.Right; }
  void SetRight(Integer Value) { Update(FRect.Right, Value); }
  Integer GetBottom() const { return FRect.Bottom; }
  void SetBottom(Integer Value) { Update(FRect.Bottom, Value); }
  Integer GetWidth() const { return cxRectWidth(FRect); }
  // Moves the right side.
  void SetWidth(Integer Value) { SetRight(FRect.Left + Value); }
  Integer GetHeight() const { return cxRectHeight(FRect); }
  // Moves the bottom side.
  void SetHeight(Integer Value) { SetBottom(FRect.Top + Value); }

 private:
  TRect FRect;
};

class TcxSize : public TcxGeometryObject {
  HOST_CLASS(TcxSize);

  explicit TcxSize(TPersistent* AOwner) : TcxGeometryObject(AOwner) {}

  void Assign(TPersistent* Source) override;
  bool IsEqual(const TSize& S) const { return FSize == S; }

  const TSize& GetSize() const { return FSize; }
  void SetSize(const TSize& Value);
  Integer GetWidth() const { return FSize.cx; }
  void SetWidth(Integer Value) { Update(FSize.cx, Value); }
  Integer GetHeight() const { return FSize.cy; }
  void SetHeight(Integer Value) { Update(FSize.cy, Value); }

 private:
  TSize FSize;
};

// Four margins, kept as a rectangle whose sides are the margins.
class TcxMargin : public TcxGeometryObject {
  HOST_CLASS(TcxMargin);

  explicit TcxMargin(TPersistent* AOwner) : TcxGeometryObject(AOwner) {}

  void Assign(TPersistent* Source) override;
  bool IsEqual(const TRect& AMargin) const { return FMargin == AMargin; }

  const TRect& GetMargin() const { return FMargin; }
  void SetMargin(const TRect& Value);
  // The margin when all four agree, else -1.
  Integer GetAll() const;
  void SetAll(Integer Value) { SetMargin({Value, Value, Value, Value}); }
  Integer GetLeft() const { return FMargin.Left; }
  void SetLeft(Integer Value) { Update(FMargin.Left, Value); }
  Integer GetTop() const { return FMargin.Top; }
  void SetTop(Integer Value) { Update(FMargin.Top, Value); }
  Integer GetRight() const { return FMargin.Right; }
  void SetRight(Integer Value) { Update(FMargin.Right, Value); }
  Integer GetBottom() const { return FMargin.Bottom; }
  void SetBottom(Integer Value) { Update(FMargin.Bottom, Value); }

 private:
  TRect FMargin;
};
