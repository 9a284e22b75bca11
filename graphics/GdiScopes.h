#pragma once
// Scope guards the graphics units add to the platform's (a memory DC, an
// object selected for a while): the screen's DC, an object of their own and
// a DC setting changed for a while, so that every exit gives back what was
// taken. Private to graphics/.

#include <utility>

#include "platform/DcGuards.h"
#include "platform/Painting.h"

// The screen's device context, released at the end of the scope.
class TScreenDC {
 public:
  TScreenDC() : FDC(GetDC(nullptr)) {}
  ~TScreenDC() {
    if (FDC) ReleaseDC(nullptr, FDC);
  }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  operator HDC() const { return FDC; }

 private:
  HDC FDC;
};

// An object of ours, deleted at the end of the scope (after anything
// declared later has let go of it).
template <typename H>
class TOwnedGdiObject {
 public:
  explicit TOwnedGdiObject(H AHandle) : FHandle(AHandle) {}
  ~TOwnedGdiObject() {
    if (FHandle) DeleteObject(FHandle);
  }
  TOwnedGdiObject(const TOwnedGdiObject&) = delete;
  TOwnedGdiObject& operator=(const TOwnedGdiObject&) = delete;
  operator H() const { return FHandle; }
  // Hands the object over to the caller.
  H Release() { return std::exchange(FHandle, nullptr); }

 private:
  H FHandle;
};

// A setting of a device context (background mode, text colour, stretch
// mode...) changed for the scope and put back at its end.
template <typename T, T (*Set)(HDC, T)>
class TDCSetting {
 public:
  TDCSetting(HDC DC, T Value) : FDC(DC), FOld(Set(DC, Value)) {}
  ~TDCSetting() { Set(FDC, FOld); }
  TDCSetting(const TDCSetting&) = delete;
  TDCSetting& operator=(const TDCSetting&) = delete;

 private:
  HDC FDC;
  T FOld;
};

using TBkModeScope = TDCSetting<int, &SetBkMode>;
using TTextColorScope = TDCSetting<COLORREF, &SetTextColor>;
using TBkColorScope = TDCSetting<COLORREF, &SetBkColor>;
using TStretchBltModeScope = TDCSetting<int, &SetStretchBltMode>;
