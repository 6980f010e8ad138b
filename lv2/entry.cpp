// The DSP binary's one exported symbol.
#include "lv2/Lv2Descriptor.h"

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? spatialiserDescriptor() : nullptr;
}
