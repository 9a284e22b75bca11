#pragma once
// PNG files of 32-bit pixels, through libpng.

struct TBitmapObject;

// Writes the pixels as an 8-bit RGB PNG (GDI output leaves alpha 0, so it is
// not kept); false when the file cannot be written.
bool WritePngFile(const char* path, const TBitmapObject& pixels);
