// The caret, the clipboard, beeps and message boxes.

#include <cstring>
#include <string>

#include "tests/platform/InputTestSupport.h"

namespace {

using Caret = TInputTest;
using Clipboard = TInputTest;
using Notices = TInputTest;

TEST_F(Caret, ItBlinksWhileShownAndCountsItsHiding) {
  HWND h = Create(WS_POPUP | WS_VISIBLE);
  Pump();
  const int timers = GetLiveTimerCount();
  ASSERT_TRUE(CreateCaret(h, nullptr, 2, 16));
  EXPECT_FALSE(IsCaretOn()) << "created hidden";
  EXPECT_EQ(GetLiveTimerCount(), timers) << "no timer while hidden";
  POINT p{-1, -1};
  ASSERT_TRUE(GetCaretPos(&p));
  EXPECT_EQ(p, (POINT{0, 0}));
  ASSERT_TRUE(ShowCaret(h));
  EXPECT_TRUE(IsCaretOn());
  EXPECT_EQ(GetCaretBlinkTime(), 530u);
  // On for the blink time, off for the blink time.
  struct TStep {
    DWORD Advance;
    bool On;
  } steps[] = {{529, true}, {1, false}, {529, false}, {1, true}, {530, false}};
  for (const TStep& s : steps) {
    AdvanceVirtualClock(s.Advance);
    EXPECT_EQ(IsCaretOn() != FALSE, s.On);
  }
  // Moving turns it on and starts the period again.
  ASSERT_TRUE(SetCaretPos(7, 3));
  EXPECT_TRUE(IsCaretOn());
  AdvanceVirtualClock(529);
  EXPECT_TRUE(IsCaretOn());
  ASSERT_TRUE(GetCaretPos(&p));
  EXPECT_EQ(p, (POINT{7, 3}));
  // Hiding twice needs two shows.
  ASSERT_TRUE(HideCaret(nullptr));
  ASSERT_TRUE(HideCaret(h));
  EXPECT_FALSE(IsCaretOn());
  EXPECT_EQ(GetLiveTimerCount(), timers);
  ASSERT_TRUE(ShowCaret(h));
  EXPECT_FALSE(IsCaretOn());
  ASSERT_TRUE(ShowCaret(h));
  EXPECT_TRUE(IsCaretOn());
  // Only the owner may show or hide it.
  HWND other = Create();
  EXPECT_FALSE(HideCaret(other));
  EXPECT_TRUE(IsCaretOn());
  // The blink time can change while it blinks.
  ASSERT_TRUE(SetCaretBlinkTime(100));
  AdvanceVirtualClock(100);
  EXPECT_FALSE(IsCaretOn());
  ASSERT_TRUE(SetCaretBlinkTime(530));
  EXPECT_FALSE(SetCaretBlinkTime(0));
  // A new caret replaces the old one; the owner's end ends it.
  ASSERT_TRUE(CreateCaret(other, nullptr, 0, 0));
  EXPECT_FALSE(ShowCaret(h));
  DestroyWindow(other);
  EXPECT_FALSE(GetCaretPos(&p));
  EXPECT_FALSE(DestroyCaret());
  EXPECT_EQ(GetLiveTimerCount(), timers);
  DestroyWindow(h);
}

HGLOBAL TextBlock(const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  return block;
}

std::u16string UnicodeOf(HANDLE h) {
  const auto* chars = static_cast<const char16_t*>(GlobalLock(h));
  std::u16string out(chars);
  GlobalUnlock(h);
  return out;
}

std::string AnsiOf(HANDLE h) {
  const auto* chars = static_cast<const char*>(GlobalLock(h));
  std::string out(chars);
  GlobalUnlock(h);
  return out;
}

TEST_F(Caret, ItInvertsTheOwnersPixelsAndSurvivesAPaint) {
  HWND h = Create(WS_POPUP | WS_VISIBLE);
  const RECT client{0, 0, 100, 50};
  auto paintWhite = [&] {
    HDC dc = GetDC(h);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(h, dc);
  };
  TestHandler() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (w != h || msg != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(h, &ps);
    return 0;
  };
  Pump();
  paintWhite();
  auto pixel = [&](int x, int y) {
    HDC dc = GetDC(h);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
  };
  const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
  ASSERT_TRUE(CreateCaret(h, nullptr, 2, 10));
  ASSERT_TRUE(SetCaretPos(20, 5));
  EXPECT_EQ(pixel(20, 5), white) << "hidden until shown";
  ASSERT_TRUE(ShowCaret(h));
  EXPECT_EQ(pixel(20, 5), black);
  EXPECT_EQ(pixel(21, 14), black);
  EXPECT_EQ(pixel(22, 5), white) << "no wider than asked";
  AdvanceVirtualClock(530);
  EXPECT_EQ(pixel(20, 5), white) << "blinked off";
  AdvanceVirtualClock(530);
  EXPECT_EQ(pixel(20, 5), black) << "and on again";
  // A repaint of the owner leaves the caret drawn once, not cancelled out.
  InvalidateRect(h, nullptr, FALSE);
  UpdateWindow(h);
  EXPECT_EQ(pixel(20, 5), black);
  AdvanceVirtualClock(530);
  EXPECT_EQ(pixel(20, 5), white);
  AdvanceVirtualClock(530);
  // Moving takes it off its old place.
  ASSERT_TRUE(SetCaretPos(40, 5));
  EXPECT_EQ(pixel(20, 5), white);
  EXPECT_EQ(pixel(40, 5), black);
  ASSERT_TRUE(DestroyCaret());
  EXPECT_EQ(pixel(40, 5), white) << "destroying leaves the pixels as they were";
  TestHandler() = nullptr;
  DestroyWindow(h);
}

TEST_F(Clipboard, GlobalMemoryRefusesHandlesItDidNotHandOut) {
  HGLOBAL block = GlobalAlloc(GHND, 6);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 6u);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes[0] | bytes[5], 0) << "GMEM_ZEROINIT";
  EXPECT_EQ(GlobalLock(block), bytes) << "fixed in place";
  EXPECT_TRUE(GlobalUnlock(block)) << "still locked once";
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "the last unlock";
  HGLOBAL forged = reinterpret_cast<HGLOBAL>(bytes);
  SetLastError(0);
  EXPECT_EQ(GlobalLock(forged), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(GlobalFree(forged), forged);
  EXPECT_EQ(GlobalFree(block), nullptr);
  EXPECT_EQ(GlobalFree(block), block) << "freed twice";
  EXPECT_EQ(GlobalSize(block), 0u);
}

TEST_F(Clipboard, TextGoesRoundInBothFormats) {
  HWND h = Create();
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
  ASSERT_TRUE(OpenClipboard(h));
  EXPECT_FALSE(OpenClipboard(nullptr)) << "one opener at a time";
  ASSERT_TRUE(EmptyClipboard());
  const char16_t unicode[] = u"Grüße, €5";
  HGLOBAL block = TextBlock(unicode, sizeof(unicode));
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  EXPECT_EQ(GlobalLock(block), nullptr) << "the clipboard took the block";
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_FALSE(IsClipboardFormatAvailable(8));

  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE asUnicode = GetClipboardData(CF_UNICODETEXT);
  HANDLE asAnsi = GetClipboardData(CF_TEXT);
  ASSERT_NE(asUnicode, nullptr);
  ASSERT_NE(asAnsi, nullptr);
  EXPECT_EQ(UnicodeOf(asUnicode), u"Grüße, €5");
  EXPECT_EQ(AnsiOf(asAnsi),
            "Gr\xFC\xDF"
            "e, \x80"
            "5")
      << "code page 1252";
  EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
  EXPECT_EQ(GetClipboardData(8), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GlobalLock(asUnicode), nullptr) << "freed when the clipboard closed";

  // ANSI text in, Unicode out.
  ASSERT_TRUE(OpenClipboard(h));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  const char ansi[] = "caf\xE9";
  EXPECT_NE(SetClipboardData(CF_TEXT, TextBlock(ansi, sizeof(ansi))), nullptr);
  EXPECT_EQ(UnicodeOf(GetClipboardData(CF_UNICODETEXT)), u"café");
  // Text without its terminating zero ends with the block.
  const char16_t unterminated[] = {u'a', u'b'};
  HGLOBAL open = TextBlock(unterminated, sizeof(unterminated));
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, open), nullptr);
  EXPECT_EQ(UnicodeOf(GetClipboardData(CF_UNICODETEXT)), u"ab");
  EXPECT_EQ(SetClipboardData(8, open), nullptr) << "no other formats";
  EXPECT_EQ(SetClipboardData(CF_BITMAP, open), nullptr) << "text is no bitmap";
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "no delayed rendering";
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  DestroyWindow(h);
}

TEST_F(Clipboard, ABitmapIsKeptBesideTheTextUntilEmptied) {
  const int live = GetLiveGdiObjectCount();
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  const char16_t text[] = u"kept";
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(text, sizeof(text))), nullptr);
  HBITMAP first = CreateBitmap(2, 2, 1, 32, nullptr);
  HBITMAP second = CreateBitmap(3, 1, 1, 32, nullptr);
  EXPECT_EQ(SetClipboardData(CF_BITMAP, first), first);
  EXPECT_EQ(SetClipboardData(CF_BITMAP, second), second);
  EXPECT_EQ(GetLiveGdiObjectCount(), live + 1) << "the bitmap replaced is deleted";
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "the formats live side by side";

  EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr) << "closed";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_BITMAP), second);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetLiveGdiObjectCount(), live + 1) << "the clipboard keeps its bitmap when closed";
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetLiveGdiObjectCount(), live);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(Notices, BeepsAndMessageBoxesReachTheBackend) {
  HWND owner = Create();
  EXPECT_TRUE(MessageBeep(0));
  EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
  EXPECT_EQ(HeadlessBeeps(), (std::vector<UINT>{0, MB_ICONEXCLAMATION}));
  struct TCase {
    UINT Type;
    int Expected;
  } cases[] = {
      {MB_OK, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION, IDNO},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
      {MB_RETRYCANCEL | MB_DEFBUTTON3, IDRETRY},
  };
  for (const TCase& c : cases) EXPECT_EQ(MessageBoxW(owner, u"Text", u"Caption", c.Type), c.Expected) << c.Type;
  SetHeadlessMessageBoxAnswer(IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_YESNO), IDNO);
  const auto boxes = HeadlessMessageBoxes();
  ASSERT_EQ(boxes.size(), std::size(cases) + 1);
  EXPECT_EQ(boxes[0].Owner, owner);
  EXPECT_EQ(boxes[0].Text, u"Text");
  EXPECT_EQ(boxes[0].Caption, u"Caption");
  EXPECT_EQ(boxes.back().Owner, nullptr);
  EXPECT_EQ(boxes.back().Text, u"");
  EXPECT_EQ(boxes.back().Caption, u"Error");
  EXPECT_EQ(boxes.back().Answer, IDNO);
  DestroyWindow(owner);
  EXPECT_EQ(MessageBoxW(owner, u"gone", u"", MB_OK), 0) << "an owner that is no window";
  EXPECT_EQ(HeadlessMessageBoxes().size(), std::size(cases) + 1);
}

}  // namespace
