// A host that closes the editor from inside the idle a drag pumps, and a host that automates the
// parameters from its audio thread while the editor opens, idles, is dragged and closes.
#include "editor_test_support.h"

#include <atomic>
#include <thread>

#include "effect/ParameterTable.h"

namespace editor_test {
namespace {

class CloseDuringDrag : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
    }
    void closeAtTheFirstHostIdle() {
        host.onCall = [this](const HostCall& call) {
            if (call.opcode == audioMasterIdle && !closed) {
                closed = true;
                closeEditor();
            }
        };
    }
    // A drag from `start` that would go on through `path` if the editor stayed open; then the
    // editor opens again. Returns the edits the host received during the drag.
    std::vector<Gesture> dragUntilClosed(CGuiPoint start, std::vector<CGuiPoint> path) {
        closed = false;
        platform::soft::advanceClock(200);  // the pump's first pass idles the host at once
        closeAtTheFirstHostIdle();
        drag(start, std::move(path));
        host.onCall = nullptr;
        EXPECT_TRUE(closed);
        EXPECT_EQ(editor->frame, nullptr);
        EXPECT_FALSE(gMouseTracking);
        std::vector<Gesture> edits;
        for (const Gesture& gesture : gestures()) {
            if (gesture.opcode != audioMasterAutomate)
                edits.push_back(gesture);
        }
        idle();  // lets the closed frame go
        openEditor();
        idle();
        return edits;
    }
    bool closed = false;
};

TEST_F(CloseDuringDrag, TheKnobsLoopEndsAndTheGestureIsClosed) {
    EXPECT_EQ(dragUntilClosed({238, 90}, {{252, 102}, {224, 102}}),
              (std::vector<Gesture>{begin(kAzimuthDepthSlider), end(kAzimuthDepthSlider)}));
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 0.5f) << "only the press was handled";
}

TEST_F(CloseDuringDrag, ThePositionViewsLoopEndsAndBothGesturesAreClosed) {
    closeAtTheFirstHostIdle();
    drag({163, 145}, {{103, 245}, {73, 145}});
    host.onCall = nullptr;
    ASSERT_TRUE(closed);
    const std::vector<Gesture> expected = {begin(kAzimuthSlider), begin(kDistanceSlider),
                                           automate(kAzimuth, 0.75f), automate(kAzimuthSlider, 0.75f),
                                           end(kAzimuthSlider), end(kDistanceSlider)};
    std::vector<Gesture> edits;
    for (const Gesture& gesture : gestures()) {
        if (gesture.opcode != audioMasterAutomate || gesture.index == kAzimuth || gesture.index == kAzimuthSlider)
            edits.push_back(gesture);
    }
    EXPECT_EQ(edits, expected);
    idle();
    openEditor();
    EXPECT_EQ(control(kRowAzimuthSlider)->currentValue(), 0.75f);
}

TEST_F(CloseDuringDrag, TheSlidersAndSwitchsLoopsEndToo) {
    EXPECT_EQ(dragUntilClosed({210, 150}, {{210, 80}}),
              (std::vector<Gesture>{begin(kAzimuthSlider), end(kAzimuthSlider)}));
    EXPECT_EQ(dragUntilClosed({236, 216}, {{236, 180}}),
              (std::vector<Gesture>{begin(kAzimuthWaveform), end(kAzimuthWaveform)}));
}

// Answers the host's calls from any thread and counts the gestures begun.
std::atomic<int> gesturesBegun{0};
intptr_t VSTCALL quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterBeginEdit)
        gesturesBegun.fetch_add(1);
    return opcode == audioMasterVersion ? 2400 : 0;
}

TEST(EditorThreads, AutomationOnTheAudioThreadMeetsTheEditorOnTheGuiThread) {
    platform::soft::resetDesktop();
    platform::soft::useManualClock(1000);
    CEffect effect(quietHost);
    platform::Window* hostWindow =
        platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, 454, 269});
    std::atomic<bool> running{true};
    std::thread audio([&] {
        float value = 0.0f;
        while (running.load()) {
            for (int32_t index = 0; index < kNumParameters; ++index)
                effect.setParameter(index, value);
            value = value >= 1.0f ? 0.0f : value + 0.01f;
        }
    });
    for (int round = 0; round < 20; ++round) {
        effect.dispatcher(effEditOpen, 0, 0, hostWindow, 0.0f);
        auto* editor = dynamic_cast<CEffectEditor*>(effect.editor);
        platform::Window* child = editor->frame->childWindow;
        platform::invalidateWindow(child);
        platform::dispatchOnePendingPaint();
        for (int i = 0; i < 5; ++i) {
            platform::soft::advanceClock(100);
            effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        }
        // A knob drag of a few passes.
        platform::setCursorPosition({238, 90});
        platform::soft::holdKey(platform::Key::MouseLeft);
        int passes = 0;
        platform::soft::setSleepHook([&](uint32_t) {
            platform::setCursorPosition({238 + passes, 102 - passes});
            if (++passes == 10)
                platform::soft::releaseKey(platform::Key::MouseLeft);
        });
        platform::soft::pressButton(child, {238, 90});
        platform::soft::setSleepHook({});
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    }
    running.store(false);
    audio.join();
    EXPECT_EQ(gesturesBegun.load(), 20);
    platform::soft::resetDesktop();
}

}  // namespace
}  // namespace editor_test
