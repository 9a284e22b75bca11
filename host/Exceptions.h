#pragma once
// The run-time's exception classes.

#include <exception>
#include <string>

#include "host/Format.h"

class Exception : public std::exception {
 public:
  explicit Exception(std::u16string Msg);
  Exception(std::u16string_view Fmt, std::initializer_list<TVarRec> Args);

  const std::u16string& GetMessage() const { return FMessage; }
  void SetMessage(std::u16string Value);
  // The message in UTF-8.
  const char* what() const noexcept override { return FWhat.c_str(); }

 private:
  std::u16string FMessage;
  std::string FWhat;
};

#define HOST_EXCEPTION(Name, Base) \
  class Name : public Base {       \
   public:                         \
    using Base::Base;              \
  }

// Cancels the current operation without a message to the user.
HOST_EXCEPTION(EAbort, Exception);
HOST_EXCEPTION(EConvertError, Exception);
HOST_EXCEPTION(EArgumentException, Exception);
HOST_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
HOST_EXCEPTION(EAssertionFailed, Exception);
HOST_EXCEPTION(EInvalidCast, Exception);
HOST_EXCEPTION(EInvalidOperation, Exception);
HOST_EXCEPTION(EOutOfResources, Exception);

HOST_EXCEPTION(EMathError, Exception);
HOST_EXCEPTION(EInvalidOp, EMathError);
HOST_EXCEPTION(EZeroDivide, EMathError);
HOST_EXCEPTION(EOverflow, EMathError);
HOST_EXCEPTION(EIntError, Exception);
HOST_EXCEPTION(EDivByZero, EIntError);
HOST_EXCEPTION(ERangeError, EIntError);
HOST_EXCEPTION(EIntOverflow, EIntError);

HOST_EXCEPTION(EListError, Exception);
HOST_EXCEPTION(EStringListError, Exception);

HOST_EXCEPTION(EStreamError, Exception);
HOST_EXCEPTION(EFileStreamError, EStreamError);
HOST_EXCEPTION(EFOpenError, EFileStreamError);
HOST_EXCEPTION(EFCreateError, EFileStreamError);
HOST_EXCEPTION(EFilerError, EStreamError);
HOST_EXCEPTION(EReadError, EFilerError);
HOST_EXCEPTION(EWriteError, EFilerError);
HOST_EXCEPTION(EClassNotFound, EFilerError);
HOST_EXCEPTION(EInvalidImage, EFilerError);
HOST_EXCEPTION(EMethodNotFound, EFilerError);
HOST_EXCEPTION(EParserError, Exception);
HOST_EXCEPTION(EResNotFound, Exception);
HOST_EXCEPTION(EComponentError, Exception);
HOST_EXCEPTION(EPropertyError, Exception);

HOST_EXCEPTION(EVariantError, Exception);
HOST_EXCEPTION(EVariantTypeCastError, EVariantError);
HOST_EXCEPTION(EVariantOverflowError, EVariantError);
HOST_EXCEPTION(EVariantInvalidOpError, EVariantError);
HOST_EXCEPTION(EVariantInvalidArgError, EVariantError);
HOST_EXCEPTION(EVariantBadIndexError, EVariantError);

#undef HOST_EXCEPTION

// Raises the silent EAbort.
[[noreturn]] void Abort();

// Raises EAssertionFailed with "message (file, line n)" when Condition is false.
// The place is the caller's (the compilers' builtins, which every compiler
// used here has, unlike std::source_location).
void Assert(bool Condition, std::u16string_view Message = {}, const char* File = __builtin_FILE(),
            int Line = __builtin_LINE());
