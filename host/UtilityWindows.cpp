// Utility windows: a hidden popup of the framework's own class (hidden
// top-level windows get broadcasts such as WM_SYSCOLORCHANGE; message-only
// ones would not).

#include <unordered_map>

#include "host/ExceptionHandling.h"
#include "host/UtilityWindows.h"

namespace {

constexpr const char16_t* UtilWindowClass = u"TPUtilWindow";

std::unordered_map<HWND, TWndMethod>& Methods() {
  static std::unordered_map<HWND, TWndMethod> methods;
  return methods;
}

LRESULT UtilWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  auto it = Methods().find(hWnd);
  if (it == Methods().end()) return DefWindowProcW(hWnd, Msg, wParam, lParam);
  TWndMethod method = it->second;  // the method may deallocate the window
  TMessage message{Msg, wParam, lParam, 0};
  try {
    method(message);
  } catch (...) {
    HandleException(nullptr);
  }
  return message.Result;
}

void RegisterUtilClass() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(nullptr, UtilWindowClass, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = UtilWindowProc;
  wc.lpszClassName = UtilWindowClass;
  RegisterClassExW(&wc);
}

}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
  RegisterUtilClass();
  HWND h = CreateWindowExW(WS_EX_TOOLWINDOW, UtilWindowClass, u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                           nullptr);
  if (h && Method) Methods()[h] = std::move(Method);
  return h;
}

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd) return;
  Methods().erase(Wnd);
  DestroyWindow(Wnd);
}
