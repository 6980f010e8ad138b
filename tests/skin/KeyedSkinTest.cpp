// The keyed bitmaps, the slider handle and the source markers, composed with their white key
// over what they are drawn on: their edges may not light up (no halo), and the key is only
// the outside of each shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "editor/EditorLayout.h"
#include "tests/skin/SkinFile.h"

namespace {

constexpr uint32_t kKey = 0xffffff;
constexpr double kTolerance = 4.0;  // luminance levels

struct Composition {
    std::vector<uint32_t> pixels;  // the ground with the sprite over it
    std::vector<int> role;         // 0 ground, 1 sprite edge (touches the key), 2 sprite inside
    int width, height;
};

// The sprite's image (sx, sy, w, h) keyed over the ground at (gx, gy), with one pixel of ground
// around it where the ground reaches.
Composition compose(const SkinFile& sprite, int sx, int sy, int w, int h, const SkinFile& ground, int gx, int gy) {
    Composition c{std::vector<uint32_t>(size_t(w + 2) * (h + 2), 0), std::vector<int>(size_t(w + 2) * (h + 2), 0),
                  w + 2, h + 2};
    auto isKey = [&](int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h || sprite.at(sx + x, sy + y) == kKey;
    };
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) {
            const size_t i = size_t(y + 1) * c.width + x + 1;
            if (isKey(x, y)) {
                const int ux = gx + x, uy = gy + y;
                const bool onGround = ux >= 0 && uy >= 0 && ux < ground.width && uy < ground.height;
                c.pixels[i] = onGround ? ground.at(ux, uy) : 0;
                continue;
            }
            c.pixels[i] = sprite.at(sx + x, sy + y);
            const bool edge = isKey(x - 1, y) || isKey(x + 1, y) || isKey(x, y - 1) || isKey(x, y + 1);
            c.role[i] = edge ? 1 : 2;
        }
    return c;
}

// Edge pixels brighter than every ground and inner pixel around them: a light fringe. The first
// one found is described in `first`.
int halos(const Composition& c, std::string* first = nullptr) {
    int found = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            if (c.role[size_t(y) * c.width + x] != 1) continue;
            double brightest = 0.0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= c.width || ny >= c.height) continue;
                    const size_t n = size_t(ny) * c.width + nx;
                    if (c.role[n] != 1) brightest = std::max(brightest, luminance(c.pixels[n]));
                }
            const double own = luminance(c.pixels[size_t(y) * c.width + x]);
            if (own <= brightest + kTolerance) continue;
            if (first && found == 0)
                *first = "edge pixel (" + std::to_string(x - 1) + ", " + std::to_string(y - 1) + ") of luminance " +
                         std::to_string(own) + " beside at most " + std::to_string(brightest);
            ++found;
        }
    return found;
}

// Key pixels that cannot be reached from the image's border: holes the key would punch in.
int enclosedKeyPixels(const SkinFile& sprite, int sx, int sy, int w, int h) {
    std::vector<char> reached(size_t(w) * h, 0);
    std::vector<std::pair<int, int>> open;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x == 0 || y == 0 || x == w - 1 || y == h - 1) && sprite.at(sx + x, sy + y) == kKey) {
                reached[size_t(y) * w + x] = 1;
                open.push_back({x, y});
            }
    while (!open.empty()) {
        const auto [x, y] = open.back();
        open.pop_back();
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h) continue;
            const size_t i = size_t(n[1]) * w + n[0];
            if (!reached[i] && sprite.at(sx + n[0], sy + n[1]) == kKey) {
                reached[i] = 1;
                open.push_back({n[0], n[1]});
            }
        }
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) enclosed += sprite.at(sx + x, sy + y) == kKey && !reached[size_t(y) * w + x];
    return enclosed;
}

SkinFile load(int id) {
    SkinFile file = readSkinFile(skinPath(SKIN_FOLDER, id));
    EXPECT_GT(file.width, 0) << "bitmap " << id;
    return file;
}

TEST(KeyedSkin, TheHandleShowsNoHaloOverAnyTrackAtAnyPosition) {
    const SkinFile handle = load(108);
    ASSERT_GT(handle.width, 0);
    EXPECT_EQ(enclosedKeyPixels(handle, 0, 0, handle.width, handle.height), 0);
    int keyPixels = 0;
    for (uint32_t p : handle.pixels) keyPixels += p == kKey;
    EXPECT_GT(keyPixels, 0) << "the cap's corners let the track show";
    for (const ControlLayout& slider : kEditorLayout) {
        if (slider.kind != kCtlVerticalSlider) continue;
        const SkinFile track = load(kSkinResourceBase + slider.bitmap);
        ASSERT_GT(track.width, 0);
        for (int top = slider.p[0]; top <= slider.p[1]; ++top) {
            const Composition c = compose(handle, 0, 0, handle.width, handle.height, track, slider.offset2.h, top);
            std::string first;
            ASSERT_EQ(halos(c, &first), 0) << "track " << kSkinResourceBase + slider.bitmap << ", handle at row " << top
                                           << ": " << first;
        }
    }
}

TEST(KeyedSkin, MarkersShowNoHaloOnTheDiscLitOrNot) {
    const ControlLayout* view = nullptr;
    for (const ControlLayout& record : kEditorLayout)
        if (record.kind == kCtlPositionView) view = &record;
    ASSERT_NE(view, nullptr);
    const SkinFile markers = load(128), disc = load(102), lit = load(103);
    ASSERT_TRUE(markers.width > 0 && disc.width > 0 && lit.width > 0);
    const int base = view->p[7], inner = view->p[1], outer = view->p[2];
    const int cx = view->width / 2, cy = view->height / 2;
    for (int k = 0; k < view->p[9]; ++k) {
        const int size = base + k, top = base * k + k * (k - 1) / 2;
        SCOPED_TRACE("marker " + std::to_string(k));
        EXPECT_EQ(enclosedKeyPixels(markers, 0, top, size, size), 0);
        for (int x = size; x < markers.width; ++x)
            for (int y = top; y < top + size; ++y) ASSERT_EQ(markers.at(x, y), kKey) << "beside the image";
        for (int degrees = 0; degrees < 360; degrees += 15)
            for (int radius : {inner, (inner + outer) / 2, outer}) {
                const double a = degrees * 3.14159265358979 / 180;
                const int left = cx + int(std::floor(std::sin(a) * radius + 0.5)) - size / 2;
                const int upper = cy + int(std::floor(std::cos(a) * radius + 0.5)) - size / 2;
                for (const SkinFile* ground : {&disc, &lit}) {
                    std::string first;
                    ASSERT_EQ(halos(compose(markers, 0, top, size, size, *ground, left, upper), &first), 0)
                        << (ground == &lit ? "lit" : "unlit") << " disc at " << degrees << " degrees, radius " << radius
                        << ": " << first;
                }
            }
    }
}

// The check itself: a marker blended against white instead of the disc is caught.
TEST(KeyedSkin, AnEdgeBlendedAgainstWhiteCountsAsAHalo) {
    SkinFile sprite, ground;
    sprite.width = ground.width = 5;
    sprite.height = ground.height = 5;
    ground.pixels.assign(25, 0x202020);
    sprite.pixels.assign(25, kKey);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) sprite.pixels[size_t(y) * 5 + x] = 0x808080;
    sprite.pixels[2 * 5 + 2] = 0x9090a0;
    EXPECT_EQ(halos(compose(sprite, 0, 0, 5, 5, ground, 0, 0)), 0);
    sprite.pixels[1 * 5 + 1] = 0xd8d8d8;  // a corner half covered, blended against the key
    EXPECT_EQ(halos(compose(sprite, 0, 0, 5, 5, ground, 0, 0)), 1);
}

}  // namespace
