// Window longs (procedure, styles, ids, user data, extra bytes) and window text.

#include <cstring>

#include "platform/WindowObjects.h"

namespace {

bool ExtraSlot(TWindow& w, int index, size_t size) {
  if (index >= 0 && static_cast<size_t>(index) + size <= w.Extra.size()) return true;
  SetLastError(ERROR_INVALID_INDEX);
  return false;
}

// An owner whose own owner chain leads back would make destruction loop.
bool OwnsIndirectly(HWND owner, HWND h) {
  for (TWindow* w = WindowOf(owner); w; w = WindowOf(w->Owner))
    if (w->Handle == h) return true;
  return false;
}

LONG_PTR SetStyle(HWND h, int index, DWORD value) {
  TWindow* w = WindowOf(h);
  STYLESTRUCT ss;
  ss.styleOld = index == GWL_STYLE ? w->Style : w->ExStyle;
  ss.styleNew = value;
  SendToWindow(h, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  if (!(w = WindowOf(h))) return 0;
  (index == GWL_STYLE ? w->Style : w->ExStyle) = ss.styleNew;
  if (w->Surface && index == GWL_STYLE) w->Surface->SetVisible(w->Style & WS_VISIBLE);
  SendToWindow(h, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  return static_cast<LONG_PTR>(ss.styleOld);
}

}  // namespace

LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return 0;
  switch (nIndex) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->Proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->Instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(IsTopLevel(*w) ? w->Owner : w->Parent);
    case GWLP_ID: return w->Id;
    case GWL_STYLE: return static_cast<LONG_PTR>(w->Style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->ExStyle);
    case GWLP_USERDATA: return w->UserData;
    default: {
      LONG_PTR value = 0;
      if (ExtraSlot(*w, nIndex, sizeof value)) std::memcpy(&value, w->Extra.data() + nIndex, sizeof value);
      return value;
    }
  }
}

LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return 0;
  LONG_PTR old = 0;
  switch (nIndex) {
    case GWLP_WNDPROC:
      if (!dwNewLong) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      old = reinterpret_cast<LONG_PTR>(w->Proc);
      w->Proc = reinterpret_cast<WNDPROC>(dwNewLong);
      return old;
    case GWLP_HINSTANCE:
      old = reinterpret_cast<LONG_PTR>(w->Instance);
      w->Instance = reinterpret_cast<HINSTANCE>(dwNewLong);
      return old;
    case GWLP_HWNDPARENT: {
      // Changes the owner of a top-level window; children move with SetParent.
      const HWND owner = dwNewLong ? GetAncestor(reinterpret_cast<HWND>(dwNewLong), GA_ROOT) : nullptr;
      if (!IsTopLevel(*w) || (dwNewLong && !owner) || OwnsIndirectly(owner, hWnd)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      old = reinterpret_cast<LONG_PTR>(w->Owner);
      w->Owner = owner;
      return old;
    }
    case GWLP_ID:
      old = w->Id;
      w->Id = dwNewLong;
      return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: return SetStyle(hWnd, nIndex, static_cast<DWORD>(dwNewLong));
    case GWLP_USERDATA:
      old = w->UserData;
      w->UserData = dwNewLong;
      return old;
    default:
      if (!ExtraSlot(*w, nIndex, sizeof old)) return 0;
      std::memcpy(&old, w->Extra.data() + nIndex, sizeof old);
      std::memcpy(w->Extra.data() + nIndex, &dwNewLong, sizeof dwNewLong);
      return old;
  }
}

LONG GetWindowLongW(HWND hWnd, int nIndex) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return 0;
  if (nIndex < 0) return static_cast<LONG>(GetWindowLongPtrW(hWnd, nIndex));
  LONG value = 0;
  if (ExtraSlot(*w, nIndex, sizeof value)) std::memcpy(&value, w->Extra.data() + nIndex, sizeof value);
  return value;
}

LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w) return 0;
  // Styles are 32-bit values: no sign extension into the stored DWORD.
  if (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE)
    return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(static_cast<DWORD>(dwNewLong))));
  if (nIndex < 0) return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, dwNewLong));
  LONG old = 0;
  if (!ExtraSlot(*w, nIndex, sizeof old)) return 0;
  std::memcpy(&old, w->Extra.data() + nIndex, sizeof old);
  std::memcpy(w->Extra.data() + nIndex, &dwNewLong, sizeof dwNewLong);
  return old;
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
  if (!CheckedWindowOf(hWnd)) return FALSE;
  return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
  if (!lpString || nMaxCount <= 0) return 0;
  lpString[0] = 0;
  if (!CheckedWindowOf(hWnd)) return 0;
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthW(HWND hWnd) {
  if (!CheckedWindowOf(hWnd)) return 0;
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}
