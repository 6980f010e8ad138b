// The effect's editor with every parameter at its default, as the soft backend paints it after
// the first paint and one idle: data/editor_default.ppm, which the Windows module's editor must
// reproduce in a real window.
#pragma once

#include <vector>

#include "editor/EditorLayout.h"

namespace editor_reference {

constexpr int kResource = 1104;  // type "REFERENCE"

// The read-outs and the menu draw text at run time with the system's rasteriser; the rest of the
// panel is bitmaps, fills and polygons and must agree to the pixel.
inline std::vector<CGuiRect> textAreas() {
    std::vector<CGuiRect> areas;
    for (const ControlLayout& record : kEditorLayout) {
        if (record.kind == kCtlValueDisplay || record.kind == kCtlOptionMenu) areas.push_back(record.rect());
    }
    return areas;
}

}  // namespace editor_reference
