#pragma once
// What code that must not let an exception escape (hook procedures, timer
// and window callbacks) does with it.

class TObject;

// The application object installs its handler here; it is called from inside
// a catch block, while the exception is being handled.
extern void (*ApplicationHandleException)(TObject* Sender);

// Inside a catch block: hands the exception to ApplicationHandleException.
// Without an application its message is shown in an error box captioned
// "Application Error"; the silent EAbort shows nothing either way.
void HandleException(TObject* Sender);
