#include "reference_image.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace reference_image {

std::string encodePpm(const Image& image) {
    std::string bytes = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    for (platform::Colour colour : image.pixels) {
        bytes += static_cast<char>(colour & 0xFF);
        bytes += static_cast<char>((colour >> 8) & 0xFF);
        bytes += static_cast<char>((colour >> 16) & 0xFF);
    }
    return bytes;
}

bool decodePpm(const void* data, size_t size, Image& image) {
    const std::string bytes(static_cast<const char*>(data), size);
    int width = 0, height = 0, maximum = 0, headerLength = 0;
    if (std::sscanf(bytes.c_str(), "P6 %d %d %d%n", &width, &height, &maximum, &headerLength) != 3) return false;
    const size_t start = static_cast<size_t>(headerLength) + 1;  // one whitespace byte after the header
    if (maximum != 255 || width <= 0 || height <= 0 || size < start + 3 * static_cast<size_t>(width) * height) {
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.clear();
    for (size_t at = start; image.pixels.size() < static_cast<size_t>(width) * height; at += 3) {
        image.pixels.push_back(platform::makeColour(static_cast<uint8_t>(bytes[at]), static_cast<uint8_t>(bytes[at + 1]),
                                                    static_cast<uint8_t>(bytes[at + 2])));
    }
    return true;
}

void savePpm(const Image& image, const char* path) {
    const std::string bytes = encodePpm(image);
    if (std::FILE* file = std::fopen(path, "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

bool readReferenceFile(const char* path, const Image& painted, Image& reference) {
    const char* update = std::getenv("SPATIALISER_UPDATE_REFERENCE");
    if (update != nullptr && std::string(update) == "1") savePpm(painted, path);
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return decodePpm(bytes.data(), bytes.size(), reference);
}

std::string differencesOutside(const Image& actual, const Image& expected, const std::vector<CGuiRect>& leftOut) {
    if (actual.width != expected.width || actual.height != expected.height) return "the sizes differ\n";
    constexpr int kReported = 10;
    std::string report;
    int mismatches = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            bool compared = actual.at(x, y) != expected.at(x, y);
            for (const CGuiRect& area : leftOut) compared = compared && !area.contains({x, y});
            if (!compared) continue;
            if (++mismatches <= kReported) {
                char line[80];
                std::snprintf(line, sizeof line, "(%d, %d): 0x%06x instead of 0x%06x\n", x, y,
                              static_cast<unsigned>(actual.at(x, y)), static_cast<unsigned>(expected.at(x, y)));
                report += line;
            }
        }
    }
    if (mismatches > kReported) report += std::to_string(mismatches) + " pixels differ in all\n";
    return report;
}

}  // namespace reference_image
