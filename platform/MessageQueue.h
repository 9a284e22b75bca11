#pragma once
// Sending and posting messages, the queue and the loops that take from it.

#include "platform/WindowTypes.h"

// Calls the window procedure at once, also from inside another handler.
// HWND_BROADCAST sends to every top-level window.
LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Queues the message; a null window makes it a message for the thread.
BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// WM_QUIT is produced once the posted messages and the input are served.
void PostQuitMessage(int nExitCode);

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
inline constexpr UINT PM_NOYIELD = 0x0002;

// Messages come in this order: posted messages, input, WM_QUIT, WM_PAINT,
// WM_TIMER (each timer's due tick). A window filter takes the window and its
// descendants, (HWND)-1 only thread messages; WM_QUIT comes only without a
// window filter. A range of 0, 0 takes every message.
//
// GetMessageW waits; it answers 0 for WM_QUIT and -1 on failure, also when
// nothing could ever end the wait (ERROR_POSSIBLE_DEADLOCK).
BOOL GetMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
// Never waits. WM_PAINT stays until the window is validated, PM_REMOVE or not.
BOOL PeekMessageW(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
// WM_TIMER with a callback calls it, when it belongs to a live timer, in
// place of the window procedure.
LRESULT DispatchMessageW(const MSG* lpMsg);

// What every loop does with a message it took from the queue, WM_QUIT
// aside. The default step translates keys and dispatches; a framework puts
// its own in place, one that offers key messages to its controls first and
// ends in the default. The program's loop and the virtual clock's run the
// same step, so that input reaches windows alike in tests and in use.
using MESSAGESTEP = void (*)(MSG* lpMsg);
// nullptr brings the default back. Returns the step replaced (nullptr for
// the default).
MESSAGESTEP SetMessageStep(MESSAGESTEP step);
void RunMessageStep(MSG* lpMsg);
void DefMessageStep(MSG* lpMsg);

// Returns when something arrived since the queue was last looked at; FALSE
// (ERROR_POSSIBLE_DEADLOCK) when nothing could.
BOOL WaitMessage();
// Of the message last retrieved.
LONG GetMessageTime();
DWORD GetMessagePos();
// Whether the innermost message being handled came through SendMessageW
// rather than from the queue.
BOOL InSendMessage();
