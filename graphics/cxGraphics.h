#pragma once
// The suite's drawing foundation: colour formulas, fills and gradients on a
// device context, alpha blending with a software fallback, the Lanczos-3
// resampler, bitmap helpers, the compressed bitmap stream, text on a device
// context and the screen's resolution.

#include <memory>
#include <vector>

#include "graphics/cxGeometry.h"
#include "graphics/dxCoreGraphics.h"
#include "platform/GdiText.h"

class TStream;
class TcxObjectList;

// --- Text flags of the canvas -------------------------------------------------

inline constexpr Integer cxAlignLeft = 1;
inline constexpr Integer cxAlignRight = 2;
inline constexpr Integer cxAlignHCenter = 4;
inline constexpr Integer cxAlignTop = 8;
inline constexpr Integer cxAlignBottom = 16;
inline constexpr Integer cxAlignVCenter = 32;
inline constexpr Integer cxAlignCenter = cxAlignHCenter | cxAlignVCenter;
inline constexpr Integer cxSingleLine = 64;
inline constexpr Integer cxDontClip = 128;
inline constexpr Integer cxExpandTabs = 256;
inline constexpr Integer cxShowPrefix = 512;
inline constexpr Integer cxWordBreak = 1024;
inline constexpr Integer cxShowEndEllipsis = 2048;
inline constexpr Integer cxCalcRect = 4096;
inline constexpr Integer cxShowPathEllipsis = 8192;
inline constexpr Integer cxDontBreakChars = 16384;
inline constexpr Integer cxNoFullWidthCharBreak = 32768;

// --- Colours -------------------------------------------------------------------

// Hue in degrees (0..360), saturation and value 0..1.
struct TdxHSV {
  Double H = 0;
  Double S = 0;
  Double V = 0;
};

// Hue, saturation and lightness, all 0..1.
struct TdxHSL {
  Double H = 0;
  Double S = 0;
  Double L = 0;
};

// The button face, highlight and window colours mixed by signed percentages
// (-128..127), each channel limited to 0..255; the highlight colour itself
// when the button face is black or white and the highlight is not black.
TColor GetLightColor(Integer ABtnFaceColorPart, Integer AHighlightColorPart, Integer AWindowColorPart);
TColor GetLightSelColor();
TColor GetLightDownedSelColor();
// Each channel scaled by APercent; outside 0..100 the channels stop at 0..255.
TColor dxGetDarkerColor(TColor AColor, Integer APercent);
// APercent of AColor1 and the rest of AColor2, per channel, then the nearest
// colour the screen shows.
TColor dxGetMiddleRGB(TColor AColor1, TColor AColor2, Integer APercent);
// Lighter towards 100, darker towards -100, through HSV; further out the
// channels stop at 0..255.
TColor dxGetColorTint(TColor AColor, Integer APercent);
// What the screen can show of the colour.
TColor dxGetNearestColor(TColor AColor);
// System colours resolved, every colour bit flipped.
TColor dxInvertColor(TColor AColor);
// clNone and clDefault give all zero.
TdxHSV dxColorToHSV(TColor AColor);
// Channels beyond 0..255 stop there.
TColor dxHSVToColor(const TdxHSV& AHSV);

class TdxColorSpaceConverter {
 public:
  // clNone and clDefault give all zero.
  static TdxHSL ColorToHSL(TColor AColor);
  static TdxHSV ColorToHSV(TColor AColor) { return dxColorToHSV(AColor); }
  static TColor HSLToColor(const TdxHSL& AHSL);
  static TColor HSVToColor(const TdxHSV& AHSV) { return dxHSVToColor(AHSV); }
};

// Neither clNone nor clDefault.
constexpr bool cxColorIsValid(TColor AColor) { return AColor != clNone && AColor != clDefault; }
// All 32 bits equal.
bool cxColorIsEqual(const TRGBQuad& AColor1, const TRGBQuad& AColor2);
constexpr TColor cxGetActualColor(TColor AColor, TColor ADefaultColor) {
  return AColor == clDefault ? ADefaultColor : AColor;
}
void cxExchangeColors(TColor& AColor1, TColor& AColor2);
// The button face is black.
bool IsHighContrastBlack();
// The button face is black and the button text is not white.
bool IsHighContrast2();

// --- Fills on a device context --------------------------------------------------

// Nothing for clNone; a solid brush made, used and deleted.
void FillRectByColor(HDC DC, const TRect& R, TColor AColor);
void FrameRectByColor(HDC DC, const TRect& R, TColor AColor);
// From AColor1 to AColor2 across (AHorizontal) or down the rectangle:
// through the system's gradient fill, else in at most 256 bands. Equal
// colours fill solid; an empty or inverted rectangle draws nothing.
void FillGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2, bool AHorizontal);
// AColor1 to a middle colour AGradientPercent / 2 % of the way to AColor2
// over the first half, then on to AColor2, one line at a time; 100 gives a
// straight gradient.
void FillTubeGradientRect(HDC DC, const TRect& ARect, TColor AColor1, TColor AColor2, Integer AGradientPercent,
                          bool AHorizontal);

// --- Blitting and blending ---------------------------------------------------------

// Source over destination with a premultiplied source and a constant alpha,
// the arithmetic of the system's AlphaBlend.
void cxBlendFunction(const TRGBQuad& ASource, TRGBQuad& ADest, Byte ASourceConstantAlpha);
// The system's AlphaBlend; false when the system has none.
bool SystemAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect,
                      Byte AConstantAlpha = 255, bool AHasPerPixelAlpha = true);
// The source's pixels, with their alpha, over the destination's: through the
// system's AlphaBlend, or, without it or when a smoothed stretch is asked
// for, through copies of both areas. Nothing when either rectangle is empty.
void CommonAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect,
                      bool ASmoothImage = false, Byte AConstantAlpha = 255);
void cxAlphaBlend(HDC ADestDC, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, Byte AConstantAlpha = 255);
void cxAlphaBlend(TBitmap* ADestBitmap, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, Byte AConstantAlpha = 255);
// ASource's image resized onto ADestination's whole area: the system's
// half-tone stretch, or with AForceUseLanczos3Filter a Lanczos-3 resampling
// of all four channels. Nothing when either has no area.
void cxSmoothResizeBitmap(TBitmap* ASource, TBitmap* ADestination, bool AForceUseLanczos3Filter = false);
// BitBlt over the destination rectangle.
void cxBitBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ROP);
void cxDrawBitmap(HDC ADestDC, TBitmap* ABitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft,
                  DWORD AMode = SRCCOPY);

using TcxBitmapPtr = std::unique_ptr<TBitmap, TFreeObject>;
// A bitmap of that size and pixel format.
TcxBitmapPtr cxCreateBitmap(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat = pf24bit);
TcxBitmapPtr cxCreateBitmap(const TSize& ASize, TPixelFormat APixelFormat = pf24bit);
TcxBitmapPtr cxCreateBitmap(const TRect& ARect, TPixelFormat APixelFormat = pf24bit);
// Every horizontal run of pixels whose colour is not ATransparentColor, as
// one region owned by the caller; 0 when no pixel is opaque.
HRGN cxCreateRegionFromBitmap(TBitmap* ABitmap, TColor ATransparentColor);

// --- The compressed bitmap stream ------------------------------------------------

// "XDBM"
inline constexpr Cardinal ADXBMSignature = 0x4D424458;
inline constexpr Word ADXBMVersion = 2;

// Writes ASize bytes of bitmap data as an "XDBM" stream: a header of count,
// signature and version, then the block size (ABitsPerPixel div 8, or 1
// below 16 bits per pixel), the remainder of bytes left over from whole
// blocks, those bytes raw, and runs of at most 125 blocks, repeated or
// literal.
void cxWriteCompressedBitmapData(TStream* AStream, const void* AData, Int64 ASize, Integer ABitsPerPixel);
// Reads an "XDBM" stream into AData. False, with the stream back where it
// was, when the stream does not start with the signature: it holds the data
// uncompressed. EReadError for a stream that is cut short or damaged.
bool cxReadCompressedBitmapData(TStream* AStream, std::vector<Byte>& AData);

// --- Text on a device context ------------------------------------------------------

enum TcxWritingDirection : uint8_t { wdLeftToRight, wdRightToLeft };

// DrawTextW in the background mode and the text colour given (clDefault
// keeps the context's colour), both put back afterwards; ACharCount -1 for
// the whole text. Returns what DrawTextW returns.
Integer cxDrawText(HDC ADC, const String& AText, TRect& ARect, UINT AFormat, Integer ABkMode = TRANSPARENT,
                   TColor ATextColor = clDefault, Integer ACharCount = -1);
// ExtTextOutW at APoint, unclipped or clipped to ARect (ETO_CLIPPED in
// AOptions); ACharCount -1 for the whole text.
bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& APoint, UINT AOptions = 0, Integer ACharCount = -1);
bool cxExtTextOut(HDC ADC, const String& AText, const TPoint& APoint, const TRect& ARect, UINT AOptions,
                  Integer ACharCount = -1);
// ACharCount -1 for the whole text.
bool cxGetTextExtentPoint32(HDC ADC, const String& AText, TSize& ASize, Integer ACharCount = -1);
// The font's cell height (tmHeight).
Integer cxTextHeight(HDC ADC);
Integer cxTextHeight(TFont* AFont);
// The canvas's text flags as DrawTextW format flags.
UINT cxFlagsToDTFlags(Integer AFlags);
// Right to left for an empty text or one starting beyond ASCII in the
// character sets 134, 136 and 178 (DEFAULT_CHARSET standing for the system's).
TcxWritingDirection cxGetWritingDirection(TFontCharset ACharset, const String& AText);
void dxSetFontAsNonAntialiased(TFont* AFont);
// Back to the framework's default font: charset, name, height, pitch, style.
void cxResetFont(TFont* AFont);

// --- The screen's resolution --------------------------------------------------------

// Read once when the unit starts.
TSize cxGetPixelsPerInch();
// The vertical pixels per inch.
Integer cxGetCurrentDPI();
// Scaled from 96 pixels per inch to the current resolution.
Integer cxGetValueCurrentDPI(Integer AValue);
TSize cxGetValueCurrentDPI(const TSize& ASize);
TRect cxGetValueCurrentDPI(const TRect& ARect);

// --- Shared objects -------------------------------------------------------------------

// A pattern of alternate pixels (rows 0xAA and 0x55), mapped through the
// device context's text and background colours.
TBrush* cxHalfToneBrush();
// 31 brushes drawing with the system colour brushes (GetSysColorBrush(i)).
TcxObjectList* SystemBrushes();

// The unit's start and end work, handed to the unit loader. Starting makes
// the shared brushes, looks up the blend library's entry points and reads
// the screen's resolution; ending frees them again. A test may end and
// start the unit again to start it under other conditions.
void InitializeGraphics();
void FinalizeGraphics();

// Hands the unit's start and end work to the unit loader.
void RegisterGraphicsUnit();
