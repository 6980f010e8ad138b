// Each module defines this one function: the plug-in its effect class, the shell's tests a test
// effect. `main` calls it once per instance and owns nothing else.
#pragma once

#include "shell/vst2.h"

class AEffPlugin;

AEffPlugin* createEffectInstance(HostCallback hostCallback);
