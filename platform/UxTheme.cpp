// The theme library's theme data: no theme, or the one a test installed.

#include "platform/UxTheme.h"

#include <algorithm>
#include <memory>

#include "platform/DcGuards.h"
#include "platform/Kernel.h"
#include "platform/MessageQueue.h"
#include "platform/Painting.h"
#include "platform/SystemChanges.h"
#include "platform/TestTheme.h"
#include "platform/WindowManager.h"

namespace {

using TThemePtr = std::shared_ptr<const TTestTheme>;

// Null while the desktop has no theme.
TThemePtr& InstalledTheme() {
  static TThemePtr theme;
  return theme;
}

const TTestTheme* ActiveTheme() {
  const TThemePtr& theme = InstalledTheme();
  return theme && theme->Active ? theme.get() : nullptr;
}

// What a theme handle stands for: a class of the theme installed when it
// was opened.
struct TThemeData {
  TThemePtr Theme;
  const TTestThemeClass* Class;
};

std::vector<std::unique_ptr<TThemeData>>& OpenHandles() {
  static std::vector<std::unique_ptr<TThemeData>> handles;
  return handles;
}

HTHEME HandleOf(const TThemeData* AData) { return reinterpret_cast<HTHEME>(const_cast<TThemeData*>(AData)); }

auto FindHandle(HTHEME h) {
  auto& handles = OpenHandles();
  return std::find_if(handles.begin(), handles.end(), [&](const auto& data) { return HandleOf(data.get()) == h; });
}

// The data of an open handle whose theme is still the one installed.
const TThemeData* CurrentData(HTHEME h) {
  const auto it = FindHandle(h);
  if (it == OpenHandles().end() || (*it)->Theme != InstalledTheme()) return nullptr;
  return it->get();
}

const TTestThemePart* Described(const TTestThemeClass& AClass, int APart, int AState) {
  for (const TTestThemePart& part : AClass.Parts)
    if (part.Part == APart && part.State == AState) return &part;
  return nullptr;
}

// The part in the state, else the part's state 0, else the class's part 0.
const TTestThemePart* FindPart(HTHEME h, int APart, int AState) {
  const TThemeData* data = CurrentData(h);
  if (!data) return nullptr;
  for (const auto& [part, state] : {std::pair{APart, AState}, std::pair{APart, 0}, std::pair{0, 0}})
    if (const TTestThemePart* found = Described(*data->Class, part, state)) return found;
  return nullptr;
}

char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           return Fold(x) == Fold(y);
         });
}

const TTestThemeClass* FindClass(const TTestTheme& ATheme, std::u16string_view AName) {
  for (const TTestThemeClass& themeClass : ATheme.Classes)
    if (SameName(themeClass.Name, AName)) return &themeClass;
  return nullptr;
}

void FillWith(HDC hdc, const RECT& r, COLORREF color, bool frameOnly) {
  HBRUSH brush = CreateSolidBrush(color);
  if (frameOnly) FrameRect(hdc, &r, brush);
  else FillRect(hdc, &r, brush);
  DeleteObject(brush);
}

// Copies as much of the name as fits, terminated; false when it was cut.
bool CopyName(const std::u16string& AName, LPWSTR ABuffer, int ACapacity) {
  if (!ABuffer) return true;
  if (ACapacity <= 0) return AName.empty();
  const size_t count = std::min(AName.size(), static_cast<size_t>(ACapacity - 1));
  std::copy_n(AName.begin(), count, ABuffer);
  ABuffer[count] = u'\0';
  return count == AName.size();
}

}  // namespace

void InstallTestTheme(const TTestTheme& ATheme) {
  InstalledTheme() = std::make_shared<const TTestTheme>(ATheme);
  AnnounceThemeChange();
}

void RemoveTestTheme() {
  InstalledTheme().reset();
  AnnounceThemeChange();
}

int GetLiveThemeHandleCount() { return static_cast<int>(OpenHandles().size()); }

namespace UxTheme {

HTHEME OpenThemeData(HWND, LPCWSTR pszClassList) {
  const TTestTheme* theme = ActiveTheme();
  if (!theme || !pszClassList) return nullptr;
  std::u16string_view list(pszClassList);
  while (true) {
    const size_t end = std::min(list.find(u';'), list.size());
    if (const TTestThemeClass* found = FindClass(*theme, list.substr(0, end))) {
      OpenHandles().push_back(std::make_unique<TThemeData>(TThemeData{InstalledTheme(), found}));
      return HandleOf(OpenHandles().back().get());
    }
    if (end == list.size()) return nullptr;
    list.remove_prefix(end + 1);
  }
}

HRESULT CloseThemeData(HTHEME hTheme) {
  const auto it = FindHandle(hTheme);
  if (it == OpenHandles().end()) return E_HANDLE;
  OpenHandles().erase(it);
  return S_OK;
}

BOOL IsThemeActive() { return ActiveTheme() ? TRUE : FALSE; }

BOOL IsAppThemed() { return IsThemeActive(); }

HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect) {
  if (!CurrentData(hTheme)) return E_HANDLE;
  const TTestThemePart* part = FindPart(hTheme, iPartId, iStateId);
  if (!part || !pRect || !hdc) return E_INVALIDARG;
  TSavedDC saved(hdc);
  if (pClipRect) IntersectClipRect(hdc, pClipRect->Left, pClipRect->Top, pClipRect->Right, pClipRect->Bottom);
  if (const auto fill = part->Colors.find(TMT_FILLCOLOR); fill != part->Colors.end())
    FillWith(hdc, *pRect, fill->second, false);
  if (const auto frame = part->Colors.find(TMT_BORDERCOLOR); frame != part->Colors.end())
    FillWith(hdc, *pRect, frame->second, true);
  return S_OK;
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* prc) {
  const HWND parent = hwnd ? GetParent(hwnd) : nullptr;
  if (!parent || !hdc) return E_INVALIDARG;
  TSavedDC saved(hdc);
  if (prc) IntersectClipRect(hdc, prc->Left, prc->Top, prc->Right, prc->Bottom);
  POINT origin;
  MapWindowPoints(hwnd, parent, &origin, 1);
  OffsetWindowOrgEx(hdc, origin.X, origin.Y, nullptr);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
  return S_OK;
}

HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) {
  if (!CurrentData(hTheme)) return E_HANDLE;
  if (!pColor) return E_POINTER;
  const TTestThemePart* part = FindPart(hTheme, iPartId, iStateId);
  if (!part) return E_PROP_ID_UNSUPPORTED;
  const auto found = part->Colors.find(iPropId);
  if (found == part->Colors.end()) return E_PROP_ID_UNSUPPORTED;
  *pColor = found->second;
  return S_OK;
}

HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC, int iPartId, int iStateId, const RECT* pBoundingRect,
                                      RECT* pContentRect) {
  if (!CurrentData(hTheme)) return E_HANDLE;
  if (!pBoundingRect || !pContentRect) return E_POINTER;
  const TTestThemePart* part = FindPart(hTheme, iPartId, iStateId);
  if (!part) return E_INVALIDARG;
  RECT content = *pBoundingRect;
  if (const auto margins = part->Margins.find(TMT_CONTENTMARGINS); margins != part->Margins.end()) {
    content.Left += margins->second.cxLeftWidth;
    content.Top += margins->second.cyTopHeight;
    content.Right -= margins->second.cxRightWidth;
    content.Bottom -= margins->second.cyBottomHeight;
  }
  *pContentRect = content;
  return S_OK;
}

HRESULT GetThemePartSize(HTHEME hTheme, HDC, int iPartId, int iStateId, const RECT*, THEMESIZE, SIZE* psz) {
  if (!CurrentData(hTheme)) return E_HANDLE;
  if (!psz) return E_POINTER;
  const TTestThemePart* part = FindPart(hTheme, iPartId, iStateId);
  if (!part) return E_INVALIDARG;
  *psz = part->Size;
  return S_OK;
}

HRESULT GetThemeMargins(HTHEME hTheme, HDC, int iPartId, int iStateId, int iPropId, const RECT*,
                        MARGINS* pMargins) {
  if (!CurrentData(hTheme)) return E_HANDLE;
  if (!pMargins) return E_POINTER;
  *pMargins = MARGINS();
  const TTestThemePart* part = FindPart(hTheme, iPartId, iStateId);
  if (!part) return E_INVALIDARG;
  const auto found = part->Margins.find(iPropId);
  if (found == part->Margins.end()) return E_PROP_ID_UNSUPPORTED;
  *pMargins = found->second;
  return S_OK;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId) {
  const TTestThemePart* part = FindPart(hTheme, iPartId, iStateId);
  return part && part->PartiallyTransparent ? TRUE : FALSE;
}

HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                            LPWSTR pszSizeBuff, int cchMaxSizeChars) {
  const TTestTheme* theme = ActiveTheme();
  if (!theme) return E_FAIL;
  const bool whole = CopyName(theme->FileName, pszThemeFileName, cchMaxNameChars) &
                     CopyName(theme->ColorName, pszColorBuff, cchMaxColorChars) &
                     CopyName(theme->SizeName, pszSizeBuff, cchMaxSizeChars);
  return whole ? S_OK : E_INSUFFICIENT_BUFFER;
}

}  // namespace UxTheme

std::span<const TEntryPoint> UxThemeEntryPoints() {
  using namespace UxTheme;
  static const TEntryPoint entries[] = {
      {"OpenThemeData", EntryProc(&OpenThemeData)},
      {"CloseThemeData", EntryProc(&CloseThemeData)},
      {"IsThemeActive", EntryProc(&IsThemeActive)},
      {"IsAppThemed", EntryProc(&IsAppThemed)},
      {"DrawThemeBackground", EntryProc(&DrawThemeBackground)},
      {"DrawThemeParentBackground", EntryProc(&DrawThemeParentBackground)},
      {"GetThemeColor", EntryProc(&GetThemeColor)},
      {"GetThemeBackgroundContentRect", EntryProc(&GetThemeBackgroundContentRect)},
      {"GetThemePartSize", EntryProc(&GetThemePartSize)},
      {"GetThemeMargins", EntryProc(&GetThemeMargins)},
      {"IsThemeBackgroundPartiallyTransparent", EntryProc(&IsThemeBackgroundPartiallyTransparent)},
      {"GetCurrentThemeName", EntryProc(&GetCurrentThemeName)},
      {"BufferedPaintInit", EntryProc(&BufferedPaintInit)},
      {"BufferedPaintUnInit", EntryProc(&BufferedPaintUnInit)},
      {"BeginBufferedPaint", EntryProc(&BeginBufferedPaint)},
      {"BufferedPaintClear", EntryProc(&BufferedPaintClear)},
      {"BufferedPaintSetAlpha", EntryProc(&BufferedPaintSetAlpha)},
      {"EndBufferedPaint", EntryProc(&EndBufferedPaint)},
  };
  return entries;
}
