#pragma once
// Scope guards for the graphics units' own device contexts and GDI objects,
// so that every exit gives back what was taken. Private to graphics/.

#include <utility>

#include "platform/Gdi.h"
#include "platform/Painting.h"

// A memory device context, deleted at the end of the scope.
class TMemoryDC {
 public:
  TMemoryDC() : FDC(CreateCompatibleDC(nullptr)) {}
  ~TMemoryDC() {
    if (FDC) DeleteDC(FDC);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  operator HDC() const { return FDC; }

 private:
  HDC FDC;
};

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

// An object selected into a device context, the previous one selected back
// at the end of the scope.
class TSelectObject {
 public:
  TSelectObject(HDC DC, HGDIOBJ AObject) : FDC(DC), FOld(SelectObject(DC, AObject)) {}
  ~TSelectObject() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
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
using TStretchBltModeScope = TDCSetting<int, &SetStretchBltMode>;
