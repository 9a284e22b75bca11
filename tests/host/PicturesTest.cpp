#include "host/Pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "host/Filer.h"
#include "host/Streams.h"
#include "tests/platform/GdiTestSurface.h"

namespace {

// A graphic whose whole content is one colour, streamed as four bytes.
class TSwatch : public TGraphic {
  HOST_CLASS(TSwatch);

  bool GetEmpty() const override { return FColor == clNone; }
  Integer GetWidth() const override { return 1; }
  Integer GetHeight() const override { return 1; }
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}
  void LoadFromStream(TStream* Stream) override {
    FColor = Stream->ReadInteger();
    Changed(this);
  }
  void SaveToStream(TStream* Stream) override { Stream->WriteInteger(FColor); }
  // A swatch never goes through the clipboard.
  void LoadFromClipboardFormat(Word, HANDLE, HPALETTE) override { throw EInvalidGraphic(SUnknownClipboardFormat); }
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override {
    AFormat = 0;
    AData = nullptr;
    APalette = nullptr;
  }
  void Assign(TPersistent* Source) override {
    if (auto* swatch = dynamic_cast<TSwatch*>(Source)) {
      FColor = swatch->FColor;
      return Changed(this);
    }
    TGraphic::Assign(Source);
  }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) {
    FColor = Value;
    Changed(this);
  }

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override {
    ACanvas->GetBrush()->SetColor(FColor);
    ACanvas->FillRect(Rect);
  }

 private:
  TColor FColor = clNone;
};
HOST_CLASS_INFO(TSwatch, TGraphic, &CreateDefault<TSwatch>)

class TBigSwatch : public TSwatch {
  HOST_CLASS(TBigSwatch);
};
HOST_CLASS_INFO(TBigSwatch, TSwatch, &CreateDefault<TBigSwatch>)

class TPictureHolder : public TComponent {
  HOST_CLASS(TPictureHolder);
  explicit TPictureHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TPicture* GetPicture() const { return FPicture.get(); }

 private:
  std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
};
const TPublished& PictureHolderPublished() {
  static const TPublished p{{SubObjectProp<TPictureHolder, TPicture>(u"Picture", &TPictureHolder::GetPicture)}};
  return p;
}
HOST_CLASS_INFO_PUBLISHED(TPictureHolder, TComponent, &CreateOwned<TPictureHolder>, &PictureHolderPublished)

// Registers the swatches for the test and takes them away afterwards, so
// that the registry is as the units left it.
class Pictures : public TGdiLeakCheck {
 protected:
  void SetUp() override {
    TGdiLeakCheck::SetUp();
    FDir = std::filesystem::temp_directory_path() / ("pictures-" + std::to_string(::getpid()));
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override {
    TPicture::UnregisterGraphicClass(TSwatch::StaticClass());
    std::filesystem::remove_all(FDir);
    TGdiLeakCheck::TearDown();
  }
  String PathOf(const char* Name, TColor Color) {
    const std::filesystem::path path = FDir / Name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&Color), 4);
    return path.u16string();
  }

  std::filesystem::path FDir;
};

TEST_F(Pictures, TheUnitsRegisterTheBitmap) {
  ASSERT_FALSE(GetFileFormats().empty());
  const TFileFormat& bmp = GetFileFormats().back();
  EXPECT_EQ(bmp.Extension, u"bmp");
  EXPECT_EQ(bmp.Description, u"Bitmaps");
  EXPECT_EQ(bmp.GraphicClass, TBitmap::StaticClass());
  EXPECT_EQ(GetClass(u"TBitmap"), TBitmap::StaticClass()) << "streamable by name";
  EXPECT_EQ(GraphicExtension(TBitmap::StaticClass()), u"bmp");
}

TEST_F(Pictures, FilesLoadByTheirExtensionsLatestRegistrationFirst) {
  TPicture::RegisterFileFormat(u"swt", u"Swatches", TSwatch::StaticClass());
  TPicture picture;
  picture.LoadFromFile(PathOf("a.SWT", clRed));
  auto* swatch = dynamic_cast<TSwatch*>(picture.GetGraphic());
  ASSERT_NE(swatch, nullptr);
  EXPECT_EQ(swatch->ClassType(), TSwatch::StaticClass());
  EXPECT_EQ(swatch->GetColor(), clRed);

  TPicture::RegisterFileFormat(u".swt", u"Big swatches", TBigSwatch::StaticClass());
  picture.LoadFromFile(PathOf("b.swt", clBlue));
  EXPECT_EQ(picture.GetGraphic()->ClassType(), TBigSwatch::StaticClass());

  EXPECT_EQ(GraphicFileMask(TGraphic::StaticClass()), u"*.swt;*.swt;*.bmp");
  EXPECT_EQ(GraphicFilter(TSwatch::StaticClass()),
            u"All (*.swt;*.swt)|*.swt;*.swt|Big swatches (*.swt)|*.swt|Swatches (*.swt)|*.swt");
  EXPECT_EQ(GraphicExtension(TSwatch::StaticClass()), u"swt");

  // Unregistering a class takes its descendants too; a failed load keeps
  // the picture.
  TPicture::UnregisterGraphicClass(TSwatch::StaticClass());
  EXPECT_EQ(GraphicFileMask(TGraphic::StaticClass()), u"*.bmp");
  try {
    picture.LoadFromFile(PathOf("c.swt", clLime));
    ADD_FAILURE() << "loaded an unregistered extension";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.GetMessage(), u"Unknown picture file extension (.swt)");
  }
  EXPECT_EQ(picture.GetGraphic()->ClassType(), TBigSwatch::StaticClass());
  EXPECT_THROW(picture.LoadFromFile(PathOf("noextension", clLime)), EInvalidGraphic);
  EXPECT_THROW(TPicture::RegisterFileFormat(u"fnt", u"Fonts", TFont::StaticClass()), EInvalidGraphic);
  EXPECT_THROW(TPicture::RegisterFileFormat(u"nil", u"Nothing", nullptr), EInvalidGraphic);
}

TEST_F(Pictures, ABitmapFileLoadsAndSaves) {
  TPicture picture;
  TBitmap* bitmap = picture.GetBitmap();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(2, 1);
  bitmap->GetCanvas()->SetPixels(1, 0, clTeal);
  const String path = (FDir / "image.bmp").u16string();
  picture.SaveToFile(path);
  TPicture loaded;
  loaded.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TBitmap*>(loaded.GetGraphic()), nullptr);
  EXPECT_EQ(loaded.GetWidth(), 2);
  EXPECT_EQ(loaded.GetHeight(), 1);
  EXPECT_EQ(loaded.GetBitmap()->GetCanvas()->GetPixels(1, 0), clTeal);
}

const TFormProperty* Find(const TFormObject& Object, std::u16string_view Name) {
  for (const TFormProperty& p : Object.Properties)
    if (p.Name == Name) return &p;
  return nullptr;
}

TEST_F(Pictures, TheDataPropertyNamesTheClassThenCarriesItsData) {
  TPictureHolder holder(nullptr);
  holder.SetName(u"Holder");
  TBitmap* bitmap = holder.GetPicture()->GetBitmap();
  bitmap->SetSize(3, 2);
  bitmap->GetCanvas()->SetPixels(2, 1, clPurple);

  TWriter writer;
  const TFormObject object = writer.WriteRootComponent(&holder);
  const TFormProperty* data = Find(object, u"Picture.Data");
  ASSERT_NE(data, nullptr);
  TMemoryStream expected;
  expected.WriteByte(7);
  expected.WriteBuffer("TBitmap", 7);
  bitmap->WriteData(&expected);
  const auto* bytes = static_cast<const Byte*>(expected.GetMemory());
  EXPECT_EQ(data->Value.Binary, std::vector<Byte>(bytes, bytes + expected.GetSize()));

  const String text = WriteComponentToText(&holder);
  TPictureHolder copy(nullptr);
  ReadComponentFromText(text, &copy);
  ASSERT_NE(dynamic_cast<TBitmap*>(copy.GetPicture()->GetGraphic()), nullptr);
  EXPECT_EQ(copy.GetPicture()->GetBitmap()->GetCanvas()->GetPixels(2, 1), clPurple);

  // A class nobody registered cannot be read.
  String unknown = text;
  const size_t at = unknown.find(u"07544269746D6170");  // 7, "TBitmap"
  ASSERT_NE(at, String::npos) << UTF8Encode(text);
  unknown.replace(at, 16, u"07544E6F53756368");          // 7, "TNoSuch"
  TPictureHolder other(nullptr);
  EXPECT_THROW(ReadComponentFromText(unknown, &other), EReadError);

  // An empty picture stores nothing.
  TPictureHolder empty(nullptr);
  empty.SetName(u"Empty");
  EXPECT_EQ(WriteComponentToText(&empty).find(u"Data"), String::npos);
}

TEST_F(Pictures, AClassRegisteredWithoutExtensionStreamsButDoesNotLoadFiles) {
  TPicture::RegisterFileFormat(u"", u"Swatch data", TSwatch::StaticClass());
  EXPECT_EQ(GraphicFileMask(TGraphic::StaticClass()), u"*.bmp");
  TPictureHolder holder(nullptr);
  holder.SetName(u"Holder");
  TSwatch swatch;
  swatch.SetColor(clOlive);
  holder.GetPicture()->SetGraphic(&swatch);
  TPictureHolder copy(nullptr);
  ReadComponentFromText(WriteComponentToText(&holder), &copy);
  auto* read = dynamic_cast<TSwatch*>(copy.GetPicture()->GetGraphic());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetColor(), clOlive);
}

TEST_F(Pictures, PicturesHoldCopiesAndPassOnChanges) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  TSwatch swatch;
  swatch.SetColor(clMaroon);
  picture.SetGraphic(&swatch);
  EXPECT_EQ(changes, 1);
  ASSERT_NE(picture.GetGraphic(), &swatch);
  swatch.SetColor(clNavy);
  EXPECT_EQ(static_cast<TSwatch*>(picture.GetGraphic())->GetColor(), clMaroon) << "a copy of its own";
  static_cast<TSwatch*>(picture.GetGraphic())->SetColor(clGreen);
  EXPECT_EQ(changes, 2) << "the graphic's changes are the picture's";

  TPicture other;
  other.Assign(&picture);
  EXPECT_EQ(static_cast<TSwatch*>(other.GetGraphic())->GetColor(), clGreen);
  other.GetBitmap()->SetSize(1, 1);
  EXPECT_NE(dynamic_cast<TBitmap*>(other.GetGraphic()), nullptr) << "GetBitmap makes it a bitmap";
  other.GetBitmap()->GetCanvas()->FillRect(Rect(0, 0, 1, 1));
  int otherChanges = 0;
  other.OnChange = [&](TObject*) { ++otherChanges; };
  other.GetBitmap()->GetCanvas()->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(otherChanges, 1) << "drawing on the bitmap changes the picture";

  // The picture draws its graphic.
  TTestSurface s(2, 2, 0x00FFFFFF);
  TCanvas canvas;
  canvas.SetHandle(s.DC);
  canvas.StretchDraw(Rect(0, 0, 2, 2), picture.GetGraphic());
  EXPECT_EQ(canvas.GetPixels(1, 1), clGreen);

  other.Assign(nullptr);
  EXPECT_EQ(other.GetGraphic(), nullptr);
  EXPECT_EQ(other.GetWidth(), 0);
}

}  // namespace
