#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// read and write may stop early, at most this much goes in one call.
constexpr int64_t MaxChunk = int64_t(1) << 30;

int Failure() { return -errno; }

}  // namespace

int SysFileOpen(const char* Path, int Access) {
  int flags;
  switch (Access) {
    case SYS_FILE_READ: flags = O_RDONLY; break;
    case SYS_FILE_WRITE: flags = O_WRONLY; break;
    case SYS_FILE_READWRITE: flags = O_RDWR; break;
    default: return -EINVAL;
  }
  int fd;
  do fd = ::open(Path, flags | O_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  return fd < 0 ? Failure() : fd;
}

int SysFileCreate(const char* Path) {
  int fd;
  do fd = ::open(Path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  while (fd < 0 && errno == EINTR);
  return fd < 0 ? Failure() : fd;
}

int SysFileClose(int Fd) { return ::close(Fd) < 0 ? Failure() : 0; }

namespace {

// Moves Count bytes in chunks, retrying interrupted calls; a failure after
// some bytes moved reports those bytes.
template <typename Pointer, typename Call>
int64_t Transfer(int fd, Pointer p, int64_t count, Call call) {
  int64_t done = 0;
  while (done < count) {
    const int64_t chunk = count - done < MaxChunk ? count - done : MaxChunk;
    const ssize_t n = call(fd, p + done, static_cast<size_t>(chunk));
    if (n < 0) {
      if (errno == EINTR) continue;
      return done ? done : Failure();
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

}  // namespace

int64_t SysFileRead(int Fd, void* Buffer, int64_t Count) {
  return Transfer(Fd, static_cast<char*>(Buffer), Count, ::read);
}

int64_t SysFileWrite(int Fd, const void* Buffer, int64_t Count) {
  return Transfer(Fd, static_cast<const char*>(Buffer), Count, ::write);
}

int64_t SysFileSeek(int Fd, int64_t Offset, int Origin) {
  int whence;
  switch (Origin) {
    case SYS_SEEK_BEGIN: whence = SEEK_SET; break;
    case SYS_SEEK_CURRENT: whence = SEEK_CUR; break;
    case SYS_SEEK_END: whence = SEEK_END; break;
    default: return -EINVAL;
  }
  const off_t pos = ::lseek(Fd, static_cast<off_t>(Offset), whence);
  return pos < 0 ? Failure() : pos;
}

int SysFileTruncate(int Fd, int64_t Size) {
  int rc;
  do rc = ::ftruncate(Fd, static_cast<off_t>(Size));
  while (rc < 0 && errno == EINTR);
  return rc < 0 ? Failure() : 0;
}

std::string SysErrorText(int ErrorNumber) {
  char buffer[256];
  // The GNU form returns the text, which may or may not be in the buffer.
  return ::strerror_r(ErrorNumber, buffer, sizeof buffer);
}
