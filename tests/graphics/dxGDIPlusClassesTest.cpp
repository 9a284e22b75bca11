// The image classes: registration, decoding on demand, alpha, pixels,
// saving, comparing and copying, and their streams. Images are made from
// known pixels (PNG files written by the library's encoder); expected pixels
// follow from those by the rules, premultiplied.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/dxHashUtils.h"
#include "host/Pictures.h"
#include "host/Variants.h"
#include "platform/Clipboard.h"
#include "tests/graphics/GdiPlusImageSupport.h"

namespace {

using Images = TGdiPlusLeakCheck;

// 16 x 8 pixels of straight colours, a few half transparent unless the
// pattern is to be opaque (BMP files keep straight colours, which the
// framework's bitmaps would take for premultiplied ones).
std::vector<DWORD> Pattern(bool AOpaque = false) {
  std::vector<DWORD> pixels(16 * 8);
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = (i % 5 == 0 && !AOpaque ? 0x80000000u : 0xFF000000u) | static_cast<DWORD>(i * 0x020304);
  return pixels;
}

// The pattern premultiplied, as the library holds it.
std::vector<DWORD> PremultipliedPattern(bool AOpaque = false) {
  std::vector<DWORD> pixels = Pattern(AOpaque);
  for (DWORD& p : pixels) {
    const DWORD a = p >> 24;
    const auto channel = [&](int shift) { return ((p >> shift & 0xFF) * a + 127) / 255 << shift; };
    p = a << 24 | channel(16) | channel(8) | channel(0);
  }
  return pixels;
}

std::vector<const TFileFormat*> FormatsOf(TClass AClass) {
  std::vector<const TFileFormat*> formats;
  for (const TFileFormat& f : GetFileFormats())
    if (f.GraphicClass == AClass) formats.push_back(&f);
  return formats;
}

const TFileFormat* FormatOf(const String& AExtension) {
  for (const TFileFormat& f : GetFileFormats())
    if (f.Extension == AExtension) return &f;
  return nullptr;
}

TEST_F(Images, TheUnitRegistersTheFormatsItCanSaveAndTakesThemBack) {
  const struct {
    const char16_t* Extension;
    const char16_t* Description;
  } registered[] = {{u"jpeg", u"JPEG Image"}, {u"jpg", u"JPEG Image"}, {u"png", u"PNG Image"}};
  for (const auto& r : registered) {
    const TFileFormat* format = FormatOf(r.Extension);
    ASSERT_NE(format, nullptr) << UTF8Encode(r.Extension);
    EXPECT_EQ(format->GraphicClass, TdxSmartImage::StaticClass());
    EXPECT_EQ(format->Description, r.Description);
  }
  for (const char16_t* missing : {u"tiff", u"tif", u"gif"}) EXPECT_EQ(FormatOf(missing), nullptr);
  const auto png = FormatsOf(TdxPNGImage::StaticClass());
  ASSERT_EQ(png.size(), 1u);
  EXPECT_TRUE(png[0]->Extension.empty()) << "for streaming only";
  EXPECT_EQ(GetClass(u"TdxSmartImage"), TdxSmartImage::StaticClass());
  EXPECT_EQ(GetClass(u"TdxPNGImage"), TdxPNGImage::StaticClass());

  dxUnitsLoader()->RemoveUnit(&FinalizeGDIPlusClasses);
  EXPECT_TRUE(FormatsOf(TdxSmartImage::StaticClass()).empty());
  EXPECT_TRUE(FormatsOf(TdxPNGImage::StaticClass()).empty());
  EXPECT_EQ(GetClass(u"TdxSmartImage"), nullptr);
  EXPECT_EQ(GetClass(u"TdxPNGImage"), nullptr);
  dxUnitsLoader()->AddUnit(&InitializeGDIPlusClasses, &FinalizeGDIPlusClasses);
  EXPECT_EQ(FormatsOf(TdxSmartImage::StaticClass()).size(), 3u);
  dxGPPaintCanvas();
  dxGpGetAlphaBlendAttributes(255);
}

TEST_F(Images, WithoutThePngEncoderOnlyPngIsMissing) {
  const TBytes png = PngOf(16, 8, Pattern(true));
  {
    const TGDIPlusClassesRestart restart([] { Gdiplus::SetEncoderAvailable(Gdiplus::PngEncoderClsid, false); },
                                         [] { Gdiplus::SetEncoderAvailable(Gdiplus::PngEncoderClsid, true); });
    EXPECT_FALSE(IsCodecIDValid(PNGCodec));
    EXPECT_EQ(JPEGCodec, Gdiplus::JpegEncoderClsid) << "found all the same";
    EXPECT_EQ(FormatOf(u"png"), nullptr);
    EXPECT_NE(FormatOf(u"jpg"), nullptr);
    EXPECT_THROW(CheckImageCodecs(), EdxGdipException) << "the PNG encoder is required where asked for";

    TMemoryStream stream;
    Fill(stream, png);
    TdxSmartImage image(&stream);
    TMemoryStream saved;
    try {
      image.SaveToStreamByCodec(&saved, dxImagePng);
      ADD_FAILURE() << "saved as PNG";
    } catch (const EdxException& e) {
      EXPECT_EQ(e.GetMessage(), u"dxGetImageEncoder fails");
    }
    image.SaveToStreamByCodec(&saved, dxImageBitmap);
    EXPECT_EQ(BytesOf(saved).at(0), 'B');
    EXPECT_EQ(image.GetImageDataFormat(), dxImagePng) << "kept as it was, with no encoder to go back through";
    saved.SetPosition(0);
    TdxGPImage back(&saved);
    EXPECT_EQ(PixelsOf(back), PremultipliedPattern(true));
  }
  EXPECT_EQ(PNGCodec, Gdiplus::PngEncoderClsid);
  EXPECT_NE(FormatOf(u"png"), nullptr);
}

TEST_F(Images, EncodedImagesAreDecodedWhenFirstMeasured) {
  const TBytes png = PngOf(16, 8, Pattern());
  TMemoryStream stream;
  stream.WriteBuffer("xyz", 3);
  stream.WriteBuffer(png.data(), static_cast<Int64>(png.size()));
  stream.SetPosition(3);
  TdxSmartImage image;
  image.LoadFromStream(&stream);
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatPNG), 0) << "loading keeps the bytes";
  EXPECT_FALSE(image.HandleAllocated());
  EXPECT_EQ(image.GetWidth(), 16);
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatPNG), 1);
  EXPECT_EQ(image.GetHeight(), 8);
  EXPECT_FALSE(image.GetEmpty());
  EXPECT_EQ(image.GetImageDataFormat(), dxImagePng);
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatPNG), 1) << "once";
  EXPECT_EQ(PixelsOf(image), PremultipliedPattern());

  TMemoryStream nothing;
  image.LoadFromStream(&nothing);
  EXPECT_TRUE(image.GetEmpty());
  EXPECT_FALSE(image.HandleAllocated());
  TMemoryStream out;
  image.SaveToStream(&out);
  EXPECT_EQ(out.GetSize(), 0) << "an empty image writes nothing";
}

TEST_F(Images, BitmapFilesGoToTheFrameworksReader) {
  // 3 x 1 in 24 bits.
  TcxBitmapPtr bitmap = cxCreateBitmap(3, 1, pf24bit);
  bitmap->GetCanvas()->SetPixels(0, 0, RGB(10, 20, 30));
  bitmap->GetCanvas()->SetPixels(2, 0, RGB(200, 100, 50));
  TMemoryStream file;
  bitmap->SaveToStream(&file);
  file.SetPosition(0);
  TdxGPImage image(&file);
  EXPECT_EQ(image.GetWidth(), 3);
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatBMP), 0) << "not the library's decoder";
  EXPECT_EQ(image.GetImageDataFormat(), dxImageBitmap);
  EXPECT_EQ(PixelsOf(image), (std::vector<DWORD>{0xFF0A141E, 0xFF000000, 0xFFC86432}));
  EXPECT_FALSE(image.GetIsAlphaUsed());

  // A 32-bit file of nothing but zeros: transparent, not black.
  TcxBitmapPtr clear = Bitmap32(2, 2, {0, 0, 0, 0});
  Fill(file, {});
  clear->SaveToStream(&file);
  file.SetPosition(0);
  image.LoadFromStream(&file);
  EXPECT_EQ(PixelsOf(image), (std::vector<DWORD>{0, 0, 0, 0}));
  EXPECT_TRUE(image.GetIsAlphaUsed());
}

TEST_F(Images, ThirtyTwoBitBitmapsKeepTheirAlphaWhenTheyHaveOne) {
  const struct {
    const char* What;
    std::vector<DWORD> Pixels;
    std::vector<DWORD> Expected;
    bool AlphaUsed;
  } cases[] = {
      {"all zero: transparent", {0, 0, 0, 0}, {0, 0, 0, 0}, true},
      {"some alpha", {0x80402010, 0, 0xFF0000FF, 0x00000000}, {0x80402010, 0, 0xFF0000FF, 0}, true},
      {"no alpha at all: opaque",
       {0x00102030, 0x00FFFFFF, 0, 0x00000001},
       {0xFF102030, 0xFFFFFFFF, 0xFF000000, 0xFF000001},
       false},
  };
  for (const auto& c : cases) {
    TcxBitmapPtr bitmap = Bitmap32(2, 2, c.Pixels);
    TdxGPImage image(bitmap.get());
    EXPECT_EQ(PixelsOf(image), c.Expected) << c.What;
    EXPECT_EQ(image.GetIsAlphaUsed(), c.AlphaUsed) << c.What;
    EXPECT_EQ(image.GetTransparent(), c.AlphaUsed) << c.What;
    EXPECT_EQ(image.GetImageDataFormat(), dxImageBitmap);
  }
  TcxBitmapPtr opaque = cxCreateBitmap(2, 1, pf24bit);
  TdxGPImage fromHandle(opaque->GetHandle());
  EXPECT_EQ(PixelsOf(fromHandle), (std::vector<DWORD>{0xFF000000, 0xFF000000}));
  EXPECT_NE(GetObjectType(opaque->GetHandle()), 0u) << "the handle stays the caller's";
}

TEST_F(Images, AlphaUseIsWorkedOutAgainOnlyAfterAChange) {
  TdxGPImage image(2, 2, 0xFF336699);
  EXPECT_FALSE(image.GetIsAlphaUsed());
  {
    TdxGPCanvasPtr canvas = image.CreateCanvas();
    canvas->Clear(clNone);  // every pixel transparent, behind the image's back
  }
  EXPECT_EQ(PixelsOf(image), (std::vector<DWORD>{0, 0, 0, 0}));
  EXPECT_FALSE(image.GetIsAlphaUsed()) << "what was worked out before";
  image.SetModified(true);
  EXPECT_TRUE(image.GetIsAlphaUsed());
}

TEST_F(Images, RawPixelsAreCheckedAndLiveAsLongAsTheImage) {
  TdxGPImage image;
  {
    // The pixels given go out of scope before the image is made.
    const std::vector<DWORD> pixels{0xFF010203, 0x80404040, 0, 0xFFFFFFFF, 0x10101010, 0x20000000};
    image.LoadFromBits(3, 2, BitsOf(pixels), true);
  }
  EXPECT_EQ(image.GetWidth(), 3);
  EXPECT_EQ(PixelsOf(image),
            (std::vector<DWORD>{0xFF010203, 0x80404040, 0, 0xFFFFFFFF, 0x10101010, 0x20000000}));
  image.LoadFromBits(1, 2, BitsOf({0x00102030, 0}), false);
  EXPECT_EQ(PixelsOf(image), (std::vector<DWORD>{0xFF102030, 0xFF000000})) << "made opaque";

  const struct {
    Integer Width, Height;
    size_t Count;
  } refused[] = {{3, 2, 5}, {3, 2, 7}, {0, 2, 0}, {2, 0, 0}, {-1, -2, 2}, {65536, 65536, 0}};
  for (const auto& r : refused) {
    try {
      image.LoadFromBits(r.Width, r.Height, TRGBColors(r.Count), true);
      ADD_FAILURE() << r.Width << " x " << r.Height << " from " << r.Count;
    } catch (const EdxException& e) {
      EXPECT_EQ(e.GetMessage(), u"The pixels given do not make an image of that size");
    }
  }
  EXPECT_EQ(image.GetWidth(), 1) << "a refused load changes nothing";
}

TEST_F(Images, ChangeColorKeepsEachPixelsAlpha) {
  TdxGPImage image(2, 1, BitsOf({0x80101010, 0xFF000000}), true);
  image.ChangeColor(clNone);
  image.ChangeColor(clDefault);
  EXPECT_EQ(PixelsOf(image), (std::vector<DWORD>{0x80101010, 0xFF000000}));
  // RGB(200, 100, 50) at alpha 128: 200 x 128 / 255 = 100.4, 50.2, 25.1.
  image.ChangeColor(RGB(200, 100, 50));
  EXPECT_EQ(PixelsOf(image), (std::vector<DWORD>{0x80643219, 0xFFC86432}));
  TdxGPImage empty;
  empty.ChangeColor(clRed);
  EXPECT_TRUE(empty.GetEmpty());
}

// 4 bytes behind an 8-byte header of count, type and size.
AnsiString FieldBytes(Word ACount, Word AType, Cardinal ASize) {
  AnsiString bytes;
  for (const Cardinal v : {Cardinal(ACount), Cardinal(AType)}) bytes += {char(v & 0xFF), char(v >> 8)};
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(ASize >> shift));
  return bytes + "abcd";
}

TEST_F(Images, FieldValuesSkipAGraphicHeader) {
  const struct {
    const char* What;
    AnsiString Value;
    AnsiString Stored;
  } cases[] = {
      {"the header", FieldBytes(1, 256, 4), "abcd"},
      {"a count of 2", FieldBytes(2, 256, 4), FieldBytes(2, 256, 4)},
      {"another type", FieldBytes(1, 255, 4), FieldBytes(1, 255, 4)},
      {"a size that is not the rest", FieldBytes(1, 256, 5), FieldBytes(1, 256, 5)},
      {"seven bytes", "0123456", "0123456"},
  };
  for (const auto& c : cases) {
    TdxGPImage image;
    image.LoadFromFieldValue(Variant(c.Value));
    TMemoryStream stored;
    image.SaveToStream(&stored);
    const TBytes bytes = BytesOf(stored);
    EXPECT_EQ(AnsiString(bytes.begin(), bytes.end()), c.Stored) << c.What;
  }
  // The same bytes as an array.
  const AnsiString header = FieldBytes(1, 256, 4);
  Variant array = VarArrayCreate({0, static_cast<Integer>(header.size()) - 1}, varByte);
  for (size_t i = 0; i < header.size(); ++i) array.SetElement(static_cast<Integer>(i), Variant(Byte(header[i])));
  TdxGPImage image;
  image.LoadFromFieldValue(array);
  TMemoryStream stored;
  image.SaveToStream(&stored);
  EXPECT_EQ(BytesOf(stored), (TBytes{'a', 'b', 'c', 'd'}));
  image.LoadFromFieldValue(Null());
  stored.Clear();
  image.SaveToStream(&stored);
  EXPECT_EQ(stored.GetSize(), 4) << "Null loads nothing";
}

TEST_F(Images, SavingKeepsTheFormatAndNeverDecodesWhatItNeedNot) {
  const TBytes png = PngOf(16, 8, Pattern(true));
  TMemoryStream stream;
  Fill(stream, png);
  TdxSmartImage image(&stream);
  TMemoryStream saved;
  saved.WriteBuffer("xy", 2);
  image.SaveToStream(&saved);
  TBytes expected{'x', 'y'};
  expected.insert(expected.end(), png.begin(), png.end());
  EXPECT_EQ(BytesOf(saved), expected) << "the bytes it came from, after what the stream held";
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatPNG), 0);

  Fill(saved, {});
  image.SaveToStreamByCodec(&saved, dxImageBitmap);
  const TBytes bmp = BytesOf(saved);
  ASSERT_GT(bmp.size(), 2u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(image.GetImageDataFormat(), dxImagePng) << "the image stays PNG";
  saved.SetPosition(0);
  TdxGPImage back(&saved);
  EXPECT_EQ(PixelsOf(back), PremultipliedPattern(true));
  EXPECT_EQ(PixelsOf(image), PremultipliedPattern(true));

  image.SetWidth(3);
  image.SetHeight(3);
  EXPECT_EQ(image.GetClientRect(), cxRect(0, 0, 16, 8)) << "only Resize changes the size";

  // Loaded from a BMP, a PNG image writes PNG.
  TdxPNGImage asPng;
  saved.SetPosition(0);
  asPng.LoadFromStream(&saved);
  TMemoryStream pngOut;
  asPng.SaveToStream(&pngOut);
  EXPECT_EQ(BytesOf(pngOut).at(1), 'P');
  pngOut.SetPosition(0);
  TdxGPImage fromPng(&pngOut);
  EXPECT_EQ(fromPng.GetImageDataFormat(), dxImagePng);
  EXPECT_EQ(PixelsOf(fromPng), PremultipliedPattern(true));

  fromPng.SetImageDataFormat(dxImageJpeg);
  EXPECT_EQ(fromPng.GetImageDataFormat(), dxImageJpeg);
  EXPECT_EQ(fromPng.GetWidth(), 16);
}

TEST_F(Images, FormatsAndTheirEncoders) {
  const struct {
    GUID RawFormat;
    TdxImageDataFormat Format;
  } formats[] = {
      {ImageFormatMemoryBMP, dxImageBitmap}, {ImageFormatBMP, dxImageBitmap}, {ImageFormatIcon, dxImageBitmap},
      {ImageFormatJPEG, dxImageJpeg},        {ImageFormatPNG, dxImagePng},    {ImageFormatTIFF, dxImageTiff},
      {ImageFormatGIF, dxImageGif},          {GUID_NULL, dxImageUnknown},
      {Gdiplus::PngEncoderClsid, dxImageUnknown},
  };
  for (const auto& f : formats) EXPECT_EQ(dxGetImageDataFormat(f.RawFormat), f.Format) << std::hex << f.RawFormat.Data1;
  EXPECT_EQ(dxGetImageEncoder(dxImageBitmap), Gdiplus::BmpEncoderClsid);
  EXPECT_EQ(dxGetImageEncoder(dxImageJpeg), Gdiplus::JpegEncoderClsid);
  EXPECT_EQ(dxGetImageEncoder(dxImagePng), Gdiplus::PngEncoderClsid);
  for (const TdxImageDataFormat missing : {dxImageUnknown, dxImageTiff, dxImageGif})
    EXPECT_THROW(dxGetImageEncoder(missing), EdxException) << int(missing);
}

TEST_F(Images, ResizingAndScaling) {
  TMemoryStream stream;
  Fill(stream, PngOf(16, 8, Pattern()));
  TdxGPImage image(&stream);
  image.Resize(4, 2);
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatPNG), 0) << "the size waits for the decoding";
  EXPECT_EQ(image.GetClientRect(), cxRect(0, 0, 4, 2));
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatPNG), 1);
  EXPECT_EQ(image.GetImageDataFormat(), dxImageBitmap) << "drawn anew";

  const struct {
    Integer M, D;
    TSize Expected;
  } scales[] = {{2, 1, {8, 4}}, {1, 0, {8, 4}}, {3, 4, {6, 3}}, {1, 3, {2, 1}}, {0, 1, {0, 0}}};
  for (const auto& s : scales) {
    image.Scale(s.M, s.D);
    EXPECT_EQ(image.GetWidth(), s.Expected.cx) << s.M << "/" << s.D;
    EXPECT_EQ(image.GetHeight(), s.Expected.cy) << s.M << "/" << s.D;
  }
  EXPECT_FALSE(image.HandleAllocated()) << "scaled to nothing: cleared";

  TdxGPImage solid(3, 3, 0xFF00FF00);
  solid.Resize(5, 1);
  EXPECT_EQ(PixelsOf(solid), std::vector<DWORD>(5, 0xFF00FF00));
  solid.Resize(cxSize(2, -1));
  EXPECT_TRUE(solid.GetEmpty());
}

TEST_F(Images, CompareAndHashGoByThePixels) {
  const std::vector<DWORD> pixels{0xFF102030, 0x80000000, 0, 0xFFFFFFFF};
  TdxGPImage a(2, 2, BitsOf(pixels), true), b(2, 2, BitsOf(pixels), true);
  std::vector<DWORD> changed = pixels;
  changed[3] = 0xFFFFFFFE;
  TdxGPImage c(2, 2, BitsOf(changed), true), wide(4, 1, BitsOf(pixels), true), empty, alsoEmpty;
  EXPECT_TRUE(a.Compare(&b));
  EXPECT_TRUE(a.Equals(&b));
  EXPECT_FALSE(a.Compare(&c));
  EXPECT_FALSE(a.Compare(&wide)) << "the same pixels at another size";
  EXPECT_FALSE(a.Compare(&empty));
  EXPECT_FALSE(a.Compare(nullptr));
  EXPECT_TRUE(empty.Compare(&alsoEmpty));
  EXPECT_EQ(a.GetHashCode(), dxCRC32(pixels.data(), 16));
  EXPECT_EQ(a.GetHashCode(), b.GetHashCode());
  EXPECT_EQ(c.GetHashCode(), dxCRC32(changed.data(), 16));
  EXPECT_NE(a.GetHashCode(), c.GetHashCode());
  EXPECT_EQ(empty.GetHashCode(), 0u);
  TcxBitmapPtr bitmap = Bitmap32(2, 2, pixels);
  EXPECT_FALSE(a.Equals(bitmap.get())) << "a graphic of another class";
}

TEST_F(Images, CompositionsDrawTheOverlayStretchedAtItsAlpha) {
  TdxGPImage red(2, 2, 0xFFFF0000), blue(1, 1, 0xFF0000FF);
  TdxGPImagePtr composition = red.MakeComposition(&blue, 128);
  EXPECT_EQ(composition->GetClientRect(), cxRect(0, 0, 2, 2));
  // Blue at k = 128/255 over red: blue 255k = 128, red 255(1 - k) = 127.
  for (const DWORD p : PixelsOf(*composition)) EXPECT_TRUE(PixelNear(p, 0xFF7F0080, 1));
  // Red at k onto nothing (128, alpha 128), then blue over it: blue 128,
  // red 128(1 - k) = 63.7, alpha 128 + 63.7.
  composition = red.MakeComposition(&blue, 128, 128);
  for (const DWORD p : PixelsOf(*composition)) EXPECT_TRUE(PixelNear(p, 0xC0400080, 1));
  EXPECT_EQ(PixelsOf(red), std::vector<DWORD>(4, 0xFFFF0000)) << "the image itself stays";
}

TEST_F(Images, AssigningCopiesByWhatTheSourceHolds) {
  const TBytes png = PngOf(16, 8, Pattern());
  TMemoryStream stream;
  Fill(stream, png);
  TdxSmartImage undecoded(&stream), target(4, 4, 0xFF000000);

  target.Assign(&undecoded);
  EXPECT_FALSE(undecoded.HandleAllocated());
  EXPECT_FALSE(target.HandleAllocated());
  EXPECT_EQ(Gdiplus::GetDecodeCount(ImageFormatPNG), 0) << "neither was decoded";
  TMemoryStream copied;
  target.SaveToStream(&copied);
  EXPECT_EQ(BytesOf(copied), png) << "the bytes themselves";
  undecoded.Clear();
  EXPECT_EQ(target.GetWidth(), 16) << "a copy of its own";

  // A decoded PNG goes through its own format.
  TdxGPImage decoded;
  decoded.Assign(&target);
  EXPECT_EQ(decoded.GetWidth(), 16);
  target.GetHandle();
  TdxGPImage fromPng;
  fromPng.Assign(&target);
  EXPECT_FALSE(fromPng.HandleAllocated());
  EXPECT_EQ(fromPng.GetImageDataFormat(), dxImagePng);
  EXPECT_EQ(PixelsOf(fromPng), PremultipliedPattern());

  // A bitmap goes as pixels.
  TdxGPImage bits(2, 1, BitsOf({0x80402010, 0xFF00FF00}), true), fromBits;
  bits.GetHandle();
  fromBits.Assign(&bits);
  EXPECT_EQ(fromBits.GetImageDataFormat(), dxImageBitmap);
  EXPECT_EQ(PixelsOf(fromBits), (std::vector<DWORD>{0x80402010, 0xFF00FF00}));

  TdxGPImage nothing;
  fromBits.Assign(&nothing);
  EXPECT_TRUE(fromBits.GetEmpty()) << "an empty source clears";
  fromBits.Assign(&bits);
  fromBits.Assign(nullptr);
  EXPECT_TRUE(fromBits.GetEmpty());

  TdxPNGImage pngImage(2, 1, 0xFF112233);
  TdxGPImagePtr clone = pngImage.Clone();
  EXPECT_EQ(clone->ClassType(), TdxPNGImage::StaticClass());
  EXPECT_TRUE(clone->Compare(&pngImage));

  // To and from the framework's bitmaps.
  TcxBitmapPtr bitmap = cxCreateBitmap(1, 1, pf24bit);
  bitmap->Assign(&bits);
  EXPECT_EQ(PixelsOf(bitmap.get()), (std::vector<DWORD>{0x80402010, 0xFF00FF00}));
  TcxBitmapPtr gray = Bitmap32(1, 1, {0x00808080});
  fromBits.Assign(gray.get());
  EXPECT_EQ(PixelsOf(fromBits), (std::vector<DWORD>{0xFF808080}));
}

TEST_F(Images, TheClipboardGetsTheImageOnWhite) {
  TdxGPImage image(2, 1, BitsOf({0x80000000, 0xFF0000FF}), true);
  Word format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  image.SaveToClipboardFormat(format, data, palette);
  ASSERT_EQ(format, CF_BITMAP);
  ASSERT_NE(data, nullptr);
  TdxGPImage pasted;
  pasted.LoadFromClipboardFormat(format, data, palette);
  DeleteObject(static_cast<HGDIOBJ>(data));
  // Half-transparent black on white: 255 x (1 - 128/255) = 127.
  const std::vector<DWORD> pixels = PixelsOf(pasted);
  ASSERT_EQ(pixels.size(), 2u);
  EXPECT_TRUE(PixelNear(pixels[0], 0xFF7F7F7F, 1));
  EXPECT_EQ(pixels[1], 0xFF0000FFu);
}

// A stream that cannot tell its size.
class TSizelessStream : public TMemoryStream {
 public:
  Int64 GetSize() override { throw EStreamError(u"no size"); }
};

TEST_F(Images, TheLibrarysStreamsClearTheirRecordAndAnswerFailures) {
  TMemoryStream stream;
  stream.WriteBuffer("12345", 5);
  TdxGPStreamAdapter adapter(&stream);
  STATSTG record;
  std::memset(static_cast<void*>(&record), 0xAB, sizeof record);
  ASSERT_EQ(adapter.Stat(&record, STATFLAG_DEFAULT), S_OK);
  STATSTG expected;
  std::memset(static_cast<void*>(&expected), 0, sizeof expected);
  expected.type = STGTY_STREAM;
  expected.cbSize = 5;
  expected.grfLocksSupported = LOCK_WRITE;
  EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0) << "the whole record, not the fields alone";
  TSizelessStream sizeless;
  TdxGPStreamAdapter failing(&sizeless);
  EXPECT_EQ(failing.Stat(&record, STATFLAG_DEFAULT), E_UNEXPECTED);

  const int live = Gdiplus::GetLiveGdiplusObjectCount();
  {
    TdxGPMemoryStream memory;
    memory.WriteBuffer("abc", 3);
    EXPECT_EQ(Gdiplus::GetLiveGdiplusObjectCount(), live + 1) << "in the library's memory";
    memory.SetPosition(1);
    TdxGPMemoryStreamPtr clone = dxCloneStream(&memory);
    EXPECT_EQ(memory.GetPosition(), 1);
    EXPECT_EQ(clone->GetPosition(), 0);
    EXPECT_EQ(BytesOf(*clone), (TBytes{'a', 'b', 'c'}));
    Gdiplus::SetEntryStatus("GdipAlloc", Gdiplus::OutOfMemory);
    try {
      memory.SetSize(100000);
      ADD_FAILURE() << "grew without memory";
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.GetMessage(), u"Out of memory while expanding memory stream");
    }
    Gdiplus::SetEntryStatus("GdipAlloc", Gdiplus::Ok);
    EXPECT_EQ(BytesOf(memory), (TBytes{'a', 'b', 'c'}));
  }
  EXPECT_EQ(Gdiplus::GetLiveGdiplusObjectCount(), live);
  {
    std::unique_ptr<TdxGPMatrix, TFreeObject> wrapper(new TdxGPMatrix);
    EXPECT_EQ(Gdiplus::GetLiveGdiplusObjectCount(), live + 1) << "wrappers live in the library's memory too";
  }
  EXPECT_EQ(Gdiplus::GetLiveGdiplusObjectCount(), live);
}

}  // namespace
