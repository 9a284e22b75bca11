// Window classes: the program's, found through their instance, and the
// platform's built-in ones, found from any instance.

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/WindowObjects.h"

namespace {

char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool SameName(const std::u16string& name, LPCWSTR asked) {
  size_t i = 0;
  for (; i < name.size() && asked[i]; ++i)
    if (Fold(name[i]) != Fold(asked[i])) return false;
  return i == name.size() && !asked[i];
}

struct TClassTable {
  std::vector<std::unique_ptr<TWindowClass>> Classes;
  ATOM NextAtom = 0xC000;
  // The desktop's class, first of them, is the one named by its atom, "#32769".
  ATOM NextBuiltInAtom = 0x8001;
};

TWindowClass& Add(TClassTable& t, const WNDCLASSEXW& wc, bool builtIn) {
  auto c = std::make_unique<TWindowClass>();
  c->Atom = builtIn ? t.NextBuiltInAtom++ : t.NextAtom++;
  c->Name = wc.lpszClassName;
  c->Style = wc.style;
  c->Proc = wc.lpfnWndProc;
  c->ClassExtra = wc.cbClsExtra;
  c->WindowExtra = wc.cbWndExtra;
  c->Instance = wc.hInstance;
  c->Icon = wc.hIcon;
  c->IconSmall = wc.hIconSm;
  c->Cursor = wc.hCursor;
  c->Background = wc.hbrBackground;
  if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
    c->MenuNameText = wc.lpszMenuName;
    c->MenuName = c->MenuNameText.c_str();
  } else {
    c->MenuName = wc.lpszMenuName;
  }
  c->BuiltIn = builtIn;
  t.Classes.push_back(std::move(c));
  return *t.Classes.back();
}

TClassTable& Table() {
  static TClassTable table = [] {
    // The desktop's and the message-only root's classes; later built-in
    // controls join them here.
    TClassTable t;
    WNDCLASSEXW wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"#32769";
    Add(t, wc, true);
    wc.lpszClassName = u"Message";
    Add(t, wc, true);
    WNDCLASSEXW button;
    button.style = CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW;
    button.lpfnWndProc = ButtonWindowProc;
    button.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_ARROW));
    button.lpszClassName = u"BUTTON";
    Add(t, button, true);
    WNDCLASSEXW edit;
    edit.style = CS_DBLCLKS;
    edit.lpfnWndProc = EditWindowProc;
    edit.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_IBEAM));
    edit.lpszClassName = u"EDIT";
    Add(t, edit, true);
    return t;
  }();
  return table;
}

bool Matches(const TWindowClass& c, LPCWSTR name) {
  return IS_INTRESOURCE(name) ? c.Atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name)) : SameName(c.Name, name);
}

// The program's own class of that instance first, then a global or built-in one.
TWindowClass* Find(LPCWSTR name, HINSTANCE instance, bool ownOnly) {
  if (!name) return nullptr;
  auto& classes = Table().Classes;
  for (auto& c : classes)
    if (!c->BuiltIn && c->Instance == instance && Matches(*c, name)) return c.get();
  if (ownOnly) return nullptr;
  for (auto& c : classes)
    if ((c->BuiltIn || (c->Style & CS_GLOBALCLASS)) && Matches(*c, name)) return c.get();
  return nullptr;
}

}  // namespace

TWindowClass* FindClass(LPCWSTR name, HINSTANCE instance) { return Find(name, instance, false); }

ATOM RegisterClassExW(const WNDCLASSEXW* lpWndClass) {
  if (!lpWndClass || lpWndClass->cbSize != sizeof(WNDCLASSEXW) || !lpWndClass->lpfnWndProc ||
      !lpWndClass->lpszClassName || IS_INTRESOURCE(lpWndClass->lpszClassName) || lpWndClass->cbClsExtra < 0 ||
      lpWndClass->cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (Find(lpWndClass->lpszClassName, lpWndClass->hInstance, true)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  return Add(Table(), *lpWndClass, false).Atom;
}

BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance) {
  TClassTable& t = Table();
  for (auto it = t.Classes.begin(); it != t.Classes.end(); ++it) {
    TWindowClass& c = **it;
    if (c.BuiltIn || c.Instance != hInstance || !lpClassName || !Matches(c, lpClassName)) continue;
    if (c.WindowCount > 0) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
    t.Classes.erase(it);
    return TRUE;
  }
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

BOOL GetClassInfoExW(HINSTANCE hInstance, LPCWSTR lpszClass, WNDCLASSEXW* lpwcx) {
  TWindowClass* c = FindClass(lpszClass, hInstance);
  if (!c || !lpwcx) {
    SetLastError(c ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  lpwcx->style = c->Style;
  lpwcx->lpfnWndProc = c->Proc;
  lpwcx->cbClsExtra = c->ClassExtra;
  lpwcx->cbWndExtra = c->WindowExtra;
  lpwcx->hInstance = c->Instance;
  lpwcx->hIcon = c->Icon;
  lpwcx->hCursor = c->Cursor;
  lpwcx->hbrBackground = c->Background;
  lpwcx->lpszMenuName = c->MenuName;
  lpwcx->lpszClassName = c->Name.c_str();
  lpwcx->hIconSm = c->IconSmall;
  return c->Atom;
}

int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
  TWindow* w = CheckedWindowOf(hWnd);
  if (!w || !lpClassName || nMaxCount <= 0) return 0;
  const int n = std::min(static_cast<int>(w->Class->Name.size()), nMaxCount - 1);
  std::copy_n(w->Class->Name.data(), n, lpClassName);
  lpClassName[n] = 0;
  return n;
}
