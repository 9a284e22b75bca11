// A small program for the end-to-end tests: a real window that shows the
// characters typed into it and reports on standard output, one line each,
// what reached it (keys, characters, clicks, sizes, paints). M opens a
// message box while a timer of the window ticks, T has another thread post
// a message, P sends text round the clipboard, B beeps.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/Gdi.h"
#include "platform/GdiText.h"
#include "platform/Kernel.h"
#include "platform/Windows.h"
#include "platform/backend/ChooseBackend.h"
#include "platform/backend/sdl/Sdl.h"

namespace {

std::u16string Typed;
int Ticks = 0;
bool BoxShown = false;
std::thread Poster;

void Say(const char* format, unsigned long a = 0, unsigned long b = 0) {
  std::printf(format, a, b);
  std::printf("\n");
  std::fflush(stdout);
}

void Paint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  RECT client;
  GetClientRect(h, &client);
  // A colour the tests look for, then the text typed so far.
  HBRUSH fill = CreateSolidBrush(RGB(40, 120, 200));
  FillRect(dc, &client, fill);
  DeleteObject(fill);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT text{8, 8, client.Right - 8, client.Bottom - 8};
  DrawTextW(dc, Typed.c_str(), static_cast<int>(Typed.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(h, &ps);
  Say("paint %lu %lu", static_cast<unsigned long>(client.Right), static_cast<unsigned long>(client.Bottom));
}

// Text with characters beyond ASCII onto the desktop's clipboard and back.
bool ClipboardRoundTrip(HWND h) {
  const std::u16string text = u"Gr\u00FC\u00DFe \u2713";
  if (!OpenClipboard(h)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(char16_t));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  if (!OpenClipboard(h)) return false;
  HANDLE got = GetClipboardData(CF_UNICODETEXT);
  const bool same = got && std::u16string(static_cast<const char16_t*>(GlobalLock(got))) == text;
  if (got) GlobalUnlock(got);
  EmptyClipboard();
  CloseClipboard();
  return same;
}

LRESULT EchoProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint(h);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Say("size %lu %lu", LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Say(msg == WM_KEYDOWN ? "keydown %lu %lu" : "syskeydown %lu %lu", static_cast<unsigned long>(wParam),
          (static_cast<unsigned long>(lParam) >> 30) & 1);
      if (wParam == 'T' && msg == WM_KEYDOWN && !Poster.joinable()) {
        // Another thread posts while the loop sleeps with nothing due.
        Poster = std::thread([h] {
          std::this_thread::sleep_for(std::chrono::milliseconds(200));
          PostMessageW(h, WM_APP, 7, 0);
        });
      }
      if (wParam == 'B' && msg == WM_KEYDOWN) MessageBeep(0);
      if (wParam == 'P' && msg == WM_KEYDOWN) Say(ClipboardRoundTrip(h) ? "clipboard same" : "clipboard differs");
      if (wParam == 'M' && msg == WM_KEYDOWN && !BoxShown) {
        BoxShown = true;
        Ticks = 0;
        SetTimer(h, 1, 100, nullptr);
        const int answer = MessageBoxW(h, u"A message box over a ticking timer.", u"Key Echo", MB_OKCANCEL);
        KillTimer(h, 1);
        Say("box %lu ticks %lu", static_cast<unsigned long>(answer), static_cast<unsigned long>(Ticks));
        BoxShown = false;
      }
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Say(msg == WM_KEYUP ? "keyup %lu" : "syskeyup %lu", static_cast<unsigned long>(wParam));
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      Say(msg == WM_CHAR ? "char %lu" : "syschar %lu", static_cast<unsigned long>(wParam));
      if (msg == WM_CHAR && wParam >= 32) {
        Typed.push_back(static_cast<char16_t>(wParam));
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN:
      Say("click %lu %lu", LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      Say("doubleclick %lu %lu", LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_MOUSEWHEEL:
      Say(GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? "wheel -%lu" : "wheel %lu",
          static_cast<unsigned long>(std::abs(GET_WHEEL_DELTA_WPARAM(wParam))));
      return 0;
    case WM_APP:
      if (Poster.joinable()) Poster.join();
      Say("posted %lu", static_cast<unsigned long>(wParam));
      return 0;
    case WM_ACTIVATE:
      Say("activate %lu", LOWORD(wParam));
      break;
    case WM_TIMER:
      ++Ticks;
      Say("tick %lu enabled %lu", static_cast<unsigned long>(Ticks), IsWindowEnabled(h) ? 1ul : 0ul);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

}  // namespace

int main() {
  if (!ChooseBackend()) return 2;
  WNDCLASSEXW wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = EchoProc;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(IDC_IBEAM));
  wc.lpszClassName = u"KeyEcho";
  RegisterClassExW(&wc);
  // A client area of 320 x 200.
  RECT frame{0, 0, 320, 200};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND h = CreateWindowExW(0, u"KeyEcho", u"Key Echo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           frame.Right - frame.Left, frame.Bottom - frame.Top, nullptr, nullptr, nullptr, nullptr);
  if (!h) return 3;
  ShowWindow(h, SW_SHOW);
  Say("ready");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Say("closed");
  Say("wakeups %lu", static_cast<unsigned long>(SdlWakeUps()));
  return 0;
}
