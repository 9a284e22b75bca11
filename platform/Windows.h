#pragma once
// The window manager: classes and window procedures, the window tree, sizes
// and positions, the message queue, timers, input, system metrics and
// parameters, painting. Everything runs on the one GUI thread.
//
// Each part has a header of its own; a unit that needs only a few includes
// those, so that a change to one part rebuilds only what uses it.

#include "platform/Button.h"
#include "platform/Caret.h"
#include "platform/Clipboard.h"
#include "platform/Focus.h"
#include "platform/Gdi.h"
#include "platform/Hooks.h"
#include "platform/Kernel.h"
#include "platform/Keyboard.h"
#include "platform/LiveCounts.h"
#include "platform/MessageBox.h"
#include "platform/MessageQueue.h"
#include "platform/Mouse.h"
#include "platform/Painting.h"
#include "platform/Rectangles.h"
#include "platform/Resources.h"
#include "platform/SystemMetrics.h"
#include "platform/Timers.h"
#include "platform/WindowClasses.h"
#include "platform/WindowManager.h"
#include "platform/WindowMessages.h"
#include "platform/WindowStyles.h"
#include "platform/WindowTypes.h"
