#pragma once
// Device-context state that goes back when a scope ends, however it ends: a
// saved DC, an object selected for a while, a memory DC with its bitmap.

#include "platform/Gdi.h"

// SaveDC now, RestoreDC at the end: colours, modes, origins, clipping and
// the selected objects all come back.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
  ~TSavedDC() {
    if (FSaved) RestoreDC(FDC, FSaved);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC FDC;
  int FSaved;
};

// An object selected into a DC; the one it replaced goes back at the end.
class TSelectedObject {
 public:
  TSelectedObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
  ~TSelectedObject() {
    if (FOld) SelectObject(FDC, FOld);
  }
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// A memory DC compatible with another (the screen when null), deleted at the
// end. Given a bitmap it takes it over: the bitmap stays selected while the
// DC lives and is deleted after it.
class TMemoryDC {
 public:
  explicit TMemoryDC(HDC compatible = nullptr) : FDC(CreateCompatibleDC(compatible)) {}
  TMemoryDC(HDC compatible, HBITMAP bitmap) : FDC(CreateCompatibleDC(compatible)), FBitmap(bitmap) {
    if (FDC && FBitmap) FOldBitmap = SelectObject(FDC, FBitmap);
  }
  ~TMemoryDC() {
    if (FOldBitmap) SelectObject(FDC, FOldBitmap);
    if (FDC) DeleteDC(FDC);
    if (FBitmap) DeleteObject(FBitmap);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  HDC Handle() const { return FDC; }
  operator HDC() const { return FDC; }

 private:
  HDC FDC;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};
