#pragma once
// The image library, started once for a benchmark run.

#include "platform/GdiPlus.h"

struct TImageLibrary {
  ULONG_PTR Token = 0;
  TImageLibrary() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&Token, &input, nullptr);
  }
  ~TImageLibrary() { Gdiplus::GdiplusShutdown(Token); }
  TImageLibrary(const TImageLibrary&) = delete;
  TImageLibrary& operator=(const TImageLibrary&) = delete;
};
