// Pictures painted by the soft backend and kept as reference images (binary PPM) that the
// Windows backend must reproduce under Wine, and their comparison.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "gui/CGuiGeometry.h"
#include "platform/platform.h"

namespace reference_image {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<platform::Colour> pixels;  // rows top to bottom
    platform::Colour at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

std::string encodePpm(const Image& image);
bool decodePpm(const void* data, size_t size, Image& image);
// Writes the picture to a file, for a person to compare with the reference.
void savePpm(const Image& image, const char* path);

// Reads the reference image stored at `path`. With SPATIALISER_UPDATE_REFERENCE=1 in the
// environment, `painted` first replaces it: the way to accept an intended change of a picture.
bool readReferenceFile(const char* path, const Image& painted, Image& reference);

// Empty when the images agree everywhere outside `leftOut` (areas where text and curves go, which
// rasterisers may place differently); otherwise the first mismatches, one per line.
std::string differencesOutside(const Image& actual, const Image& expected, const std::vector<CGuiRect>& leftOut);

}  // namespace reference_image
