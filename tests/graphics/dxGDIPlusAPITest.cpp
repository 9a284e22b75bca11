// Loading the image library, its status codes and its encoders. The loads
// that fail run in processes of their own, the units started there without
// the library or with a part of it failing.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "graphics/dxGDIPlusAPI.h"
#include "platform/GdiPlusSwitches.h"
#include "platform/Modules.h"
#include "platform/backend/headless/Headless.h"
#include "tests/SuiteUnits.h"

namespace {

// Whether the library is started: it hands out memory only then.
bool LibraryStarted() {
  void* block = Gdiplus::GdipAlloc(1);
  Gdiplus::GdipFree(block);
  return block != nullptr;
}

// The units started again with part of the library failing (AFail(true)),
// what a check finds twice, whether a module the caller holds is left as it
// was, and what a check finds once the failure is gone.
std::string LoadWith(void (*AFail)(bool)) {
  RestartUnits([AFail] { AFail(true); });
  HMODULE held = LoadLibraryW(u"gdiplus.dll");
  std::string outcome;
  for (int i = 0; i < 2; ++i) outcome += CheckGdiPlus() ? "loaded, " : "not loaded, ";
  if (held) FreeLibrary(held);
  outcome += GetLoadedLibrary(u"gdiplus.dll") ? "module kept, " : "module freed, ";
  outcome += LibraryStarted() ? "started, " : "not started, ";
  AFail(false);
  outcome += CheckGdiPlus() ? "then loaded" : "then not loaded";
  return outcome;
}

using GDIPlusLoading = TUnitRestartTest;

TEST_F(GDIPlusLoading, AFailedLoadUndoesItselfAndEachCheckTriesAgain) {
  struct TCase {
    const char* What;
    void (*Fail)(bool);
  } cases[] = {
      {"the library missing", [](bool AFail) { SetModuleAvailable(u"gdiplus.dll", !AFail); }},
      {"an entry point missing",
       [](bool AFail) { SetEntryPointAvailable(u"gdiplus.dll", "GdipTransformMatrixPointsI", !AFail); }},
      {"start-up failing",
       [](bool AFail) { Gdiplus::SetEntryStatus("GdiplusStartup", AFail ? Gdiplus::GenericError : Gdiplus::Ok); }},
      {"the hook failing", [](bool AFail) {
         Gdiplus::SetEntryStatus("GdiplusNotificationHook", AFail ? Gdiplus::GenericError : Gdiplus::Ok);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_EXIT(ExitWithOutcome(LoadWith(c.Fail)), ::testing::ExitedWithCode(0),
                "outcome: not loaded, not loaded, module freed, not started, then loaded;");
  }
}

std::string UnloadAndCheckAgain() {
  RestartUnits([] {});
  std::string outcome = CheckGdiPlus() && LibraryStarted() ? "loaded and started; " : "not loaded; ";
  GdiPlusUnload();
  outcome += GetLoadedLibrary(u"gdiplus.dll") || LibraryStarted() ? "unloading left it; " : "unloaded; ";
  outcome += CheckGdiPlus() && LibraryStarted() ? "loaded again" : "not loaded again";
  return outcome;
}

TEST_F(GDIPlusLoading, UnloadingShutsDownAndFrees) {
  EXPECT_EXIT(ExitWithOutcome(UnloadAndCheckAgain()), ::testing::ExitedWithCode(0),
              "outcome: loaded and started; unloaded; loaded again;");
}

constexpr char16_t RequiredText[] =
    u"This application requires the Microsoft GDI+ library to be installed. Gdiplus.dll is included with Windows XP "
    u"and Vista. GDI+ is available as a redistributable file for Windows NT 4.0 SP6, Windows 2000, Windows 98, and "
    u"Windows Me.  To download the latest redistributable,  see ";

// What the program showed before it ended.
void ReportMessageBoxes() {
  for (const THeadlessMessageBox& box : HeadlessMessageBoxes()) {
    const bool text = box.Text.starts_with(RequiredText) && box.Text.size() > std::size(RequiredText);
    std::fprintf(stderr, "box: %s, caption %s, %s;\n", box.Owner ? "an owner" : "no owner",
                 UTF8Encode(box.Caption).c_str(), text ? "the text and an address" : "another text");
  }
}

[[noreturn]] void CheckWithMessageWithoutTheLibrary() {
  RestartUnits([] { SetModuleAvailable(u"gdiplus.dll", false); });
  ClearHeadlessNotices();
  std::atexit(&ReportMessageBoxes);
  CheckGdiPlus(true);
  ExitWithOutcome("went on");
}

TEST_F(GDIPlusLoading, WithoutTheLibraryAProgramThatNeedsItSaysSoAndEnds) {
  EXPECT_EXIT(CheckWithMessageWithoutTheLibrary(), ::testing::ExitedWithCode(1),
              "box: no owner, caption Application Error, the text and an address;");
}

TEST(GDIPlusAPI, TheUnitLoadedTheLibraryAndItsEntryPoints) {
  EXPECT_TRUE(CheckGdiPlus());
  EXPECT_TRUE(CheckGdiPlus(true));
  EXPECT_EQ(GdipDrawImageRectRectI, &Gdiplus::GdipDrawImageRectRectI);
  EXPECT_EQ(GdipTransformMatrixPointsI, &Gdiplus::GdipTransformMatrixPointsI) << "the last one looked up";
}

TEST(GDIPlusAPI, AFailingStatusRaisesWithItsCode) {
  EXPECT_NO_THROW(GdipCheck(Gdiplus::Ok));
  try {
    GdipCheck(2);
    FAIL() << "nothing raised";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.GetMessage(), u"Invalid operation in GDI+ (Code: 2)");
    auto* gdip = dynamic_cast<const EdxGdipException*>(&e);
    ASSERT_NE(gdip, nullptr);
    EXPECT_EQ(gdip->GetErrorCode(), 2);
  }
  EXPECT_THROW(GdipCheck(Gdiplus::UnknownImageFormat), EdxGdipException);
}

TEST(GDIPlusAPI, EncodersAreFoundByMimeTypeWhateverTheCase) {
  EXPECT_EQ(PNGCodec, Gdiplus::PngEncoderClsid);
  EXPECT_EQ(BMPCodec, Gdiplus::BmpEncoderClsid);
  EXPECT_EQ(JPEGCodec, Gdiplus::JpegEncoderClsid);
  EXPECT_FALSE(IsCodecIDValid(GIFCodec)) << "the library has no GIF encoder";
  EXPECT_FALSE(IsCodecIDValid(TIFFCodec));
  const struct {
    const char16_t* MimeType;
    GpStatus Status;
    CLSID Codec;
  } cases[] = {
      {u"image/png", Gdiplus::Ok, Gdiplus::PngEncoderClsid},
      {u"IMAGE/Jpeg", Gdiplus::Ok, Gdiplus::JpegEncoderClsid},
      {u"Image/BMP", Gdiplus::Ok, Gdiplus::BmpEncoderClsid},
      {u"image/gif", Gdiplus::GenericError, CLSID()},
      {u"image/pn", Gdiplus::GenericError, CLSID()},
  };
  for (const auto& c : cases) {
    CLSID codec = Gdiplus::ImageFormatPNG;
    EXPECT_EQ(GetCodecID(c.MimeType, codec), c.Status) << UTF8Encode(c.MimeType);
    EXPECT_EQ(codec, c.Codec) << UTF8Encode(c.MimeType);
  }
}

TEST(GDIPlusAPI, ACodecIsValidByItsFirstThreeFields) {
  const struct {
    CLSID Codec;
    bool Valid;
  } cases[] = {
      {CLSID(), false},
      {CLSID{0, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}}, false},
      {CLSID{1, 0, 0, {}}, true},
      {CLSID{0, 1, 0, {}}, true},
      {CLSID{0, 0, 1, {}}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsCodecIDValid(c.Codec), c.Valid) << c.Codec.Data1 << c.Codec.Data2;
}

TEST(GDIPlusAPI, RectanglesAndBitmaps) {
  const TdxGPRect r = MakeRect(cxRect(3, 4, 10, 6));
  EXPECT_TRUE(dxGpRectIsEqual(r, MakeRect(3, 4, 7, 2)));
  EXPECT_FALSE(dxGpRectIsEqual(r, MakeRect(3, 4, 7, 3)));
  EXPECT_TRUE(dxGpRectIsEqual(dxGpMakeRectF(cxRect(3, 4, 10, 6)), dxGpMakeRectF(3, 4, 7, 2)));
  EXPECT_TRUE(dxGpRectIsEqual(dxGpMakeRectF(dxRectF(0.5f, 1, 2.5f, 4)), dxGpMakeRectF(0.5f, 1, 2, 3)));
  EXPECT_FALSE(dxGpRectIsEqual(dxGpMakeRectF(0, 0, 1, 1), dxGpMakeRectF(0, 0, 1, 1.5f)));
  EXPECT_EQ(dxGpDefaultColorMatrix.m[3][3], 1.0f);
  EXPECT_EQ(dxGpDefaultColorMatrix.m[3][0], 0.0f);

  GpBitmap* bitmap = dxGpCreateBitmap(cxRect(5, 5, 8, 7));
  Gdiplus::REAL width = 0, height = 0;
  EXPECT_EQ(Gdiplus::GdipGetImageDimension(reinterpret_cast<GpImage*>(bitmap), &width, &height), Gdiplus::Ok);
  EXPECT_EQ(width, 3.0f);
  EXPECT_EQ(height, 2.0f);
  Gdiplus::PixelFormat format = 0;
  Gdiplus::GdipGetImagePixelFormat(reinterpret_cast<GpImage*>(bitmap), &format);
  EXPECT_EQ(format, Gdiplus::PixelFormat32bppPARGB);
  Gdiplus::GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  EXPECT_THROW(dxGpCreateBitmap(0, 4), EdxGdipException);
}

}  // namespace
