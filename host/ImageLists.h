#pragma once
// Image lists: images of one size, each kept as 32 bits with alpha beside a
// 1-bit mask, drawn by index; and the change links through which a list
// tells its users of its changes.

#include <vector>

#include "host/Colors.h"
#include "host/Components.h"

class TBitmap;
class TCanvas;
class TCustomImageList;

// Registered with an image list, told once of each of its changes.
class TChangeLink : public TObject {
  HOST_CLASS(TChangeLink);

  TChangeLink() = default;
  // Leaves the list it is registered with.
  ~TChangeLink() override;

  // The list it is registered with; nullptr when none, or once the list is
  // freed.
  TCustomImageList* GetSender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }
  // OnChange with the list as the sender.
  virtual void Change();

  TNotifyEvent OnChange;

 private:
  TCustomImageList* FSender = nullptr;
};

// Every change (an image added, inserted, replaced or deleted, the list
// cleared, a property set to a new value) calls OnChange and each
// registered link once. Components that keep a list ask for its free
// notification.
class TCustomImageList : public TComponent {
  HOST_CLASS(TCustomImageList);

  explicit TCustomImageList(TComponent* AOwner);
  // The links still registered are left without a sender.
  ~TCustomImageList() override;

  // 16 x 16 by default; a new size drops every image. Sizes below 1 are
  // EInvalidOperation.
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { SetSize(Value, FHeight); }
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value) { SetSize(FWidth, Value); }
  Integer GetCount() const { return static_cast<Integer>(FImages.size()); }
  // Whether images added from now on keep their masks; without, every pixel
  // is opaque.
  bool GetMasked() const { return FMasked; }
  void SetMasked(bool Value);
  // What transparent pixels are drawn in; clNone (the default) leaves the
  // canvas showing through.
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);

  // One image for each whole Width of Image (its top Height rows; rows it
  // lacks are transparent): a pixel of Mask that is white is transparent,
  // any other colour opaque, and without a mask every pixel is opaque. The
  // index of the first image added, or -1 when Image is narrower than Width.
  Integer Add(TBitmap* Image, TBitmap* Mask);
  // The same, with Image's pixels of MaskColor (system colours resolved)
  // transparent and made black; clNone makes none transparent.
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  // The images Add would add, placed from Index (0 to Count).
  void Insert(Integer Index, TBitmap* Image, TBitmap* Mask);
  // The first image of Image in place of the one at Index.
  void Replace(Integer Index, TBitmap* Image, TBitmap* Mask);
  void Delete(Integer Index);
  void Clear();
  // Copies of the image at Index: Image becomes a 32-bit bitmap with its
  // alpha, Mask a monochrome one, white where transparent. Either may be
  // nullptr.
  void GetImages(Integer Index, TBitmap* Image, TBitmap* Mask);
  // The image at Index with its top-left at (X, Y): blended by its alpha
  // when any pixel has some, else opaque where the mask is; disabled as a
  // grey copy, alpha kept. An index outside the list draws nothing.
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);

  // A link is registered once; it then has this list as its sender.
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  struct TImage {
    std::vector<DWORD> Pixels;  // 0xAARRGGBB, top row first
    std::vector<Byte> Mask;     // 1 where transparent
  };

  void SetSize(Integer AWidth, Integer AHeight);
  // The images Image holds, masked by AMaskOf(x, y, pixel).
  template <typename TMaskOf>
  std::vector<TImage> Cut(TBitmap* Image, TMaskOf AMaskOf) const;
  std::vector<TImage> Cut(TBitmap* Image, TBitmap* Mask) const;
  const TImage& ImageAt(Integer Index) const;

  Integer FWidth = 16;
  Integer FHeight = 16;
  bool FMasked = true;
  TColor FBkColor = clNone;
  std::vector<TImage> FImages;
  std::vector<TChangeLink*> FClients;
};

// The image list of the component palette: Width, Height, Masked and
// BkColor stored in form descriptions.
class TImageList : public TCustomImageList {
  HOST_CLASS(TImageList);

  explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};
