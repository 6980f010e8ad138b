#include "editor/LayoutControls.h"

#include "editor/CLinkedValue.h"
#include "editor/CPositionSwitch.h"
#include "editor/CPositionView.h"
#include "editor/CStripKnob.h"
#include "effect/ValueConverters.h"
#include "gui/CGuiOnOffButton.h"
#include "gui/CGuiOptionMenu.h"
#include "gui/CGuiValueDisplay.h"
#include "gui/CGuiVerticalSlider.h"

namespace {

class RecordBitmaps {
public:
    RecordBitmaps(CGuiBitmap* const* bitmaps, int count) : bitmaps_(bitmaps), count_(count) {}
    CGuiBitmap* operator()(int32_t index) const { return index > 0 && index < count_ ? bitmaps_[index] : nullptr; }

private:
    CGuiBitmap* const* bitmaps_;
    int count_;
};

CGuiSkinControl* createSlider(const ControlLayout& record, CGuiControlListener* listener, const RecordBitmaps& bitmap) {
    return new CGuiVerticalSlider(record.rect(), listener, record.tag, record.top + record.p[0],
                                  record.top + record.p[1], bitmap(record.bitmap), bitmap(record.bitmapHighlight),
                                  bitmap(record.bitmapForeground), bitmap(record.bitmapForegroundHighlight),
                                  record.offset, record.offset2, record.seeThrough != 0, record.keyed != 0,
                                  record.style, record.stepCount, record.stepArgument);
}

// The text style of a read-out or a menu: font, size and alignment from three fields starting at
// `fontField`, background, highlighted background and text colours from three at `colourField`.
void styleText(CGuiValueDisplay& display, const ControlLayout& record, int fontField, int colourField) {
    display.setDisplayFont(record.p[fontField]);
    display.setDisplayFontSize(record.p[fontField + 1]);
    display.setDisplayAlignment(record.p[fontField + 2]);
    display.setDisplayBackColor(layoutColor(record.p[colourField]));
    display.setDisplayHighlightColor(layoutColor(record.p[colourField + 1]));
    display.setDisplayTextColor(layoutColor(record.p[colourField + 2]));
    display.textInset() = record.offset2;
}

CGuiSkinControl* createValueDisplay(const ControlLayout& record, CGuiControlListener* listener,
                                    const RecordBitmaps& bitmap) {
    auto* display = new CGuiValueDisplay(record.rect(), listener, record.tag, bitmap(record.bitmap),
                                         bitmap(record.bitmapHighlight), bitmap(record.bitmapPressed), record.p[4],
                                         record.p[5], record.style, record.stepCount, record.stepArgument);
    styleText(*display, record, 0, 6);
    if (record.p[3] >= 0 && record.p[3] < kValueConverterCount)
        display->setTextConverter(kValueConverters[record.p[3]]);
    return display;
}

CGuiSkinControl* createOptionMenu(const ControlLayout& record, CGuiControlListener* listener,
                                  const RecordBitmaps& bitmap) {
    const int list = record.p[0];
    const int listCount = static_cast<int>(sizeof kMenuLists / sizeof kMenuLists[0]);
    auto* menu = new CGuiOptionMenu(record.rect(), listener, record.tag, bitmap(record.bitmap),
                                    bitmap(record.bitmapHighlight), bitmap(record.bitmapPressed),
                                    list >= 0 && list < listCount ? &kMenuLists[list] : nullptr, record.style);
    styleText(*menu, record, 1, 4);
    return menu;
}

CGuiSkinControl* createPositionView(const ControlLayout& record, CGuiControlListener* listener,
                                    const RecordBitmaps& bitmap) {
    return new CPositionView(record.rect(), listener, record.tag, bitmap(record.bitmap), bitmap(record.bitmapHighlight),
                             bitmap(record.bitmapForeground), bitmap(record.bitmapForegroundHighlight),
                             bitmap(record.p[5]), bitmap(record.p[6]), record.keyed != 0, {record.p[3], record.p[4]},
                             record.p[1], record.p[2], {record.p[7], record.p[8]}, record.p[9]);
}

// The first position view of the same link number, built earlier from the table.
CGuiSkinControl* createLinkedValue(const ControlLayout* layout, int index, CGuiControlListener* listener,
                                   CGuiSkinControl* const* built) {
    const ControlLayout& record = layout[index];
    for (int i = 0; i < index; ++i) {
        if (layout[i].kind != kCtlPositionView || layout[i].p[0] != record.p[0])
            continue;
        auto* view = dynamic_cast<CPositionView*>(built[i]);
        return view ? new CLinkedValue(record.rect(), listener, record.tag, view) : nullptr;
    }
    return nullptr;
}

}  // namespace

CGuiSkinControl* createLayoutControl(const ControlLayout* layout, int index, CGuiControlListener* listener,
                                     CGuiBitmap* const* bitmaps, int bitmapCount, CGuiSkinControl* const* built) {
    const ControlLayout& record = layout[index];
    const RecordBitmaps bitmap(bitmaps, bitmapCount);
    switch (record.kind) {
    case kCtlVerticalSlider:
        return createSlider(record, listener, bitmap);
    case kCtlValueDisplay:
        return createValueDisplay(record, listener, bitmap);
    case kCtlKnob:
        return new CStripKnob(record.rect(), listener, record.tag, record.p[0], record.p[1], bitmap(record.bitmap),
                              bitmap(record.bitmapHighlight), record.p[2], record.p[3], record.offset,
                              record.stepCount, record.stepArgument);
    case kCtlPositionSwitch:
        return new CPositionSwitch(record.rect(), listener, record.tag, record.p[0], record.p[1], record.p[2],
                                   bitmap(record.bitmap), bitmap(record.bitmapHighlight), record.offset);
    case kCtlOnOffButton:
        return new CGuiOnOffButton(record.rect(), listener, record.tag, bitmap(record.bitmap),
                                   bitmap(record.bitmapHighlight), record.style);
    case kCtlOptionMenu:
        return createOptionMenu(record, listener, bitmap);
    case kCtlPositionView:
        return createPositionView(record, listener, bitmap);
    case kCtlLinkedValue:
        return createLinkedValue(layout, index, listener, built);
    default:
        return nullptr;
    }
}
