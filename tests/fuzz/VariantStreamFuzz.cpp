// The variant stream reader takes any bytes without misbehaving, and what it
// reads writes back to the same value.
#include <cstdlib>

#include "host/Exceptions.h"
#include "values/cxVariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMemoryStream input;
  input.WriteBuffer(Data, static_cast<Int64>(Size));
  input.SetPosition(0);
  Variant value;
  try {
    value = ReadVariantFunc(&input);
  } catch (const EReadError&) {
    return 0;
  }
  TMemoryStream output;
  WriteVariantProc(&output, value);
  output.SetPosition(0);
  if (VarCompare(ReadVariantFunc(&output), value) != 0 && VarCompare(value, value) == 0) std::abort();
  return 0;
}
