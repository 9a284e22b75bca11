#pragma once
// The image library as the suite calls it: "gdiplus.dll" loaded on first use
// and its flat entry points looked up by name, start-up and shut-down,
// status codes turned into exceptions, and the image encoders found by MIME
// type.

#include "controls/dxCore.h"
#include "graphics/cxGeometry.h"
#include "platform/GdiPlusGraphics.h"

// The library's types under the names the suite uses.
using GpStatus = Gdiplus::GpStatus;
using GpImage = Gdiplus::GpImage;
using GpBitmap = Gdiplus::GpBitmap;
using GpGraphics = Gdiplus::GpGraphics;
using GpBrush = Gdiplus::GpBrush;
using GpSolidFill = Gdiplus::GpSolidFill;
using GpTexture = Gdiplus::GpTexture;
using GpLineGradient = Gdiplus::GpLineGradient;
using GpPen = Gdiplus::GpPen;
using GpPath = Gdiplus::GpPath;
using GpMatrix = Gdiplus::GpMatrix;
using GpRegion = Gdiplus::GpRegion;
using GpImageAttributes = Gdiplus::GpImageAttributes;
using TdxGPRect = Gdiplus::GpRect;
using TdxGPRectF = Gdiplus::GpRectF;
using TdxGPPoint = Gdiplus::GpPoint;
using TdxGPPointF = Gdiplus::GpPointF;
using TdxGpColorMatrix = Gdiplus::ColorMatrix;

// Status codes raise this: "Invalid operation in GDI+ (Code: %d)".
class EdxGdipException : public EdxException {
 public:
  explicit EdxGdipException(Integer AErrorCode);
  Integer GetErrorCode() const { return FErrorCode; }

 private:
  Integer FErrorCode;
};

// The entry points looked up when the library loads, in this order; one
// name missing leaves the library unavailable as a whole. Each is a variable
// of its flat function's type, named after it.
#define DX_GDIPLUS_ENTRY_POINTS(X)                                                                                    \
  X(GdipAlloc) X(GdipFree) X(GdiplusStartup) X(GdiplusShutdown) X(GdipCreateBitmapFromScan0)                          \
  X(GdipCreateBitmapFromHBITMAP) X(GdipCreateHBITMAPFromBitmap) X(GdipBitmapLockBits) X(GdipBitmapUnlockBits)         \
  X(GdipGetImageWidth) X(GdipGetImageHeight) X(GdipGetImageDimension) X(GdipGetImagePixelFormat)                      \
  X(GdipGetImageRawFormat) X(GdipCloneImage) X(GdipDisposeImage) X(GdipLoadImageFromStream)                           \
  X(GdipSaveImageToStream) X(GdipGetImageEncodersSize) X(GdipGetImageEncoders) X(GdipCreateFromHDC)                   \
  X(GdipGetImageGraphicsContext) X(GdipDeleteGraphics) X(GdipGetDC) X(GdipReleaseDC) X(GdipGraphicsClear)             \
  X(GdipSetInterpolationMode) X(GdipGetInterpolationMode) X(GdipSetSmoothingMode) X(GdipGetSmoothingMode)             \
  X(GdipSetClipRect) X(GdipSetClipRectI) X(GdipSetClipRegion) X(GdipSetClipPath) X(GdipResetClip)                     \
  X(GdipIsClipEmpty) X(GdipIsVisibleRect) X(GdipIsVisibleRectI) X(GdipSaveGraphics) X(GdipRestoreGraphics)            \
  X(GdipSetWorldTransform) X(GdipResetWorldTransform) X(GdipMultiplyWorldTransform) X(GdipTranslateWorldTransform)    \
  X(GdipScaleWorldTransform) X(GdipRotateWorldTransform) X(GdipCreateRegionHrgn) X(GdipDeleteRegion)                  \
  X(GdipDrawImageRectRect) X(GdipDrawImageRectRectI) X(GdipDrawImageRect) X(GdipDrawImageRectI)                       \
  X(GdipCreateImageAttributes) X(GdipCloneImageAttributes) X(GdipDisposeImageAttributes)                             \
  X(GdipSetImageAttributesColorMatrix) X(GdipCreateSolidFill) X(GdipSetSolidFillColor) X(GdipGetSolidFillColor)       \
  X(GdipCreateTexture2I) X(GdipCreateLineBrushFromRect) X(GdipCreateLineBrushFromRectI) X(GdipSetLinePresetBlend)     \
  X(GdipCloneBrush) X(GdipDeleteBrush) X(GdipCreatePen1) X(GdipCreatePen2) X(GdipClonePen) X(GdipDeletePen)           \
  X(GdipSetPenWidth) X(GdipGetPenWidth) X(GdipSetPenColor) X(GdipSetPenBrushFill) X(GdipSetPenDashStyle)              \
  X(GdipGetPenDashStyle) X(GdipDrawLine) X(GdipDrawLineI) X(GdipDrawLines) X(GdipDrawLinesI) X(GdipDrawPolygon)       \
  X(GdipDrawPolygonI) X(GdipFillPolygon) X(GdipFillPolygonI) X(GdipDrawRectangle) X(GdipDrawRectangleI)               \
  X(GdipFillRectangle) X(GdipFillRectangleI) X(GdipDrawEllipse) X(GdipDrawEllipseI) X(GdipFillEllipse)                \
  X(GdipFillEllipseI) X(GdipDrawArc) X(GdipDrawArcI) X(GdipDrawPie) X(GdipDrawPieI) X(GdipFillPie) X(GdipFillPieI)    \
  X(GdipDrawPath) X(GdipFillPath) X(GdipCreatePath) X(GdipClonePath) X(GdipDeletePath) X(GdipStartPathFigure)         \
  X(GdipClosePathFigure) X(GdipAddPathLine) X(GdipAddPathLineI) X(GdipAddPathArc) X(GdipAddPathArcI)                  \
  X(GdipAddPathEllipse) X(GdipAddPathEllipseI) X(GdipAddPathRectangle) X(GdipAddPathRectangleI)                       \
  X(GdipAddPathPolygon) X(GdipAddPathPolygonI) X(GdipGetPathWorldBounds) X(GdipGetPathWorldBoundsI)                   \
  X(GdipIsVisiblePathPoint) X(GdipIsVisiblePathPointI) X(GdipIsOutlineVisiblePathPoint)                               \
  X(GdipIsOutlineVisiblePathPointI) X(GdipCreateMatrix) X(GdipCreateMatrix2) X(GdipCloneMatrix) X(GdipDeleteMatrix)   \
  X(GdipSetMatrixElements) X(GdipGetMatrixElements) X(GdipMultiplyMatrix) X(GdipRotateMatrix) X(GdipScaleMatrix)      \
  X(GdipShearMatrix) X(GdipTranslateMatrix) X(GdipInvertMatrix) X(GdipTransformMatrixPoints)                          \
  X(GdipTransformMatrixPointsI)

#define DX_DECLARE_GDIPLUS_ENTRY(Name) extern decltype(&Gdiplus::Name) Name;
DX_GDIPLUS_ENTRY_POINTS(DX_DECLARE_GDIPLUS_ENTRY)
#undef DX_DECLARE_GDIPLUS_ENTRY

// Where images come from, as the library reports them.
using Gdiplus::ImageFormatBMP;
using Gdiplus::ImageFormatGIF;
using Gdiplus::ImageFormatIcon;
using Gdiplus::ImageFormatJPEG;
using Gdiplus::ImageFormatMemoryBMP;
using Gdiplus::ImageFormatPNG;
using Gdiplus::ImageFormatTIFF;

// The colour matrix that changes nothing.
extern const TdxGpColorMatrix dxGpDefaultColorMatrix;

// Version 1, no debug callback, no background thread (the hook pair is used
// instead), the external codecs allowed.
extern const Gdiplus::GdiplusStartupInput DefaultStartup;

// The encoders CheckImageCodecs found; all zero for one that is missing.
extern CLSID BMPCodec;
extern CLSID GIFCodec;
extern CLSID JPEGCodec;
extern CLSID PNGCodec;
extern CLSID TIFFCodec;

// Loads the library when it is not loaded (each call tries again while it
// cannot be), then tells whether it is. When it is not and AShowMessage is
// set, tells the user in a message box that the program cannot run without
// it, and ends the program.
bool CheckGdiPlus(bool AShowMessage = false);
// Nothing when loaded. Otherwise loads "gdiplus.dll" (without the system's
// error box), looks up every entry point and starts the library with its
// notification hook; when any step fails, what the earlier steps did is
// undone and the library stays unavailable.
void GdiPlusLoad();
// Unhooks, shuts the library down and frees it.
void GdiPlusUnload();

// Nothing for Ok (0); EdxGdipException for any other status.
void GdipCheck(Integer AStatus);

// Gives an object back to the library through its delete entry, and forgets
// it. One that outlived the entry (a later load failed) is only forgotten.
template <typename T, typename TDelete>
void dxGpFreeHandle(T*& AHandle, TDelete ADelete) {
  if (AHandle && ADelete) ADelete(AHandle);
  AHandle = nullptr;
}

// Finds the PNG encoder, required (its absence raises through GdipCheck),
// and the BMP, GIF, JPEG and TIFF encoders, each all zero when missing.
void CheckImageCodecs();
// The encoder of the MIME type (compared without regard to case): Ok, or
// GenericError with ACodecID all zero when there is none.
GpStatus GetCodecID(const String& AMimeType, CLSID& ACodecID);
// Any of the first three fields set.
bool IsCodecIDValid(const CLSID& ACodecID);

// A new 32-bit premultiplied bitmap of that size, cleared; raises as
// GdipCheck does.
GpBitmap* dxGpCreateBitmap(Integer AWidth, Integer AHeight);
GpBitmap* dxGpCreateBitmap(const TSize& ASize);
GpBitmap* dxGpCreateBitmap(const TRect& ARect);

TdxGPRect MakeRect(Integer X, Integer Y, Integer AWidth, Integer AHeight);
TdxGPRect MakeRect(const TRect& ARect);
TdxGPRectF dxGpMakeRectF(Single X, Single Y, Single AWidth, Single AHeight);
TdxGPRectF dxGpMakeRectF(const TRect& ARect);
TdxGPRectF dxGpMakeRectF(const TdxRectF& ARect);
bool dxGpRectIsEqual(const TdxGPRect& R1, const TdxGPRect& R2);
bool dxGpRectIsEqual(const TdxGPRectF& R1, const TdxGPRectF& R2);

// The unit starts by marking the library as not yet loaded and ends by
// unloading it.
void RegisterGDIPlusAPIUnit();
