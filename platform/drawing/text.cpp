// Single-line text through FreeType, rendered without anti-aliasing as GDI does by default.
#include "platform/drawing/font_faces.h"
#include "platform/drawing/raster.h"
#include "platform/drawing/text.h"

#include FT_SYNTHESIS_H

#include <algorithm>
#include <climits>
#include <cmath>

namespace platform {
namespace {

// Windows-1252 bytes 0x80..0x9F; the others are Latin-1. Bytes the code page leaves out map
// to themselves.
constexpr uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t characterCode(const FontFace& face, unsigned char byte) {
    if (face.symbol || byte < 0x80 || byte >= 0xA0) return byte;
    return kWindows1252High[byte - 0x80];
}

// Loads and renders one glyph as a 1-bit bitmap in the face's slot; false when it cannot.
bool renderGlyph(const Font& font, unsigned char byte) {
    FT_Face face = font.face->face;
    const FT_UInt glyph = FT_Get_Char_Index(face, characterCode(*font.face, byte));
    if (FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_MONO) != 0) return false;
    if (font.syntheticItalic) FT_GlyphSlot_Oblique(face->glyph);
    if (font.syntheticBold) FT_GlyphSlot_Embolden(face->glyph);
    return FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0;
}

// The design advance rounded to whole pixels, as the font's metric twins (and Wine's GDI) space
// glyphs; made-up bold is a pixel wider, as GDI makes it.
int64_t advanceOf(const Font& font) {
    const FT_GlyphSlot slot = font.face->face->glyph;
    return ((slot->linearHoriAdvance + 0x8000) >> 16) + (font.syntheticBold ? 1 : 0);
}

// Sum of the advance widths: where the text ends, as GetTextExtentPoint measures it.
int64_t textWidth(const Font& font, const char* text) {
    int64_t width = 0;
    for (const char* at = text; *at; ++at) {
        if (renderGlyph(font, static_cast<unsigned char>(*at))) width += advanceOf(font);
    }
    return width;
}

// Text is clipped to its rectangle (columns left..right-1, rows top..bottom-1), as DrawText
// clips without DT_NOCLIP.
struct ClipBox {
    int64_t left, top, right, bottom;
    bool contains(int64_t x, int64_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

void drawGlyph(Surface& surface, const FT_GlyphSlot slot, int64_t penX, int64_t baseline, Colour colour,
               const ClipBox& clip) {
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* bits = bitmap.buffer + int64_t(row) * bitmap.pitch;
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int64_t x = penX + slot->bitmap_left + column;
            const int64_t y = baseline - slot->bitmap_top + row;
            if ((bits[column / 8] & (0x80 >> (column % 8))) && clip.contains(x, y)) soft::plot(surface, x, y, colour);
        }
    }
}

void fillClipped(Surface& surface, int64_t left, int64_t top, int64_t right, int64_t bottom, Colour colour,
                 const ClipBox& clip) {
    soft::fillBox(surface, std::max(left, clip.left), std::max(top, clip.top), std::min(right, clip.right),
                  std::min(bottom, clip.bottom), colour);
}

}  // namespace

namespace soft {

int measureText(Font* font, const char* text) {
    if (!isLive(font) || !font->face || !text) return 0;
    std::lock_guard lock(fontMutex());
    if (FT_Set_Pixel_Sizes(font->face->face, 0, FT_UInt(font->pixelsPerEm)) != 0) return 0;
    return int(std::min<int64_t>(textWidth(*font, text), INT32_MAX));
}

}  // namespace soft

void drawText(DeviceContext* context, const char* text, const Rect& rect, TextAlign align) {
    if (!soft::drawableContext(context) || !text || !*text || !context->font->face) return;
    const Font& font = *context->font;
    Surface& surface = *context->surface;
    std::lock_guard lock(soft::fontMutex());
    if (FT_Set_Pixel_Sizes(font.face->face, 0, FT_UInt(font.pixelsPerEm)) != 0) return;

    const int64_t width = textWidth(font, text);
    const int64_t height = int64_t(font.ascent) + font.descent;
    const int64_t left = rect.left, right = rect.right, top = rect.top, bottom = rect.bottom;
    // Placed as DrawText places a single vertically centred line.
    const int64_t y = top + (bottom - top) / 2 - height / 2;
    int64_t x = left;
    if (align == TextAlign::Center) x = (left + right - width) / 2;
    else if (align == TextAlign::Right) x = right - width;

    const ClipBox clip{left, top, right, bottom};
    if (context->backgroundOpaque) fillClipped(surface, x, y, x + width, y + height, context->backgroundColour, clip);
    const int64_t baseline = y + font.ascent;
    int64_t penX = x;
    for (const char* at = text; *at; ++at) {
        if (!renderGlyph(font, static_cast<unsigned char>(*at))) continue;
        drawGlyph(surface, font.face->face->glyph, penX, baseline, context->textColour, clip);
        penX += advanceOf(font);
    }
    if (font.underline) {
        FT_Face face = font.face->face;
        const int64_t thickness = std::max<int64_t>(1, std::lround(double(face->underline_thickness) * font.pixelsPerEm / face->units_per_EM));
        const int64_t centre = baseline - std::lround(double(face->underline_position) * font.pixelsPerEm / face->units_per_EM);
        const int64_t underlineTop = centre - thickness / 2;
        fillClipped(surface, x, underlineTop, x + width, underlineTop + thickness, context->textColour, clip);
    }
}

}  // namespace platform
