// Resources carried inside a Linux module or program, generated at build time by
// embed_resources() (cmake/EmbedResources.cmake). The backend's weak default lists none.
#pragma once

#include <cstddef>

namespace platform::soft {

struct EmbeddedResource {
    const char* type;  // "FXBANK", or "BITMAP" for a .bmp file kept whole
    int id;
    const unsigned char* data;
    size_t size;
};

const EmbeddedResource* embeddedResources(size_t& count);

}  // namespace platform::soft
