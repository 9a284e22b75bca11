// The clipboard: text kept once as Unicode by the backend, answered as
// CF_UNICODETEXT and, in the ANSI code page, as CF_TEXT; a bitmap kept here.

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/GdiObjects.h"
#include "platform/WindowObjects.h"

namespace {

struct TClipboard {
  bool Open = false;
  // Blocks GetClipboardData handed out; the clipboard frees them.
  std::vector<HGLOBAL> Handed;
  HBITMAP Bitmap = nullptr;
};

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

bool IsText(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT; }

bool CheckOpen() {
  if (Clipboard().Open) return true;
  SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
  return false;
}

void FreeHanded() {
  for (HGLOBAL h : Clipboard().Handed) GlobalFree(h);
  Clipboard().Handed.clear();
}

void ReplaceBitmap(HBITMAP bitmap) {
  HBITMAP& held = Clipboard().Bitmap;
  if (held && held != bitmap) DeleteObject(held);
  held = bitmap;
}

// The text up to its terminating zero, or to the end of the block when
// the zero is missing.
std::optional<std::u16string> ReadText(UINT format, HGLOBAL block) {
  const void* data = GlobalLock(block);
  if (!data) return std::nullopt;
  const size_t size = GlobalSize(block);
  std::u16string text;
  if (format == CF_UNICODETEXT) {
    const auto* chars = static_cast<const char16_t*>(data);
    for (size_t i = 0; i < size / 2 && chars[i]; ++i) text.push_back(chars[i]);
  } else {
    const auto* bytes = static_cast<const char*>(data);
    size_t n = 0;
    while (n < size && bytes[n]) ++n;
    if (n) {
      text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(n), nullptr, 0)));
      MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(n), text.data(), static_cast<int>(text.size()));
    }
  }
  GlobalUnlock(block);
  return text;
}

HGLOBAL WriteText(UINT format, const std::u16string& text) {
  std::vector<char> bytes;
  if (format == CF_UNICODETEXT) {
    bytes.resize((text.size() + 1) * 2, 0);
    std::memcpy(bytes.data(), text.data(), text.size() * 2);
  } else {
    const int n = text.empty() ? 0
                               : WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                                     nullptr, nullptr);
    bytes.resize(static_cast<size_t>(n) + 1, 0);
    if (n)
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  }
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return nullptr;
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

}  // namespace

BOOL OpenClipboard(HWND hWndNewOwner) {
  TClipboard& c = Clipboard();
  if (hWndNewOwner && !CheckedWindowOf(hWndNewOwner)) return FALSE;
  if (c.Open) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  c.Open = true;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!CheckOpen()) return FALSE;
  FreeHanded();
  Clipboard().Open = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!CheckOpen()) return FALSE;
  FreeHanded();
  CurrentBackend().SetClipboardText(std::nullopt);
  ReplaceBitmap(nullptr);
  return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
  if (!CheckOpen()) return nullptr;
  if (uFormat == CF_BITMAP && GdiLookupAs<TBitmapObject>(static_cast<HGDIOBJ>(hMem), OBJ_BITMAP)) {
    ReplaceBitmap(static_cast<HBITMAP>(hMem));
    return hMem;
  }
  if (!IsText(uFormat) || !hMem) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::optional<std::u16string> text = ReadText(uFormat, hMem);
  if (!text) return nullptr;
  CurrentBackend().SetClipboardText(std::move(text));
  // The block is the clipboard's now; its text has been taken.
  GlobalFree(hMem);
  return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
  if (!CheckOpen()) return nullptr;
  if (uFormat == CF_BITMAP) return Clipboard().Bitmap;
  const std::optional<std::u16string> text = IsText(uFormat) ? CurrentBackend().ClipboardText() : std::nullopt;
  if (!text) return nullptr;
  HGLOBAL block = WriteText(uFormat, *text);
  if (block) Clipboard().Handed.push_back(block);
  return block;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (format == CF_BITMAP) return Clipboard().Bitmap ? TRUE : FALSE;
  return IsText(format) && CurrentBackend().ClipboardText().has_value() ? TRUE : FALSE;
}
