#include "platform/GdiObjects.h"

#include <cstring>
#include <unordered_map>

namespace {

struct TRegistry {
  std::unordered_map<uintptr_t, std::unique_ptr<TGdiObject>> Objects;
  uintptr_t NextId = 0x1000;
  int LiveCount = 0;
  HGDIOBJ Stock[20] = {};
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

HGDIOBJ AddStock(std::unique_ptr<TGdiObject> object) {
  HGDIOBJ h = GdiAdd(std::move(object));
  GdiMakeStock(h);
  return h;
}

HGDIOBJ MakeStockBrush(UINT style, COLORREF color, bool dc = false) {
  auto brush = std::make_unique<TBrushObject>();
  brush->Description.lbStyle = style;
  brush->Description.lbColor = color;
  brush->IsDCBrush = dc;
  return AddStock(std::move(brush));
}

HGDIOBJ MakeStockPen(UINT style, COLORREF color, bool dc = false) {
  auto pen = std::make_unique<TPenObject>();
  pen->Description.lopnStyle = style;
  pen->Description.lopnWidth.X = style == PS_NULL ? 0 : 1;
  pen->Description.lopnColor = color;
  pen->IsDCPen = dc;
  return AddStock(std::move(pen));
}

void CreateStockObjects(TRegistry& r) {
  r.Stock[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
  r.Stock[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
  r.Stock[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
  r.Stock[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
  r.Stock[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
  r.Stock[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
  r.Stock[WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(255, 255, 255));
  r.Stock[BLACK_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));
  r.Stock[NULL_PEN] = MakeStockPen(PS_NULL, 0);
  r.Stock[DC_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255), true);
  r.Stock[DC_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0), true);
  CreateStockFonts(r.Stock);
}

template <typename T>
int CopyOut(const T& value, int c, void* pv) {
  if (!pv) return sizeof(T);
  if (c < static_cast<int>(sizeof(T))) return 0;
  std::memcpy(pv, &value, sizeof(T));
  return sizeof(T);
}

}  // namespace

TGdiObject* GdiLookup(HGDIOBJ h) {
  auto& objects = Registry().Objects;
  auto it = objects.find(reinterpret_cast<uintptr_t>(h));
  return it == objects.end() ? nullptr : it->second.get();
}

HGDIOBJ GdiAdd(std::unique_ptr<TGdiObject> object) {
  TRegistry& r = Registry();
  const uintptr_t id = r.NextId;
  r.NextId += 4;
  r.Objects.emplace(id, std::move(object));
  ++r.LiveCount;
  return reinterpret_cast<HGDIOBJ>(id);
}

int GdiLiveObjectCount() { return Registry().LiveCount; }

void GdiMakeStock(HGDIOBJ h) {
  TGdiObject* o = GdiLookup(h);
  if (!o || o->Stock) return;
  o->Stock = true;
  --Registry().LiveCount;  // stock objects live for the process
}

HGDIOBJ GetStockObject(int i) {
  TRegistry& r = Registry();
  if (!r.Stock[BLACK_BRUSH]) CreateStockObjects(r);
  return i >= 0 && i < 20 ? r.Stock[i] : nullptr;
}

DWORD GetObjectType(HGDIOBJ h) {
  const TGdiObject* o = GdiLookup(h);
  return o ? o->Type : 0;
}

int GetObjectW(HGDIOBJ h, int c, void* pv) {
  TGdiObject* o = GdiLookup(h);
  if (!o) return 0;
  switch (o->Type) {
    case OBJ_BRUSH: return CopyOut(static_cast<TBrushObject*>(o)->Description, c, pv);
    case OBJ_PEN: return CopyOut(static_cast<TPenObject*>(o)->Description, c, pv);
    case OBJ_FONT: return CopyOut(static_cast<TFontObject*>(o)->Description, c, pv);
    case OBJ_BITMAP: {
      auto* b = static_cast<TBitmapObject*>(o);
      DIBSECTION ds;
      ds.dsBm.bmWidth = b->Width;
      ds.dsBm.bmHeight = b->Height;
      ds.dsBm.bmWidthBytes = b->Stride;
      ds.dsBm.bmBitsPixel = b->BitsPerPixel;
      ds.dsBm.bmBits = b->IsDIBSection ? b->Bits() : nullptr;
      if (b->IsDIBSection && (!pv || c >= static_cast<int>(sizeof(DIBSECTION)))) {
        ds.dsBmih.biWidth = b->Width;
        ds.dsBmih.biHeight = b->TopDown ? -b->Height : b->Height;
        ds.dsBmih.biBitCount = b->BitsPerPixel;
        ds.dsBmih.biSizeImage = static_cast<DWORD>(b->Stride * b->Height);
        return CopyOut(ds, c, pv);
      }
      return CopyOut(ds.dsBm, c, pv);
    }
    default: return 0;
  }
}

BOOL DeleteObject(HGDIOBJ ho) {
  TRegistry& r = Registry();
  auto it = r.Objects.find(reinterpret_cast<uintptr_t>(ho));
  if (it == r.Objects.end()) return FALSE;
  if (it->second->Stock) return TRUE;
  if (it->second->SelectCount > 0) return FALSE;
  r.Objects.erase(it);
  --r.LiveCount;
  return TRUE;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
  if (!plbrush) return nullptr;
  auto brush = std::make_unique<TBrushObject>();
  brush->Description = *plbrush;
  switch (plbrush->lbStyle) {
    case BS_SOLID:
    case BS_NULL: break;
    case BS_HATCHED:
      if (plbrush->lbHatch > HS_DIAGCROSS) return nullptr;
      break;
    case BS_PATTERN: {
      auto* source = GdiLookupAs<TBitmapObject>(reinterpret_cast<HGDIOBJ>(plbrush->lbHatch), OBJ_BITMAP);
      if (!source) return nullptr;
      brush->Pattern = std::make_unique<TBitmapObject>(*source);
      brush->Pattern->SelectCount = 0;
      break;
    }
    default: return nullptr;
  }
  return static_cast<HBRUSH>(GdiAdd(std::move(brush)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  LOGBRUSH lb{BS_SOLID, color & 0x00FFFFFF, 0};
  return CreateBrushIndirect(&lb);
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color) {
  if (iHatch < 0) return nullptr;
  LOGBRUSH lb{BS_HATCHED, color & 0x00FFFFFF, static_cast<ULONG_PTR>(iHatch)};
  return CreateBrushIndirect(&lb);
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
  LOGBRUSH lb{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(hbm)};
  return CreateBrushIndirect(&lb);
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
  if (!plpen || plpen->lopnStyle > PS_INSIDEFRAME) return nullptr;
  auto pen = std::make_unique<TPenObject>();
  pen->Description = *plpen;
  pen->Description.lopnColor &= 0x00FFFFFF;
  if (pen->Description.lopnWidth.X < 0) pen->Description.lopnWidth.X = 0;
  return static_cast<HPEN>(GdiAdd(std::move(pen)));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
  LOGPEN lp;
  lp.lopnStyle = static_cast<UINT>(iStyle);
  lp.lopnWidth.X = cWidth;
  lp.lopnColor = color;
  return CreatePenIndirect(&lp);
}

std::shared_ptr<const pixman_region32_t> MakeSharedRegion(const pixman_region32_t& source) {
  auto* copy = new pixman_region32_t;
  pixman_region32_init(copy);
  pixman_region32_copy(copy, const_cast<pixman_region32_t*>(&source));
  return std::shared_ptr<const pixman_region32_t>(copy, [](const pixman_region32_t* r) {
    pixman_region32_fini(const_cast<pixman_region32_t*>(r));
    delete r;
  });
}
