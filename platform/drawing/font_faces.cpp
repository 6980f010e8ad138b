#include "platform/drawing/font_faces.h"

#include FT_TRUETYPE_TABLES_H

#include <map>
#include <memory>
#include <string>

namespace platform::soft {
namespace {

// Metric-compatible stand-ins for the faces the toolkit asks for.
constexpr const char* kSansFolder = "/usr/share/fonts/truetype/liberation/";
constexpr const char* kSymbolFile = "/usr/share/fonts/opentype/urw-base35/StandardSymbolsPS.otf";

std::string sansFile(bool bold, bool italic) {
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    return std::string(kSansFolder) + "LiberationSans-" + style + ".ttf";
}

FT_Library library() {
    static FT_Library instance = [] {
        FT_Library loaded = nullptr;
        return FT_Init_FreeType(&loaded) == 0 ? loaded : nullptr;
    }();
    return instance;
}

std::unique_ptr<FontFace> open(const std::string& path, bool symbol) {
    FT_Face face = nullptr;
    if (!library() || FT_New_Face(library(), path.c_str(), 0, &face) != 0) return nullptr;
    // The symbol font's character map is keyed by its own byte codes ('a' is alpha), as GDI
    // reads a symbol-charset font.
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto loaded = std::make_unique<FontFace>(FontFace{face, symbol, face->units_per_EM, face->ascender, -face->descender});
    if (auto* metrics = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        loaded->ascent = metrics->usWinAscent;
        loaded->descent = metrics->usWinDescent;
    }
    if (loaded->unitsPerEm <= 0 || loaded->ascent + loaded->descent <= 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return loaded;
}

}  // namespace

std::mutex& fontMutex() {
    static std::mutex mutex;
    return mutex;
}

FontFace* loadFontFace(bool symbol, bool bold, bool italic) {
    // Faces stay loaded for the life of the process; a file that fails is not tried again.
    static std::map<std::string, std::unique_ptr<FontFace>> faces;
    const std::string path = symbol ? kSymbolFile : sansFile(bold, italic);
    auto found = faces.find(path);
    if (found == faces.end()) found = faces.emplace(path, open(path, symbol)).first;
    return found->second.get();
}

}  // namespace platform::soft
