// The skin's colours and the few sizes that are not the layout's: one place to change the look.
#pragma once

#include "SkinCanvas.h"
#include "editor/EditorLayout.h"

namespace skin {

inline Rgb layoutRgb(CGuiColor colour) { return rgb(colour.red, colour.green, colour.blue); }

// Panel
constexpr Rgb kFace = rgb(45, 47, 52);         // the flat face every shared control bitmap sits on
constexpr Rgb kBandTop = rgb(36, 37, 41);      // the title band
constexpr Rgb kBandBottom = rgb(30, 31, 35);
constexpr Rgb kEngraveDark = rgb(24, 25, 28);  // engraved lines: a dark cut with a lit lower lip
constexpr Rgb kEngraveLight = rgb(64, 67, 73);
constexpr Rgb kLabel = rgb(178, 182, 189);
constexpr Rgb kLabelDim = rgb(120, 124, 131);
constexpr Rgb kTitle = rgb(232, 234, 237);

// The lit accent
inline const Rgb kOrange = layoutRgb(kLayoutOrange);
inline const Rgb kAmber = layoutRgb(kLayoutAmber);

// Wells, grooves and displays
constexpr Rgb kWell = rgb(17, 18, 21);
constexpr Rgb kDisplay = rgb(212, 214, 206);
constexpr Rgb kDisplayEdge = rgb(150, 152, 146);

// Sizes the layout does not give: the panel (the editor's size), the slider handle, the icon.
constexpr int kPanelWidth = 454;
constexpr int kPanelHeight = 269;
constexpr int kHandleWidth = 18;
constexpr int kHandleHeight = 16;
constexpr int kIconSize = 15;
constexpr int kIconPaletteSize = 102;

// Label type: small bold capitals with a little tracking.
constexpr double kLabelSize = 7.0;
constexpr double kLabelTracking = 0.7;

// Vertical centres of the waveform switch's lever in its three images (bottom, middle, top);
// the panel draws the waveform icons beside them.
constexpr double kLeverCentre[3] = {31.5, 20.0, 8.5};

// Keyed bitmaps: the key, and the brightest colour a visible pixel may have.
constexpr uint32_t kKeyWhite = 0xffffff;

}  // namespace skin
