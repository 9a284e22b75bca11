#include "platform/GdiPlusObjects.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/GdiPlusSwitches.h"

namespace Gdiplus {

namespace {

struct TLibraryState {
  std::unordered_map<const void*, std::unique_ptr<TGdipObject>> Objects;
  int AllocatedBlocks = 0;
  std::map<std::string, GpStatus, std::less<>> ForcedStatus;
  std::vector<CLSID> EncodersOff;
  std::vector<std::pair<GUID, int>> Decodes;
};

TLibraryState& State() {
  static TLibraryState state;
  return state;
}

}  // namespace

GpStatus EnterEntry(const char* Name) {
  const TLibraryState& state = State();
  if (!state.ForcedStatus.empty())
    if (auto forced = state.ForcedStatus.find(std::string_view(Name)); forced != state.ForcedStatus.end())
      return forced->second;
  return GdiplusStarted() ? Ok : GdiplusNotInitialized;
}

void AddObjectOwned(std::unique_ptr<TGdipObject> object) {
  const void* key = object.get();
  State().Objects.emplace(key, std::move(object));
}

TGdipObject* FindObject(const void* handle) {
  auto& objects = State().Objects;
  const auto found = objects.find(handle);
  return found == objects.end() ? nullptr : found->second.get();
}

void RemoveObject(TGdipObject* object) { State().Objects.erase(object); }

void RemoveAllObjects() { State().Objects.clear(); }

bool WithinImageLimits(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= 65535 && height <= 65535 && width * height <= (int64_t{1} << 26);
}

std::unique_ptr<GpBitmap> NewOwnedBitmap(INT width, INT height, PixelFormat format) {
  if (!WithinImageLimits(width, height) || !IsSupportedFormat(format)) return nullptr;
  auto bitmap = std::make_unique<GpBitmap>();
  bitmap->Width = width;
  bitmap->Height = height;
  bitmap->Format = format;
  bitmap->Stride = static_cast<INT>((RowBytes(format, width) + 3) / 4 * 4);
  bitmap->Storage.assign(static_cast<size_t>(bitmap->Stride) * static_cast<size_t>(height), 0);
  bitmap->Scan0 = bitmap->Storage.data();
  return bitmap;
}

void CountDecode(const GUID& format) {
  for (auto& [counted, count] : State().Decodes)
    if (counted == format) {
      ++count;
      return;
    }
  State().Decodes.emplace_back(format, 1);
}

bool EncoderAvailable(const CLSID& encoder) {
  for (const CLSID& off : State().EncodersOff)
    if (off == encoder) return false;
  return true;
}

void* GdipAlloc(size_t size) {
  if (EnterEntry(__func__) != Ok) return nullptr;
  void* block = std::malloc(size ? size : 1);
  if (block) ++State().AllocatedBlocks;
  return block;
}

void GdipFree(void* ptr) {
  if (!ptr) return;
  std::free(ptr);
  --State().AllocatedBlocks;
}

void SetEntryStatus(LPCSTR EntryName, GpStatus Status) {
  if (Status == Ok) State().ForcedStatus.erase(std::string(EntryName));
  else State().ForcedStatus[EntryName] = Status;
}

void SetEncoderAvailable(const CLSID& Encoder, bool Available) {
  auto& off = State().EncodersOff;
  std::erase(off, Encoder);
  if (!Available) off.push_back(Encoder);
}

int GetDecodeCount(const GUID& Format) {
  for (const auto& [counted, count] : State().Decodes)
    if (counted == Format) return count;
  return 0;
}

int GetLiveGdiplusObjectCount() {
  return static_cast<int>(State().Objects.size()) + State().AllocatedBlocks;
}

void ResetGdiplusSwitches() {
  State().ForcedStatus.clear();
  State().EncodersOff.clear();
  State().Decodes.clear();
}

}  // namespace Gdiplus
