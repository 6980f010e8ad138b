// The editor base with a frame: the host's editor calls, idle refresh and the idle pump that
// keeps the host running during drags.
#include "gui_test_support.h"

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiFrame.h"

namespace {

using Log = std::vector<std::string>;

class CountingEditor : public AEffGUIEditor {
public:
    explicit CountingEditor(AEffPluginX* effect) : AEffGUIEditor(effect) {}
    void idle() override {
        ++idles;
        AEffGUIEditor::idle();
    }
    void onUpdate() override { ++updates; }
    int idles = 0;
    int updates = 0;
};

class EditorTest : public SoftDesktopTest {
protected:
    void SetUp() override {
        SoftDesktopTest::SetUp();
        platform::soft::useManualClock(1000);
        effect = std::make_unique<TestEffect>();
        editor = new CountingEditor(effect.get());  // the effect owns it
        host = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, 300, 200});
        hostCalls().clear();
    }
    void TearDown() override {
        closeFrame();
        effect.reset();
        SoftDesktopTest::TearDown();
    }
    // Opens a frame with one view, painted once, as a derived editor's open would.
    void openFrame() {
        editor->frame = new CGuiFrame({0, 0, 200, 120}, host, editor);
        view = new ProbeView({10, 10, 60, 60}, "V", log);
        editor->frame->attachView(view);
        platform::invalidateWindow(editor->frame->childWindow);
        platform::dispatchOnePendingPaint();
        log.clear();
    }
    void closeFrame() {
        if (!editor)
            return;
        delete editor->frame;
        editor->frame = nullptr;
    }

    std::unique_ptr<TestEffect> effect;
    CountingEditor* editor = nullptr;
    platform::Window* host = nullptr;
    ProbeView* view = nullptr;
    Log log;
};

TEST_F(EditorTest, TheEditorRectangleIsReportedOnlyByTheFrameEditor) {
    TestEffect plainEffect;
    auto* plain = new AEffEditorBase(&plainEffect);
    ERect* rect = reinterpret_cast<ERect*>(1);
    EXPECT_EQ(plain->getEditorRect(&rect), 0);
    EXPECT_EQ(rect, nullptr);

    editor->editorRect = {0, 0, 269, 454};
    EXPECT_EQ(editor->getEditorRect(&rect), 1);
    EXPECT_EQ(rect, &editor->editorRect);
    EXPECT_EQ(rect->right, 454);
    EXPECT_EQ(effect->editor, editor);
    EXPECT_TRUE(effect->effectRecord.flags & effFlagsHasEditor);
}

TEST_F(EditorTest, WithoutAFrameKeysAndWheelAreNotHandled) {
    VstKeyCode key = {0, VKEY_LEFT, 0};
    EXPECT_EQ(editor->keyDown(key), -1);
    EXPECT_EQ(editor->keyUp(key), -1);
    EXPECT_FALSE(editor->wheelTurned(1.0f));
    EXPECT_EQ(editor->setKnobMode(2), 1);
    editor->repaintAll();
    editor->idle();
}

TEST_F(EditorTest, KeysAndWheelGoToTheFrame) {
    openFrame();
    view->keyAnswer = 1;
    VstKeyCode key = {0, VKEY_DOWN, 0};
    EXPECT_EQ(editor->keyDown(key), 1);
    EXPECT_EQ(editor->keyUp(key), 1);
    platform::setCursorPosition({20, 30});
    EXPECT_TRUE(editor->wheelTurned(-2.0f));
    platform::setCursorPosition({100, 100});
    EXPECT_FALSE(editor->wheelTurned(1.0f));
    EXPECT_EQ(log, (Log{"key V 14", "keyup V 14", "wheel V -2 @20,30"}));
}

TEST_F(EditorTest, OpenAndParameterChangesPostAnUpdateThatIdleDelivers) {
    EXPECT_EQ(editor->open(host), 0);
    EXPECT_EQ(editor->systemWindow, host);
    EXPECT_EQ(editor->updatePending, 1);
    editor->idle();
    EXPECT_EQ(editor->updatePending, 0);
    EXPECT_EQ(editor->updates, 1);
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    editor->setParameter(3, 0.5f);
    EXPECT_EQ(editor->updatePending, 1);
    editor->idle();
    EXPECT_EQ(editor->updates, 2);
}

TEST_F(EditorTest, IdleRepaintsWhatChangedAndRepaintAllPaintsEverything) {
    openFrame();
    editor->idle();
    EXPECT_TRUE(log.empty());
    view->markRepaint(true);
    editor->idle();
    EXPECT_EQ(log, Log{"paint V"});
    log.clear();
    editor->repaintAll();
    EXPECT_EQ(log, Log{"paint V"});
    EXPECT_EQ(platform::soft::windowPixel(editor->frame->childWindow, 30, 30), kRed);
}

TEST_F(EditorTest, TheFirstPumpAfterConstructionIdlesAtOnce) {
    editor->idlePump();
    EXPECT_EQ(editor->idles, 1);
    EXPECT_EQ(platform::soft::totalSleptMilliseconds(), 0u);
    EXPECT_EQ(countHostCalls(audioMasterIdle), 1);
    EXPECT_EQ(editor->nextIdleTime, 1100u);
    EXPECT_FALSE(editor->inIdlePump);
}

TEST_F(EditorTest, ThePumpSleepsUntilTheNextIdleIsWithin50Milliseconds) {
    editor->idlePump();  // at 1000: the next idle is due at 1100
    platform::soft::advanceClock(10);
    editor->idlePump();  // 1010 + 4 is 86 ms early
    EXPECT_EQ(platform::soft::totalSleptMilliseconds(), 4u);
    EXPECT_EQ(editor->idles, 1);
    EXPECT_EQ(countHostCalls(audioMasterIdle), 1);
    EXPECT_EQ(platform::tickCount(), 1014u);

    platform::soft::advanceClock(46);  // 1060, 60 ms after the idle
    editor->idlePump();                // 1064 is 36 ms early: idle
    EXPECT_EQ(platform::soft::totalSleptMilliseconds(), 8u);
    EXPECT_EQ(editor->idles, 2);
    EXPECT_EQ(countHostCalls(audioMasterIdle), 2);
    EXPECT_EQ(editor->nextIdleTime, 1164u);
}

TEST_F(EditorTest, AContinuousDragIdlesOnceEveryThirteenPasses) {
    editor->idlePump();
    std::vector<uint32_t> idleTimes;
    setHostHook([&](int32_t opcode) {
        if (opcode == audioMasterIdle)
            idleTimes.push_back(platform::tickCount());
    });
    while (platform::tickCount() < 1500)
        editor->idlePump();  // every pass sleeps 4 ms until an idle is due
    ASSERT_GE(idleTimes.size(), 2u);
    for (size_t i = 1; i < idleTimes.size(); ++i)
        EXPECT_EQ(idleTimes[i] - idleTimes[i - 1], 52u);  // 13 sleeps of 4 ms reach 50 ms before the due time
}

TEST_F(EditorTest, ThePumpKeepsIdlingWhenTheTickCountWraps) {
    platform::soft::useManualClock(0xFFFFFF00u);
    TestEffect other;
    auto* wrapping = new CountingEditor(&other);
    wrapping->idlePump();  // the next idle is due at 0xFFFFFF64
    platform::soft::advanceClock(0x100 + 10);  // the tick count wrapped to 10
    wrapping->idlePump();
    EXPECT_EQ(wrapping->idles, 2);
    EXPECT_EQ(platform::soft::totalSleptMilliseconds(), 0u);
    platform::soft::advanceClock(20);
    wrapping->idlePump();
    EXPECT_EQ(wrapping->idles, 2);  // and waits normally after it
}

TEST_F(EditorTest, ThePumpHandlesOnePendingPaint) {
    openFrame();
    platform::invalidateWindow(editor->frame->childWindow);
    EXPECT_TRUE(platform::soft::paintPending(editor->frame->childWindow));
    editor->idlePump();
    EXPECT_FALSE(platform::soft::paintPending(editor->frame->childWindow));
    EXPECT_EQ(log, Log{"paint V"});
}

TEST_F(EditorTest, AnIdleArrivingWhileThePumpCallsTheHostDoesNotRepaint) {
    openFrame();
    editor->postUpdate();
    bool pumpWasMarked = false;
    setHostHook([&](int32_t opcode) {
        if (opcode != audioMasterIdle)
            return;
        pumpWasMarked = editor->inIdlePump;
        view->markRepaint(true);
        editor->postUpdate();
        editor->idle();  // the host's idle re-enters the editor
    });
    editor->idlePump();
    EXPECT_TRUE(pumpWasMarked);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(view->needsRepaint());
    EXPECT_EQ(editor->updatePending, 1);
    EXPECT_EQ(editor->updates, 1);  // from the pump's own idle, before the host call
    setHostHook(nullptr);
    editor->idle();
    EXPECT_EQ(log, Log{"paint V"});
}

TEST_F(EditorTest, ConstructionAndDestructionBalanceDragAndDrop) {
    const int initialisations = platform::soft::dragAndDropInitialisations();
    effect.reset();
    editor = nullptr;
    EXPECT_EQ(platform::soft::dragAndDropUninitialisations(), initialisations);
}

}  // namespace
