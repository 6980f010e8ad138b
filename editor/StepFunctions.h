// Keyboard stepping of the editor's controls: the step functions a layout record can select, and
// one step applied to a control the way every arrow key of the editor's own controls does it.
#pragma once

#include "gui/CGuiSkinControl.h"

// (floor(value x stepCount + 0.5) + delta) / stepCount: the value moves to the next grid point.
float linearStep(float delta, float value, float stepCount, int stepArgument);

constexpr int kStepFunctionCount = 1;
extern const StepFunction kStepFunctions[kStepFunctionCount];

// The control's step function by a layout index; an index outside the table selects none.
StepFunction stepFunctionAt(int index);

// One step of `delta`, unless style bit 0x4000 or 0x8000 forbids stepping or there are no steps;
// the result is kept inside the control's bounds.
void stepControl(CGuiSkinControl& control, float delta);
