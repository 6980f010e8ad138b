// What the host offers the UI at instantiation: the window to embed in, and the optional
// resize and touch features. The UI needs nothing else (no URID map, no instance access).
#pragma once

#include <lv2/ui/ui.h>

struct UiHostFeatures {
    void* parent = nullptr;  // the host's X11 window id, carried in the pointer
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;
};

// Reads a host's null-terminated feature list (which may itself be null).
UiHostFeatures readUiHostFeatures(const LV2_Feature* const* features);
