#pragma once
// Streams: sequences of bytes read and written at a position, in memory, in
// files and in the program's embedded resources.

#include <cstddef>

#include "host/Objects.h"
#include "platform/Resources.h"

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

// A file handle of the system, as file streams hold it.
using THandle = NativeInt;

// Modes of TFileStream: one access mode, optionally with a sharing flag.
// The system shares files freely, so the sharing flags are accepted and
// have no effect.
inline constexpr Word fmCreate = 0xFF00;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000;
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

// Positions may lie past the end: reading there gives nothing and writing
// there fills the gap with zeros. A seek to before the start raises
// EStreamError. Negative counts move nothing. Values are little-endian.
class TStream : public TObject {
  HOST_CLASS(TStream);

  // The number of bytes read, fewer than Count at the end.
  virtual Int64 Read(void* Buffer, Int64 Count) = 0;
  virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
  // The new position.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

  Int64 GetPosition() const;
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 GetSize();
  // Streams that cannot change their size ignore it.
  virtual void SetSize(Int64 NewSize) {}

  // All of Count or EReadError / EWriteError.
  void ReadBuffer(void* Buffer, Int64 Count);
  void WriteBuffer(const void* Buffer, Int64 Count);
  // Count bytes from Source's position; a Count of 0 or less copies all of
  // Source from its start. EReadError when Source has fewer. Returns the
  // number copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);

  Byte ReadByte();
  Word ReadWord();
  Cardinal ReadCardinal();
  Integer ReadInteger();
  Int64 ReadInt64();
  Single ReadSingle();
  Double ReadDouble();
  // The 10-byte form.
  Extended ReadExtended();
  void WriteByte(Byte Value);
  void WriteWord(Word Value);
  void WriteCardinal(Cardinal Value);
  void WriteInteger(Integer Value);
  void WriteInt64(Int64 Value);
  void WriteSingle(Single Value);
  void WriteDouble(Double Value);
  void WriteExtended(Extended Value);
};

// Reads from a block of memory that something else provides.
class TCustomMemoryStream : public TStream {
  HOST_CLASS(TCustomMemoryStream);

  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 GetSize() override { return FSize; }

  // All the bytes, whatever the position.
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);
  void* GetMemory() const { return FMemory; }

 protected:
  void SetPointer(void* Ptr, Int64 Size);

  Byte* FMemory = nullptr;
  Int64 FSize = 0;
  Int64 FPosition = 0;
};

// How a memory stream gets its block. Realloc moves Block (nullptr at first,
// OldCapacity bytes) to NewCapacity bytes (more than 0), keeping what fits,
// and returns nullptr when it cannot, leaving Block as it was; Free releases
// a block. The stream keeps the pair for its whole life, so its destructor
// frees with the same allocator.
struct TMemoryStreamAllocator {
  void* (*Realloc)(void* Block, size_t OldCapacity, size_t NewCapacity);
  void (*Free)(void* Block);
};

// A growable block of its own. The capacity grows in steps of MemoryDelta
// bytes; a size that cannot be allocated raises EStreamError "Out of memory
// while expanding memory stream". Growing fills the new bytes with zeros.
class TMemoryStream : public TCustomMemoryStream {
  HOST_CLASS(TMemoryStream);

  static constexpr Int64 MemoryDelta = 0x2000;

  TMemoryStream();
  // For a block from another library's allocator.
  explicit TMemoryStream(const TMemoryStreamAllocator& Allocator);
  ~TMemoryStream() override;

  Int64 Write(const void* Buffer, Int64 Count) override;
  // The position stays unless it would lie past the new end.
  void SetSize(Int64 NewSize) override;
  void Clear();
  Int64 GetCapacity() const { return FCapacity; }
  void SetCapacity(Int64 NewCapacity);

  // Replaces the contents with all of Stream; the position stays.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);

 private:
  // Makes room for at least Needed bytes.
  void Reserve(Int64 Needed);
  void Resize(Int64 NewSize);

  TMemoryStreamAllocator FAllocator;
  Int64 FCapacity = 0;
};

// Reads and writes a system file handle, which it does not own.
class THandleStream : public TStream {
  HOST_CLASS(THandleStream);

  explicit THandleStream(THandle AHandle) : FHandle(AHandle) {}

  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  // Cuts or extends with zeros; the position stays unless it would lie past
  // the new end. EStreamError when the system refuses.
  void SetSize(Int64 NewSize) override;
  THandle GetHandle() const { return FHandle; }

 protected:
  THandle FHandle;
};

// A file opened by name, closed with the stream. Failure raises EFOpenError
// "Cannot open file "%s". %s" or, with fmCreate, EFCreateError, with the
// system's reason.
class TFileStream : public THandleStream {
  HOST_CLASS(TFileStream);

  TFileStream(const String& AFileName, Word Mode);
  ~TFileStream() override;
  const String& GetFileName() const { return FFileName; }

 private:
  String FFileName;
};

// Text held as UTF-8 bytes.
class TStringStream : public TMemoryStream {
  HOST_CLASS(TStringStream);

  TStringStream() = default;
  explicit TStringStream(const String& AString);

  // All the bytes as text, whatever the position.
  String GetDataString() const;
  // Up to Count bytes from the position, as text.
  String ReadString(Int64 Count);
  void WriteString(const String& AString);
};

// An embedded resource, read where it lies. A missing one raises
// EResNotFound "Resource %s not found"; writing raises EStreamError.
class TResourceStream : public TCustomMemoryStream {
  HOST_CLASS(TResourceStream);

  TResourceStream(HMODULE Instance, const String& ResName, LPCWSTR ResType);
  TResourceStream(HMODULE Instance, Integer ResID, LPCWSTR ResType);

  Int64 Write(const void* Buffer, Int64 Count) override;

 private:
  void Initialize(HMODULE Instance, LPCWSTR Name, LPCWSTR ResType, const String& Shown);
};
