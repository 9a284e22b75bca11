#include "host/GraphicsObjects.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "host/Bitmaps.h"
#include "host/Canvas.h"
#include "host/TypInfo.h"

HOST_CLASS_INFO(TGraphicsObject, TPersistent, nullptr)

void TGraphicsObject::Changed() {
  HGDIOBJ stale = DetachHandle();
  if (FCanvas) FCanvas->ObjectChanged(this);
  if (OnChange) OnChange(this);
  if (stale) DeleteObject(stale);
}

Integer MulDivSaturated(Integer A, Integer B, Integer C) {
  constexpr Int64 Lowest = std::numeric_limits<Integer>::min();
  constexpr Int64 Highest = std::numeric_limits<Integer>::max();
  // Two 32-bit factors always fit in 64 bits.
  const Int64 product = Int64{A} * B;
  if (C == 0) return product == 0 ? 0 : static_cast<Integer>(product > 0 ? Highest : Lowest);
  const Int64 divisor = C < 0 ? -Int64{C} : C;
  const Int64 magnitude = ((product < 0 ? -product : product) + divisor / 2) / divisor;
  const Int64 result = (product < 0) != (C < 0) ? -magnitude : magnitude;
  return static_cast<Integer>(std::clamp(result, Lowest, Highest));
}

// --- TFont ------------------------------------------------------------------

namespace {

const TEnumNames& FontStyleNames() {
  static const TEnumNames names{{u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"}};
  return names;
}
const TEnumNames& FontPitchNames() {
  static const TEnumNames names{{u"fpDefault", u"fpVariable", u"fpFixed"}};
  return names;
}
const TEnumNames& FontQualityNames() {
  static const TEnumNames names{{u"fqDefault", u"fqDraft", u"fqProof", u"fqNonAntialiased", u"fqAntialiased",
                                 u"fqClearType", u"fqClearTypeNatural"}};
  return names;
}

}  // namespace

const TIdentMap& CharsetIdents() {
  static const TIdentMap map{{
      {ANSI_CHARSET, u"ANSI_CHARSET"},
      {DEFAULT_CHARSET, u"DEFAULT_CHARSET"},
      {SYMBOL_CHARSET, u"SYMBOL_CHARSET"},
      {SHIFTJIS_CHARSET, u"SHIFTJIS_CHARSET"},
      {GB2312_CHARSET, u"GB2312_CHARSET"},
      {CHINESEBIG5_CHARSET, u"CHINESEBIG5_CHARSET"},
      {GREEK_CHARSET, u"GREEK_CHARSET"},
      {ARABIC_CHARSET, u"ARABIC_CHARSET"},
      {RUSSIAN_CHARSET, u"RUSSIAN_CHARSET"},
      {OEM_CHARSET, u"OEM_CHARSET"},
  }};
  return map;
}

namespace {

const TPublished& FontPublished() {
  static const TPublished p{{
      IdentProp<TFont>(u"Charset", CharsetIdents(), &TFont::GetCharset, &TFont::SetCharset, DEFAULT_CHARSET),
      IdentProp<TFont>(u"Color", ColorIdents(), &TFont::GetColor, &TFont::SetColor, clWindowText),
      IntegerProp<TFont>(u"Height", &TFont::GetHeight, &TFont::SetHeight),
      StringProp<TFont>(u"Name", &TFont::GetName, &TFont::SetName),
      IntegerProp<TFont>(u"Orientation", &TFont::GetOrientation, &TFont::SetOrientation, 0),
      EnumProp<TFont>(u"Pitch", FontPitchNames(), &TFont::GetPitch, &TFont::SetPitch, fpDefault),
      EnumProp<TFont>(u"Quality", FontQualityNames(), &TFont::GetQuality, &TFont::SetQuality, fqDefault),
      // Height says the same, and says it exactly.
      [] {
        TPropInfo p = IntegerProp<TFont>(u"Size", &TFont::GetSize, &TFont::SetSize);
        p.Stored = [](const TObject*) { return false; };
        return p;
      }(),
      SetProp<TFont>(u"Style", FontStyleNames(), &TFont::GetStyle, &TFont::SetStyle, 0),
  }};
  return p;
}

}  // namespace

HOST_CLASS_INFO_PUBLISHED(TFont, TGraphicsObject, &CreateDefault<TFont>, &FontPublished)

TFont::TFont() = default;

TFont::~TFont() {
  if (FHandle) DeleteObject(FHandle);
}

void TFont::Assign(TPersistent* Source) {
  auto* font = dynamic_cast<TFont*>(Source);
  if (!font) return TGraphicsObject::Assign(Source);
  if (font == this) return;
  FName = font->FName;
  FHeight = font->FHeight;
  FPixelsPerInch = font->FPixelsPerInch;
  FStyle = font->FStyle;
  FCharset = font->FCharset;
  FPitch = font->FPitch;
  FColor = font->FColor;
  FQuality = font->FQuality;
  FOrientation = font->FOrientation;
  FOutPrecision = font->FOutPrecision;
  Changed();
}

LOGFONTW TFont::GetLogFont() const {
  LOGFONTW lf;
  lf.lfHeight = FHeight;
  lf.lfEscapement = FOrientation;
  lf.lfOrientation = FOrientation;
  lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(fsItalic);
  lf.lfUnderline = FStyle.Contains(fsUnderline);
  lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = FOutPrecision;
  lf.lfQuality = static_cast<BYTE>(FQuality);
  lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  // Names longer than the field are cut, keeping the terminator.
  const size_t n = std::min<size_t>(FName.size(), LF_FACESIZE - 1);
  std::copy_n(FName.data(), n, lf.lfFaceName);
  return lf;
}

HFONT TFont::GetHandle() {
  if (!FHandle) {
    const LOGFONTW lf = GetLogFont();
    FHandle = CreateFontIndirectW(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONTW lf;
  if (!Value || GetObjectW(Value, sizeof(lf), &lf) != static_cast<int>(sizeof(lf))) return;
  const WCHAR* name = lf.lfFaceName;
  FName.assign(name, std::find(name, name + LF_FACESIZE, u'\0'));
  FHeight = lf.lfHeight;
  FStyle = {};
  if (lf.lfWeight >= FW_SEMIBOLD) FStyle.Include(fsBold);
  if (lf.lfItalic) FStyle.Include(fsItalic);
  if (lf.lfUnderline) FStyle.Include(fsUnderline);
  if (lf.lfStrikeOut) FStyle.Include(fsStrikeOut);
  FCharset = lf.lfCharSet;
  const BYTE pitch = lf.lfPitchAndFamily & 0x0F;
  FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  FQuality = lf.lfQuality <= fqClearTypeNatural ? static_cast<TFontQuality>(lf.lfQuality) : fqDefault;
  FOrientation = lf.lfEscapement;
  FOutPrecision = lf.lfOutPrecision;
  Changed();
}

HGDIOBJ TFont::DetachHandle() { return std::exchange(FHandle, nullptr); }

void TFont::SetName(const TFontName& Value) {
  if (!Value.empty()) Update(FName, Value);
}
void TFont::SetHeight(Integer Value) { Update(FHeight, Value); }
// Negated inside the 64-bit computation, so that saturation stays symmetric.
Integer TFont::GetSize() const { return MulDivSaturated(FHeight, -72, FPixelsPerInch); }
void TFont::SetSize(Integer Value) { SetHeight(MulDivSaturated(Value, -FPixelsPerInch, 72)); }
void TFont::SetPixelsPerInch(Integer Value) {
  // The resolution only changes how Size reads; the font stays as it is.
  if (Value > 0) FPixelsPerInch = Value;
}
void TFont::SetStyle(TFontStyles Value) { Update(FStyle, Value); }
void TFont::SetCharset(TFontCharset Value) { Update(FCharset, Value); }
void TFont::SetPitch(TFontPitch Value) { Update(FPitch, Value); }
void TFont::SetColor(TColor Value) { Update(FColor, Value); }
void TFont::SetQuality(TFontQuality Value) { Update(FQuality, Value); }
void TFont::SetOrientation(Integer Value) { Update(FOrientation, Value); }

// --- TBrush -----------------------------------------------------------------

namespace {

const TEnumNames& BrushStyleNames() {
  static const TEnumNames names{
      {u"bsSolid", u"bsClear", u"bsHorizontal", u"bsVertical", u"bsFDiagonal", u"bsBDiagonal", u"bsCross",
       u"bsDiagCross"}};
  return names;
}

const TPublished& BrushPublished() {
  static const TPublished p{{
      IdentProp<TBrush>(u"Color", ColorIdents(), &TBrush::GetColor, &TBrush::SetColor, clWhite),
      EnumProp<TBrush>(u"Style", BrushStyleNames(), &TBrush::GetStyle, &TBrush::SetStyle, bsSolid),
  }};
  return p;
}

}  // namespace

HOST_CLASS_INFO_PUBLISHED(TBrush, TGraphicsObject, &CreateDefault<TBrush>, &BrushPublished)

TBrush::~TBrush() {
  if (FHandle) DeleteObject(FHandle);
}

void TBrush::Assign(TPersistent* Source) {
  auto* brush = dynamic_cast<TBrush*>(Source);
  if (!brush) return TGraphicsObject::Assign(Source);
  if (brush == this) return;
  FColor = brush->FColor;
  FStyle = brush->FStyle;
  FBitmap = brush->FBitmap;
  Changed();
}

HBRUSH TBrush::GetHandle() {
  if (!FHandle) {
    LOGBRUSH lb;
    lb.lbColor = ColorToGdi(FColor);
    if (FBitmap && !FBitmap->GetEmpty()) {
      lb.lbStyle = BS_PATTERN;
      lb.lbHatch = reinterpret_cast<ULONG_PTR>(FBitmap->GetHandle());
    } else if (FStyle == bsSolid) {
      lb.lbStyle = BS_SOLID;
    } else if (FStyle == bsClear) {
      lb.lbStyle = BS_NULL;
    } else {
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = static_cast<ULONG_PTR>(HS_HORIZONTAL + (FStyle - bsHorizontal));
    }
    FHandle = CreateBrushIndirect(&lb);
  }
  return FHandle;
}

void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH lb;
  if (!Value || Value == FHandle || GetObjectType(Value) != OBJ_BRUSH ||
      GetObjectW(Value, sizeof(lb), &lb) != static_cast<int>(sizeof(lb)))
    return;
  FColor = static_cast<TColor>(lb.lbColor);
  FStyle = lb.lbStyle == BS_NULL      ? bsClear
           : lb.lbStyle == BS_HATCHED ? static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch)
                                      : bsSolid;
  FBitmap = nullptr;
  FAdoptedHandle = Value;
  Changed();
}

HGDIOBJ TBrush::DetachHandle() { return std::exchange(FHandle, std::exchange(FAdoptedHandle, nullptr)); }

void TBrush::SetColor(TColor Value) {
  // A colour on a clear brush means a solid one, as the framework has it.
  if (FColor == Value && FStyle != bsClear) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle Value) { Update(FStyle, Value); }
void TBrush::SetBitmap(TBitmap* Value) { Update(FBitmap, Value); }

// --- TPen -------------------------------------------------------------------

namespace {

constexpr int PenModeRop2[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};

const TEnumNames& PenStyleNames() {
  static const TEnumNames names{
      {u"psSolid", u"psDash", u"psDot", u"psDashDot", u"psDashDotDot", u"psClear", u"psInsideFrame"}};
  return names;
}
const TEnumNames& PenModeNames() {
  static const TEnumNames names{{u"pmBlack", u"pmWhite", u"pmNop", u"pmNot", u"pmCopy", u"pmNotCopy",
                                 u"pmMergePenNot", u"pmMaskPenNot", u"pmMergeNotPen", u"pmMaskNotPen", u"pmMerge",
                                 u"pmNotMerge", u"pmMask", u"pmNotMask", u"pmXor", u"pmNotXor"}};
  return names;
}

const TPublished& PenPublished() {
  static const TPublished p{{
      IdentProp<TPen>(u"Color", ColorIdents(), &TPen::GetColor, &TPen::SetColor, clBlack),
      EnumProp<TPen>(u"Mode", PenModeNames(), &TPen::GetMode, &TPen::SetMode, pmCopy),
      EnumProp<TPen>(u"Style", PenStyleNames(), &TPen::GetStyle, &TPen::SetStyle, psSolid),
      IntegerProp<TPen>(u"Width", &TPen::GetWidth, &TPen::SetWidth, 1),
  }};
  return p;
}

}  // namespace

int PenModeToROP2(TPenMode Mode) { return Mode <= pmNotXor ? PenModeRop2[Mode] : R2_COPYPEN; }

TPenMode ROP2ToPenMode(int Rop2) {
  for (int i = 0; i <= pmNotXor; ++i)
    if (PenModeRop2[i] == Rop2) return static_cast<TPenMode>(i);
  return pmCopy;
}

HOST_CLASS_INFO_PUBLISHED(TPen, TGraphicsObject, &CreateDefault<TPen>, &PenPublished)

TPen::~TPen() {
  if (FHandle) DeleteObject(FHandle);
}

void TPen::Assign(TPersistent* Source) {
  auto* pen = dynamic_cast<TPen*>(Source);
  if (!pen) return TGraphicsObject::Assign(Source);
  if (pen == this) return;
  FColor = pen->FColor;
  FWidth = pen->FWidth;
  FStyle = pen->FStyle;
  FMode = pen->FMode;
  Changed();
}

HPEN TPen::GetHandle() {
  if (!FHandle) FHandle = CreatePen(static_cast<int>(FStyle), FWidth, ColorToGdi(FColor));
  return FHandle;
}

HGDIOBJ TPen::DetachHandle() { return std::exchange(FHandle, nullptr); }

void TPen::SetColor(TColor Value) { Update(FColor, Value); }
void TPen::SetWidth(Integer Value) { Update(FWidth, std::max(Value, 1)); }
void TPen::SetStyle(TPenStyle Value) { Update(FStyle, Value); }
void TPen::SetMode(TPenMode Value) { Update(FMode, Value); }
