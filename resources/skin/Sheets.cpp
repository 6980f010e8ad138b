// The contact sheet and the mock of the whole panel, both as PNG files.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Skin.h"
#include "Theme.h"

namespace skin {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Draws (sx, sy, w, h) of a canvas at (x, y), scaled by `scale` with square pixels.
void blit(cairo_t* cr, const Canvas& source, int sx, int sy, int w, int h, double x, double y, double scale) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w * scale, h * scale);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, source.surface(), -sx, -sy);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
}

// Copies a part of a keyed bitmap: its white pixels leave the destination as it is.
void pasteKeyed(Canvas& to, const Canvas& from, int sx, int sy, int w, int h, int x, int y) {
    for (int row = 0; row < h; ++row)
        for (int column = 0; column < w; ++column) {
            const uint32_t p = from.pixel(sx + column, sy + row);
            if (p != kKeyWhite) to.setPixel(x + column, y + row, p);
        }
}

// ---- the mock ----

float mockValue(int tag) {
    switch (tag) {
    case 4: return 0.62f;       // azimuth 43 degrees to the right
    case 5: return 0.55f;       // distance
    case 6: return 0.45f;       // elevation
    case 7: return 0.12f;       // azimuth sweep of +-22 degrees
    case 8: return 6.0f / 19;   // azimuth speed
    case 9: return 0.5f;        // falling ramp
    case 10: return 0.3f;       // elevation depth
    case 11: return 4.0f / 19;  // elevation speed
    case 12: return 1.0f;       // full stereo field: the inverted button is dark
    case 13: return 1.0f;       // high quality
    case 14: return 0.34f;      // "normal"
    default: return 0.0f;
    }
}

// Read-out text as the toolkit places it: the em 10 pixels, one line centred vertically.
void readoutText(Canvas& panel, const std::string& text, const CGuiRect& r, bool centred, int inset) {
    cairo_t* cr = panel.cr();
    const int ascent = 9, descent = 2;  // the font's Windows metrics at 10 pixels
    const double baseline = r.top + (r.bottom - r.top) / 2 - (ascent + descent) / 2 + ascent;
    const double width = textWidth(text, 10, Face::Bold);
    const double x = centred ? std::floor((r.left + r.right - width) / 2) : r.left + inset + 1;
    setColour(cr, rgb(0, 0, 0));
    drawText(cr, text, x, baseline, 10, Face::Bold);
}

// The position view's drawing: background, the lit sector through a mask, the marker.
void mockDisc(const Skin& skin, Canvas& panel, const ControlLayout& view) {
    const double az = mockValue(4), dist = mockValue(5), elev = mockValue(6), depth = mockValue(7);
    const int w = view.width, h = view.height;
    Canvas disc(w, h);
    disc.copyFrom(skin[102], 0, 0, w, h, 0, 0);
    const int radius = view.p[1] + int(std::floor((view.p[2] - view.p[1]) * dist + 0.5));
    double t = (1 - az) * 360;
    if (t == 360) t = 0;
    const double half = depth * 180;
    double s = t - half, e = t + half, u = t + 180;
    if (s < 0) s += 360;
    if (e >= 360) e -= 360;
    if (u >= 360) u -= 360;
    const double m = half >= 90 ? u : t;
    const int reach = std::max(w, h), cx = w / 2, cy = h / 2;
    Canvas mask(w, h);
    cairo_t* cr = mask.cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    setColour(cr, half < 90 ? rgb(255, 255, 255) : rgb(0, 0, 0));
    cairo_paint(cr);
    setColour(cr, half < 90 ? rgb(0, 0, 0) : rgb(255, 255, 255));
    cairo_move_to(cr, cx, cy);
    for (double a : {s, m, e})
        cairo_line_to(cr, cx + std::floor(std::sin(a * kPi / 180) * reach + 0.5),
                      cy + std::floor(std::cos(a * kPi / 180) * reach + 0.5));
    cairo_close_path(cr);
    cairo_fill(cr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask.pixel(x, y) == 0) disc.setPixel(x, y, skin[103].pixel(x, y));
    const int count = view.p[9], base = view.p[7];
    const int k = int(std::floor((count - 1) * elev + 0.5));
    const int dx = int(std::floor(std::sin(t * kPi / 180) * radius + 0.5));
    const int dy = int(std::floor(std::cos(t * kPi / 180) * radius + 0.5));
    pasteKeyed(disc, skin[128], 0, base * k + k * (k - 1) / 2, base + k, base + k, cx + dx - (base + k) / 2,
               cy + dy - (base + k) / 2);
    panel.copyFrom(disc, 0, 0, w, h, view.left, view.top);
}

void mockControl(const Skin& skin, Canvas& panel, const ControlLayout& c) {
    const float value = mockValue(c.tag);
    const CGuiRect r = c.rect();
    switch (c.kind) {
    case kCtlPositionView: mockDisc(skin, panel, c); break;
    case kCtlVerticalSlider: {
        panel.copyFrom(skin[kSkinResourceBase + c.bitmap], 0, 0, c.width, c.height, c.left, c.top);
        const double shown = (c.style & 0x20) ? value : 1 - value;
        const int top = int(std::floor((c.p[1] - c.p[0]) * shown + 0.5)) + c.offset2.v + c.p[0];
        pasteKeyed(panel, skin[108], 0, 0, kHandleWidth, kHandleHeight, c.left + c.offset2.h, c.top + top);
        break;
    }
    case kCtlValueDisplay: {
        // The azimuth group shows its hover highlight.
        const int id = kSkinResourceBase + (c.tag == 4 ? c.bitmapHighlight : c.bitmap);
        panel.copyFrom(skin[id], 0, 0, c.width, c.height, c.left, c.top);
        const int shown = int(std::floor(c.p[4] * value + c.p[5] + 0.5));
        readoutText(panel, std::to_string(shown), r, true, 0);
        break;
    }
    case kCtlKnob: {
        const int k = std::min(int(c.p[0] * value), c.p[0] - 1);
        panel.copyFrom(skin[kSkinResourceBase + c.bitmap], 0, k * c.p[1], c.width, c.height, c.left, c.top);
        break;
    }
    case kCtlPositionSwitch: {
        const int k = int((c.p[2] - 1) * value);
        panel.copyFrom(skin[kSkinResourceBase + c.bitmap], 0, k * c.p[1], c.width, c.height, c.left, c.top);
        break;
    }
    case kCtlOnOffButton: {
        const bool inverted = (c.style & 0x50) != 0;
        const bool on = inverted ? int(value) == 0 : value != 0.0f;
        panel.copyFrom(skin[kSkinResourceBase + c.bitmap], 0, on ? c.height : 0, c.width, c.height, c.left, c.top);
        break;
    }
    case kCtlOptionMenu: {
        panel.copyFrom(skin[kSkinResourceBase + c.bitmap], 0, 0, c.width, c.height, c.left, c.top);
        const MenuList& list = kMenuLists[c.p[0]];
        const int item = int(std::floor((list.positions - 1) * value + 0.5)) + 1;
        for (int i = 0; i < list.entryCount; ++i)
            if (list.entries[i].itemNumber == item) readoutText(panel, list.entries[i].name, r, false, c.offset2.h);
        break;
    }
    default: break;
    }
}

// ---- the contact sheet ----

struct Frame {
    const Canvas* canvas;
    int x, y, w, h;
};
struct Item {
    std::string caption;
    std::vector<Frame> frames;
};

constexpr double kScale = 2.0;
constexpr int kGap = 6, kMargin = 16, kCaption = 14, kSheetWidth = 454 * 2 + 2 * kMargin;
const Rgb kGround = rgb(128, 128, 128);

std::vector<Item> sheetItems(const Skin& skin) {
    std::vector<Item> items;
    auto strip = [&](int id, int images, const char* what) {
        const Canvas& c = skin[id];
        Item item{std::to_string(id) + " " + what, {}};
        const int h = c.height() / images;
        for (int k = 0; k < images; ++k) item.frames.push_back({&c, 0, k * h, c.width(), h});
        items.push_back(item);
    };
    strip(102, 1, "disc");
    strip(103, 1, "lit disc");
    strip(105, 1, "azimuth");
    strip(106, 1, "elevation");
    strip(107, 1, "distance");
    strip(108, 1, "handle");
    strip(109, 2, "button");
    strip(110, 3, "wave");
    strip(112, 1, "menu");
    strip(113, 1, "open");
    for (int id = 114; id <= 127; ++id) strip(id, 1, "");
    strip(111, 31, "knob, 31 images");
    {
        const Canvas& c = skin[128];
        const ControlLayout& view = positionView();
        Item item{"128 markers, 17 images", {}};
        int y = 0;
        for (int k = 0; k < view.p[9]; ++k) {
            const int size = view.p[7] + k;
            item.frames.push_back({&c, 0, y, size, size});
            y += size;
        }
        items.push_back(item);
    }
    return items;
}

// The icon is 8-bit: shown from its palette.
std::unique_ptr<Canvas> iconCanvas(const PalettedImage& icon) {
    auto c = std::make_unique<Canvas>(icon.width, icon.height);
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) c->setPixel(x, y, icon.palette[icon.indices[size_t(y) * icon.width + x]]);
    return c;
}

// Lays the items out in rows (frames of one item wrap within it); draws when cr is set.
int layOut(const std::vector<Item>& items, int top, cairo_t* cr) {
    int x = kMargin, y = top, rowHeight = 0;
    for (const Item& item : items) {
        int width = 0, height = 0, lineWidth = 0, lineHeight = 0;
        for (const Frame& f : item.frames) {
            const int fw = int(f.w * kScale);
            if (lineWidth > 0 && lineWidth + fw > kSheetWidth - 2 * kMargin) {
                width = std::max(width, lineWidth - kGap);
                height += lineHeight + kGap;
                lineWidth = lineHeight = 0;
            }
            lineWidth += fw + kGap;
            lineHeight = std::max(lineHeight, int(f.h * kScale));
        }
        width = std::max({width, lineWidth - kGap, int(textWidth(item.caption, 9, Face::Bold)) + 2});
        height += lineHeight + kCaption;
        if (x > kMargin && x + width > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + 2 * kGap;
            rowHeight = 0;
        }
        if (cr) {
            setColour(cr, rgb(20, 20, 20));
            drawText(cr, item.caption, x, y + 10, 9, Face::Bold);
            int fx = x, fy = y + kCaption, fh = 0;
            for (const Frame& f : item.frames) {
                const int fw = int(f.w * kScale);
                if (fx > x && fx + fw > kSheetWidth - kMargin) {
                    fx = x;
                    fy += fh + kGap;
                    fh = 0;
                }
                blit(cr, *f.canvas, f.x, f.y, f.w, f.h, fx, fy, kScale);
                fx += fw + kGap;
                fh = std::max(fh, int(f.h * kScale));
            }
        }
        x += width + 3 * kGap;
        rowHeight = std::max(rowHeight, height);
    }
    return y + rowHeight + kMargin;
}

void writePng(const Canvas& canvas, const char* path) {
    if (cairo_surface_write_to_png(canvas.surface(), path) != CAIRO_STATUS_SUCCESS)
        std::fprintf(stderr, "make_skin: cannot write %s\n", path);
}

}  // namespace

void writeMock(const Skin& skin, const char* path) {
    Canvas panel(kPanelWidth, kPanelHeight);
    panel.copyFrom(skin[101], 0, 0, kPanelWidth, kPanelHeight, 0, 0);
    for (const ControlLayout& record : kEditorLayout) mockControl(skin, panel, record);
    writePng(panel, path);
}

void writeContactSheet(const Skin& skin, const char* path) {
    std::vector<Item> items = sheetItems(skin);
    const auto icon = iconCanvas(skin.icon);
    items.insert(items.begin() + 2, Item{"104 icon", {{icon.get(), 0, 0, icon->width(), icon->height()}}});
    const int panelTop = kMargin + kCaption;
    const int itemsTop = panelTop + int(kPanelHeight * kScale) + 2 * kGap;
    const int height = layOut(items, itemsTop, nullptr);

    Canvas sheet(kSheetWidth, height);
    cairo_t* cr = sheet.cr();
    setColour(cr, kGround);
    cairo_paint(cr);
    setColour(cr, rgb(20, 20, 20));
    drawText(cr, "101 background, with the rectangle and row number of every control", kMargin, kMargin + 10, 9,
             Face::Bold);
    blit(cr, skin[101], 0, 0, kPanelWidth, kPanelHeight, kMargin, panelTop, kScale);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < kEditorControlCount; ++i) {
        const ControlLayout& c = kEditorLayout[i];
        if (c.width == 0 || c.height == 0) continue;
        const CGuiRect r = c.rect();
        setColour(cr, rgb(0, 220, 255), 0.9);
        cairo_rectangle(cr, kMargin + r.left * kScale + 0.5, panelTop + r.top * kScale + 0.5,
                        (r.right - r.left) * kScale - 1, (r.bottom - r.top) * kScale - 1);
        cairo_stroke(cr);
        drawText(cr, std::to_string(i), kMargin + r.left * kScale + 3, panelTop + r.top * kScale + 10, 8, Face::Bold);
    }
    layOut(items, itemsTop, cr);
    writePng(sheet, path);
}

}  // namespace skin
