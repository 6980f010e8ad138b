// Memory contexts, object selection and the drawing state of a context.
#include "platform/drawing/objects.h"

namespace platform {
namespace {

// Moves one selection slot of a context to a live object and returns the previous one.
template <class Object>
Object* swapSelection(Object*& slot, Object* next) {
    Object* previous = slot;
    soft::changeSelection(previous, next);
    slot = next;
    return previous;
}

}  // namespace

namespace soft {

DeviceContext* drawableContext(DeviceContext* context) {
    return isLiveContext(context) && context->surface ? context : nullptr;
}

DeviceContext* newWindowContext(Window* window, Surface* surface) {
    auto* context = new DeviceContext;
    context->kind = DeviceContext::Kind::Window;
    context->window = window;
    context->surface = surface;
    context->pen = stockBlackPen();
    context->brush = stockWhiteBrush();
    context->font = stockFont();
    changeSelection(nullptr, context->pen);
    changeSelection(nullptr, context->brush);
    changeSelection(nullptr, context->font);
    registerContext(context);
    return context;
}

}  // namespace soft

DeviceContext* createMemoryContext(DeviceContext* compatible) {
    (void)compatible;  // every context here draws the same 32-bit colour surfaces
    auto* context = new DeviceContext;
    context->surface = soft::stockSurface();
    context->pen = soft::stockBlackPen();
    context->brush = soft::stockWhiteBrush();
    context->font = soft::stockFont();
    for (DrawingObject* object : {static_cast<DrawingObject*>(context->surface), static_cast<DrawingObject*>(context->pen),
                                  static_cast<DrawingObject*>(context->brush), static_cast<DrawingObject*>(context->font)})
        soft::changeSelection(nullptr, object);
    soft::registerContext(context);
    return context;
}

void deleteMemoryContext(DeviceContext* context) {
    if (soft::isLiveContext(context) && context->kind == DeviceContext::Kind::Memory) soft::deleteContext(context);
}

Surface* selectSurface(DeviceContext* context, Surface* surface) {
    // Only memory contexts take surfaces, and a surface is in one context at a time (the stock
    // surface excepted), as with GDI's bitmaps.
    if (!soft::isLiveContext(context) || context->kind != DeviceContext::Kind::Memory || !soft::isLive(surface))
        return nullptr;
    if (surface->selectedInto && surface->selectedInto != context) return nullptr;
    Surface* previous = context->surface;
    if (!previous->stock) previous->selectedInto = nullptr;
    if (!surface->stock) surface->selectedInto = context;
    return swapSelection(context->surface, surface);
}

Pen* selectPen(DeviceContext* context, Pen* pen) {
    if (!soft::isLiveContext(context) || !soft::isLive(pen)) return nullptr;
    return swapSelection(context->pen, pen);
}

Brush* selectBrush(DeviceContext* context, Brush* brush) {
    if (!soft::isLiveContext(context) || !soft::isLive(brush)) return nullptr;
    return swapSelection(context->brush, brush);
}

Font* selectFont(DeviceContext* context, Font* font) {
    if (!soft::isLiveContext(context)) return nullptr;
    if (!soft::isLive(font)) return context->font;
    return swapSelection(context->font, font);
}

Pen* currentPen(DeviceContext* context) { return soft::isLiveContext(context) ? context->pen : nullptr; }
Brush* currentBrush(DeviceContext* context) { return soft::isLiveContext(context) ? context->brush : nullptr; }
Font* currentFont(DeviceContext* context) { return soft::isLiveContext(context) ? context->font : nullptr; }

void setBackgroundOpaque(DeviceContext* context, bool opaque) {
    if (soft::isLiveContext(context)) context->backgroundOpaque = opaque;
}

Colour setBackgroundColour(DeviceContext* context, Colour colour) {
    if (!soft::isLiveContext(context)) return 0;
    const Colour previous = context->backgroundColour;
    context->backgroundColour = colour & 0xFFFFFF;
    return previous;
}

void setTextColour(DeviceContext* context, Colour colour) {
    if (soft::isLiveContext(context)) context->textColour = colour & 0xFFFFFF;
}

}  // namespace platform
