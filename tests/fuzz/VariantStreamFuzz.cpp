// The variant stream reader takes any bytes without misbehaving; what it
// reads writes back to bytes that read and write again to themselves, and
// compares with itself without raising.
#include <cstdlib>
#include <cstring>

#include "host/Exceptions.h"
#include "values/cxVariants.h"

namespace {

bool SameBytes(TMemoryStream& A, TMemoryStream& B) {
  return A.GetSize() == B.GetSize() && std::memcmp(A.GetMemory(), B.GetMemory(), static_cast<size_t>(A.GetSize())) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMemoryStream written;
  {
    TMemoryStream input;
    input.WriteBuffer(Data, static_cast<Int64>(Size));
    input.SetPosition(0);
    Variant value;
    try {
      value = ReadVariantFunc(&input);
    } catch (const EReadError&) {
      return 0;
    }
    WriteVariantProc(&written, value);
  }  // one value held at a time: the reader's own cost is what is measured
  written.SetPosition(0);
  const Variant back = ReadVariantFunc(&written);
  VarCompare(back, back);
  TMemoryStream again;
  WriteVariantProc(&again, back);
  if (!SameBytes(written, again)) std::abort();
  return 0;
}
