// Fonts: a face, a size and the style the face itself lacks.
#include "platform/drawing/font_faces.h"
#include "platform/drawing/objects.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <strings.h>

namespace platform {
namespace {

constexpr int kBoldFrom = 551;         // nearer to 700 than to 400
constexpr int kDefaultCellHeight = 16;  // what a height of 0 asks for
constexpr int64_t kLargestPixelsPerEm = 1000;

// Fills in a font for the request; false when no face can be loaded.
bool describe(Font& font, const FontRequest& request) {
    const bool symbol = request.face && strcasecmp(request.face, "Symbol") == 0;
    const bool bold = request.weight >= kBoldFrom;
    std::lock_guard lock(soft::fontMutex());
    // The symbol font has one style only: bold and italic are made from it, as GDI does.
    FontFace* face = soft::loadFontFace(symbol, !symbol && bold, !symbol && request.italic);
    if (!face) return false;
    // Negative: the em height in pixels; positive: the cell height (ascent + descent).
    const int64_t height = request.height == 0 ? kDefaultCellHeight : request.height;
    const double pixelsPerEm = height < 0 ? double(-height) : double(height) * face->unitsPerEm / (face->ascent + face->descent);
    font.face = face;
    font.pixelsPerEm = int(std::clamp<int64_t>(std::llround(pixelsPerEm), 1, kLargestPixelsPerEm));
    font.ascent = int(std::lround(double(face->ascent) * font.pixelsPerEm / face->unitsPerEm));
    font.descent = int(std::lround(double(face->descent) * font.pixelsPerEm / face->unitsPerEm));
    font.syntheticBold = bold && !face->bold;
    font.syntheticItalic = request.italic && !face->italic;
    font.underline = request.underline;
    return true;
}

}  // namespace

namespace soft {

Font* stockFont() {
    // The system font of a fresh context: bold sans serif, 16 pixels high.
    static Font storage;
    static Font* font = [] {
        auto* system = &storage;
        describe(*system, {kDefaultCellHeight, 700, false, false, kPitchVariableSwiss, "Arial"});
        registerStockObject(system, system);
        return system;
    }();
    return font;
}

}  // namespace soft

Font* createFont(const FontRequest& request) {
    auto* font = new (std::nothrow) Font;
    if (!font) return nullptr;
    if (!describe(*font, request)) {
        delete font;
        return nullptr;
    }
    soft::registerObject(font);
    return font;
}

void deleteFont(Font* font) {
    if (soft::isLive(font)) soft::deleteObject(font);
}

}  // namespace platform
