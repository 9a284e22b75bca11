// The compressed bitmap stream reader takes any bytes without misbehaving:
// it reads, refuses a foreign signature without moving, or raises a read
// error; what it reads compresses again, in blocks of every size, and reads
// back the same.
#include <cstdlib>

#include "graphics/cxGraphics.h"
#include "host/Exceptions.h"
#include "host/Streams.h"

namespace {

void Check(bool ACondition) {
  if (!ACondition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMemoryStream input;
  input.WriteBuffer(Data, static_cast<Int64>(Size));
  input.SetPosition(0);
  std::vector<Byte> data;
  try {
    if (!cxReadCompressedBitmapData(&input, data)) {
      Check(input.GetPosition() == 0);
      return 0;
    }
  } catch (const EReadError&) {
    return 0;
  }
  Check(input.GetPosition() <= input.GetSize());
  for (const Integer bitsPerPixel : {1, 16, 24, 32}) {
    TMemoryStream output;
    cxWriteCompressedBitmapData(&output, data.data(), static_cast<Int64>(data.size()), bitsPerPixel);
    output.SetPosition(0);
    std::vector<Byte> back;
    Check(cxReadCompressedBitmapData(&output, back));
    Check(back == data);
    Check(output.GetPosition() == output.GetSize());
  }
  return 0;
}
