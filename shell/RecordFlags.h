// Sets or clears one bit of the effect record's flags.
#pragma once

#include "shell/vst2.h"

inline void setRecordFlag(AEffect& record, int32_t flag, bool state) {
    if (state) {
        record.flags |= flag;
    } else {
        record.flags &= ~flag;
    }
}
