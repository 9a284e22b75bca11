#pragma once
// Pictures of any kind (TGraphic) and the bitmap, the kind the GDI holds.

#include <memory>

#include "host/Canvas.h"
#include "host/Exceptions.h"

class TStream;
class TBitmapCanvas;

class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};

inline constexpr char16_t SInvalidBitmap[] = u"Bitmap image is not valid";
inline constexpr char16_t SOutOfResources[] = u"Out of system resources";
inline constexpr char16_t SScanLine[] = u"Scan line index out of range";
inline constexpr char16_t SNotDIB[] = u"Bitmap is not a device-independent bitmap";
inline constexpr char16_t SUnknownClipboardFormat[] = u"Unsupported clipboard format";

// Stored through the "Data" pseudo-property: ReadData and WriteData, which
// by default are LoadFromStream and SaveToStream.
class TGraphic : public TInterfacedPersistent {
  HOST_CLASS(TGraphic);

  virtual bool GetEmpty() const = 0;
  virtual Integer GetWidth() const = 0;
  virtual Integer GetHeight() const = 0;
  virtual void SetWidth(Integer Value) = 0;
  virtual void SetHeight(Integer Value) = 0;
  virtual void SetSize(Integer AWidth, Integer AHeight);
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool GetModified() const { return FModified; }
  void SetModified(bool Value);

  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  // The same class and the same stored data.
  virtual bool Equals(TGraphic* Graphic);

  // From the clipboard's data in that format (CF_BITMAP, ...); the data
  // stays the clipboard's. EInvalidGraphic for a format the class does not
  // read.
  virtual void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) = 0;
  // What to hand the clipboard: a format and new data in it, which the
  // clipboard takes over, with a palette or nullptr.
  virtual void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) = 0;

  void DefineProperties(TFiler* Filer) override;
  virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }

  TNotifyEvent OnChange;

 protected:
  friend class TCanvas;
  // What TCanvas::Draw and StretchDraw call, with the canvas's font and
  // brush selected.
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  // Marks the graphic modified and calls OnChange.
  virtual void Changed(TObject* Sender);

 private:
  bool FTransparent = false;
  bool FModified = false;
};

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType : uint8_t { bmDIB, bmDDB };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

// Pixels in a GDI bitmap of its own: a device bitmap (pfDevice, the screen's
// 32 bits, or monochrome) or a DIB section of 1, 24 or 32 bits, bottom-up.
// The GDI has no 4-, 8-, 15- or 16-bit bitmaps: those formats are held in
// 24 bits. Streams are BMP files.
class TBitmap : public TGraphic {
  HOST_CLASS(TBitmap);

  TBitmap();
  // A device bitmap of that size.
  TBitmap(Integer AWidth, Integer AHeight);
  ~TBitmap() override;

  // From a bitmap, a copy of its own; nullptr empties.
  void Assign(TPersistent* Source) override;

  // Draws into the bitmap; its changes are the bitmap's.
  TCanvas* GetCanvas();
  // nullptr while empty.
  HBITMAP GetHandle() const { return FHandle; }
  // Adopts Value, which the bitmap deletes later.
  void SetHandle(HBITMAP Value);
  // Hands the handle to the caller, who deletes it; the bitmap keeps a copy.
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  TBitmapHandleType GetHandleType() const { return FHandleType; }
  void SetHandleType(TBitmapHandleType Value);
  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Converts the pixels; pfCustom is ignored.
  void SetPixelFormat(TPixelFormat Value);
  bool GetMonochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value);

  bool GetEmpty() const override { return FWidth == 0 || FHeight == 0; }
  Integer GetWidth() const override { return FWidth; }
  Integer GetHeight() const override { return FHeight; }
  void SetWidth(Integer Value) override { SetSize(Value, FHeight); }
  void SetHeight(Integer Value) override { SetSize(FWidth, Value); }
  // Keeps the pixels that stay inside; new ones are zero.
  void SetSize(Integer AWidth, Integer AHeight) override;

  // Row Row of a DIB, top row first.
  void* GetScanLine(Integer Row) const;

  // tmAuto: the bottom-left pixel's colour; tmFixed: TransparentColor.
  TColor GetTransparentColor();
  // clDefault goes back to tmAuto.
  void SetTransparentColor(TColor Value);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // A BMP of 1, 4, 8, 16, 24 or 32 bits, held afterwards in 32 bits when it
  // had 32 and in 24 otherwise. Nothing left in the stream gives an empty
  // bitmap.
  void LoadFromStream(TStream* Stream) override;
  // 1, 24 or 32 bits as held (device bitmaps in 32); nothing when empty.
  void SaveToStream(TStream* Stream) override;
  // A 4-byte length, then that many bytes of BMP.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;
  // CF_BITMAP: a copy of the bitmap in its own format.
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;
  // CF_BITMAP with a copy of the image (nullptr when empty), no palette.
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  friend class TBitmapCanvas;
  HBITMAP NewImage(Integer AWidth, Integer AHeight, TPixelFormat Format, TBitmapHandleType HandleType) const;
  // Takes on Image (nullptr for none), deleting the old one.
  void ReplaceImage(HBITMAP Image, Integer AWidth, Integer AHeight, TPixelFormat Format,
                    TBitmapHandleType HandleType);
  void Convert(TPixelFormat Format, TBitmapHandleType HandleType);
  void DrawTransparent(HDC Dest, const TRect& Rect, HDC Source);

  HBITMAP FHandle = nullptr;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TBitmapHandleType FHandleType = bmDDB;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};
