// Draws the editor's 28 skin bitmaps and writes them as 101.bmp .. 128.bmp, then draws them
// again at twice the size into the folder's 2x/ for screens at 200 %:
//   make_skin <folder> [--sheet <png>] [--mock <png>] [--zoom <n>]
// --sheet also writes the contact sheet, --mock a picture of the whole panel with its controls
// (--zoom n times as large).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "BitmapFile.h"
#include "Skin.h"

namespace {

bool writeSet(const skin::Skin& skin, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int id = 101; id <= 128; ++id) {
        const std::string path = folder + "/" + std::to_string(id) + ".bmp";
        const auto bytes = id == 104 ? skin::encodeBitmap8(skin.icon.width, skin.icon.height, skin.icon.palette,
                                                           skin.icon.indices)
                                     : skin::encodeBitmap24(skin[id]);
        if (!skin::writeFile(path, bytes)) {
            std::fprintf(stderr, "make_skin: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_skin <folder> [--sheet <png>] [--mock <png>] [--zoom <n>]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const char* sheet = nullptr;
    const char* mock = nullptr;
    int zoom = 1;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sheet") == 0) sheet = argv[i + 1];
        else if (std::strcmp(argv[i], "--mock") == 0) mock = argv[i + 1];
        else if (std::strcmp(argv[i], "--zoom") == 0) zoom = std::atoi(argv[i + 1]);
        else {
            std::fprintf(stderr, "make_skin: unknown option %s\n", argv[i]);
            return 2;
        }
    }

    skin::setDensity(2);
    if (!writeSet(skin::paintSkin(), folder + "/2x")) return 1;
    skin::setDensity(1);
    const skin::Skin skin = skin::paintSkin();
    if (!writeSet(skin, folder)) return 1;
    if (sheet) skin::writeContactSheet(skin, sheet);
    if (mock) skin::writeMock(skin, mock, zoom);
    return 0;
}
