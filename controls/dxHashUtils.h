#pragma once
// Checksums.

#include "host/SystemTypes.h"

// The standard CRC-32 (reflected polynomial 0xEDB88320, initial value and
// final xor 0xFFFFFFFF) of ACount bytes at AData; 0 for none.
Cardinal dxCRC32(const void* AData, Integer ACount);
