// Image attributes: the colour matrices images are drawn through.
#include "platform/GdiPlusDrawing.h"

namespace Gdiplus {

const ColorMatrix* GpImageAttributes::BitmapMatrix() const {
  for (const ColorAdjustType type : {ColorAdjustTypeBitmap, ColorAdjustTypeDefault})
    if (Adjust[type].Enabled) return &Adjust[type].Matrix;
  return nullptr;
}

GpStatus GdipCreateImageAttributes(GpImageAttributes** imageattr) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!imageattr) return InvalidParameter;
  *imageattr = AddObject(std::make_unique<GpImageAttributes>());
  return Ok;
}

GpStatus GdipCloneImageAttributes(const GpImageAttributes* imageattr, GpImageAttributes** cloneImageattr) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpImageAttributes* a = LookupObject<GpImageAttributes>(imageattr);
  if (!a || !cloneImageattr) return InvalidParameter;
  *cloneImageattr = AddObject(std::make_unique<GpImageAttributes>(*a));
  return Ok;
}

GpStatus GdipDisposeImageAttributes(GpImageAttributes* imageattr) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpImageAttributes* a = LookupObject<GpImageAttributes>(imageattr);
  if (!a) return InvalidParameter;
  RemoveObject(a);
  return Ok;
}

GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                          const ColorMatrix* colorMatrix, const ColorMatrix*,
                                          ColorMatrixFlags flags) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  GpImageAttributes* a = LookupObject<GpImageAttributes>(imageattr);
  if (!a || type < ColorAdjustTypeDefault || type > ColorAdjustTypeText || (enableFlag && !colorMatrix) ||
      flags < ColorMatrixFlagsDefault || flags > ColorMatrixFlagsAltGray)
    return InvalidParameter;
  if (flags != ColorMatrixFlagsDefault) return NotImplemented;
  GpImageAttributes::TAdjust& adjust = a->Adjust[type];
  adjust.Enabled = enableFlag != FALSE;
  if (adjust.Enabled) adjust.Matrix = *colorMatrix;
  return Ok;
}

}  // namespace Gdiplus
