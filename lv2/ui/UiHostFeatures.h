// What the host offers the UI at instantiation: the window to embed in, and the optional
// resize and touch features and the screen's scale among its options. The UI needs nothing else
// (no instance access).
#pragma once

#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

struct UiHostFeatures {
    void* parent = nullptr;  // the host's X11 window id, carried in the pointer
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;
    const LV2_URID_Map* map = nullptr;
    float scaleFactor = 0.0f;  // the host's ui:scaleFactor option; 0 when it gave none
};

// The host's ui:scaleFactor among `options` (terminated by a null key), or 0. Needs the host's
// URID map to know the option's key and the value's type.
float scaleFactorOption(const LV2_Options_Option* options, const LV2_URID_Map* map);

// Reads a host's null-terminated feature list (which may itself be null).
UiHostFeatures readUiHostFeatures(const LV2_Feature* const* features);
