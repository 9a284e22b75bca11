// Top-level windows as SDL windows. Their pixels stay ours (the window DCs
// draw on them); what was drawn is copied to the SDL window's surface before
// the loop waits. A window with a caption shows its client area and leaves
// the frame to the desktop; one without shows all of itself.

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <utility>

#include "platform/GdiObjects.h"
#include "platform/MessageBoxWindow.h"
#include "platform/Utf8.h"
#include "platform/WindowObjects.h"
#include "platform/backend/sdl/Sdl.h"
#include "platform/backend/sdl/SdlKeys.h"
#include "platform/backend/sdl/SdlX11.h"

namespace {

class TSdlSurface;
void LogFirstFrame();

// By SDL window id. Never freed: surfaces may outlive the backend at exit.
std::map<Uint32, TSdlSurface*>& SdlWindows() {
  static auto* windows = new std::map<Uint32, TSdlSurface*>;
  return *windows;
}

class TSdlSurface : public TBackendSurface {
 public:
  TSdlSurface(HWND window, const RECT& bounds) : FWindow(window) { SetBounds(bounds); }
  ~TSdlSurface() override {
    if (!FSdl) return;
    SdlWindows().erase(SDL_GetWindowID(FSdl));
    SDL_DestroyWindow(FSdl);
  }

  void SetBounds(const RECT& bounds) override {
    ResizeSurfacePixels(FPixels, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    FBounds = bounds;
    FollowWindow();
  }
  void SetVisible(bool visible) override {
    FVisible = visible;
    if (visible && !FSdl) Create();
    if (!FSdl) return;
    if (visible) {
      SDL_ShowWindow(FSdl);
      FollowWindow();
      FDirty = Shown();
    } else {
      SDL_HideWindow(FSdl);
    }
  }
  void SetTitle(const std::u16string& title) override {
    FTitle = title;
    if (FSdl) SDL_SetWindowTitle(FSdl, Utf8(title).c_str());
  }
  TBitmapObject* Pixels() override { return FPixels.get(); }
  void Changed(const RECT& area) override { UnionRect(&FDirty, &FDirty, &area); }

  HWND Window() const { return FWindow; }

  // The part of the pixels the SDL window shows, in surface coordinates.
  RECT Shown() const {
    const TWindow* w = WindowOf(FWindow);
    const LONG width = FBounds.Right - FBounds.Left, height = FBounds.Bottom - FBounds.Top;
    if (!w || !(w->Style & WS_CAPTION)) return RECT{0, 0, width, height};
    const POINT client = ClientOriginOnScreen(*w);
    const LONG left = client.X - FBounds.Left, top = client.Y - FBounds.Top;
    return RECT{left, top, left + (w->Client.Right - w->Client.Left), top + (w->Client.Bottom - w->Client.Top)};
  }
  // A point of the SDL window on the screen.
  POINT ToScreen(int x, int y) const {
    const RECT shown = Shown();
    return POINT{FBounds.Left + shown.Left + x, FBounds.Top + shown.Top + y};
  }

  void Present() {
    if (!FSdl || !FVisible || !FPixels || IsRectEmpty(&FDirty)) return;
    SDL_Surface* screen = SDL_GetWindowSurface(FSdl);
    const RECT shown = Shown();
    const RECT dirty = std::exchange(FDirty, RECT{});
    if (!screen) return;
    const LONG left = std::max({dirty.Left, shown.Left, LONG{0}});
    const LONG top = std::max({dirty.Top, shown.Top, LONG{0}});
    const LONG right = std::min({dirty.Right, shown.Right, FPixels->Width, shown.Left + screen->w});
    const LONG bottom = std::min({dirty.Bottom, shown.Bottom, FPixels->Height, shown.Top + screen->h});
    if (right <= left || bottom <= top) return;
    auto* target = static_cast<Uint8*>(screen->pixels) + static_cast<size_t>(top - shown.Top) * screen->pitch +
                   static_cast<size_t>(left - shown.Left) * screen->format->BytesPerPixel;
    SDL_ConvertPixels(right - left, bottom - top, SDL_PIXELFORMAT_ARGB8888, FPixels->Row(top) + left * 4,
                      FPixels->Stride, screen->format->format, target, screen->pitch);
    const SDL_Rect area{left - shown.Left, top - shown.Top, right - left, bottom - top};
    SDL_UpdateWindowSurfaceRects(FSdl, &area, 1);
    LogFirstFrame();
  }

  void Expose() { FDirty = Shown(); }

  // The desktop resized or moved the SDL window.
  void Resized(int width, int height) {
    FDirty = Shown();
    const RECT shown = Shown();
    const int dx = width - (shown.Right - shown.Left), dy = height - (shown.Bottom - shown.Top);
    if (!dx && !dy) return;
    SetWindowPos(FWindow, nullptr, 0, 0, FBounds.Right - FBounds.Left + dx, FBounds.Bottom - FBounds.Top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Moved(int x, int y) {
    if (IsIconic(FWindow)) return;
    const POINT at = ToScreen(0, 0);
    if (at.X == x && at.Y == y) return;
    SetWindowPos(FWindow, nullptr, FBounds.Left + x - at.X, FBounds.Top + y - at.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  void Create() {
    const TWindow* w = WindowOf(FWindow);
    const bool caption = w && (w->Style & WS_CAPTION);
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (!caption) flags |= SDL_WINDOW_BORDERLESS;
    if (w && (w->Style & WS_THICKFRAME)) flags |= SDL_WINDOW_RESIZABLE;
    if (w && (w->ExStyle & WS_EX_TOOLWINDOW)) flags |= SDL_WINDOW_UTILITY;
    const RECT shown = Shown();
    const POINT at = ToScreen(0, 0);
    FSdl = SDL_CreateWindow(Utf8(FTitle).c_str(), at.X, at.Y, std::max(LONG{1}, shown.Right - shown.Left),
                            std::max(LONG{1}, shown.Bottom - shown.Top), flags);
    if (FSdl) SdlWindows()[SDL_GetWindowID(FSdl)] = this;
  }

  // Size, position and the minimized state of the SDL window follow ours.
  void FollowWindow() {
    if (!FSdl) return;
    const bool iconic = IsIconic(FWindow);
    const bool sdlIconic = (SDL_GetWindowFlags(FSdl) & SDL_WINDOW_MINIMIZED) != 0;
    if (iconic) {
      if (!sdlIconic) SDL_MinimizeWindow(FSdl);
      return;
    }
    if (sdlIconic) SDL_RestoreWindow(FSdl);
    const RECT shown = Shown();
    int width = 0, height = 0, x = 0, y = 0;
    SDL_GetWindowSize(FSdl, &width, &height);
    if (width != shown.Right - shown.Left || height != shown.Bottom - shown.Top)
      SDL_SetWindowSize(FSdl, std::max(LONG{1}, shown.Right - shown.Left), std::max(LONG{1}, shown.Bottom - shown.Top));
    SDL_GetWindowPosition(FSdl, &x, &y);
    const POINT at = ToScreen(0, 0);
    if (x != at.X || y != at.Y) SDL_SetWindowPosition(FSdl, at.X, at.Y);
    FDirty = Shown();
  }

  HWND FWindow;
  RECT FBounds;
  RECT FDirty;
  bool FVisible = false;
  std::u16string FTitle;
  std::unique_ptr<TBitmapObject> FPixels;
  SDL_Window* FSdl = nullptr;
};

// COUNTDOWN_FRAME_LOG=<file>: when the program's first frame reached the
// screen, in Unix milliseconds, so that start-up can be measured from outside.
void LogFirstFrame() {
  static bool logged = false;
  if (logged) return;
  logged = true;
  const char* path = std::getenv("COUNTDOWN_FRAME_LOG");
  FILE* log = path ? std::fopen(path, "a") : nullptr;
  if (!log) return;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  std::fprintf(log, "frame %lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
  std::fclose(log);
}

TSdlSurface* SurfaceOf(Uint32 id) {
  auto it = SdlWindows().find(id);
  return it == SdlWindows().end() ? nullptr : it->second;
}

std::atomic<ULONGLONG> WakeUps{0};

class TSdlBackend : public TBackend {
 public:
  TSdlBackend() : FLoopThread(std::this_thread::get_id()), FWakeEvent(SDL_RegisterEvents(1)) {
    if (const char* path = std::getenv("COUNTDOWN_WAKE_LOG")) FWakeLog = std::fopen(path, "a");
  }
  ~TSdlBackend() override {
    for (auto& [id, cursor] : FCursors) SDL_FreeCursor(cursor);
    if (FWakeLog) std::fclose(FWakeLog);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  std::unique_ptr<TBackendSurface> CreateSurface(HWND window, const RECT& bounds) override {
    return std::make_unique<TSdlSurface>(window, bounds);
  }

  ULONGLONG Now() override { return SDL_GetTicks64(); }

  bool WaitForEvents(ULONGLONG deadline) override {
    for (auto& [id, surface] : SdlWindows()) surface->Present();
    FollowActivation();
    SDL_Event e;
    bool any = false;
    while (SDL_PollEvent(&e)) {
      Handle(e);
      any = true;
    }
    FlushKey();
    const ULONGLONG now = Now();
    if (any || deadline <= now) return true;
    const int timeout = deadline == NoDeadline ? -1 : static_cast<int>(std::min<ULONGLONG>(deadline - now, INT_MAX));
    const bool got = SDL_WaitEventTimeout(&e, timeout) != 0;
    const ULONGLONG count = ++WakeUps;
    if (FWakeLog) {
      std::fprintf(FWakeLog, "%llu %llu\n", static_cast<unsigned long long>(count),
                   static_cast<unsigned long long>(Now()));
      std::fflush(FWakeLog);
    }
    if (got) {
      Handle(e);
      while (SDL_PollEvent(&e)) Handle(e);
      FlushKey();
    }
    return true;
  }

  void Wake() override {
    // The loop's own thread looks at the queue before it waits again.
    if (std::this_thread::get_id() == FLoopThread || FWakeEvent == static_cast<Uint32>(-1)) return;
    SDL_Event e{};
    e.type = FWakeEvent;
    SDL_PushEvent(&e);
  }

  std::optional<std::u16string> ClipboardText() override {
    if (!SDL_HasClipboardText()) return std::nullopt;
    char* text = SDL_GetClipboardText();
    if (!text) return std::nullopt;
    std::u16string out = Utf16(text);
    SDL_free(text);
    return out;
  }
  void SetClipboardText(std::optional<std::u16string> text) override {
    SDL_SetClipboardText(text ? Utf8(*text).c_str() : "");
  }
  // The sound itself is played by MessageBeep; nothing is logged here.
  void Beep(UINT) override {}
  int ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type) override {
    return RunMessageBox(owner, text, caption, type);
  }
  void ShowCursor(HCURSOR cursor) override {
    if (!cursor) {
      SDL_ShowCursor(SDL_DISABLE);
      return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    static constexpr struct {
      WORD Id;
      SDL_SystemCursor Shape;
    } shapes[] = {
        {IDC_ARROW, SDL_SYSTEM_CURSOR_ARROW},
        {IDC_IBEAM, SDL_SYSTEM_CURSOR_IBEAM},
        {IDC_WAIT, SDL_SYSTEM_CURSOR_WAIT},
        {IDC_CROSS, SDL_SYSTEM_CURSOR_CROSSHAIR},
        {IDC_UPARROW, SDL_SYSTEM_CURSOR_ARROW},
        {IDC_SIZENWSE, SDL_SYSTEM_CURSOR_SIZENWSE},
        {IDC_SIZENESW, SDL_SYSTEM_CURSOR_SIZENESW},
        {IDC_SIZEWE, SDL_SYSTEM_CURSOR_SIZEWE},
        {IDC_SIZENS, SDL_SYSTEM_CURSOR_SIZENS},
        {IDC_SIZEALL, SDL_SYSTEM_CURSOR_SIZEALL},
        {IDC_NO, SDL_SYSTEM_CURSOR_NO},
        {IDC_HAND, SDL_SYSTEM_CURSOR_HAND},
        {IDC_APPSTARTING, SDL_SYSTEM_CURSOR_WAITARROW},
        {IDC_HELP, SDL_SYSTEM_CURSOR_ARROW},
    };
    // Cursors of the program's own resources show as the arrow.
    SDL_SystemCursor shape = SDL_SYSTEM_CURSOR_ARROW;
    for (const auto& s : shapes)
      if (LoadCursorW(nullptr, MAKEINTRESOURCEW(s.Id)) == cursor) shape = s.Shape;
    SDL_Cursor*& made = FCursors[shape];
    if (!made) made = SDL_CreateSystemCursor(shape);
    if (made) SDL_SetCursor(made);
  }

 private:
  void Handle(const SDL_Event& e) {
    switch (e.type) {
      case SDL_WINDOWEVENT:
        WindowEvent(e.window);
        break;
      case SDL_MOUSEMOTION:
        if (TSdlSurface* s = SurfaceOf(e.motion.windowID)) MouseMoveInput(s->ToScreen(e.motion.x, e.motion.y));
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        MouseButton(e.button);
        break;
      case SDL_MOUSEWHEEL:
        Wheel(e.wheel);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        Key(e.key);
        break;
      case SDL_TEXTINPUT: {
        const std::u16string text = Utf16(e.text.text);
        if (FKeyPending) {
          FKeyText += text;
          FlushKey();
        } else {
          TextInput(text);
        }
        break;
      }
      default:
        break;
    }
  }

  // The program activated another of its windows while it has the
  // desktop's focus (a message box shown or gone): the desktop's focus
  // follows, as it would under the system the program was written for.
  void FollowActivation() {
    const HWND active = ActiveWindow();
    if (active == FActive) return;
    FActive = active;
    for (auto& [id, surface] : SdlWindows())
      if (surface->Window() == active) {
        SDL_Window* sdl = SDL_GetWindowFromID(id);
        if (!sdl || (SDL_GetWindowFlags(sdl) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) ||
            SDL_GetKeyboardFocus() == sdl)
          return;
        SDL_RaiseWindow(sdl);
        SDL_SetWindowInputFocus(sdl);
      }
  }

  void WindowEvent(const SDL_WindowEvent& e) {
    TSdlSurface* s = SurfaceOf(e.windowID);
    if (!s) return;
    const HWND h = s->Window();
    switch (e.event) {
      case SDL_WINDOWEVENT_EXPOSED:
        s->Expose();
        break;
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        s->Resized(e.data1, e.data2);
        break;
      case SDL_WINDOWEVENT_MOVED:
        s->Moved(e.data1, e.data2);
        break;
      case SDL_WINDOWEVENT_MINIMIZED:
        if (!IsIconic(h)) ShowWindow(h, SW_SHOWMINNOACTIVE);
        break;
      case SDL_WINDOWEVENT_RESTORED:
        if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
        break;
      // A disabled window (the owner of a modal box) takes no focus: the
      // keys go on reaching the window that has it.
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (IsWindowEnabled(h)) DesktopFocusInput(h);
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        if (IsWindowEnabled(h)) DesktopFocusInput(nullptr);
        break;
      case SDL_WINDOWEVENT_CLOSE:
        if (IsWindowEnabled(h)) PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
      default:
        break;
    }
  }

  void MouseButton(const SDL_MouseButtonEvent& e) {
    TSdlSurface* s = SurfaceOf(e.windowID);
    if (!s) return;
    const UINT button = e.button == SDL_BUTTON_LEFT     ? VK_LBUTTON
                        : e.button == SDL_BUTTON_RIGHT  ? VK_RBUTTON
                        : e.button == SDL_BUTTON_MIDDLE ? VK_MBUTTON
                                                        : 0;
    if (!button) return;
    const POINT at = s->ToScreen(e.x, e.y);
    if (CursorPosition() != at) MouseMoveInput(at);
    // SDL captures the mouse while a button is held (SDL_HINT_MOUSE_AUTO_CAPTURE),
    // so moves outside the window keep arriving.
    MouseButtonInput(button, e.type == SDL_MOUSEBUTTONDOWN, at);
  }

  void Wheel(const SDL_MouseWheelEvent& e) {
    float notches = e.preciseY;
    if (e.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
    // Fractions of a notch add up until they make a whole one.
    FWheel += notches * WHEEL_DELTA;
    const int steps = static_cast<int>(FWheel / WHEEL_DELTA);
    if (!steps) return;
    FWheel -= static_cast<float>(steps * WHEEL_DELTA);
    MouseWheelInput(steps * WHEEL_DELTA, CursorPosition());
  }

  // A key down waits for the text event that may follow it, so that the
  // key carries its characters.
  void Key(const SDL_KeyboardEvent& e) {
    FlushKey();
    const UINT vk = VirtualKeyOf(e.keysym);
    if (!vk) return;
    if (e.type == SDL_KEYUP) {
      KeyInput(vk, false, u"");
      return;
    }
    FKeyPending = vk;
    FKeyText.clear();
  }
  void FlushKey() {
    if (!FKeyPending) return;
    KeyInput(std::exchange(FKeyPending, 0), true, FKeyText);
    FKeyText.clear();
  }

  std::thread::id FLoopThread;
  Uint32 FWakeEvent;
  std::FILE* FWakeLog = nullptr;
  std::map<SDL_SystemCursor, SDL_Cursor*> FCursors;
  UINT FKeyPending = 0;
  std::u16string FKeyText;
  float FWheel = 0;
  HWND FActive = nullptr;  // the active window the desktop's focus last followed
};

}  // namespace

std::unique_ptr<TBackend> CreateSdlBackend() {
  // Without it the window surface goes through software OpenGL: much more
  // memory, start-up time and time per frame.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The program ends on the signals as any other does.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // Without a display SDL would fall back to its off-screen driver, which
  // shows nothing: only a driver asked for by name may be one of those.
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if (!asked && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return nullptr;
  // Before SDL's own handler, which hands on to it and puts it back when
  // SDL closes its connections.
  if (std::getenv("DISPLAY")) IgnoreLostWakeUps();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  const char* driver = SDL_GetCurrentVideoDriver();
  const bool hidden = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
  if (hidden && !asked) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetError("no display answered; only the %s video driver started", driver);
    return nullptr;
  }
  return std::make_unique<TSdlBackend>();
}

const char* SdlFailure() {
  const char* error = SDL_GetError();
  return error && *error ? error : "no display is set";
}

ULONGLONG SdlWakeUps() { return dynamic_cast<TSdlBackend*>(&CurrentBackend()) ? WakeUps.load() : 0; }
