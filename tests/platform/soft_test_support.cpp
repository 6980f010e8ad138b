#include "soft_test_support.h"

using namespace platform;

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      context_(createMemoryContext(nullptr)),
      surface_(createCompatibleSurface(nullptr, width, height)),
      brush_(createSolidBrush(kRed)) {
    selectSurface(context_, surface_);
    Brush* white = createSolidBrush(kWhite);
    fillRect(context_, {0, 0, width, height}, white);
    deleteBrush(white);
    selectBrush(context_, brush_);
    setBackgroundColour(context_, kGreen);
    setBackgroundOpaque(context_, false);
    usePen(PenStyle::Solid, 1, kBlack);
}

Canvas::~Canvas() {
    deleteMemoryContext(context_);
    deleteSurface(surface_);
    deleteBrush(brush_);
    deletePen(pen_);
}

void Canvas::usePen(PenStyle style, int width, Colour colour) {
    Pen* previous = pen_;
    pen_ = createPen(style, width, colour);
    selectPen(context_, pen_);
    deletePen(previous);
}

void Canvas::useNullPen() {
    selectPen(context_, nullPen());
    deletePen(pen_);
    pen_ = nullptr;
}

std::string Canvas::picture() const {
    std::string text;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            switch (pixel(x, y)) {
            case kWhite: text += '.'; break;
            case kBlack: text += '#'; break;
            case kRed: text += 'r'; break;
            case kGreen: text += 'g'; break;
            case kBlue: text += 'b'; break;
            default: text += '?';
            }
        }
        text += '\n';
    }
    return text;
}

int Canvas::inkCount() const {
    int count = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) count += pixel(x, y) != kWhite;
    return count;
}

std::string rows(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + '\n';
    return text;
}
