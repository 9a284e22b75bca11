#pragma once
// What the GDI tests draw on, and the check that they leave nothing alive.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Gdi.h"

// A memory DC with a 32-bit DIB section selected, pre-filled with a value.
struct TTestSurface {
  HDC DC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Old = nullptr;
  DWORD* Bits = nullptr;
  int Width;

  TTestSurface(int w, int h, DWORD fill = 0, bool topDown = true) : Width(w) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = topDown ? -h : h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<DWORD*>(bits);
    std::fill(Bits, Bits + w * h, fill);
    DC = CreateCompatibleDC(nullptr);
    Old = SelectObject(DC, Bitmap);
  }
  ~TTestSurface() {
    SelectObject(DC, Old);
    DeleteDC(DC);
    DeleteObject(Bitmap);
  }
  TTestSurface(const TTestSurface&) = delete;
  TTestSurface& operator=(const TTestSurface&) = delete;
  // Pixel (x, y) of a top-down surface.
  DWORD At(int x, int y) const { return Bits[y * Width + x]; }
};

// A top-down 1-bit DIB section of w x 1 with the colour table given; its
// first byte of bits is set to firstByte.
inline HBITMAP CreateMonoDibRow(int w, RGBQUAD zero, RGBQUAD one, BYTE firstByte, void** bitsOut = nullptr) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -1;
  bi.bmiHeader.biBitCount = 1;
  bi.bmiColors[0] = zero;
  bi.bmiColors[1] = one;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  static_cast<BYTE*>(bits)[0] = firstByte;
  if (bitsOut) *bitsOut = bits;
  return dib;
}

// Fails a test that leaves a GDI object alive.
class TGdiLeakCheck : public ::testing::Test {
 protected:
  void SetUp() override { FLive = GetLiveGdiObjectCount(); }
  void TearDown() override { EXPECT_EQ(GetLiveGdiObjectCount(), FLive) << "a GDI object leaked"; }

 private:
  int FLive = 0;
};
