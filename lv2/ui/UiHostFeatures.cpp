#include "lv2/ui/UiHostFeatures.h"

#include <lv2/atom/atom.h>

#include <cstring>

float scaleFactorOption(const LV2_Options_Option* options, const LV2_URID_Map* map) {
    if (!options || !map) return 0.0f;
    const LV2_URID scaleFactor = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    for (const LV2_Options_Option* option = options; option->key != 0; ++option) {
        if (option->key != scaleFactor || option->type != floatType || option->size != sizeof(float) || !option->value)
            continue;
        float factor;
        std::memcpy(&factor, option->value, sizeof factor);
        return factor;
    }
    return 0.0f;
}

UiHostFeatures readUiHostFeatures(const LV2_Feature* const* features) {
    UiHostFeatures found;
    const LV2_Options_Option* options = nullptr;
    for (const LV2_Feature* const* entry = features; entry && *entry; ++entry) {
        const LV2_Feature& feature = **entry;
        if (!feature.URI) continue;
        if (std::strcmp(feature.URI, LV2_UI__parent) == 0)
            found.parent = feature.data;
        else if (std::strcmp(feature.URI, LV2_UI__resize) == 0)
            found.resize = static_cast<const LV2UI_Resize*>(feature.data);
        else if (std::strcmp(feature.URI, LV2_UI__touch) == 0)
            found.touch = static_cast<const LV2UI_Touch*>(feature.data);
        else if (std::strcmp(feature.URI, LV2_URID__map) == 0)
            found.map = static_cast<const LV2_URID_Map*>(feature.data);
        else if (std::strcmp(feature.URI, LV2_OPTIONS__options) == 0)
            options = static_cast<const LV2_Options_Option*>(feature.data);
    }
    // The options may come before the map in the list.
    found.scaleFactor = scaleFactorOption(options, found.map);
    return found;
}
