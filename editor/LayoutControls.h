// One control built from one record of the layout table.
#pragma once

#include "editor/EditorLayout.h"

class CGuiBitmap;
class CGuiControlListener;
class CGuiSkinControl;

// `bitmaps` holds the skin by bitmap index (entry 0 null); `built` the controls of the records
// before `index`, where a linked value finds its position view. Null for a kind the table does
// not use or a linked value without its view. The step function, value and reset value are the
// caller's to set.
CGuiSkinControl* createLayoutControl(const ControlLayout* layout, int index, CGuiControlListener* listener,
                                     CGuiBitmap* const* bitmaps, int bitmapCount, CGuiSkinControl* const* built);
