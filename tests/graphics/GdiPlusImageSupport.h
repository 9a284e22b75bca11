#pragma once
// What the tests of the image classes share: a check that each test leaves
// no GDI or image-library object alive, PNG files made by the library's own
// encoder from known pixels, and pixels read back as 0xAARRGGBB.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/dxGDIPlusClasses.h"
#include "host/Streams.h"
#include "platform/GdiPlusSwitches.h"
#include "tests/graphics/GraphicsTestSupport.h"

using TBytes = std::vector<Byte>;

// Fails a test that leaves an image-library object or block alive. The
// process's shared canvas and attributes are made first: they live as long
// as the unit.
class TGdiPlusLeakCheck : public TGdiLeakCheck {
 protected:
  void SetUp() override {
    TGdiLeakCheck::SetUp();
    dxGPPaintCanvas();
    dxGpGetAlphaBlendAttributes(255);
    Gdiplus::ResetGdiplusSwitches();
    FLive = Gdiplus::GetLiveGdiplusObjectCount();
  }
  void TearDown() override {
    Gdiplus::ResetGdiplusSwitches();
    EXPECT_EQ(Gdiplus::GetLiveGdiplusObjectCount(), FLive) << "an image-library object leaked";
    TGdiLeakCheck::TearDown();
  }

 private:
  int FLive = 0;
};

// The PNG the library writes for pixels of straight colours (0xAARRGGBB,
// top row first).
inline TBytes PngOf(Integer AWidth, Integer AHeight, std::vector<DWORD> APixels) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  EXPECT_EQ(Gdiplus::GdipCreateBitmapFromScan0(AWidth, AHeight, AWidth * 4, Gdiplus::PixelFormat32bppARGB,
                                               reinterpret_cast<BYTE*>(APixels.data()), &bitmap),
            Gdiplus::Ok);
  TMemoryIStream stream;
  EXPECT_EQ(Gdiplus::GdipSaveImageToStream(reinterpret_cast<Gdiplus::GpImage*>(bitmap), &stream,
                                           &Gdiplus::PngEncoderClsid, nullptr),
            Gdiplus::Ok);
  Gdiplus::GdipDisposeImage(reinterpret_cast<Gdiplus::GpImage*>(bitmap));
  return TBytes(stream.Bytes().begin(), stream.Bytes().end());
}

// A memory stream holding the bytes, at its start.
inline void Fill(TMemoryStream& AStream, const TBytes& ABytes) {
  AStream.Clear();
  AStream.WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
  AStream.SetPosition(0);
}

inline TBytes BytesOf(TCustomMemoryStream& AStream) {
  const auto* bytes = static_cast<const Byte*>(AStream.GetMemory());
  return TBytes(bytes, bytes + AStream.GetSize());
}

// The image's pixels, premultiplied, top row first, as 0xAARRGGBB.
inline std::vector<DWORD> PixelsOf(TdxGPImage& AImage) {
  TRGBColors colors;
  AImage.GetBitmapBits(colors);
  std::vector<DWORD> pixels(colors.size());
  if (!colors.empty()) std::memcpy(pixels.data(), colors.data(), colors.size() * sizeof(DWORD));
  return pixels;
}

// Pixels as the bits an image is loaded from.
inline TRGBColors BitsOf(const std::vector<DWORD>& APixels) {
  TRGBColors bits(APixels.size());
  if (!APixels.empty()) std::memcpy(static_cast<void*>(bits.data()), APixels.data(), APixels.size() * sizeof(DWORD));
  return bits;
}

// Each channel within the tolerance.
inline ::testing::AssertionResult PixelNear(DWORD AActual, DWORD AExpected, int ATolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((AActual >> shift) & 0xFF), e = static_cast<int>((AExpected >> shift) & 0xFF);
    if (std::abs(a - e) > ATolerance)
      return ::testing::AssertionFailure() << std::hex << AActual << " is not within " << std::dec << ATolerance
                                           << " of " << std::hex << AExpected;
  }
  return ::testing::AssertionSuccess();
}

// The unit started again for a while after the change, and again as it was
// afterwards.
class TGDIPlusClassesRestart {
 public:
  template <typename TChange>
  TGDIPlusClassesRestart(TChange AChange, void (*AUndo)()) : FUndo(AUndo) {
    dxUnitsLoader()->RemoveUnit(&FinalizeGDIPlusClasses);
    AChange();
    dxUnitsLoader()->AddUnit(&InitializeGDIPlusClasses, &FinalizeGDIPlusClasses);
  }
  ~TGDIPlusClassesRestart() {
    dxUnitsLoader()->RemoveUnit(&FinalizeGDIPlusClasses);
    FUndo();
    dxUnitsLoader()->AddUnit(&InitializeGDIPlusClasses, &FinalizeGDIPlusClasses);
    // The shared objects the unit freed, made again as the test found them.
    dxGPPaintCanvas();
    dxGpGetAlphaBlendAttributes(255);
  }
  TGDIPlusClassesRestart(const TGDIPlusClassesRestart&) = delete;
  TGDIPlusClassesRestart& operator=(const TGDIPlusClassesRestart&) = delete;

 private:
  void (*FUndo)();
};
