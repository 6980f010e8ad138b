// The LV2 plug-in's effect, GUI-free: its UI is a binary of its own that reaches it through the
// ports only, its presets live in the bundle instead of a factory bank, and it has no window to
// put an error into, so errors go to the host's standard error.
#include <cstdarg>
#include <cstdio>

#include "editor/ErrorBoxes.h"
#include "effect/CEffect.h"

void CEffect::createEditor() {}

// Called only while an editor exists, which it never does here.
void CEffect::notifyEditor(int32_t, float) {}

void CEffect::loadFactoryBankResource() {}

// The host's content scale is for an editor; the UI binary takes the LV2 host's own.
intptr_t CEffect::vendorSpecific(int32_t, intptr_t, void*, float) { return 0; }

void showErrorBox(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
}
