#include "host/StreamAdapter.h"

#include <limits>

TStreamAdapter::~TStreamAdapter() {
  if (FOwnership == soOwned) TObject::Free(FStream);
}

HRESULT TStreamAdapter::Read(void* pv, ULONG cb, ULONG* pcbRead) {
  if (pcbRead) *pcbRead = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  try {
    const Int64 n = FStream->Read(pv, cb);
    if (pcbRead) *pcbRead = static_cast<ULONG>(n);
    return n < cb ? S_FALSE : S_OK;
  } catch (const std::exception&) {
    return S_FALSE;
  }
}

HRESULT TStreamAdapter::Write(const void* pv, ULONG cb, ULONG* pcbWritten) {
  if (pcbWritten) *pcbWritten = 0;
  if (!pv && cb) return STG_E_INVALIDPOINTER;
  try {
    const Int64 n = FStream->Write(pv, cb);
    if (pcbWritten) *pcbWritten = static_cast<ULONG>(n);
    return n < cb ? STG_E_CANTSAVE : S_OK;
  } catch (const std::exception&) {
    return STG_E_CANTSAVE;
  }
}

HRESULT TStreamAdapter::Seek(LONGLONG dlibMove, DWORD dwOrigin, ULONGLONG* plibNewPosition) {
  TSeekOrigin origin;
  switch (dwOrigin) {
    case STREAM_SEEK_SET: origin = soBeginning; break;
    case STREAM_SEEK_CUR: origin = soCurrent; break;
    case STREAM_SEEK_END: origin = soEnd; break;
    default: return STG_E_INVALIDFUNCTION;
  }
  try {
    const Int64 position = FStream->Seek(dlibMove, origin);
    if (plibNewPosition) *plibNewPosition = static_cast<ULONGLONG>(position);
    return S_OK;
  } catch (const std::exception&) {
    return STG_E_INVALIDFUNCTION;
  }
}

HRESULT TStreamAdapter::SetSize(ULONGLONG libNewSize) {
  if (libNewSize > static_cast<ULONGLONG>(std::numeric_limits<Int64>::max())) return E_FAIL;
  const auto size = static_cast<Int64>(libNewSize);
  try {
    FStream->SetSize(size);
    return FStream->GetSize() == size ? S_OK : E_FAIL;
  } catch (const std::exception&) {
    return E_FAIL;
  }
}

HRESULT TStreamAdapter::Stat(STATSTG* pstatstg, DWORD grfStatFlag) {
  if (!pstatstg) return STG_E_INVALIDPOINTER;
  if (grfStatFlag != STATFLAG_DEFAULT && grfStatFlag != STATFLAG_NONAME) return STG_E_INVALIDFLAG;
  pstatstg->type = STGTY_STREAM;
  pstatstg->cbSize = static_cast<ULONGLONG>(FStream->GetSize());
  pstatstg->mtime = FILETIME{};
  pstatstg->ctime = FILETIME{};
  pstatstg->atime = FILETIME{};
  pstatstg->grfLocksSupported = LOCK_WRITE;
  return S_OK;
}
