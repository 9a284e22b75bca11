#include "platform/ComStream.h"

#include <algorithm>
#include <cstring>

HRESULT TMemoryIStream::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  const ULONGLONG available = FPosition < FBytes.size() ? FBytes.size() - FPosition : 0;
  const ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(cb, available));
  if (n) std::memcpy(pv, FBytes.data() + FPosition, n);
  FPosition += n;
  if (pcbRead) *pcbRead = n;
  return n == cb ? S_OK : S_FALSE;
}

HRESULT TMemoryIStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  const ULONGLONG end = FPosition + cb;
  if (end > MaxSize) return STG_E_MEDIUMFULL;
  if (end > FBytes.size()) FBytes.resize(end);
  if (cb) std::memcpy(FBytes.data() + FPosition, pv, cb);
  FPosition = end;
  if (pcbWritten) *pcbWritten = cb;
  return S_OK;
}

HRESULT TMemoryIStream::Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) {
  LONGLONG base;
  switch (dwOrigin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(FPosition); break;
    case STREAM_SEEK_END: base = static_cast<LONGLONG>(FBytes.size()); break;
    default: return STG_E_INVALIDFUNCTION;
  }
  // Both operands lie within ±2^63 and base is below 2^31: no overflow past
  // the checks.
  if (dlibMove < -base || (dlibMove > 0 && static_cast<ULONGLONG>(dlibMove) > MaxSize))
    return STG_E_INVALIDFUNCTION;
  FPosition = static_cast<ULONGLONG>(base + dlibMove);
  if (plibNewPosition) *plibNewPosition = FPosition;
  return S_OK;
}

HRESULT TMemoryIStream::SetSize(ULONGLONG libNewSize) {
  if (libNewSize > MaxSize) return STG_E_MEDIUMFULL;
  FBytes.resize(libNewSize);
  return S_OK;
}

HRESULT TMemoryIStream::Stat(STATSTG* pstatstg, DWORD grfStatFlag) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  if (grfStatFlag != STATFLAG_DEFAULT && grfStatFlag != STATFLAG_NONAME) return STG_E_INVALIDFLAG;
  *pstatstg = STATSTG{};
  pstatstg->type = STGTY_STREAM;
  pstatstg->cbSize = FBytes.size();
  return S_OK;
}
