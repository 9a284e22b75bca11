#include "host/Exceptions.h"

#include "host/SysConst.h"
#include "host/System.h"

Exception::Exception(std::u16string Msg) { SetMessage(std::move(Msg)); }

Exception::Exception(std::u16string_view Fmt, std::initializer_list<TVarRec> Args) : Exception(Format(Fmt, Args)) {}

void Exception::SetMessage(std::u16string Value) {
  FMessage = std::move(Value);
  FWhat = UTF8Encode(FMessage);
}

void Abort() { throw EAbort(SOperationAborted); }

void Assert(bool Condition, std::u16string_view Message, const char* File, int Line) {
  if (Condition) return;
  const String text = Message.empty() ? String(SAssertionFailed) : String(Message);
  throw EAssertionFailed(SAssertError, {text, UTF8ToString(File), Line});
}
