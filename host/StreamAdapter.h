#pragma once
// A stream of the framework lent out as the system's component stream, for
// the libraries that read and write through one.

#include <cstdint>

#include "host/Streams.h"
#include "platform/ComStream.h"

enum TStreamOwnership : uint8_t { soReference, soOwned };

// The lock types a stream may support.
inline constexpr DWORD LOCK_WRITE = 1;

// Every call answers with a result, never an exception: a read that fails
// reads nothing (S_FALSE), a write that fails or falls short is
// STG_E_CANTSAVE, a seek to before the start or from an unknown origin
// STG_E_INVALIDFUNCTION, a size the stream does not take E_FAIL.
class TStreamAdapter : public IStream {
 public:
  // An owned stream is freed with the adapter.
  explicit TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference)
      : FStream(Stream), FOwnership(Ownership) {}
  ~TStreamAdapter() override;
  TStreamAdapter(const TStreamAdapter&) = delete;
  TStreamAdapter& operator=(const TStreamAdapter&) = delete;

  HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) override;
  HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
  HRESULT Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) override;
  HRESULT SetSize(ULONGLONG libNewSize) override;
  // Sets the type, the size, the three times (zero) and the locks supported
  // (LOCK_WRITE); the other fields keep what the caller left in them. A
  // stream that fails to tell its size raises.
  HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) override;

  TStream* GetStream() const { return FStream; }
  TStreamOwnership GetStreamOwnership() const { return FOwnership; }

 private:
  TStream* FStream;
  TStreamOwnership FOwnership;
};
