#pragma once
// Byte streams in the component style: what the image library reads images
// from and writes them to. Results are HRESULTs; positions and sizes are
// 64-bit.

#include <vector>

#include "platform/Guid.h"

inline constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001u);
inline constexpr HRESULT STG_E_INVALIDPOINTER = static_cast<HRESULT>(0x80030009u);
inline constexpr HRESULT STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070u);
inline constexpr HRESULT STG_E_INVALIDFLAG = static_cast<HRESULT>(0x800300FFu);
inline constexpr HRESULT STG_E_CANTSAVE = static_cast<HRESULT>(0x80030103u);

// Seek origins.
inline constexpr DWORD STREAM_SEEK_SET = 0;
inline constexpr DWORD STREAM_SEEK_CUR = 1;
inline constexpr DWORD STREAM_SEEK_END = 2;

// Stat flags and storage types.
inline constexpr DWORD STATFLAG_DEFAULT = 0;
inline constexpr DWORD STATFLAG_NONAME = 1;
inline constexpr DWORD STGTY_STREAM = 2;

struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

// The native layout: 80 bytes in a 64-bit build (72 in a 32-bit one).
struct STATSTG {
  WCHAR* pwcsName = nullptr;
  DWORD type = 0;
  ULONGLONG cbSize = 0;
  FILETIME mtime;
  FILETIME ctime;
  FILETIME atime;
  DWORD grfMode = 0;
  DWORD grfLocksSupported = 0;
  CLSID clsid;
  DWORD grfStateBits = 0;
  DWORD reserved = 0;
};

inline constexpr IID IID_IStream{0x0000000C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The stream interface. Read answers S_FALSE when it reads fewer bytes than
// asked (the end was reached); a position may lie past the end, where
// reading gives nothing and writing fills the gap with zeros; seeking to
// before the start fails with STG_E_INVALIDFUNCTION.
class IStream {
 public:
  virtual ~IStream() = default;
  virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
  virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
  virtual HRESULT Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) = 0;
  virtual HRESULT SetSize(ULONGLONG libNewSize) = 0;
  // Fills the whole record; a stream without a name leaves pwcsName null.
  virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
};

// A stream over a growable block of memory, starting at position 0. Sizes
// beyond MaxSize fail with STG_E_MEDIUMFULL.
class TMemoryIStream : public IStream {
 public:
  static constexpr ULONGLONG MaxSize = ULONGLONG{1} << 31;

  TMemoryIStream() = default;
  explicit TMemoryIStream(std::vector<BYTE> Bytes) : FBytes(std::move(Bytes)) {}

  HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) override;
  HRESULT SetSize(ULONGLONG libNewSize) override;
  HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;

  const std::vector<BYTE>& Bytes() const { return FBytes; }
  ULONGLONG Position() const { return FPosition; }

 private:
  std::vector<BYTE> FBytes;
  ULONGLONG FPosition = 0;
};
