// Short forms of the calls a host makes through an effect record.
#pragma once

#include "shell/vst2.h"

inline intptr_t dispatch(AEffect* effect, int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                         float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

// Closes the instance; the record is gone afterwards. Answers what the dispatcher answered.
inline intptr_t closeEffect(AEffect* effect) { return dispatch(effect, effClose); }
