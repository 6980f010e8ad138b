#include "editor_test_support.h"

#include <ostream>

namespace editor_test {

std::ostream& operator<<(std::ostream& out, const Gesture& gesture) {
    const char* kind = gesture.opcode == audioMasterBeginEdit ? "begin"
                       : gesture.opcode == audioMasterEndEdit ? "end"
                                                               : "automate";
    out << kind << " " << gesture.index;
    if (gesture.opcode == audioMasterAutomate)
        out << " = " << gesture.value;
    return out;
}

void EditorTest::SetUp() {
    platform::soft::resetDesktop();
    platform::soft::useManualClock(1000);
    effect = std::make_unique<CEffect>(host.callback());
    editor = dynamic_cast<CEffectEditor*>(effect->editor);
    ASSERT_NE(editor, nullptr);
    hostWindow = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {100, 100, 554, 369});
    forgetHostCalls();
}

void EditorTest::TearDown() {
    platform::soft::setSleepHook({});
    host.onCall = nullptr;
    effect.reset();
    platform::soft::resetDesktop();
}

void EditorTest::openEditor() {
    ASSERT_EQ(effect->dispatcher(effEditOpen, 0, 0, hostWindow, 0.0f), 1);
    ASSERT_NE(window(), nullptr);
    platform::invalidateWindow(window());
    platform::dispatchOnePendingPaint();
    forgetHostCalls();
}

void EditorTest::tickIdle() {
    platform::soft::advanceClock(100);
    idle();
}

platform::Point EditorTest::devicePoint(CGuiPoint point) const {
    return CGuiScale(screenScale).toDevice(point);
}

void EditorTest::moveMouse(CGuiPoint point) {
    const platform::Rect screen = platform::windowScreenRect(window());
    const platform::Point at = devicePoint(point);
    platform::setCursorPosition({screen.left + at.x, screen.top + at.y});
}

void EditorTest::openAtScale(float scale) {
    screenScale = scale;
    platform::soft::setSystemScale(scale);
    openEditor();
}

void EditorTest::drag(CGuiPoint start, std::vector<CGuiPoint> path, std::vector<platform::Key> buttons) {
    moveMouse(start);
    platform::soft::holdKey(platform::Key::MouseLeft);
    for (platform::Key key : buttons)
        platform::soft::holdKey(key);
    size_t next = 0;
    platform::soft::setSleepHook([&](uint32_t) {
        if (next < path.size()) {
            moveMouse(path[next++]);
            return;
        }
        if (next++ == path.size())
            return;  // one pass more: a loop that reads the pointer after handling it sees the last point
        platform::soft::releaseKey(platform::Key::MouseLeft);
        for (platform::Key key : buttons)
            platform::soft::releaseKey(key);
    });
    platform::soft::pressButton(window(), devicePoint(start));
    platform::soft::setSleepHook({});
    platform::soft::releaseKey(platform::Key::MouseLeft);
    for (platform::Key key : buttons)
        platform::soft::releaseKey(key);
}

void EditorTest::ctrlClick(CGuiPoint point) {
    moveMouse(point);
    platform::soft::holdKey(platform::Key::MouseLeft);
    platform::soft::holdKey(platform::Key::Control);
    platform::soft::setSleepHook([](uint32_t) { platform::soft::releaseKey(platform::Key::MouseLeft); });
    platform::soft::pressButton(window(), devicePoint(point));
    platform::soft::setSleepHook({});
    platform::soft::releaseKey(platform::Key::MouseLeft);
    platform::soft::releaseKey(platform::Key::Control);
}

std::vector<Gesture> EditorTest::gestures() const {
    std::vector<Gesture> result;
    for (const HostCall& call : host.calls) {
        if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit)
            result.push_back({call.opcode, call.index, 0.0f});
        else if (call.opcode == audioMasterAutomate)
            result.push_back({call.opcode, call.index, call.opt});
    }
    return result;
}

std::vector<Gesture> EditorTest::automationOf(int32_t index) const {
    std::vector<Gesture> result;
    for (const Gesture& gesture : gestures()) {
        if (gesture.opcode == audioMasterAutomate && gesture.index == index)
            result.push_back(gesture);
    }
    return result;
}

}  // namespace editor_test
