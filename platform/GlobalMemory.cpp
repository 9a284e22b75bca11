// Global memory blocks. Handles are looked up in a table rather than taken
// for addresses, so a stale or made-up handle fails instead of corrupting
// memory.

#include <algorithm>
#include <memory>
#include <new>
#include <unordered_map>

#include "platform/Kernel.h"

namespace {

struct TBlock {
  std::unique_ptr<unsigned char[]> Bytes;
  size_t Size = 0;
  int Locks = 0;
};

struct TBlockTable {
  std::unordered_map<uintptr_t, TBlock> Blocks;
  uintptr_t NextHandle = 0x40000;  // never reused
};

TBlockTable& Table() {
  static TBlockTable table;
  return table;
}

TBlock* Find(HGLOBAL h) {
  auto& blocks = Table().Blocks;
  auto it = blocks.find(reinterpret_cast<uintptr_t>(h));
  if (it == blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes) {
  TBlockTable& t = Table();
  TBlock block;
  // At least one byte, so that every block has an address to lock.
  block.Bytes.reset(new (std::nothrow) unsigned char[dwBytes ? dwBytes : 1]);
  if (!block.Bytes) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (uFlags & GMEM_ZEROINIT) std::fill_n(block.Bytes.get(), dwBytes ? dwBytes : 1, 0);
  block.Size = dwBytes;
  const uintptr_t handle = t.NextHandle;
  t.NextHandle += 8;
  t.Blocks.emplace(handle, std::move(block));
  return reinterpret_cast<HGLOBAL>(handle);
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  if (!hMem) return nullptr;
  if (!Find(hMem)) return hMem;
  Table().Blocks.erase(reinterpret_cast<uintptr_t>(hMem));
  return nullptr;
}

void* GlobalLock(HGLOBAL hMem) {
  TBlock* b = Find(hMem);
  if (!b) return nullptr;
  ++b->Locks;
  return b->Bytes.get();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  TBlock* b = Find(hMem);
  if (!b || b->Locks == 0) return FALSE;
  --b->Locks;
  // Still locked: TRUE; the last unlock answers FALSE with no error.
  if (b->Locks == 0) SetLastError(ERROR_SUCCESS);
  return b->Locks > 0 ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL hMem) {
  TBlock* b = Find(hMem);
  return b ? b->Size : 0;
}

int GetLiveGlobalBlockCount() { return static_cast<int>(Table().Blocks.size()); }
