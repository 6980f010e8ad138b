// The registry of live drawing objects and contexts, and the stock objects.
#include "platform/drawing/readback.h"
#include "platform/drawing/objects.h"

#include <mutex>
#include <unordered_map>

namespace platform::soft {
namespace {

// Objects are created by the effect's constructor on a host's control thread as well as on the
// GUI thread, so the registry is guarded. Nothing calls out while holding the lock.
struct Registry {
    std::mutex mutex;
    std::unordered_map<const void*, DrawingObject*> objects;
    std::unordered_map<const void*, DeviceContext*> contexts;
    size_t counts[4] = {};
};

Registry& registry() {
    // Static storage, so that a host that loads and unloads the module leaves nothing behind; the
    // stock objects below are static too and never go through the registry again.
    static Registry instance;
    return instance;
}

size_t& countOf(Registry& all, ObjectKind kind) { return all.counts[static_cast<int>(kind)]; }

void freeLocked(Registry& all, DrawingObject* object) {
    all.objects.erase(object->handle);
    --countOf(all, object->kind);
    delete object;
}

template <class Object>
Object* makeStock(Object* object) {
    registerStockObject(object, object);
    return object;
}

Pen* makePen(Pen* pen, bool null, Colour colour) {
    pen->null = null;
    pen->colour = colour;
    return makeStock(pen);
}

}  // namespace

Surface* stockSurface() {
    static Surface storage;
    static Surface* surface = [] {
        auto* stock = &storage;
        stock->width = stock->height = 1;
        stock->monochrome = true;
        stock->pixels.assign(1, 0);
        return makeStock(stock);
    }();
    return surface;
}

Pen* stockBlackPen() {
    static Pen storage;
    static Pen* pen = makePen(&storage, false, makeColour(0, 0, 0));
    return pen;
}

Pen* stockNullPen() {
    static Pen storage;
    static Pen* pen = makePen(&storage, true, 0);
    return pen;
}

Brush* stockWhiteBrush() {
    static Brush storage;
    static Brush* brush = [] {
        auto* white = &storage;
        white->colour = makeColour(255, 255, 255);
        return makeStock(white);
    }();
    return brush;
}

void registerObject(const void* handle, DrawingObject* object) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    object->handle = handle;
    all.objects.emplace(handle, object);
    ++countOf(all, object->kind);
}

void registerStockObject(const void* handle, DrawingObject* object) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    object->stock = true;
    object->handle = handle;
    all.objects.emplace(handle, object);
}

void registerContext(DeviceContext* context) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    all.contexts.emplace(context, context);
}

bool isLive(const void* handle) {
    if (!handle) return false;
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    auto found = all.objects.find(handle);
    return found != all.objects.end() && !found->second->deletePending;
}

bool isLiveContext(const void* handle) {
    if (!handle) return false;
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    return all.contexts.count(handle) != 0;
}

void deleteObject(DrawingObject* object) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    if (object->stock) return;
    if (object->selections > 0) {
        object->deletePending = true;
        return;
    }
    freeLocked(all, object);
}

void changeSelection(DrawingObject* previous, DrawingObject* next) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    if (next) ++next->selections;
    if (!previous) return;
    --previous->selections;
    if (previous->selections == 0 && previous->deletePending) freeLocked(all, previous);
}

void deleteContext(DeviceContext* context) {
    changeSelection(context->pen, nullptr);
    changeSelection(context->brush, nullptr);
    changeSelection(context->font, nullptr);
    if (context->kind == DeviceContext::Kind::Memory && context->surface) {
        context->surface->selectedInto = nullptr;
        changeSelection(context->surface, nullptr);
    }
    Registry& all = registry();
    {
        std::lock_guard lock(all.mutex);
        all.contexts.erase(context);
    }
    delete context;
}

void detachContextsOf(const Window* window) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    for (auto& entry : all.contexts) {
        DeviceContext* context = entry.second;
        if (context->kind == DeviceContext::Kind::Window && context->window == window) {
            context->window = nullptr;
            context->surface = nullptr;
        }
    }
}

bool hasWindowContexts(const Window* window) {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    for (auto& entry : all.contexts) {
        const DeviceContext* context = entry.second;
        if (context->kind == DeviceContext::Kind::Window && context->window == window) return true;
    }
    return false;
}

ObjectCounts liveObjectCounts() {
    Registry& all = registry();
    std::lock_guard lock(all.mutex);
    return {all.contexts.size(), countOf(all, ObjectKind::Surface), countOf(all, ObjectKind::Pen),
            countOf(all, ObjectKind::Brush), countOf(all, ObjectKind::Font)};
}

}  // namespace platform::soft
