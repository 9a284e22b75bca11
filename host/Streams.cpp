#include "host/Streams.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "host/Exceptions.h"
#include "host/SysConst.h"
#include "host/SysUtils.h"
#include "platform/Files.h"

static_assert(std::endian::native == std::endian::little, "the stream helpers copy values as they lie in memory");

namespace {

constexpr char16_t SSeekError[] = u"Stream seek error";
constexpr char16_t SCantWriteResourceStreamError[] = u"Can't write to a read-only resource stream";

// No address space holds more than this, so a larger block is never tried.
constexpr Int64 MaxCapacity = Int64(1) << 48;

// CopyFrom moves the data through a buffer of at most this size.
constexpr Int64 CopyBufferSize = 0x10000;

const TMemoryStreamAllocator DefaultAllocator{
    [](void* Block, size_t, size_t NewCapacity) { return std::realloc(Block, NewCapacity); },
    [](void* Block) { std::free(Block); },
};

[[noreturn]] void OutOfMemory() { throw EStreamError(SMemoryStreamError); }

template <typename T>
T ReadValue(TStream& S) {
  T value;
  S.ReadBuffer(&value, sizeof value);
  return value;
}

template <typename T>
void WriteValue(TStream& S, T Value) {
  S.WriteBuffer(&Value, sizeof Value);
}

int Fd(THandle Handle) { return static_cast<int>(Handle); }

}  // namespace

HOST_CLASS_INFO(TStream, TObject, nullptr)
HOST_CLASS_INFO(TCustomMemoryStream, TStream, nullptr)
HOST_CLASS_INFO(TMemoryStream, TCustomMemoryStream, CreateDefault<TMemoryStream>)
HOST_CLASS_INFO(THandleStream, TStream, nullptr)
HOST_CLASS_INFO(TFileStream, THandleStream, nullptr)
HOST_CLASS_INFO(TStringStream, TMemoryStream, CreateDefault<TStringStream>)
HOST_CLASS_INFO(TResourceStream, TCustomMemoryStream, nullptr)

// TStream

// Asking for the position moves nothing, whatever the stream.
Int64 TStream::GetPosition() const { return const_cast<TStream*>(this)->Seek(0, soCurrent); }

Int64 TStream::GetSize() {
  const Int64 pos = Seek(0, soCurrent);
  const Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError(SWriteError);
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count <= 0) {
    Source->SetPosition(0);
    Count = Source->GetSize();
  }
  const Int64 result = Count;
  std::vector<Byte> buffer(static_cast<size_t>(std::min(Count, CopyBufferSize)));
  while (Count > 0) {
    const Int64 n = std::min(Count, CopyBufferSize);
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return result;
}

Byte TStream::ReadByte() { return ReadValue<Byte>(*this); }
Word TStream::ReadWord() { return ReadValue<Word>(*this); }
Cardinal TStream::ReadCardinal() { return ReadValue<Cardinal>(*this); }
Integer TStream::ReadInteger() { return ReadValue<Integer>(*this); }
Int64 TStream::ReadInt64() { return ReadValue<Int64>(*this); }
Single TStream::ReadSingle() { return ReadValue<Single>(*this); }
Double TStream::ReadDouble() { return ReadValue<Double>(*this); }

Extended TStream::ReadExtended() {
  Byte bytes[10];
  ReadBuffer(bytes, sizeof bytes);
  return BytesToExtended(bytes);
}

void TStream::WriteByte(Byte Value) { WriteValue(*this, Value); }
void TStream::WriteWord(Word Value) { WriteValue(*this, Value); }
void TStream::WriteCardinal(Cardinal Value) { WriteValue(*this, Value); }
void TStream::WriteInteger(Integer Value) { WriteValue(*this, Value); }
void TStream::WriteInt64(Int64 Value) { WriteValue(*this, Value); }
void TStream::WriteSingle(Single Value) { WriteValue(*this, Value); }
void TStream::WriteDouble(Double Value) { WriteValue(*this, Value); }

void TStream::WriteExtended(Extended Value) {
  Byte bytes[10];
  ExtendedToBytes(Value, bytes);
  WriteBuffer(bytes, sizeof bytes);
}

// TCustomMemoryStream

Int64 TCustomMemoryStream::Read(void* Buffer, Int64 Count) {
  if (Count <= 0 || FPosition >= FSize) return 0;
  const Int64 n = std::min(Count, FSize - FPosition);
  std::memcpy(Buffer, FMemory + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  Int64 base = 0;
  if (Origin == soCurrent) base = FPosition;
  else if (Origin == soEnd) base = FSize;
  Int64 pos;
  if (__builtin_add_overflow(base, Offset, &pos) || pos < 0) throw EStreamError(SSeekError);
  FPosition = pos;
  return pos;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) { Stream->WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const String& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

void TCustomMemoryStream::SetPointer(void* Ptr, Int64 Size) {
  FMemory = static_cast<Byte*>(Ptr);
  FSize = Size;
}

// TMemoryStream

TMemoryStream::TMemoryStream() : FAllocator(DefaultAllocator) {}

TMemoryStream::TMemoryStream(const TMemoryStreamAllocator& Allocator) : FAllocator(Allocator) {}

TMemoryStream::~TMemoryStream() {
  if (FMemory) FAllocator.Free(FMemory);
}

void TMemoryStream::SetCapacity(Int64 NewCapacity) {
  if (NewCapacity < 0 || NewCapacity > MaxCapacity) OutOfMemory();
  NewCapacity = std::max(NewCapacity, FSize);
  if (NewCapacity > 0) NewCapacity = (NewCapacity + MemoryDelta - 1) & ~(MemoryDelta - 1);
  if (NewCapacity == FCapacity) return;
  if (NewCapacity == 0) {
    FAllocator.Free(FMemory);
    FMemory = nullptr;
  } else {
    void* block = FAllocator.Realloc(FMemory, static_cast<size_t>(FCapacity), static_cast<size_t>(NewCapacity));
    if (!block) OutOfMemory();
    FMemory = static_cast<Byte*>(block);
  }
  FCapacity = NewCapacity;
}

// Growing by a quarter at least keeps a long run of small writes linear.
void TMemoryStream::Reserve(Int64 Needed) {
  if (Needed <= FCapacity) return;
  SetCapacity(std::max(Needed, std::min(FCapacity + FCapacity / 4, MaxCapacity)));
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
  if (Count <= 0) return 0;
  Int64 end;
  if (__builtin_add_overflow(FPosition, Count, &end) || end > MaxCapacity) OutOfMemory();
  if (end > FSize) {
    Reserve(end);
    if (FPosition > FSize) std::memset(FMemory + FSize, 0, static_cast<size_t>(FPosition - FSize));
    FSize = end;
  }
  std::memcpy(FMemory + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  return Count;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0 || NewSize > MaxCapacity) OutOfMemory();
  const Int64 oldSize = FSize;
  if (NewSize < oldSize) FSize = NewSize;
  SetCapacity(NewSize);
  if (NewSize > oldSize) std::memset(FMemory + oldSize, 0, static_cast<size_t>(NewSize - oldSize));
  FSize = NewSize;
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FSize = 0;
  FPosition = 0;
  SetCapacity(0);
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  const Int64 count = Stream->GetSize();
  SetSize(count);
  Stream->ReadBuffer(FMemory, count);
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

// THandleStream

Int64 THandleStream::Read(void* Buffer, Int64 Count) {
  if (Count <= 0) return 0;
  const Int64 n = SysFileRead(Fd(FHandle), Buffer, Count);
  return n < 0 ? 0 : n;
}

Int64 THandleStream::Write(const void* Buffer, Int64 Count) {
  if (Count <= 0) return 0;
  const Int64 n = SysFileWrite(Fd(FHandle), Buffer, Count);
  return n < 0 ? 0 : n;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const Int64 pos = SysFileSeek(Fd(FHandle), Offset, Origin);
  if (pos < 0) throw EStreamError(SSeekError);
  return pos;
}

void THandleStream::SetSize(Int64 NewSize) {
  const Int64 pos = Seek(0, soCurrent);
  if (NewSize < 0 || SysFileTruncate(Fd(FHandle), NewSize) < 0) throw EStreamError(SWriteError);
  if (pos > NewSize) Seek(NewSize, soBeginning);
}

// TFileStream

TFileStream::TFileStream(const String& AFileName, Word Mode) : THandleStream(-1), FFileName(AFileName) {
  const UTF8String path = UTF8Encode(AFileName);
  if ((Mode & fmCreate) == fmCreate) {
    const int fd = SysFileCreate(path.c_str());
    if (fd < 0) throw EFCreateError(SFCreateError, {AFileName, UTF8ToString(SysErrorText(-fd))});
    FHandle = fd;
  } else {
    const int fd = SysFileOpen(path.c_str(), Mode & 0x3);
    if (fd < 0) throw EFOpenError(SFOpenError, {AFileName, UTF8ToString(SysErrorText(-fd))});
    FHandle = fd;
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) SysFileClose(Fd(FHandle));
}

// TStringStream

TStringStream::TStringStream(const String& AString) {
  WriteString(AString);
  FPosition = 0;
}

String TStringStream::GetDataString() const {
  return UTF8ToString(std::string_view(reinterpret_cast<const char*>(FMemory), static_cast<size_t>(FSize)));
}

String TStringStream::ReadString(Int64 Count) {
  if (Count <= 0 || FPosition >= FSize) return {};
  const Int64 n = std::min(Count, FSize - FPosition);
  const std::string_view bytes(reinterpret_cast<const char*>(FMemory + FPosition), static_cast<size_t>(n));
  FPosition += n;
  return UTF8ToString(bytes);
}

void TStringStream::WriteString(const String& AString) {
  const UTF8String bytes = UTF8Encode(AString);
  WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

// TResourceStream

TResourceStream::TResourceStream(HMODULE Instance, const String& ResName, LPCWSTR ResType) {
  Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(HMODULE Instance, Integer ResID, LPCWSTR ResType) {
  Initialize(Instance, MAKEINTRESOURCEW(static_cast<WORD>(ResID)), ResType, IntToStr(ResID));
}

void TResourceStream::Initialize(HMODULE Instance, LPCWSTR Name, LPCWSTR ResType, const String& Shown) {
  HRSRC info = FindResourceW(Instance, Name, ResType);
  if (!info) throw EResNotFound(SResNotFound, {Shown});
  SetPointer(LockResource(LoadResource(Instance, info)), SizeofResource(Instance, info));
}

Int64 TResourceStream::Write(const void*, Int64) { throw EStreamError(SCantWriteResourceStreamError); }
