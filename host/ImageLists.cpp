#include "host/ImageLists.h"

#include <algorithm>

#include "host/Bitmaps.h"
#include "host/TypInfo.h"
#include "platform/DcGuards.h"
#include "platform/Msimg32.h"

HOST_CLASS_INFO(TChangeLink, TObject, &CreateDefault<TChangeLink>)

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}

namespace {

inline constexpr char16_t SInvalidImageSize[] = u"Invalid image size";
inline constexpr char16_t SImageIndexError[] = u"Invalid ImageList Index";

constexpr DWORD RGBMask = 0x00FFFFFF;
constexpr DWORD White = 0x00FFFFFF;

// 32 bits per pixel, top row first.
BITMAPINFO TopDownHeader(Integer AWidth, Integer AHeight) {
  BITMAPINFO info{};
  info.bmiHeader.biWidth = AWidth;
  info.bmiHeader.biHeight = -AHeight;
  info.bmiHeader.biBitCount = 32;
  return info;
}

// Every pixel as 0xAARRGGBB, top row first; nothing for an empty bitmap.
std::vector<DWORD> ReadPixels(TBitmap* ABitmap) {
  if (!ABitmap || ABitmap->GetEmpty()) return {};
  const Integer width = ABitmap->GetWidth(), height = ABitmap->GetHeight();
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info = TopDownHeader(width, height);
  TMemoryDC dc;
  GetDIBits(dc, ABitmap->GetHandle(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

// AFormat and the size given, then the pixels, and the change told.
void WritePixels(TBitmap* ABitmap, TPixelFormat AFormat, Integer AWidth, Integer AHeight,
                 const std::vector<DWORD>& APixels) {
  ABitmap->SetPixelFormat(AFormat);
  ABitmap->SetSize(AWidth, AHeight);
  const BITMAPINFO info = TopDownHeader(AWidth, AHeight);
  TMemoryDC dc;
  SetDIBits(dc, ABitmap->GetHandle(), 0, static_cast<UINT>(AHeight), APixels.data(), &info, DIB_RGB_COLORS);
  ABitmap->SetModified(true);
}

// The colour's 0x00RRGGBB, system colours resolved.
DWORD PixelOf(TColor AColor) {
  const COLORREF c = ColorToGdi(AColor);
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

DWORD Grey(DWORD APixel) {
  const DWORD r = APixel >> 16 & 0xFF, g = APixel >> 8 & 0xFF, b = APixel & 0xFF;
  const DWORD grey = (r * 30 + g * 59 + b * 11 + 50) / 100;
  return (APixel & 0xFF000000) | grey << 16 | grey << 8 | grey;
}

}  // namespace

// --- TCustomImageList -----------------------------------------------------------

HOST_CLASS_INFO(TCustomImageList, TComponent, &CreateOwned<TCustomImageList>)

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FClients) link->SetSender(nullptr);
}

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
  // A link may leave the list while it is told.
  const std::vector<TChangeLink*> clients = FClients;
  for (TChangeLink* link : clients)
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value || std::find(FClients.begin(), FClients.end(), Value) != FClients.end()) return;
  if (Value->GetSender()) Value->GetSender()->UnRegisterChanges(Value);
  Value->SetSender(this);
  FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  const auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it == FClients.end()) return;
  FClients.erase(it);
  Value->SetSender(nullptr);
}

void TCustomImageList::SetSize(Integer AWidth, Integer AHeight) {
  if (AWidth < 1 || AHeight < 1) throw EInvalidOperation(SInvalidImageSize);
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  FImages.clear();
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  Change();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == FBkColor) return;
  FBkColor = Value;
  Change();
}

template <typename TMaskOf>
std::vector<TCustomImageList::TImage> TCustomImageList::Cut(TBitmap* Image, TMaskOf AMaskOf) const {
  std::vector<TImage> result;
  if (!Image || Image->GetEmpty()) return result;
  const Integer sourceWidth = Image->GetWidth(), sourceHeight = Image->GetHeight();
  std::vector<DWORD> source = ReadPixels(Image);
  const size_t size = static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight);
  for (Integer left = 0; left + FWidth <= sourceWidth; left += FWidth) {
    // Rows the source lacks stay transparent.
    TImage image{std::vector<DWORD>(size), std::vector<Byte>(size, 1)};
    for (Integer y = 0; y < std::min(FHeight, sourceHeight); ++y)
      for (Integer x = 0; x < FWidth; ++x) {
        const size_t i = static_cast<size_t>(y) * FWidth + x;
        DWORD pixel = source[static_cast<size_t>(y) * sourceWidth + left + x];
        image.Mask[i] = FMasked && AMaskOf(left + x, y, pixel) ? 1 : 0;
        image.Pixels[i] = pixel;
      }
    result.push_back(std::move(image));
  }
  return result;
}

std::vector<TCustomImageList::TImage> TCustomImageList::Cut(TBitmap* Image, TBitmap* Mask) const {
  const std::vector<DWORD> mask = ReadPixels(Mask);
  const Integer maskWidth = mask.empty() ? 0 : Mask->GetWidth(), maskHeight = mask.empty() ? 0 : Mask->GetHeight();
  return Cut(Image, [&](Integer X, Integer Y, DWORD&) {
    return X < maskWidth && Y < maskHeight && (mask[static_cast<size_t>(Y) * maskWidth + X] & RGBMask) == White;
  });
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  const Integer index = GetCount();
  Insert(index, Image, Mask);
  return GetCount() > index ? index : -1;
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  const DWORD key = PixelOf(MaskColor);
  std::vector<TImage> images = Cut(Image, [&](Integer, Integer, DWORD& APixel) {
    if (MaskColor == clNone || (APixel & RGBMask) != key) return false;
    APixel = 0;
    return true;
  });
  if (images.empty()) return -1;
  const Integer index = GetCount();
  FImages.insert(FImages.end(), std::make_move_iterator(images.begin()), std::make_move_iterator(images.end()));
  Change();
  return index;
}

void TCustomImageList::Insert(Integer Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > GetCount()) throw EInvalidOperation(SImageIndexError);
  std::vector<TImage> images = Cut(Image, Mask);
  if (images.empty()) return;
  FImages.insert(FImages.begin() + Index, std::make_move_iterator(images.begin()),
                 std::make_move_iterator(images.end()));
  Change();
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask) {
  ImageAt(Index);
  std::vector<TImage> images = Cut(Image, Mask);
  if (images.empty()) return;
  FImages[static_cast<size_t>(Index)] = std::move(images.front());
  Change();
}

void TCustomImageList::Delete(Integer Index) {
  ImageAt(Index);
  FImages.erase(FImages.begin() + Index);
  Change();
}

void TCustomImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Change();
}

const TCustomImageList::TImage& TCustomImageList::ImageAt(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) throw EInvalidOperation(SImageIndexError);
  return FImages[static_cast<size_t>(Index)];
}

void TCustomImageList::GetImages(Integer Index, TBitmap* Image, TBitmap* Mask) {
  const TImage& image = ImageAt(Index);
  if (Image) WritePixels(Image, pf32bit, FWidth, FHeight, image.Pixels);
  if (!Mask) return;
  std::vector<DWORD> mask(image.Mask.size());
  std::transform(image.Mask.begin(), image.Mask.end(), mask.begin(), [](Byte m) { return m ? White : 0; });
  WritePixels(Mask, pf1bit, FWidth, FHeight, mask);
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
  if (Index < 0 || Index >= GetCount()) return;
  const TImage& image = FImages[static_cast<size_t>(Index)];
  const bool alpha = std::any_of(image.Pixels.begin(), image.Pixels.end(), [](DWORD p) { return p >> 24 != 0; });
  // One source for both ways: the mask becomes alpha 0 and 255.
  BITMAPINFO info = TopDownHeader(FWidth, FHeight);
  void* bits = nullptr;
  TMemoryDC source(nullptr, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bits) return;
  auto* out = static_cast<DWORD*>(bits);
  for (size_t i = 0; i < image.Pixels.size(); ++i) {
    DWORD pixel = image.Pixels[i];
    if (!alpha) pixel = image.Mask[i] ? 0 : pixel | 0xFF000000;
    out[i] = Enabled ? pixel : Grey(pixel);
  }
  HDC dc = Canvas->GetHandle();
  if (FBkColor != clNone) {
    const RECT area{X, Y, X + FWidth, Y + FHeight};
    HBRUSH brush = CreateSolidBrush(ColorToGdi(FBkColor));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
  }
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(dc, X, Y, FWidth, FHeight, source, 0, 0, FWidth, FHeight, blend);
}

// --- TImageList -----------------------------------------------------------------

namespace {

const TPublished& ImageListPublished() {
  static const TPublished p{{
      IdentProp<TImageList>(u"BkColor", ColorIdents(), &TImageList::GetBkColor, &TImageList::SetBkColor, clNone),
      IntegerProp<TImageList>(u"Height", &TImageList::GetHeight, &TImageList::SetHeight, 16),
      BoolProp<TImageList>(u"Masked", &TImageList::GetMasked, &TImageList::SetMasked, true),
      IntegerProp<TImageList>(u"Width", &TImageList::GetWidth, &TImageList::SetWidth, 16),
  }};
  return p;
}

}  // namespace

HOST_CLASS_INFO_PUBLISHED(TImageList, TCustomImageList, &CreateOwned<TImageList>, &ImageListPublished)
