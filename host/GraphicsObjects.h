#pragma once
// The objects a canvas draws with: fonts, brushes and pens. Each creates its
// GDI handle when first asked for it and frees it when a property changes,
// so a handle always matches the properties.

#include "host/Colors.h"
#include "host/Persistent.h"
#include "host/Sets.h"
#include "platform/GdiText.h"

class TBitmap;
class TCanvas;

// Base of the three: a change notification.
class TGraphicsObject : public TPersistent {
  HOST_CLASS(TGraphicsObject);

  TNotifyEvent OnChange;

 protected:
  // The handle no longer matches: it is taken away first, so that anything
  // OnChange draws gets a new one; the owning canvas deselects it; and it is
  // deleted last.
  virtual void Changed();
  // Gives up the handle (nullptr when there is none).
  virtual HGDIOBJ DetachHandle() { return nullptr; }

  template <typename V>
  void Update(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

 private:
  friend class TCanvas;
  // The canvas the object belongs to, told apart from OnChange so that
  // whoever assigns that cannot leave the canvas with a deleted handle.
  TCanvas* FCanvas = nullptr;
};

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, 4>;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontQuality : uint8_t {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};
using TFontCharset = Byte;
using TFontName = String;

// The screen's resolution, which point sizes are converted at.
inline constexpr Integer ScreenPixelsPerInch = 96;

// Points to pixels and back: A * B / C rounded half away from zero, in 64
// bits and saturated to the 32-bit range instead of failing (C = 0 gives
// the limit of A * B's sign).
Integer MulDivSaturated(Integer A, Integer B, Integer C);

// Starts as the framework's default font: "Tahoma", height -11 (8 points),
// DEFAULT_CHARSET, clWindowText, no style.
class TFont : public TGraphicsObject {
  HOST_CLASS(TFont);

  TFont();
  ~TFont() override;

  void Assign(TPersistent* Source) override;

  HFONT GetHandle();
  // Takes on the description of Value, its output precision too; the handle
  // stays the caller's.
  void SetHandle(HFONT Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  const TFontName& GetName() const { return FName; }
  void SetName(const TFontName& Value);
  // Negative: the character height in pixels; positive: the cell height.
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value);
  // Points at PixelsPerInch.
  Integer GetSize() const;
  void SetSize(Integer Value);
  Integer GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // The text colour; not part of the handle.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFontQuality GetQuality() const { return FQuality; }
  void SetQuality(TFontQuality Value);
  // Tenths of a degree, counter-clockwise: the escapement and orientation.
  Integer GetOrientation() const { return FOrientation; }
  void SetOrientation(Integer Value);

  // The description the handle is created from.
  LOGFONTW GetLogFont() const;

 protected:
  HGDIOBJ DetachHandle() override;

 private:
  HFONT FHandle = nullptr;
  TFontName FName = u"Tahoma";
  Integer FHeight = -11;
  Integer FPixelsPerInch = ScreenPixelsPerInch;
  TFontStyles FStyle;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  TColor FColor = clWindowText;
  TFontQuality FQuality = fqDefault;
  Integer FOrientation = 0;
  BYTE FOutPrecision = OUT_DEFAULT_PRECIS;
};

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// A solid white brush at first.
class TBrush : public TGraphicsObject {
  HOST_CLASS(TBrush);

  TBrush() = default;
  ~TBrush() override;

  void Assign(TPersistent* Source) override;

  HBRUSH GetHandle();
  // Adopts Value: the brush takes on its colour and style (a pattern counts
  // as solid) and draws with it from now on, deleting it like a handle of its
  // own, which stock objects such as the system colour brushes survive.
  // nullptr or a handle that is not a brush is ignored.
  void SetHandle(HBRUSH Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // The colour of the fill, or of the hatch lines.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern that fills instead of colour and style; not owned, and copied
  // into the handle when that is made.
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);

 protected:
  HGDIOBJ DetachHandle() override;

 private:
  HBRUSH FHandle = nullptr;
  // Given to SetHandle, taken up when the old handle is detached.
  HBRUSH FAdoptedHandle = nullptr;
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The sixteen ways a pen's colour meets the pixels (the GDI's ROP2 modes).
enum TPenMode : uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

int PenModeToROP2(TPenMode Mode);
// pmCopy for a value outside R2_BLACK..R2_WHITE.
TPenMode ROP2ToPenMode(int Rop2);

// A solid black pen one pixel wide, copying.
class TPen : public TGraphicsObject {
  HOST_CLASS(TPen);

  TPen() = default;
  ~TPen() override;

  void Assign(TPersistent* Source) override;

  HPEN GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  // At least 1.
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  // Applied by the canvas that selects the pen; not part of the handle.
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);

 protected:
  HGDIOBJ DetachHandle() override;

 private:
  HPEN FHandle = nullptr;
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

// The names stored descriptions use for charsets ("DEFAULT_CHARSET", ...).
const TIdentMap& CharsetIdents();
