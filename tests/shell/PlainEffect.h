// An effect that keeps every default of the framework: it overrides only the pure operation.
#pragma once

#include "shell/AEffPluginX.h"

class PlainEffect : public AEffPluginX {
public:
    explicit PlainEffect(HostCallback hostCallback = nullptr, int32_t numPrograms = 10, int32_t numParams = 4)
        : AEffPluginX(hostCallback, numPrograms, numParams) {}
    void process(float**, float**, int32_t) override {}
};
