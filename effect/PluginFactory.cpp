#include "shell/PluginFactory.h"

#include <new>

#include "effect/CEffect.h"

// An effect that cannot be allocated is answered with null; `main` then refuses the load.
AEffPlugin* createEffectInstance(HostCallback hostCallback) {
    try {
        return new CEffect(hostCallback);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
