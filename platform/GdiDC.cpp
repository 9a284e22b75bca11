#include <unordered_map>

#include "platform/GdiObjects.h"

namespace {

struct TDCRegistry {
  std::unordered_map<uintptr_t, std::unique_ptr<TDeviceContext>> DCs;
  uintptr_t NextId = 0x2000;
  HBITMAP DefaultBitmap = nullptr;
  TDeviceContext* Screen = nullptr;
  HDC ScreenHandle = nullptr;
};

TDCRegistry& Registry() {
  static TDCRegistry registry;
  return registry;
}

// The 1 x 1 monochrome bitmap every new memory DC starts with.
HBITMAP DefaultBitmap() {
  TDCRegistry& r = Registry();
  if (!r.DefaultBitmap) {
    r.DefaultBitmap = CreateBitmap(1, 1, 1, 1, nullptr);
    GdiMakeStock(r.DefaultBitmap);
  }
  return r.DefaultBitmap;
}

void AdjustSelection(HGDIOBJ h, int delta) {
  if (TGdiObject* o = GdiLookup(h)) o->SelectCount += delta;
}

TDCState DefaultState(bool screen) {
  TDCState s;
  s.Brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  s.Pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  s.Font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  s.Bitmap = screen ? nullptr : DefaultBitmap();
  return s;
}

// Moves the selection counts from the old state's objects to the new one's.
void ReplaceState(TDeviceContext& dc, TDCState next) {
  TDCState& current = dc.State;
  const HGDIOBJ before[] = {current.Bitmap, current.Brush, current.Pen, current.Font};
  // Objects deleted since the state was saved give way to the defaults.
  const TDCState defaults = DefaultState(dc.IsScreen || dc.Window);
  if (!GdiLookup(next.Bitmap)) next.Bitmap = defaults.Bitmap;
  if (!GdiLookup(next.Brush)) next.Brush = defaults.Brush;
  if (!GdiLookup(next.Pen)) next.Pen = defaults.Pen;
  if (!GdiLookup(next.Font)) next.Font = defaults.Font;
  const HGDIOBJ after[] = {next.Bitmap, next.Brush, next.Pen, next.Font};
  for (HGDIOBJ h : before) AdjustSelection(h, -1);
  for (HGDIOBJ h : after) AdjustSelection(h, +1);
  current = std::move(next);
}


// A device pixel the DC may touch: on its surface and inside its clip.
TBitmapObject* DrawablePixel(HDC hdc, int x, int y, POINT& device) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return nullptr;
  TBitmapObject* surface = DCSurface(dc);
  device = DeviceOf(dc->State, x, y);
  if (!surface || device.X < 0 || device.Y < 0 || device.X >= surface->Width || device.Y >= surface->Height)
    return nullptr;
  for (const auto* clip : {dc->State.HasClip ? dc->State.Clip.get() : nullptr, dc->Visible.get()})
    if (clip && !pixman_region32_contains_point(const_cast<pixman_region32_t*>(clip), device.X, device.Y, nullptr))
      return nullptr;
  return surface;
}

}  // namespace

TDeviceContext* DCLookup(HDC hdc) {
  auto& dcs = Registry().DCs;
  auto it = dcs.find(reinterpret_cast<uintptr_t>(hdc));
  return it == dcs.end() ? nullptr : it->second.get();
}

TBitmapObject* DCSurface(TDeviceContext* dc) {
  if (dc && dc->Window) return WindowDCSurface(dc->Window);
  return dc ? GdiLookupAs<TBitmapObject>(dc->State.Bitmap, OBJ_BITMAP) : nullptr;
}

int GetLiveGdiObjectCount() {
  TDCRegistry& r = Registry();
  return GdiLiveObjectCount() + static_cast<int>(r.DCs.size()) - (r.Screen ? 1 : 0);
}

HDC GetScreenDC() {
  TDCRegistry& r = Registry();
  if (!r.Screen) {
    auto dc = std::make_unique<TDeviceContext>();
    dc->IsScreen = true;
    r.Screen = dc.get();
    ReplaceState(*dc, DefaultState(true));
    r.ScreenHandle = reinterpret_cast<HDC>(r.NextId);
    r.NextId += 4;
    r.DCs.emplace(reinterpret_cast<uintptr_t>(r.ScreenHandle), std::move(dc));
  }
  return r.ScreenHandle;
}

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !DCLookup(hdc)) return nullptr;
  TDCRegistry& r = Registry();
  auto dc = std::make_unique<TDeviceContext>();
  ReplaceState(*dc, DefaultState(false));
  HDC handle = reinterpret_cast<HDC>(r.NextId);
  r.NextId += 4;
  r.DCs.emplace(reinterpret_cast<uintptr_t>(handle), std::move(dc));
  return handle;
}

HDC CreateWindowDC(HWND window, POINT origin, const pixman_region32_t& visible) {
  TDCRegistry& r = Registry();
  auto dc = std::make_unique<TDeviceContext>();
  TDCState state = DefaultState(true);
  state.DCOrigin = origin;
  dc->Window = window;
  ReplaceState(*dc, std::move(state));
  dc->Visible = MakeSharedRegion(visible);
  HDC handle = reinterpret_cast<HDC>(r.NextId);
  r.NextId += 4;
  r.DCs.emplace(reinterpret_cast<uintptr_t>(handle), std::move(dc));
  return handle;
}

namespace {

bool FreeDC(HDC hdc, bool windowDC) {
  TDCRegistry& r = Registry();
  auto it = r.DCs.find(reinterpret_cast<uintptr_t>(hdc));
  if (it == r.DCs.end() || it->second->IsScreen || (it->second->Window != nullptr) != windowDC) return false;
  TDCState& s = it->second->State;
  for (HGDIOBJ h : {static_cast<HGDIOBJ>(s.Bitmap), static_cast<HGDIOBJ>(s.Brush), static_cast<HGDIOBJ>(s.Pen),
                    static_cast<HGDIOBJ>(s.Font)})
    AdjustSelection(h, -1);
  r.DCs.erase(it);
  return true;
}

}  // namespace

bool ReleaseWindowDC(HDC hdc) { return FreeDC(hdc, true); }

BOOL DeleteDC(HDC hdc) { return FreeDC(hdc, false) ? TRUE : FALSE; }

DWORD GetObjectType(HDC hdc) {
  const TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return 0;
  return dc->IsScreen || dc->Window ? OBJ_DC : OBJ_MEMDC;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
  TDeviceContext* dc = DCLookup(hdc);
  TGdiObject* o = GdiLookup(h);
  if (!dc || !o) return nullptr;
  TDCState next = dc->State;
  HGDIOBJ previous = nullptr;
  switch (o->Type) {
    case OBJ_BITMAP:
      // Only memory DCs hold bitmaps, and a bitmap is in one DC at a time.
      if (dc->IsScreen || dc->Window || (o->SelectCount > 0 && !o->Stock && h != next.Bitmap)) return nullptr;
      previous = next.Bitmap;
      next.Bitmap = static_cast<HBITMAP>(h);
      break;
    case OBJ_BRUSH:
      previous = next.Brush;
      next.Brush = static_cast<HBRUSH>(h);
      break;
    case OBJ_PEN:
      previous = next.Pen;
      next.Pen = static_cast<HPEN>(h);
      break;
    case OBJ_FONT:
      previous = next.Font;
      next.Font = static_cast<HFONT>(h);
      break;
    case OBJ_REGION: return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(h))));
    default: return nullptr;
  }
  ReplaceState(*dc, std::move(next));
  return previous;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BITMAP: return dc->State.Bitmap;
    case OBJ_BRUSH: return dc->State.Brush;
    case OBJ_PEN: return dc->State.Pen;
    case OBJ_FONT: return dc->State.Font;
    default: return nullptr;
  }
}

int SaveDC(HDC hdc) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return 0;
  dc->Saved.push_back(dc->State);
  return static_cast<int>(dc->Saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || nSavedDC == 0) return FALSE;
  const int count = static_cast<int>(dc->Saved.size());
  const int level = nSavedDC > 0 ? nSavedDC : count + 1 + nSavedDC;
  if (level < 1 || level > count) return FALSE;
  TDCState restored = dc->Saved[static_cast<size_t>(level - 1)];
  dc->Saved.resize(static_cast<size_t>(level - 1));
  ReplaceState(*dc, std::move(restored));
  return TRUE;
}

namespace {

int ScreenBitsPerPixel = 32;

}  // namespace

void SetScreenBitsPerPixel(int bitsPerPixel) { ScreenBitsPerPixel = bitsPerPixel; }

int GetDeviceCaps(HDC hdc, int index) {
  if (!DCLookup(hdc)) return 0;
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case BITSPIXEL: return ScreenBitsPerPixel;
    case PLANES: return 1;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case NUMCOLORS: return -1;
    case HORZRES: return 1920;
    case VERTRES: return 1080;
    default: return 0;
  }
}

namespace {

template <typename Field>
BOOL SetPoint(HDC hdc, Field field, int x, int y, POINT* old, bool offset) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->State.*field;
  if (old) *old = p;
  p = offset ? POINT{p.X + x, p.Y + y} : POINT{x, y};
  return TRUE;
}

template <typename Field>
BOOL GetPoint(HDC hdc, Field field, POINT* out) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->State.*field;
  return TRUE;
}

template <typename T, typename Field>
T Exchange(HDC hdc, Field field, T value, T failure) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return failure;
  T old = dc->State.*field;
  dc->State.*field = value;
  return old;
}

template <typename T, typename Field>
T Read(HDC hdc, Field field, T failure) {
  TDeviceContext* dc = DCLookup(hdc);
  return dc ? dc->State.*field : failure;
}

}  // namespace

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt) { return SetPoint(hdc, &TDCState::ViewportOrg, x, y, lppt, false); }
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt) { return SetPoint(hdc, &TDCState::ViewportOrg, x, y, lppt, true); }
BOOL GetViewportOrgEx(HDC hdc, POINT* lppoint) { return GetPoint(hdc, &TDCState::ViewportOrg, lppoint); }
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt) { return SetPoint(hdc, &TDCState::WindowOrg, x, y, lppt, false); }
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, POINT* lppt) { return SetPoint(hdc, &TDCState::WindowOrg, x, y, lppt, true); }
BOOL GetWindowOrgEx(HDC hdc, POINT* lppoint) { return GetPoint(hdc, &TDCState::WindowOrg, lppoint); }
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* lppt) { return SetPoint(hdc, &TDCState::BrushOrg, x, y, lppt, false); }
BOOL GetBrushOrgEx(HDC hdc, POINT* lppt) { return GetPoint(hdc, &TDCState::BrushOrg, lppt); }

BOOL LPtoDP(HDC hdc, POINT* lppt, int c) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || (!lppt && c > 0)) return FALSE;
  const POINT origin = dc->State.DCOrigin;
  for (int i = 0; i < c; ++i) {
    const POINT p = DeviceOf(dc->State, lppt[i].X, lppt[i].Y);
    lppt[i] = {p.X - origin.X, p.Y - origin.Y};
  }
  return TRUE;
}

BOOL DPtoLP(HDC hdc, POINT* lppt, int c) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || (!lppt && c > 0)) return FALSE;
  const TDCState& s = dc->State;
  for (int i = 0; i < c; ++i)
    lppt[i] = {lppt[i].X - s.ViewportOrg.X + s.WindowOrg.X, lppt[i].Y - s.ViewportOrg.Y + s.WindowOrg.Y};
  return TRUE;
}

int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return Exchange(hdc, &TDCState::BkMode, mode, 0);
}
int GetBkMode(HDC hdc) { return Read(hdc, &TDCState::BkMode, 0); }
COLORREF SetBkColor(HDC hdc, COLORREF color) { return Exchange(hdc, &TDCState::BkColor, color & 0x00FFFFFF, CLR_INVALID); }
COLORREF GetBkColor(HDC hdc) { return Read(hdc, &TDCState::BkColor, CLR_INVALID); }
COLORREF SetTextColor(HDC hdc, COLORREF color) { return Exchange(hdc, &TDCState::TextColor, color & 0x00FFFFFF, CLR_INVALID); }
COLORREF GetTextColor(HDC hdc) { return Read(hdc, &TDCState::TextColor, CLR_INVALID); }
int SetROP2(HDC hdc, int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  return Exchange(hdc, &TDCState::Rop2, rop2, 0);
}
int GetROP2(HDC hdc) { return Read(hdc, &TDCState::Rop2, 0); }
int SetStretchBltMode(HDC hdc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return Exchange(hdc, &TDCState::StretchMode, mode, 0);
}
int GetStretchBltMode(HDC hdc) { return Read(hdc, &TDCState::StretchMode, 0); }
COLORREF SetDCBrushColor(HDC hdc, COLORREF color) { return Exchange(hdc, &TDCState::DCBrushColor, color & 0x00FFFFFF, CLR_INVALID); }
COLORREF SetDCPenColor(HDC hdc, COLORREF color) { return Exchange(hdc, &TDCState::DCPenColor, color & 0x00FFFFFF, CLR_INVALID); }
BOOL GdiFlush() { return TRUE; }

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  POINT device;
  TBitmapObject* surface = DrawablePixel(hdc, x, y, device);
  if (!surface) return CLR_INVALID;
  // Colours given as COLORREF carry no alpha: the pixel's alpha becomes 0.
  WritePixel(*surface, device.X, device.Y, ColorToBGRA(color & 0x00FFFFFF));
  return BGRAToColor(ReadPixel(*surface, device.X, device.Y) & 0x00FFFFFF);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  POINT device;
  TBitmapObject* surface = DrawablePixel(hdc, x, y, device);
  return surface ? BGRAToColor(ReadPixel(*surface, device.X, device.Y) & 0x00FFFFFF) : CLR_INVALID;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) { return DCLookup(hdc) ? color & 0x00FFFFFF : CLR_INVALID; }
