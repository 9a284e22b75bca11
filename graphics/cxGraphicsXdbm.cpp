// The compressed bitmap stream ("XDBM"): run-length coding of blocks of one
// pixel's bytes.
#include <algorithm>
#include <cstring>

#include "graphics/cxGraphics.h"
#include "host/Exceptions.h"
#include "host/Streams.h"
#include "host/SysConst.h"

namespace {

constexpr Int64 HeaderSize = 10;  // count, signature, version
constexpr Integer MaxRun = 125;
constexpr Byte LiteralRun = 0x80;

[[noreturn]] void Damaged() { throw EReadError(SReadError); }

Cardinal ReadCardinalAt(const Byte* AData) {
  return static_cast<Cardinal>(AData[0]) | static_cast<Cardinal>(AData[1]) << 8 |
         static_cast<Cardinal>(AData[2]) << 16 | static_cast<Cardinal>(AData[3]) << 24;
}

// The runs of ACount blocks of ABlockSize bytes appended to AOut.
void EncodeRuns(const Byte* ABlocks, Int64 ACount, Byte ABlockSize, std::vector<Byte>& AOut) {
  const auto block = [&](Int64 i) { return ABlocks + i * ABlockSize; };
  const auto equal = [&](Int64 i, Int64 j) { return std::memcmp(block(i), block(j), ABlockSize) == 0; };
  for (Int64 i = 0; i < ACount;) {
    Int64 n = 1;
    if (i + 1 < ACount && equal(i, i + 1)) {
      while (n < MaxRun && i + n < ACount && equal(i, i + n)) ++n;
      AOut.push_back(static_cast<Byte>(n));
      AOut.insert(AOut.end(), block(i), block(i + 1));
    } else {
      // Up to the block that starts a repeat.
      while (n < MaxRun && i + n < ACount && !(i + n + 1 < ACount && equal(i + n, i + n + 1))) ++n;
      AOut.push_back(static_cast<Byte>(LiteralRun | n));
      AOut.insert(AOut.end(), block(i), block(i + n));
    }
    i += n;
  }
}

// Reads forward through a body of known length, failing rather than
// reading past it.
class TBodyReader {
 public:
  TBodyReader(const std::vector<Byte>& ABody) : FBody(ABody) {}
  bool AtEnd() const { return FPosition == FBody.size(); }
  const Byte* Take(size_t ACount) {
    if (ACount > FBody.size() - FPosition) Damaged();
    const Byte* result = FBody.data() + FPosition;
    FPosition += ACount;
    return result;
  }
  Byte TakeByte() { return *Take(1); }

 private:
  const std::vector<Byte>& FBody;
  size_t FPosition = 0;
};

void DecodeBody(const std::vector<Byte>& ABody, Word AVersion, std::vector<Byte>& AData) {
  TBodyReader reader(ABody);
  Byte blockSize = 1;
  if (AVersion == 2) {
    blockSize = reader.TakeByte();
    const Byte remainder = reader.TakeByte();
    if (blockSize < 1 || blockSize > 4 || remainder >= blockSize) Damaged();
    const Byte* raw = reader.Take(remainder);
    AData.insert(AData.end(), raw, raw + remainder);
  }
  while (!reader.AtEnd()) {
    const Byte control = reader.TakeByte();
    const Integer n = control & 0x7F;
    if (control & LiteralRun) {
      const Byte* blocks = reader.Take(static_cast<size_t>(n) * blockSize);
      AData.insert(AData.end(), blocks, blocks + static_cast<size_t>(n) * blockSize);
    } else {
      const Byte* block = reader.Take(blockSize);
      for (Integer i = 0; i < n; ++i) AData.insert(AData.end(), block, block + blockSize);
    }
  }
}

}  // namespace

void cxWriteCompressedBitmapData(TStream* AStream, const void* AData, Int64 ASize, Integer ABitsPerPixel) {
  const auto blockSize = static_cast<Byte>(std::clamp(ABitsPerPixel < 16 ? 1 : ABitsPerPixel / 8, 1, 4));
  const auto* data = static_cast<const Byte*>(AData);
  const auto remainder = static_cast<Byte>(ASize % blockSize);
  std::vector<Byte> body{blockSize, remainder};
  body.insert(body.end(), data, data + remainder);
  EncodeRuns(data + remainder, (ASize - remainder) / blockSize, blockSize, body);
  if (body.size() > 0xFFFFFFFFu) throw EWriteError(SWriteError);
  AStream->WriteCardinal(static_cast<Cardinal>(body.size()));
  AStream->WriteCardinal(ADXBMSignature);
  AStream->WriteWord(ADXBMVersion);
  AStream->WriteBuffer(body.data(), static_cast<Int64>(body.size()));
}

bool cxReadCompressedBitmapData(TStream* AStream, std::vector<Byte>& AData) {
  const Int64 start = AStream->GetPosition();
  const Int64 remaining = AStream->GetSize() - start;
  // Too short for a signature: the data as it is.
  if (remaining < 8) return false;
  Byte header[8];
  AStream->ReadBuffer(header, sizeof header);
  if (ReadCardinalAt(header + 4) != ADXBMSignature) {
    AStream->SetPosition(start);
    return false;
  }
  if (remaining < HeaderSize) Damaged();
  const Word version = AStream->ReadWord();
  const Cardinal count = ReadCardinalAt(header);
  // Checked before anything is sized from the count.
  if (count > remaining - HeaderSize || (version != 1 && version != 2)) Damaged();
  std::vector<Byte> body(count);
  AStream->ReadBuffer(body.data(), count);
  AData.clear();
  DecodeBody(body, version, AData);
  return true;
}
