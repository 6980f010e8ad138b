#include "shell/PluginFactory.h"

#include "effect/CEffect.h"

// A failed allocation throws on to `main`, which refuses the load.
AEffPlugin* createEffectInstance(HostCallback hostCallback) { return new CEffect(hostCallback); }
