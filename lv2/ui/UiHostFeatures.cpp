#include "lv2/ui/UiHostFeatures.h"

#include <cstring>

UiHostFeatures readUiHostFeatures(const LV2_Feature* const* features) {
    UiHostFeatures found;
    for (const LV2_Feature* const* entry = features; entry && *entry; ++entry) {
        const LV2_Feature& feature = **entry;
        if (!feature.URI) continue;
        if (std::strcmp(feature.URI, LV2_UI__parent) == 0)
            found.parent = feature.data;
        else if (std::strcmp(feature.URI, LV2_UI__resize) == 0)
            found.resize = static_cast<const LV2UI_Resize*>(feature.data);
        else if (std::strcmp(feature.URI, LV2_UI__touch) == 0)
            found.touch = static_cast<const LV2UI_Touch*>(feature.data);
    }
    return found;
}
