// The module's own resources, embedded at build time (embedded_resources.h).
#include "platform/drawing/bitmap_file.h"
#include "platform/drawing/embedded_resources.h"

#include <cstdint>
#include <strings.h>

// Programs without resources link against this empty list; a generated one replaces it.
__attribute__((weak)) const platform::soft::EmbeddedResource* platform::soft::embeddedResources(size_t& count) {
    count = 0;
    return nullptr;
}

namespace platform {
namespace {

const soft::EmbeddedResource* findEmbedded(const char* type, int id) {
    if (!type) return nullptr;
    // Resource ids are 16-bit, as MAKEINTRESOURCE makes them; type names ignore case.
    const int resourceId = static_cast<uint16_t>(id);
    size_t count = 0;
    const soft::EmbeddedResource* resources = soft::embeddedResources(count);
    for (size_t i = 0; i < count; ++i) {
        if (resources[i].id == resourceId && strcasecmp(resources[i].type, type) == 0) return &resources[i];
    }
    return nullptr;
}

}  // namespace

bool findResource(const char* type, int id, ResourceData& out) {
    const soft::EmbeddedResource* resource = findEmbedded(type, id);
    if (!resource) return false;
    out = {resource->data, resource->size};
    return true;
}

Surface* loadBitmapResource(int id) {
    const soft::EmbeddedResource* resource = findEmbedded("BITMAP", id);
    return resource ? soft::decodeBitmapFile(resource->data, resource->size) : nullptr;
}

}  // namespace platform
