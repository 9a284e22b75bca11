#pragma once
// Images on the image library: TdxGPImage holds encoded bytes or raw pixels
// and makes the library's image only when something needs it; a shared
// paint canvas draws on device contexts (through a buffer where the library
// cannot draw directly); image drawing, stretching and tiling at a constant
// alpha; and thin wrappers of the library's graphics, brushes, pens, paths
// and matrices.

#include <memory>
#include <vector>

#include "graphics/cxGraphics.h"
#include "graphics/dxGDIPlusAPI.h"
#include "host/StreamAdapter.h"
#include "host/Streams.h"

class Variant;

enum TdxImageDataFormat : uint8_t { dxImageUnknown, dxImageBitmap, dxImageJpeg, dxImagePng, dxImageTiff, dxImageGif };

// The library's interpolation modes, by the same numbers.
enum TdxGPInterpolationMode : uint8_t {
  imDefault,
  imLowQuality,
  imHighQuality,
  imBilinear,
  imBicubic,
  imNearestNeighbor,
  imHighQualityBilinear,
  imHighQualityBicubic
};
enum TdxGPSmoothingMode : uint8_t { smDefault, smHighSpeed, smHighQuality, smNone, smAntiAlias };
enum TdxGPBrushStyle : uint8_t { gpbsSolid, gpbsGradient, gpbsTexture, gpbsClear };
enum TdxGPBrushGradientMode : uint8_t {
  gpbgmHorizontal,
  gpbgmVertical,
  gpbgmForwardDiagonal,
  gpbgmBackwardDiagonal
};
enum TdxGPPenStyle : uint8_t { gppsSolid, gppsDash, gppsDot, gppsDashDot, gppsDashDotDot };

class TdxGPCanvas;
class TdxGPImage;
class TdxGPMatrix;
class TdxGPPaintCanvas;
class TdxGPPath;
class TdxGPPen;

// The root of the wrappers: made in the library's memory while the library
// is available, else in the ordinary heap, and given back where it came
// from.
class TdxGpBase : public TObject {
  HOST_CLASS(TdxGpBase);

  static void* operator new(size_t ASize);
  static void operator delete(void* ABlock);
};

// A memory stream in the library's memory. Without the library it cannot
// grow: EStreamError "Out of memory while expanding memory stream".
class TdxGPMemoryStream : public TMemoryStream {
  HOST_CLASS(TdxGPMemoryStream);

  TdxGPMemoryStream();
};
using TdxGPMemoryStreamPtr = std::unique_ptr<TdxGPMemoryStream, TFreeObject>;

// What the library reads and writes streams through. Stat clears the whole
// record before filling it and answers E_UNEXPECTED when the stream raises.
class TdxGPStreamAdapter : public TStreamAdapter {
 public:
  using TStreamAdapter::TStreamAdapter;
  HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;
};

// The content of an image not made into the library's image yet: raw
// pixels (top-down, premultiplied) or encoded bytes, and a size to give it
// once made.
class TdxGPImageData : public TObject {
  HOST_CLASS(TdxGPImageData);

  // No bytes and no pixels.
  bool Empty() const { return !FData && FBits.empty(); }
  // Pixels, sizes and a copy of the bytes.
  void Assign(const TdxGPImageData& ASource);
  void Clear();

 private:
  friend class TdxGPImage;
  TRGBColors FBits;
  TSize FBitsBounds{0, 0};
  TdxGPMemoryStreamPtr FData;
  TSize FNewSize{0, 0};
};

using TdxGPImagePtr = std::unique_ptr<TdxGPImage, TFreeObject>;
using TdxGPCanvasPtr = std::unique_ptr<TdxGPCanvas, TFreeObject>;

// An image of any format the library reads. Loading only keeps the bytes or
// pixels; the library's image is made when first needed (the handle, the
// format, the size, drawing) and lives until the image is cleared, loaded
// again or freed. Every failing call of the library raises
// EdxGdipException. Without the library nothing is ever made: the image
// measures 0 x 0 and draws nothing.
class TdxGPImage : public TGraphic {
  HOST_CLASS(TdxGPImage);

  TdxGPImage();
  // Filled with the colour (0xAARRGGBB, transparent black by default).
  TdxGPImage(Integer AWidth, Integer AHeight, TdxAlphaColor AColor = 0);
  explicit TdxGPImage(const TSize& ASize, TdxAlphaColor AColor = 0);
  explicit TdxGPImage(const TRect& ARect, TdxAlphaColor AColor = 0);
  explicit TdxGPImage(TBitmap* ABitmap);
  // A copy of the bitmap's pixels; the bitmap stays the caller's.
  explicit TdxGPImage(HBITMAP ABitmap);
  TdxGPImage(Integer AWidth, Integer AHeight, const TRGBColors& ABits, bool AHasAlphaChannel);
  explicit TdxGPImage(TStream* AStream);
  ~TdxGPImage() override;

  // From an image, any other graphic, or nullptr (cleared).
  void Assign(TPersistent* ASource) override;

  // Every pixel with its alpha, whatever the size.
  virtual void Clear();
  // A new image of the same class with the same content.
  virtual TdxGPImagePtr Clone();
  // Every pixel AColor, premultiplied by its own alpha; nothing for
  // clNone, clDefault or an empty image.
  virtual void ChangeColor(TColor AColor);
  // The same size and, unless both are empty, the same pixels.
  virtual bool Compare(TdxGPImage* AImage);
  // The image drawn into a new 32-bit bitmap of its size.
  void ConvertToBitmap();
  // A canvas on the image's own pixels.
  TdxGPCanvasPtr CreateCanvas();
  // The pixels (premultiplied) in a new 32-bit bitmap.
  virtual TcxBitmapPtr GetAsBitmap();
  // The pixels, top row first, premultiplied; none for an empty image.
  void GetBitmapBits(TRGBColors& AColors);
  // dxCRC32 of the pixels; 0 for an empty image.
  Cardinal GetHashCode();
  // A new transparent image of this size with this image drawn on it at
  // ASourceAlpha, then the whole overlay stretched over it at AOverlayAlpha.
  TdxGPImagePtr MakeComposition(TdxGPImage* AOverlayImage, Byte AOverlayAlpha, Byte ASourceAlpha = 255);
  // Stretched to the size; a width or height of 0 or less clears the image.
  virtual void Resize(Integer AWidth, Integer AHeight);
  void Resize(const TSize& ASize) { Resize(ASize.cx, ASize.cy); }
  // Resized to MulDiv(size, M, D); nothing when D is 0.
  void Scale(Integer M, Integer D);
  // The bitmap's pixels: 32-bit ones with their alpha when any pixel has
  // some (or all are zero: fully transparent), else opaque.
  virtual void SetBitmap(TBitmap* ABitmap);

  // The whole image, or ASource of it, into ADest of the DC through the
  // shared paint canvas.
  void StretchDraw(HDC DC, const TRect& ADest, Byte AAlpha = 255);
  void StretchDraw(HDC DC, const TRect& ADest, const TRect& ASource, Byte AAlpha = 255);
  // StretchDraw onto the canvas at full alpha.
  void Draw(TCanvas* ACanvas, const TRect& ARect) override;

  // Raw pixels, top row first, premultiplied when AHasAlphaChannel (else
  // made opaque). EdxException unless both sizes are positive and the
  // pixels are exactly width x height.
  void LoadFromBits(Integer AWidth, Integer AHeight, const TRGBColors& ABits, bool AHasAlphaChannel);
  void LoadFromResource(HMODULE AInstance, const String& AResName, LPCWSTR AResType);
  // A field's value: its bytes, after an 8-byte graphic header when it has
  // one (count 1, type 256, the size of the rest); nothing for Null or no
  // bytes.
  void LoadFromFieldValue(const Variant& AValue);
  // The bytes from the stream's position to its end.
  void LoadFromStream(TStream* AStream) override;
  // In the image's own format: an image never decoded writes the bytes it
  // was loaded from. Nothing for an empty image.
  void SaveToStream(TStream* AStream) override;
  // Encoded by the format's encoder and appended to the stream;
  // EdxException "dxGetImageEncoder fails" for a format without one.
  void SaveToStreamByCodec(TStream* AStream, TdxImageDataFormat AFormat);
  // CF_BITMAP.
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;
  // CF_BITMAP: the image drawn on white.
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;

  TRect GetClientRect() const { return cxRect(0, 0, GetWidth(), GetHeight()); }
  bool GetEmpty() const override;
  Integer GetWidth() const override { return GetSize().cx; }
  Integer GetHeight() const override { return GetSize().cy; }
  // Only Resize changes the size.
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}
  // Made when asked for; nullptr for an empty image.
  GpImage* GetHandle();
  // Takes the image over, the old one freed.
  void SetHandle(GpImage* AValue);
  bool HandleAllocated() const { return FHandle != nullptr; }
  TdxImageDataFormat GetImageDataFormat();
  // The image encoded in the format and read back.
  void SetImageDataFormat(TdxImageDataFormat AValue);
  // Some pixel's alpha is below 255; worked out once per change.
  bool GetIsAlphaUsed();
  bool GetTransparent() const override;
  // Compare for an image, the framework's comparison for other graphics.
  bool Equals(TGraphic* AGraphic) override;

 protected:
  virtual void AssignFromGpImage(TdxGPImage* AImage);
  virtual void AssignFromGraphic(TGraphic* AGraphic);
  // The handle exists, or there is nothing to make it from.
  virtual bool GetLoaded() const;
  // To a bitmap: the pixels; else as the framework does.
  void AssignTo(TPersistent* ADest) override;
  void Changed(TObject* ASender) override;
  // The image freed, its format unknown, its data emptied.
  void FreeHandle();
  void HandleNeeded();

 private:
  TSize GetSize() const;
  // Decoding on demand changes nothing the image shows, so the measuring
  // queries may do it.
  TdxGPImage& Decodable() const { return const_cast<TdxGPImage&>(*this); }
  // Takes the handle on, with the format it reports.
  void AdoptHandle(GpImage* AHandle);
  // The handle from the bits, else from the bytes.
  void CreateHandleFromData();
  // A 32-bit bitmap's pixels kept as bits, any other made into the handle.
  void TakeBitmap(TBitmap* ABitmap);
  void CreateHandleFromBits();
  // The handle encoded into the stream; nothing else changes.
  void SaveHandle(TStream* AStream, TdxImageDataFormat AFormat);
  // The handle drawn into a new bitmap of that size, which replaces it.
  void RedrawHandle(Integer AWidth, Integer AHeight);
  // The bytes kept as they are, the handle freed; no change told.
  void LoadData(TStream* AStream);

  GpImage* FHandle = nullptr;
  std::unique_ptr<TdxGPImageData, TFreeObject> FImageData;
  TdxImageDataFormat FImageDataFormat = dxImageUnknown;
  bool FIsAlphaUsed = false;
  bool FIsAlphaUsedAssigned = false;
};

// The image class registered with pictures for the formats the library
// encodes; its stored data is what SaveToStream writes.
class TdxSmartImage : public TdxGPImage {
  HOST_CLASS(TdxSmartImage);
  using TdxGPImage::TdxGPImage;
};

// Saves as PNG whatever it was loaded from.
class TdxPNGImage : public TdxSmartImage {
  HOST_CLASS(TdxPNGImage);
  using TdxSmartImage::TdxSmartImage;

  void SaveToStream(TStream* AStream) override;
};

// The attributes images are drawn with at a constant alpha: a colour matrix
// whose alpha scale is Alpha / 255.
class TdxGPAlphaBlendAttributes : public TdxGpBase {
  HOST_CLASS(TdxGPAlphaBlendAttributes);

  TdxGPAlphaBlendAttributes();
  ~TdxGPAlphaBlendAttributes() override;

  Byte GetAlpha() const { return FAlpha; }
  void SetAlpha(Byte AValue);
  GpImageAttributes* GetHandle() const { return FHandle; }

 private:
  GpImageAttributes* FHandle = nullptr;
  TdxGpColorMatrix FColorMatrix = dxGpDefaultColorMatrix;
  Byte FAlpha = 255;
};

// A colour at a place (0 to 1) along a gradient.
struct TdxGPBrushGradientPoint {
  Single Offset = 0;
  TdxAlphaColor Color = 0;
};

// A brush made when first used: a solid colour, a gradient across the
// target rectangle (from its first point's colour to its last, through the
// others), the texture image tiled, or nothing (gpbsClear). Gradient and
// texture brushes are made again when the target rectangle changes.
class TdxGPBrush : public TdxGpBase {
  HOST_CLASS(TdxGPBrush);

  TdxGPBrush();
  ~TdxGPBrush() override;

  TdxGPBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TdxGPBrushStyle AValue);
  TdxAlphaColor GetColor() const { return FColor; }
  void SetColor(TdxAlphaColor AValue);
  TdxGPBrushGradientMode GetGradientMode() const { return FGradientMode; }
  void SetGradientMode(TdxGPBrushGradientMode AValue);
  // Offsets are held within 0..1 and kept in order.
  void AddGradientPoint(Single AOffset, TdxAlphaColor AColor);
  void ClearGradientPoints();
  const std::vector<TdxGPBrushGradientPoint>& GetGradientPoints() const { return FGradientPoints; }
  // A copy of the image; nullptr or an empty one leaves no texture.
  TdxGPImage* GetTexture() const { return FTexture.get(); }
  void SetTexture(TdxGPImage* AValue);
  const TRect& GetTargetRect() const { return FTargetRect; }
  void SetTargetRect(const TRect& AValue);

  // nullptr for a clear brush, or a texture brush without a texture.
  GpBrush* GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }

 private:
  void FreeHandle();
  GpBrush* CreateHandle();

  GpBrush* FHandle = nullptr;
  TdxGPBrushStyle FStyle = gpbsSolid;
  TdxAlphaColor FColor = 0;
  TdxGPBrushGradientMode FGradientMode = gpbgmHorizontal;
  std::vector<TdxGPBrushGradientPoint> FGradientPoints;
  TdxGPImagePtr FTexture;
  TRect FTargetRect = cxNullRect;
};

// A pen of a width and dash style drawing with its own brush.
class TdxGPPen : public TdxGpBase {
  HOST_CLASS(TdxGPPen);

  TdxGPPen();
  ~TdxGPPen() override;

  TdxGPBrush* GetBrush() const { return FBrush.get(); }
  Single GetWidth() const { return FWidth; }
  void SetWidth(Single AValue);
  TdxGPPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TdxGPPenStyle AValue);
  // Passed on to the brush.
  void SetTargetRect(const TRect& AValue) { FBrush->SetTargetRect(AValue); }

  // Made from the brush as it is now; nullptr when the brush draws nothing.
  GpPen* GetHandle();

 private:
  void FreeHandle();

  std::unique_ptr<TdxGPBrush, TFreeObject> FBrush;
  GpPen* FHandle = nullptr;
  GpBrush* FHandleBrush = nullptr;  // the brush handle the pen was made with
  Single FWidth = 1;
  TdxGPPenStyle FStyle = gppsSolid;
};

// Figures of lines, arcs, ellipses, rectangles, rounded rectangles and
// polygons, filled by the alternate rule.
class TdxGPPath : public TdxGpBase {
  HOST_CLASS(TdxGPPath);

  TdxGPPath();
  ~TdxGPPath() override;

  // Lines and arcs continue the open figure; the shapes are figures of
  // their own.
  void AddArc(Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle);
  void AddLine(Single X1, Single Y1, Single X2, Single Y2);
  void AddPolyline(const std::vector<TPoint>& APoints);
  void AddEllipse(const TRect& R);
  void AddEllipse(const TdxRectF& R);
  void AddRect(const TRect& R);
  void AddRect(const TdxRectF& R);
  // Corners of ellipses ARadiusX * 2 by ARadiusY * 2; a plain rectangle
  // when either radius is 0 or less.
  void AddRoundRect(const TRect& R, Integer ARadiusX, Integer ARadiusY);
  void AddPolygon(const std::vector<TPoint>& APoints);
  void FigureStart();
  void FigureFinish();

  // The box of the figures, widened by the pen when given.
  TRect GetBounds(TdxGPPen* APen = nullptr);
  TdxRectF GetBoundsF(TdxGPPen* APen = nullptr);
  bool IsPointInPath(const TPoint& P, TdxGPCanvas* ACanvas = nullptr);
  // On the outline as the pen draws it.
  bool IsPointInPathOutline(const TPoint& P, TdxGPPen* APen, TdxGPCanvas* ACanvas = nullptr);

  GpPath* GetHandle();

 private:
  GpPath* FHandle = nullptr;
};

// m11, m12, m21, m22, dx, dy: (x, y) goes to (x m11 + y m21 + dx, x m12 +
// y m22 + dy).
struct TdxGPMatrixElements {
  Single M11 = 1;
  Single M12 = 0;
  Single M21 = 0;
  Single M22 = 1;
  Single DX = 0;
  Single DY = 0;
  friend bool operator==(const TdxGPMatrixElements&, const TdxGPMatrixElements&) = default;
};

// Operations apply before the matrix (prepend) or after it (append).
class TdxGPMatrix : public TdxGpBase {
  HOST_CLASS(TdxGPMatrix);

  TdxGPMatrix();
  explicit TdxGPMatrix(const TdxGPMatrixElements& AElements);
  ~TdxGPMatrix() override;

  TdxGPMatrixElements GetElements();
  void SetElements(const TdxGPMatrixElements& AValue);
  void Reset() { SetElements(TdxGPMatrixElements()); }
  void Multiply(TdxGPMatrix* AMatrix, Gdiplus::GpMatrixOrder AOrder = Gdiplus::MatrixOrderPrepend);
  // Degrees, clockwise on the screen.
  void Rotate(Single AAngle, Gdiplus::GpMatrixOrder AOrder = Gdiplus::MatrixOrderPrepend);
  void Rotate(Single AAngle, const TdxPointF& APivotPoint,
              Gdiplus::GpMatrixOrder AOrder = Gdiplus::MatrixOrderPrepend);
  void Scale(Single AScaleX, Single AScaleY, Gdiplus::GpMatrixOrder AOrder = Gdiplus::MatrixOrderPrepend);
  void Shear(Single AShearX, Single AShearY, Gdiplus::GpMatrixOrder AOrder = Gdiplus::MatrixOrderPrepend);
  void Translate(Single DX, Single DY, Gdiplus::GpMatrixOrder AOrder = Gdiplus::MatrixOrderPrepend);
  // EdxGdipException, the matrix unchanged, when it cannot be inverted.
  void Invert();
  // Mirrored across the lines through the pivot.
  void Flip(bool AHorizontally, bool AVertically, const TdxPointF& APivotPoint,
            Gdiplus::GpMatrixOrder AOrder = Gdiplus::MatrixOrderPrepend);
  TdxPointF TransformPoint(const TdxPointF& P);
  // Rounded to whole pixels.
  TPoint TransformPoint(const TPoint& P);
  // The box of the rectangle's transformed corners.
  TdxRectF TransformRect(const TdxRectF& R);
  TRect TransformRect(const TRect& R);

  GpMatrix* GetHandle();

 private:
  GpMatrix* FHandle = nullptr;
};

// A graphics object of the library and the drawing done through it. Colours
// are the framework's: clNone leaves the outline or the fill out.
class TdxGPCanvas : public TdxGpBase {
  HOST_CLASS(TdxGPCanvas);

  // Takes the graphics over (nullptr: none yet).
  explicit TdxGPCanvas(GpGraphics* AHandle = nullptr) : FHandle(AHandle) {}
  ~TdxGPCanvas() override;

  GpGraphics* GetHandle() const { return FHandle; }

  void Draw(TdxGPImage* AImage, const TRect& ADestRect, Byte AAlpha = 255);
  void Draw(TdxGPImage* AImage, const TRect& ADestRect, const TRect& ASourceRect, Byte AAlpha = 255);
  void Draw(TdxGPImage* AImage, const TdxRectF& ADestRect, Byte AAlpha = 255);
  void Draw(TdxGPImage* AImage, const TdxRectF& ADestRect, const TdxRectF& ASourceRect, Byte AAlpha = 255);
  void DrawBitmap(TBitmap* ABitmap, const TRect& ADestRect, Byte AAlpha = 255);
  // The whole image tiled over the rectangle.
  void DrawTile(TdxGPImage* AImage, const TRect& ADestRect, Byte AAlpha = 255);
  // Every pixel inside the clip.
  void Clear(TColor AColor, Byte AAlpha = 255);

  void Line(Integer X1, Integer Y1, Integer X2, Integer Y2, TColor APenColor, Single APenWidth = 1,
            TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255);
  void Polyline(const std::vector<TPoint>& APoints, TColor APenColor, Single APenWidth = 1,
                TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255);
  void Polygon(const std::vector<TPoint>& APoints, TColor APenColor, TColor ABrushColor, Single APenWidth = 1,
               TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255, Byte ABrushColorAlpha = 255);
  void Rectangle(const TRect& R, TColor APenColor, TColor ABrushColor, Single APenWidth = 1,
                 TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255, Byte ABrushColorAlpha = 255);
  void RoundRect(const TRect& R, TColor APenColor, TColor ABrushColor, Integer ARadiusX, Integer ARadiusY,
                 Single APenWidth = 1, Byte APenColorAlpha = 255, Byte ABrushColorAlpha = 255);
  void Ellipse(const TRect& R, TColor APenColor, TColor ABrushColor, Single APenWidth = 1,
               TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255, Byte ABrushColorAlpha = 255);
  void Arc(const TRect& R, Single AStartAngle, Single ASweepAngle, TColor APenColor, Single APenWidth = 1,
           TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255);
  void Pie(const TRect& R, Single AStartAngle, Single ASweepAngle, TColor APenColor, TColor ABrushColor,
           Single APenWidth = 1, TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255,
           Byte ABrushColorAlpha = 255);
  void Path(TdxGPPath* APath, TColor APenColor, TColor ABrushColor, Single APenWidth = 1,
            TdxGPPenStyle APenStyle = gppsSolid, Byte APenColorAlpha = 255, Byte ABrushColorAlpha = 255);
  // With the wrappers' own pen and brush (either may be nullptr).
  void Path(TdxGPPath* APath, TdxGPPen* APen, TdxGPBrush* ABrush);

  void SetClipRect(const TRect& R, Gdiplus::CombineMode AMode = Gdiplus::CombineModeReplace);
  void SetClipRegion(HRGN ARegion, Gdiplus::CombineMode AMode = Gdiplus::CombineModeReplace);
  void SetClipPath(TdxGPPath* APath, Gdiplus::CombineMode AMode = Gdiplus::CombineModeReplace);
  // The clip saved on a stack, with the world transform and the modes,
  // which come back with it.
  void SaveClipRegion();
  // Nothing when nothing is saved.
  void RestoreClipRegion();
  bool IsClipEmpty();

  void SetWorldTransform(TdxGPMatrix* AMatrix);
  // The matrix applied before the transform in force.
  void ModifyWorldTransform(TdxGPMatrix* AMatrix);
  void ResetWorldTransform();
  void RotateWorldTransform(Single AAngle, const TdxPointF& APivotPoint);
  void ScaleWorldTransform(Single AScaleX, Single AScaleY);
  void TranslateWorldTransform(Single DX, Single DY);
  void FlipWorldTransform(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint);

  // A mode outside the enumeration reads as its first value.
  TdxGPInterpolationMode GetInterpolationMode();
  void SetInterpolationMode(TdxGPInterpolationMode AValue);
  TdxGPSmoothingMode GetSmoothingMode();
  void SetSmoothingMode(TdxGPSmoothingMode AValue);

  // A DC for GDI drawing on the same target until ReleaseHDC.
  HDC GetHDC();
  void ReleaseHDC(HDC DC);

 protected:
  GpGraphics* FHandle;

 private:
  std::vector<Gdiplus::GraphicsState> FSavedClips;
};

class TdxGPGraphics : public TdxGPCanvas {
  HOST_CLASS(TdxGPGraphics);
  using TdxGPCanvas::TdxGPCanvas;
};

// Draws on a device context between BeginPaint and EndPaint: directly, or
// where the library cannot draw on the device (dxGpIsDoubleBufferedNeeded)
// into a 32-bit copy of the area that EndPaint puts back.
class TdxGPCustomPaintCanvas : public TdxGPGraphics {
  HOST_CLASS(TdxGPCustomPaintCanvas);

  TdxGPCustomPaintCanvas();
  ~TdxGPCustomPaintCanvas() override;

  void BeginPaint(HDC DC, const TRect& R);
  // On a graphics object of the caller's, which EndPaint leaves alone.
  void BeginPaint(GpGraphics* AHandle);
  void EndPaint();

 protected:
  // Kept aside while a nested painting runs; this class keeps nothing.
  virtual void SaveState() {}
  virtual void RestoreState() {}

  HDC FDrawDC = nullptr;
  TRect FDrawRect = cxNullRect;
  std::unique_ptr<TcxBitmap32, TFreeObject> FBuffer;
};

// A paint canvas that may be begun again while in use: each BeginPaint
// keeps the painting in progress on a stack, and its EndPaint takes it back.
class TdxGPPaintCanvas : public TdxGPCustomPaintCanvas {
  HOST_CLASS(TdxGPPaintCanvas);

  TdxGPPaintCanvas();
  ~TdxGPPaintCanvas() override;

 protected:
  void SaveState() override;
  void RestoreState() override;

 private:
  struct TdxGPPaintCanvasState {
    GpGraphics* Handle = nullptr;
    std::unique_ptr<TcxBitmap32, TFreeObject> Buffer;
    TRect DrawRect = cxNullRect;
    HDC DC = nullptr;
  };
  std::vector<TdxGPPaintCanvasState> FSavedStates;
  Integer FCounter = 0;
};

// MemoryBMP, BMP and Icon: dxImageBitmap; JPEG, PNG, TIFF, GIF their own;
// anything else dxImageUnknown.
TdxImageDataFormat dxGetImageDataFormat(const GUID& AGuid);
// The encoder of the format; EdxException "dxGetImageEncoder fails" when
// it has none.
CLSID dxGetImageEncoder(TdxImageDataFormat AFormat);

// ASource of the image into ADest at the alpha. Nothing for an empty source
// or destination, or one the graphics does not show. A source narrower
// (lower) than the destination loses its last column (row) unless it is a
// single one, so that stretching never reaches past its edge.
void dxGpDrawImage(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, Byte AAlpha,
                   GpImage* AImage);
void dxGpDrawImage(GpGraphics* AGraphics, const TdxRectF& ADestRect, const TdxRectF& ASourceRect, Byte AAlpha,
                   GpImage* AImage);
// ASource of the image repeated over ADest from its top-left, the last
// column and row cut at its edges: one texture fill when the alpha is 255,
// else tile by tile.
void dxGpTilePartEx(GpGraphics* AGraphics, const TRect& ADestRect, const TRect& ASourceRect, Byte AAlpha,
                    GpImage* AImage);
void dxGpFillRect(HDC DC, const TRect& ARect, TColor AColor, Byte AAlpha = 255);
void dxGpFillRect(GpGraphics* AGraphics, const TRect& ARect, TColor AColor, Byte AAlpha = 255);
// From AColor1 to AColor2 across the rectangle in the mode.
void dxGpFillRectByGradient(GpGraphics* AGraphics, const TRect& ARect, TColor AColor1, TColor AColor2,
                            TdxGPBrushGradientMode AMode);
bool dxGpIsRectVisible(GpGraphics* AGraphics, const TRect& ARect);
// At 16 bits per pixel or fewer, on a printer or with a palette; before
// Windows Vista also on a layered window.
bool dxGpIsDoubleBufferedNeeded(HDC DC);
// A new paint canvas begun on the DC's rectangle, or on the graphics.
TdxGPPaintCanvas* dxGpBeginPaint(HDC DC, const TRect& R);
TdxGPPaintCanvas* dxGpBeginPaint(GpGraphics* AHandle);
// Ends and frees the canvas, nullptr afterwards.
void dxGpEndPaint(TdxGPPaintCanvas*& ACanvas);
// The process's paint canvas, made when first asked for.
TdxGPPaintCanvas* dxGPPaintCanvas();
// The process's alpha attributes, set to AAlpha.
TdxGPAlphaBlendAttributes* dxGpGetAlphaBlendAttributes(Byte AAlpha);
// All of the stream, positioned at 0; the stream's position stays.
TdxGPMemoryStreamPtr dxCloneStream(TStream* AStream);

// The unit's start: WindowFromDC looked up, then, with the library, the
// encoders found, the image classes registered for streaming and, for
// each format with an encoder, with pictures. Its end frees the shared
// canvas and attributes and unregisters the classes. A test may end and
// start the unit again to start it under other conditions.
void InitializeGDIPlusClasses();
void FinalizeGDIPlusClasses();

// Hands the unit's start and end work to the unit loader.
void RegisterGDIPlusClassesUnit();
