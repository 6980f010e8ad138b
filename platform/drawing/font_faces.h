// Font files loaded through FreeType, shared by every Font of the same file.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>

namespace platform {

struct FontFace {
    FT_Face face;
    bool symbol;  // byte codes index the font's own encoding instead of the ANSI code page
    bool bold;    // the face's own style; what it lacks is made up
    bool italic;
    int unitsPerEm;
    int ascent;   // design units above the baseline (the OS/2 table's Windows ascent)
    int descent;  // design units below it
};

namespace soft {

// FreeType is not thread-safe: every use of a face holds this lock.
std::mutex& fontMutex();

// The face for "Symbol" or for the sans-serif face that stands in for every other name, in
// the style asked or the nearest the module carries; null when it cannot be loaded. Call with
// fontMutex() held.
FontFace* loadFontFace(bool symbol, bool bold, bool italic);

}  // namespace soft
}  // namespace platform
