#pragma once
// What the GDI tests draw on, and the check that they leave nothing alive.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

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

// The union of the rectangles, for comparing regions with EqualRgn; the
// caller deletes it.
inline HRGN RegionOf(std::initializer_list<RECT> rects) {
  HRGN all = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : rects) {
    HRGN one = CreateRectRgnIndirect(&r);
    CombineRgn(all, all, one, RGN_OR);
    DeleteObject(one);
  }
  return all;
}

// Compares a top-down surface with a picture: one string a row, each
// character naming the pixel's colour in the legend.
inline void ExpectPicture(const TTestSurface& s, const std::vector<std::string>& rows,
                          const std::map<char, DWORD>& legend) {
  for (size_t y = 0; y < rows.size(); ++y) {
    ASSERT_EQ(rows[y].size(), static_cast<size_t>(s.Width)) << "row " << y;
    for (size_t x = 0; x < rows[y].size(); ++x) {
      const auto colour = legend.find(rows[y][x]);
      ASSERT_NE(colour, legend.end()) << "no colour for '" << rows[y][x] << "'";
      EXPECT_EQ(s.At(static_cast<int>(x), static_cast<int>(y)), colour->second)
          << "pixel (" << x << ", " << y << "), expected '" << rows[y][x] << "'";
    }
  }
}

// A system colour as the pixel it paints.
inline DWORD SysPixel(int index) {
  const COLORREF c = GetSysColor(index);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// Gives every system colour a value of its own while alive, so that a
// picture tells apart colours the fixed scheme happens to share.
class TDistinctSysColors {
 public:
  TDistinctSysColors() {
    int indexes[SystemColorCount];
    COLORREF colours[SystemColorCount];
    for (int i = 0; i < SystemColorCount; ++i) {
      indexes[i] = i;
      FSaved[i] = GetSysColor(i);
      colours[i] = RGB(static_cast<BYTE>(7 * i + 10), static_cast<BYTE>(200 - 5 * i), static_cast<BYTE>(3 * i + 40));
    }
    SetSysColors(SystemColorCount, indexes, colours);
  }
  ~TDistinctSysColors() {
    int indexes[SystemColorCount];
    for (int i = 0; i < SystemColorCount; ++i) indexes[i] = i;
    SetSysColors(SystemColorCount, indexes, FSaved);
  }
  TDistinctSysColors(const TDistinctSysColors&) = delete;
  TDistinctSysColors& operator=(const TDistinctSysColors&) = delete;

 private:
  COLORREF FSaved[SystemColorCount];
};

// Fails a test that leaves a GDI object alive.
class TGdiLeakCheck : public ::testing::Test {
 protected:
  void SetUp() override { FLive = GetLiveGdiObjectCount(); }
  void TearDown() override { EXPECT_EQ(GetLiveGdiObjectCount(), FLive) << "a GDI object leaked"; }

 private:
  int FLive = 0;
};

// Draws in distinct system colours and reads pictures in them: H highlight,
// L 3-D light, S shadow, D dark shadow, F face, K window frame, W window,
// T window text, X button text, '.' the surface's first colour.
class TSysColourPictureTest : public TGdiLeakCheck {
 public:
  static constexpr DWORD Background = 0x11223344;

 protected:
  TDistinctSysColors FColours;

  static std::map<char, DWORD> Legend() {
    return {{'H', SysPixel(COLOR_BTNHIGHLIGHT)}, {'L', SysPixel(COLOR_3DLIGHT)},    {'S', SysPixel(COLOR_BTNSHADOW)},
            {'D', SysPixel(COLOR_3DDKSHADOW)},   {'F', SysPixel(COLOR_BTNFACE)},    {'K', SysPixel(COLOR_WINDOWFRAME)},
            {'W', SysPixel(COLOR_WINDOW)},       {'T', SysPixel(COLOR_WINDOWTEXT)}, {'X', SysPixel(COLOR_BTNTEXT)},
            {'.', Background}};
  }
};
