#include "host/ExceptionHandling.h"

#include <exception>

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "host/System.h"
#include "platform/Windows.h"

void (*ApplicationHandleException)(TObject* Sender) = nullptr;

void HandleException(TObject* Sender) {
  if (ApplicationHandleException) {
    ApplicationHandleException(Sender);
    return;
  }
  String text;
  try {
    throw;
  } catch (const EAbort&) {
    return;
  } catch (const Exception& e) {
    text = e.GetMessage();
  } catch (const std::exception& e) {
    text = UTF8ToString(e.what());
  } catch (...) {
    text = SUnknownException;
  }
  MessageBoxW(nullptr, text.c_str(), SExceptTitle, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
