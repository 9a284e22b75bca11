// Start-up and shut-down of the image library, and its notification hook.
#include <algorithm>
#include <vector>

#include "platform/GdiPlusObjects.h"

namespace Gdiplus {

namespace {

struct TStartups {
  std::vector<ULONG_PTR> Tokens;  // one per start-up not yet shut down
  ULONG_PTR LastToken = 0;
};

TStartups& Startups() {
  static TStartups startups;
  return startups;
}

}  // namespace

bool GdiplusStarted() { return !Startups().Tokens.empty(); }

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (const GpStatus forced = EnterEntry(__func__); forced != Ok && forced != GdiplusNotInitialized) return forced;
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread && !output) return InvalidParameter;
  TStartups& startups = Startups();
  *token = ++startups.LastToken;
  startups.Tokens.push_back(*token);
  if (output) {
    const bool hooked = input->SuppressBackgroundThread;
    output->NotificationHook = hooked ? &GdiplusNotificationHook : nullptr;
    output->NotificationUnhook = hooked ? &GdiplusNotificationUnhook : nullptr;
  }
  return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
  TStartups& startups = Startups();
  if (std::erase(startups.Tokens, token) == 0 || GdiplusStarted()) return;
  RemoveAllObjects();
}

GpStatus GdiplusNotificationHook(ULONG_PTR* token) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!token) return InvalidParameter;
  // Nothing runs in the background, so the hook has nothing to hand over.
  *token = ++Startups().LastToken;
  return Ok;
}

void GdiplusNotificationUnhook(ULONG_PTR) {}

}  // namespace Gdiplus
