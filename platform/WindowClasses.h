#pragma once
// Window classes and the procedures that handle a window's messages.

#include "platform/WindowTypes.h"

// Class names match without regard to case. A program's class is found
// through its instance; the platform's built-in classes and CS_GLOBALCLASS
// ones from any instance. Atoms of registered classes start at 0xC000.
ATOM RegisterClassExW(const WNDCLASSEXW* lpWndClass);
// Fails while windows of the class exist, and for built-in classes.
BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance);
BOOL GetClassInfoExW(HINSTANCE hInstance, LPCWSTR lpszClass, WNDCLASSEXW* lpwcx);
int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount);

// The default handling every procedure ends in.
LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Calls a procedure saved from GetWindowLongPtrW or GetClassInfoExW: how a
// subclass or superclass passes messages on.
LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
