#include "platform/drawing/font_faces.h"

#include "platform/platform.h"

#include FT_TRUETYPE_TABLES_H

#include <map>
#include <memory>
#include <string>

namespace platform::soft {
namespace {

// Metric-compatible stand-ins for the faces the toolkit asks for. A Linux module carries the
// upright sans faces and the symbol face as resources (FONT 1..3, the same files), so that its
// text does not depend on the fonts a user has installed; programs without them read the files.
constexpr const char* kSansFolder = "/usr/share/fonts/truetype/liberation/";
constexpr const char* kSymbolFile = "/usr/share/fonts/opentype/urw-base35/StandardSymbolsPS.otf";
constexpr int kSansRegularResource = 1;
constexpr int kSansBoldResource = 2;
constexpr int kSymbolResource = 3;

std::string sansFile(bool bold, bool italic) {
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    return std::string(kSansFolder) + "LiberationSans-" + style + ".ttf";
}

// Done when the module unloads, with every face opened in it: a host that loads and unloads the
// module again and again leaves nothing of FreeType's behind.
struct FreeTypeLibrary {
    FT_Library handle = nullptr;
    FreeTypeLibrary() {
        if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
    }
    ~FreeTypeLibrary() {
        if (handle) FT_Done_FreeType(handle);
    }
};

FT_Library library() {
    static FreeTypeLibrary instance;
    return instance.handle;
}

// From an embedded resource when `resource` is not null, else from the file.
std::unique_ptr<FontFace> open(const std::string& path, const ResourceData* resource, bool symbol, bool bold,
                               bool italic) {
    FT_Face face = nullptr;
    if (!library()) return nullptr;
    const FT_Error error = resource ? FT_New_Memory_Face(library(), static_cast<const FT_Byte*>(resource->data),
                                                         FT_Long(resource->size), 0, &face)
                                    : FT_New_Face(library(), path.c_str(), 0, &face);
    if (error != 0) return nullptr;
    // The symbol font's character map is keyed by its own byte codes ('a' is alpha), as GDI
    // reads a symbol-charset font.
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto loaded = std::make_unique<FontFace>(
        FontFace{face, symbol, bold, italic, face->units_per_EM, face->ascender, -face->descender});
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
    ResourceData resource{nullptr, 0};
    const bool embedded = findResource("FONT", symbol ? kSymbolResource : bold ? kSansBoldResource : kSansRegularResource,
                                       resource);
    // Embedded faces are upright only: italic is then made from them.
    if (embedded) italic = false;
    const std::string path = symbol ? kSymbolFile : sansFile(bold, italic);
    const std::string key = (embedded ? "embedded:" : "") + path;
    auto found = faces.find(key);
    if (found == faces.end())
        found = faces.emplace(key, open(path, embedded ? &resource : nullptr, symbol, bold && !symbol, italic)).first;
    return found->second.get();
}

}  // namespace platform::soft
