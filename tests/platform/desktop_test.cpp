// The scripted desktop: input, time, message boxes, menus, drag and drop, pictures, reset.
#include "soft_test_support.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

using namespace platform;

namespace {

class Desktop : public SoftDesktopTest {};

class NoEvents : public WindowEvents {
public:
    void onPaint(DeviceContext*, const Rect&) override {}
    void onButtonDown(Point) override {}
    void onDestroy() override {}
};

TEST_F(Desktop, KeysButtonsAndTheCursorAreWhatTestsSay) {
    EXPECT_FALSE(isKeyHeld(Key::MouseLeft));
    soft::holdKey(Key::MouseLeft);
    soft::holdKey(Key::Control);
    EXPECT_TRUE(isKeyHeld(Key::MouseLeft));
    EXPECT_TRUE(isKeyHeld(Key::Control));
    EXPECT_FALSE(isKeyHeld(Key::Shift));
    soft::releaseKey(Key::MouseLeft);
    EXPECT_FALSE(isKeyHeld(Key::MouseLeft));
    EXPECT_TRUE(isKeyHeld(Key::Control));

    setCursorPosition({-20, 1500});
    EXPECT_EQ(cursorPosition().x, -20);
    EXPECT_EQ(cursorPosition().y, 1500);
    setCursorPosition({3, 4});
    const std::vector<Point> warps = soft::cursorWarps();
    ASSERT_EQ(warps.size(), 2u);
    EXPECT_EQ(warps[0].y, 1500);
    EXPECT_EQ(warps[1].x, 3);
    showCursor(false);
    showCursor(false);
    showCursor(true);
    EXPECT_EQ(soft::cursorShowCount(), -1);

    NoEvents events;
    Window* child = createChildWindow(nullptr, 10, 10, &events);
    setCursorShape(child, CursorShape::SizeNorthSouth);
    EXPECT_EQ(soft::classCursorShape(), CursorShape::SizeNorthSouth);
    EXPECT_EQ(soft::currentCursorShape(), CursorShape::SizeNorthSouth);
    setCursorShape(nullptr, CursorShape::Arrow);  // no window: only the current cursor
    EXPECT_EQ(soft::classCursorShape(), CursorShape::SizeNorthSouth);
    EXPECT_EQ(soft::currentCursorShape(), CursorShape::Arrow);

    EXPECT_EQ(focusWindow(), nullptr);
    soft::setFocusWindow(child);
    EXPECT_EQ(focusWindow(), child);
    destroyChildWindow(child);
    EXPECT_EQ(focusWindow(), nullptr);  // the focus goes with its window

    soft::resetDesktop();
    EXPECT_FALSE(isKeyHeld(Key::Control));
    EXPECT_EQ(soft::cursorShowCount(), 0);
    EXPECT_EQ(cursorPosition().x, 0);
}

TEST_F(Desktop, TheManualClockMovesOnlyWhenToldOrSlept) {
    soft::useManualClock(0xFFFFFFF0u);
    EXPECT_EQ(tickCount(), 0xFFFFFFF0u);
    soft::advanceClock(0x20);
    EXPECT_EQ(tickCount(), 0x10u);  // wraps like the real tick count
    std::vector<uint32_t> hooked;
    soft::setSleepHook([&](uint32_t now) {
        hooked.push_back(now);
        if (hooked.size() == 2) soft::releaseKey(Key::MouseLeft);
    });
    soft::holdKey(Key::MouseLeft);
    // A drag loop as controls run it: poll, sleep, until the button is let go.
    while (isKeyHeld(Key::MouseLeft)) sleepMilliseconds(15);
    EXPECT_EQ(hooked, (std::vector<uint32_t>{0x1F, 0x2E}));
    EXPECT_EQ(soft::totalSleptMilliseconds(), 30u);
    EXPECT_EQ(tickCount(), 0x2Eu);
}

TEST_F(Desktop, TheRealClockRuns) {
    const uint32_t start = tickCount();
    sleepMilliseconds(20);
    EXPECT_GE(uint32_t(tickCount() - start), 15u);
    EXPECT_EQ(soft::totalSleptMilliseconds(), 0u);
}

TEST_F(Desktop, MessageBoxesAreRecordedFromAnyThreadAndWrittenToStandardError) {
    testing::internal::CaptureStderr();
    showMessageBox("Something failed (DEBUG INFO 3)", "Error");
    std::thread([] { showMessageBox(nullptr, nullptr); }).join();
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("Error: Something failed (DEBUG INFO 3)\n"), std::string::npos);
    const auto shown = soft::messageBoxesShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Something failed (DEBUG INFO 3)");
    EXPECT_EQ(shown[0].title, "Error");
    EXPECT_EQ(shown[1].text, "");
    soft::clearMessageBoxes();
    EXPECT_TRUE(soft::messageBoxesShown().empty());
}

TEST_F(Desktop, MenusAreAnsweredFromTheQueueAndRecorded) {
    const std::vector<MenuItem> items = {{1, "absorb", false}, {0, "", false}, {2, "normal", true}};
    soft::answerNextMenu(2);
    soft::answerNextMenu(7);  // not in the menu
    EXPECT_EQ(trackPopupMenu(nullptr, items, {300, 200}, kMenuReturnCommand), 2);
    EXPECT_EQ(trackPopupMenu(nullptr, items, {10, 20}, 0), 0);
    EXPECT_EQ(trackPopupMenu(nullptr, items, {10, 20}, 0), 0);  // nothing queued: dismissed
    soft::answerNextMenu(0);
    EXPECT_EQ(trackPopupMenu(nullptr, items, {10, 20}, 0), 0);
    const auto shown = soft::menusShown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].position.x, 300);
    EXPECT_EQ(shown[0].flags, kMenuReturnCommand);
    ASSERT_EQ(shown[0].items.size(), 3u);
    EXPECT_EQ(shown[0].items[2].text, "normal");
    EXPECT_TRUE(shown[0].items[2].checked);
}

class RecordingReceiver : public DropReceiver {
public:
    DropEffect dragEnter(bool text, bool files, uint32_t keyState) override {
        log.push_back("enter " + std::to_string(text) + std::to_string(files) + " " + std::to_string(keyState));
        return DropEffect::Move;
    }
    DropEffect dragOver(uint32_t keyState) override {
        log.push_back("over " + std::to_string(keyState));
        return keyState & kDropKeyControl ? DropEffect::Copy : DropEffect::Move;
    }
    void dragLeave() override { log.push_back("leave"); }
    void drop(const DropPayload& payload) override {
        log.push_back("drop " + (payload.kind == DropPayload::Kind::Text ? payload.text : payload.files.at(0)));
    }
    std::vector<std::string> log;
};

TEST_F(Desktop, DropsReachTheReceiverRegisteredForTheWindow) {
    NoEvents events;
    Window* child = createChildWindow(nullptr, 10, 10, &events);
    RecordingReceiver receiver;
    EXPECT_FALSE(registerDropTarget(child, &receiver));  // drag and drop is not initialised yet
    initialiseDragAndDrop();
    EXPECT_TRUE(registerDropTarget(child, &receiver));
    EXPECT_FALSE(registerDropTarget(child, &receiver));  // once per window
    EXPECT_TRUE(soft::hasDropTarget(child));

    EXPECT_EQ(soft::deliverDragEnter(child, true, false, 0), DropEffect::Move);
    EXPECT_EQ(soft::deliverDragOver(child, kDropKeyControl), DropEffect::Copy);
    soft::deliverDragLeave(child);
    DropPayload text{DropPayload::Kind::Text, "hello", 6, {}};
    EXPECT_TRUE(soft::deliverDrop(child, text));
    EXPECT_EQ(receiver.log, (std::vector<std::string>{"enter 10 0", "over 8", "leave", "drop hello"}));

    revokeDropTarget(child);
    EXPECT_FALSE(soft::deliverDrop(child, text));
    EXPECT_EQ(soft::deliverDragEnter(child, true, true, 0), DropEffect::None);
    EXPECT_TRUE(registerDropTarget(child, &receiver));
    destroyChildWindow(child);  // the registration goes with the window
    EXPECT_FALSE(soft::hasDropTarget(child));
    uninitialiseDragAndDrop();
    EXPECT_EQ(soft::dragAndDropInitialisations(), 1);
    EXPECT_EQ(soft::dragAndDropUninitialisations(), 1);
}

TEST_F(Desktop, PicturesAreWrittenAsBinaryPixmaps) {
    Canvas canvas(3, 2);
    Brush* blue = createSolidBrush(kBlue);
    fillRect(canvas.context(), {2, 1, 3, 2}, blue);
    deleteBrush(blue);
    const std::string path = testing::TempDir() + "platform_soft_picture.ppm";
    ASSERT_TRUE(soft::saveSurfaceImage(canvas.surface(), path));
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string header = "P6\n3 2\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 3 * 2 * 3);
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.substr(header.size(), 3), "\xFF\xFF\xFF");
    EXPECT_EQ(bytes.substr(bytes.size() - 3), std::string("\0\0\xFF", 3));
    std::remove(path.c_str());
    EXPECT_FALSE(soft::saveSurfaceImage(canvas.surface(), "/nonexistent-folder/picture.ppm"));
    EXPECT_FALSE(soft::saveWindowImage(nullptr, path));
}

TEST_F(Desktop, ResetForgetsWindowsMenusBoxesAndTheClock) {
    NoEvents events;
    Window* child = createChildWindow(nullptr, 10, 10, &events);
    soft::answerNextMenu(1);
    trackPopupMenu(child, {{1, "one", false}}, {0, 0}, 0);
    soft::answerNextMenu(1);
    testing::internal::CaptureStderr();
    showMessageBox("box", "Error");
    testing::internal::GetCapturedStderr();
    soft::useManualClock(5);
    initialiseDragAndDrop();
    soft::resetDesktop();
    EXPECT_FALSE(soft::isWindow(child));
    EXPECT_TRUE(soft::menusShown().empty());
    EXPECT_EQ(trackPopupMenu(nullptr, {{1, "one", false}}, {0, 0}, 0), 0);  // the queued answer is gone
    EXPECT_TRUE(soft::messageBoxesShown().empty());
    EXPECT_EQ(soft::dragAndDropInitialisations(), 0);
    EXPECT_NE(tickCount(), 5u);
}

}  // namespace
