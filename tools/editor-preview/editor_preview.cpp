// Renders the open editor as a host shows it (after the first paint and one idle) to a PNG:
//   editor-preview OUT.png [--set NAME=VALUE]... [--hover ROW] [--scale F]
// NAME is a parameter's name ("Az.Sldr") or index; ROW a row of the editor's layout table, whose
// control is then under the mouse with the editor focused; F the screen scale, 1 to 3.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editor/CEffectEditor.h"
#include "effect/CEffect.h"
#include "effect/ParameterTable.h"
#include "gui/CGuiFrame.h"
#include "gui/ScaleSources.h"
#include "platform/soft/desktop.h"

namespace {

intptr_t VSTCALL previewHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

int parameterIndex(const std::string& name) {
    for (int i = 0; i < kNumParameters; ++i) {
        std::string stored = kParameterTable[i].name;
        while (!stored.empty() && stored.back() == ' ')
            stored.pop_back();
        if (stored == name)
            return i;
    }
    char* end = nullptr;
    const long index = std::strtol(name.c_str(), &end, 10);
    return *end == '\0' && !name.empty() && isParameterIndex(static_cast<int32_t>(index)) ? static_cast<int>(index)
                                                                                         : -1;
}

bool writePng(platform::Window* window, int width, int height, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const platform::Colour colour = platform::soft::windowPixel(window, x, y);
            row[3 * x] = static_cast<png_byte>(colour & 0xff);
            row[3 * x + 1] = static_cast<png_byte>((colour >> 8) & 0xff);
            row[3 * x + 2] = static_cast<png_byte>((colour >> 16) & 0xff);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

int usage() {
    std::fprintf(stderr, "usage: editor-preview OUT.png [--set NAME=VALUE]... [--hover ROW] [--scale F]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const char* output = argv[1];
    std::vector<std::pair<int, float>> settings;
    int hover = -1;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--set" && i + 1 < argc) {
            const std::string setting = argv[++i];
            const size_t equals = setting.find('=');
            const int index = equals == std::string::npos ? -1 : parameterIndex(setting.substr(0, equals));
            if (index < 0) {
                std::fprintf(stderr, "editor-preview: no parameter in '%s'\n", setting.c_str());
                return 2;
            }
            settings.push_back({index, std::strtof(setting.c_str() + equals + 1, nullptr)});
        } else if (argument == "--scale" && i + 1 < argc) {
            // The person's choice for this run beats every other source of the scale.
            const char* factor = argv[++i];
            if (parseScale(factor) == 0.0f)
                return usage();
            setenv("SPATIALISER_EDITOR_SCALE", factor, 1);
        } else if (argument == "--hover" && i + 1 < argc) {
            hover = std::atoi(argv[++i]);
            if (hover < 0 || hover >= kEditorControlCount)
                return usage();
        } else {
            return usage();
        }
    }

    platform::soft::useManualClock(1000);
    CEffect effect(previewHost);
    for (const auto& setting : settings)
        effect.setParameter(setting.first, setting.second);
    ERect* rect = nullptr;
    effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f);
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    platform::Window* host =
        platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, width, height});
    effect.dispatcher(effEditOpen, 0, 0, host, 0.0f);
    auto* editor = dynamic_cast<CEffectEditor*>(effect.editor);
    platform::Window* window = editor->frame->childWindow;
    platform::invalidateWindow(window);
    platform::dispatchOnePendingPaint();
    if (hover >= 0) {
        const CGuiRect area = kEditorLayout[hover].rect();
        platform::setCursorPosition(editor->frame->screenPoint({(area.left + area.right) / 2, (area.top + area.bottom) / 2}));
        platform::soft::setFocusWindow(window);
    }
    platform::soft::advanceClock(100);
    effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    const bool written = writePng(window, width, height, output);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    if (!written) {
        std::fprintf(stderr, "editor-preview: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
