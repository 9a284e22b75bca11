#pragma once
// PNG files of 32-bit pixels, through libpng.

#include <cstdint>
#include <vector>

struct TBitmapObject;

// Writes the pixels as an 8-bit RGB PNG (GDI output leaves alpha 0, so it is
// not kept); false when the file cannot be written.
bool WritePngFile(const char* path, const TBitmapObject& pixels);
// The same for pixels laid out as a 32-bit DIB's, 0x00RRGGBB, rows top first.
bool WritePngPixels(const char* path, int width, int height, const uint32_t* pixels);
// Reads any PNG as such pixels (alpha dropped); false when it cannot.
bool ReadPngPixels(const char* path, int& width, int& height, std::vector<uint32_t>& pixels);
