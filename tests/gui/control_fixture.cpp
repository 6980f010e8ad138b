#include "control_fixture.h"

void RecordingListener::valueChanged(CGuiContext* context, CGuiControl* control) {
    changes.push_back({control->currentValue(), context != nullptr, platform::isKeyHeld(platform::Key::MouseLeft)});
    if (context)
        control->refresh(context);
    if (onChange)
        onChange();
}

CGuiBitmap* Bitmaps::get(int resource) {
    loaded_.push_back(new CGuiBitmap(resource));
    return loaded_.back();
}

Bitmaps::~Bitmaps() {
    for (CGuiBitmap* bitmap : loaded_)
        bitmap->release();
}

void ControlTest::SetUp() {
    SoftDesktopTest::SetUp();
    platform::soft::useManualClock(1000);
    effect = std::make_unique<TestEffect>();
    editor = new AEffGUIEditor(effect.get());
    host = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, kHostRect);
    frame = new CGuiFrame(kFrameRect, host, editor);
    editor->frame = frame;
    gMouseTracking = false;
    platform::soft::setSleepHook([this](uint32_t) {
        if (nextStep_ < steps_.size()) {
            steps_[nextStep_++]();
            return;
        }
        for (platform::Key key : heldKeys_)
            platform::soft::releaseKey(key);
        heldKeys_.clear();
    });
}

void ControlTest::TearDown() {
    closeEditor();
    effect.reset();
    SoftDesktopTest::TearDown();
}

void ControlTest::closeEditor() {
    if (editor)
        editor->frame = nullptr;
    delete frame;
    frame = nullptr;
}

void ControlTest::paintWindow() {
    platform::invalidateWindow(frame->childWindow);
    platform::dispatchOnePendingPaint();
}

platform::Colour ControlTest::pixel(int x, int y) const {
    return platform::soft::windowPixel(frame->childWindow, x, y);
}

void ControlTest::moveMouse(int h, int v) {
    platform::setCursorPosition({kHostRect.left + h, kHostRect.top + v});
}

void ControlTest::press(CGuiPoint point, std::vector<std::function<void()>> steps, std::vector<platform::Key> keys) {
    steps_ = std::move(steps);
    nextStep_ = 0;
    heldKeys_ = keys;
    moveMouse(point.h, point.v);
    for (platform::Key key : keys)
        platform::soft::holdKey(key);
    platform::soft::pressButton(frame->childWindow, {point.h, point.v});
    // A press that runs no loop leaves its keys to the test's end.
    for (platform::Key key : heldKeys_)
        platform::soft::releaseKey(key);
    heldKeys_.clear();
}
