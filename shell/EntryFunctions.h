// The five functions the effect record points at. Each finds the effect object through the
// record's `object` field and forwards to one of its virtual operations.
#pragma once

#include "shell/vst2.h"

intptr_t VSTCALL dispatcherEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
void VSTCALL processEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames);
void VSTCALL processReplacingEntry(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames);
void VSTCALL setParameterEntry(AEffect* effect, int32_t index, float value);
float VSTCALL getParameterEntry(AEffect* effect, int32_t index);
