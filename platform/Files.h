#pragma once
// The system's files, opened by descriptor, for the run-time's file streams.
// Paths are UTF-8. A failing call returns the negated system error number,
// which SysErrorText turns into the system's message.

#include <cstdint>
#include <string>

inline constexpr int SYS_FILE_READ = 0;
inline constexpr int SYS_FILE_WRITE = 1;
inline constexpr int SYS_FILE_READWRITE = 2;

// Seek origins, in the order of the run-time's stream origins.
inline constexpr int SYS_SEEK_BEGIN = 0;
inline constexpr int SYS_SEEK_CURRENT = 1;
inline constexpr int SYS_SEEK_END = 2;

// A descriptor (>= 0) for an existing file, with one of the access modes above.
int SysFileOpen(const char* Path, int Access);
// Creates the file or empties an existing one, for reading and writing.
int SysFileCreate(const char* Path);
int SysFileClose(int Fd);

// Both move as many bytes as they can; 0 from a read means the end.
int64_t SysFileRead(int Fd, void* Buffer, int64_t Count);
int64_t SysFileWrite(int Fd, const void* Buffer, int64_t Count);
// The new position.
int64_t SysFileSeek(int Fd, int64_t Offset, int Origin);
// Cuts or extends (with zeros) the file; the position stays.
int SysFileTruncate(int Fd, int64_t Size);

// The system's text for a (positive) error number.
std::string SysErrorText(int ErrorNumber);
