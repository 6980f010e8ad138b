#include "Skin.h"

namespace skin {

Skin paintSkin() {
    Skin skin;
    auto background = paintBackground();
    const Canvas& panel = *background;
    skin.bitmaps[102] = paintDisc(panel, false);
    skin.bitmaps[103] = paintDisc(panel, true);
    skin.icon = paintIcon();
    for (int id : {105, 106, 107}) skin.bitmaps[id] = paintTrack(panel, id);
    skin.bitmaps[108] = paintHandle();
    skin.bitmaps[109] = paintButton();
    skin.bitmaps[110] = paintSwitch(panel);
    skin.bitmaps[111] = paintKnob();
    skin.bitmaps[112] = paintMenu(panel, false);
    skin.bitmaps[113] = paintMenu(panel, true);
    for (int id = 114; id <= 120; ++id) {
        skin.bitmaps[id] = paintReadout(panel, id, false);
        skin.bitmaps[id + 7] = paintReadout(panel, id + 7, true);
    }
    skin.bitmaps[128] = paintMarkers();
    skin.bitmaps[101] = std::move(background);
    return skin;
}

}  // namespace skin
