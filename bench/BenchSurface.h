#pragma once
// The window-sized 32-bit surface the benchmarks draw on.

#include "platform/Gdi.h"

constexpr int Width = 790, Height = 478;

struct TSurface {
  HDC DC;
  HBITMAP Bitmap;
  HGDIOBJ Old;
  DWORD* Bits;
  TSurface(int w = Width, int h = Height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<DWORD*>(bits);
    for (int i = 0; i < w * h; ++i) Bits[i] = 0x80000000u | static_cast<DWORD>(i * 2654435761u >> 8);
    DC = CreateCompatibleDC(nullptr);
    Old = SelectObject(DC, Bitmap);
  }
  ~TSurface() {
    SelectObject(DC, Old);
    DeleteDC(DC);
    DeleteObject(Bitmap);
  }
};
