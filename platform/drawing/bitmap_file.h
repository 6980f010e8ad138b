// Reading whole .bmp files, as the module's bitmap resources are kept.
#pragma once

#include "platform/platform.h"

#include <cstddef>

namespace platform::soft {

// A new colour surface from a BITMAPFILEHEADER + BITMAPINFOHEADER file: uncompressed 1, 4, 8
// (palettised), 24 or 32 bits per pixel, bottom-up or top-down. Null for anything malformed;
// nothing outside [data, data + size) is read.
Surface* decodeBitmapFile(const unsigned char* data, size_t size);

}  // namespace platform::soft
