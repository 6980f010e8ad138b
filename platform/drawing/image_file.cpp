// Pictures of surfaces for people to look at: binary PPM, which every image viewer reads.
#include "platform/drawing/objects.h"

#include <fstream>

namespace platform::soft {

bool writeImageFile(const Surface& surface, const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    if (!file) return false;
    file << "P6\n" << surface.width << ' ' << surface.height << "\n255\n";
    std::string row(size_t(surface.width) * 3, '\0');
    for (int y = 0; y < surface.height; ++y) {
        for (int x = 0; x < surface.width; ++x) {
            const Colour colour = surface.at(x, y);
            row[x * 3] = char(colour & 0xFF);
            row[x * 3 + 1] = char(colour >> 8 & 0xFF);
            row[x * 3 + 2] = char(colour >> 16 & 0xFF);
        }
        file.write(row.data(), std::streamsize(row.size()));
    }
    return bool(file);
}

}  // namespace platform::soft
