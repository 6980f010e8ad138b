#include "editor/StepFunctions.h"

#include <cmath>

namespace {

constexpr int kStyleNoStepping = 0x4000 | 0x8000;

}  // namespace

float linearStep(float delta, float value, float stepCount, int) {
    return (std::floor(value * stepCount + 0.5f) + delta) / stepCount;
}

const StepFunction kStepFunctions[kStepFunctionCount] = {linearStep};

StepFunction stepFunctionAt(int index) {
    return index >= 0 && index < kStepFunctionCount ? kStepFunctions[index] : nullptr;
}

void stepControl(CGuiSkinControl& control, float delta) {
    if ((control.styleBits & kStyleNoStepping) != 0 || control.stepCount == 0.0f)
        return;
    const float value = control.currentValue();
    control.setCurrentValue(control.stepFunction
                                ? control.stepFunction(delta, value, control.stepCount, control.stepArgument)
                                : linearStep(delta, value, control.stepCount, control.stepArgument));
    control.clampValue();
}
