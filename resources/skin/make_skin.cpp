// Draws the editor's 28 skin bitmaps and writes them as 101.bmp .. 128.bmp:
//   make_skin <folder> [--sheet <png>] [--mock <png>]
// --sheet also writes the contact sheet, --mock a picture of the whole panel with its controls.
#include <cstdio>
#include <cstring>
#include <string>

#include "BitmapFile.h"
#include "Skin.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_skin <folder> [--sheet <png>] [--mock <png>]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const char* sheet = nullptr;
    const char* mock = nullptr;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sheet") == 0) sheet = argv[i + 1];
        else if (std::strcmp(argv[i], "--mock") == 0) mock = argv[i + 1];
        else {
            std::fprintf(stderr, "make_skin: unknown option %s\n", argv[i]);
            return 2;
        }
    }

    const skin::Skin skin = skin::paintSkin();
    for (int id = 101; id <= 128; ++id) {
        const std::string path = folder + "/" + std::to_string(id) + ".bmp";
        const auto bytes = id == 104 ? skin::encodeBitmap8(skin.icon.width, skin.icon.height, skin.icon.palette,
                                                           skin.icon.indices)
                                     : skin::encodeBitmap24(skin[id]);
        if (!skin::writeFile(path, bytes)) {
            std::fprintf(stderr, "make_skin: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (sheet) skin::writeContactSheet(skin, sheet);
    if (mock) skin::writeMock(skin, mock);
    return 0;
}
