// Child windows of host windows, painting and window contexts.
#include "soft_test_support.h"

#include <thread>
#include <vector>

using namespace platform;

namespace {

class Windows : public SoftDesktopTest {};

// Records what a window reports; paints its area in `colour`.
class Recorder : public WindowEvents {
public:
    explicit Recorder(Colour colour = kRed) : colour(colour) {}
    void onPaint(DeviceContext* context, const Rect& area) override {
        areas.push_back(area);
        Brush* brush = createSolidBrush(colour);
        fillRect(context, area, brush);
        deleteBrush(brush);
        if (duringPaint) duringPaint();
    }
    void onButtonDown(Point point) override { presses.push_back(point); }
    void onDestroy() override { ++destroys; }

    Colour colour;
    std::vector<Rect> areas;
    std::vector<Point> presses;
    int destroys = 0;
    std::function<void()> duringPaint;
};

constexpr uint32_t kOverlapped = 0x00CF0000;

TEST_F(Windows, ChildWindowsSitAtTheTopLeftOfTheirHostWindow) {
    Window* frame = soft::createHostWindow(nullptr, kOverlapped, {100, 50, 700, 500});
    Window* client = soft::createHostWindow(frame, 0x40000000, {108, 80, 692, 492});
    Recorder events;
    Window* child = createChildWindow(client, 454, 269, &events);
    ASSERT_NE(child, nullptr);
    const Rect rect = windowScreenRect(child);
    EXPECT_EQ(rect.left, 108);
    EXPECT_EQ(rect.top, 80);
    EXPECT_EQ(rect.right, 108 + 454);
    EXPECT_EQ(rect.bottom, 80 + 269);
    EXPECT_EQ(parentWindow(child), client);
    EXPECT_EQ(parentWindow(client), frame);
    EXPECT_EQ(parentWindow(frame), nullptr);
    EXPECT_EQ(windowStyle(frame), kOverlapped);
    EXPECT_EQ(windowStyle(child) & kStyleCaption, 0u);
    EXPECT_NE(windowStyle(child), 0u);
    EXPECT_EQ(soft::childWindows(client), std::vector<Window*>{child});
    destroyChildWindow(child);
}

TEST_F(Windows, AnUnknownParentIsOnlyAKey) {
    // What a Linux host passes: an X11 window id, never to be dereferenced.
    Recorder events;
    Window* child = createChildWindow(reinterpret_cast<void*>(uintptr_t(0x3a00007)), 40, 30, &events);
    ASSERT_NE(child, nullptr);
    const Rect rect = windowScreenRect(child);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 40);
    EXPECT_EQ(rect.bottom, 30);
    EXPECT_EQ(parentWindow(child), nullptr);
    destroyChildWindow(child);
    EXPECT_EQ(createChildWindow(nullptr, 1 << 20, 1 << 20, &events), nullptr);  // too large
}

TEST_F(Windows, OnePaintWaitsPerWindowAndPaintsTheWholeWindow) {
    Recorder events;
    Window* child = createChildWindow(nullptr, 30, 20, &events);
    EXPECT_TRUE(soft::paintPending(child));  // a new window has everything to paint
    for (int i = 0; i < 5; ++i) invalidateWindow(child);
    dispatchOnePendingPaint();
    ASSERT_EQ(events.areas.size(), 1u);
    EXPECT_EQ(events.areas[0].right, 30);
    EXPECT_EQ(events.areas[0].bottom, 20);
    EXPECT_FALSE(soft::paintPending(child));
    dispatchOnePendingPaint();
    EXPECT_EQ(events.areas.size(), 1u);
    EXPECT_EQ(soft::windowPixel(child, 0, 0), kRed);
    EXPECT_EQ(soft::windowPixel(child, 29, 19), kRed);
    EXPECT_EQ(soft::windowPixel(child, 30, 19), 0u);  // outside
    destroyChildWindow(child);
}

TEST_F(Windows, PaintsGoOneAtATimeInTheOrderAsked) {
    Recorder first(kRed), second(kBlue);
    Window* a = createChildWindow(nullptr, 4, 4, &first);
    Window* b = createChildWindow(nullptr, 4, 4, &second);
    dispatchOnePendingPaint();
    EXPECT_EQ(first.areas.size(), 1u);
    EXPECT_EQ(second.areas.size(), 0u);
    invalidateWindow(a);
    dispatchOnePendingPaint();
    EXPECT_EQ(second.areas.size(), 1u);
    dispatchOnePendingPaint();
    EXPECT_EQ(first.areas.size(), 2u);
    destroyChildWindow(a);
    destroyChildWindow(b);
}

TEST_F(Windows, ADispatchTakesOnlyThePaintsOfItsOwnThread) {
    Recorder events;
    Window* child = nullptr;
    std::thread([&] { child = createChildWindow(nullptr, 4, 4, &events); }).join();
    dispatchOnePendingPaint();
    EXPECT_TRUE(events.areas.empty());
    EXPECT_TRUE(soft::paintPending(child));
    destroyChildWindow(child);
}

TEST_F(Windows, PressesArriveInClientCoordinates) {
    Recorder events;
    Window* child = createChildWindow(nullptr, 40, 40, &events);
    soft::pressButton(child, {12, 34});
    ASSERT_EQ(events.presses.size(), 1u);
    EXPECT_EQ(events.presses[0].x, 12);
    EXPECT_EQ(events.presses[0].y, 34);
    destroyChildWindow(child);
}

TEST_F(Windows, DestroyingOurOwnWindowReportsNothing) {
    Recorder events;
    Window* child = createChildWindow(nullptr, 8, 8, &events);
    destroyChildWindow(child);
    EXPECT_EQ(events.destroys, 0);
    EXPECT_FALSE(soft::isWindow(child));
    // A dead handle answers neutrally.
    const Rect rect = windowScreenRect(child);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(parentWindow(child), nullptr);
    EXPECT_EQ(windowStyle(child), 0u);
    EXPECT_EQ(windowContext(child), nullptr);
    invalidateWindow(child);
    dispatchOnePendingPaint();
    destroyChildWindow(child);
    EXPECT_TRUE(events.areas.empty());
}

TEST_F(Windows, DestroyingTheHostWindowDestroysItsChildrenWithNotice) {
    Window* host = soft::createHostWindow(nullptr, kOverlapped, {0, 0, 500, 400});
    Window* inner = soft::createHostWindow(host, 0, {0, 0, 500, 400});
    Recorder events, nested;
    Window* child = createChildWindow(inner, 20, 20, &events);
    Window* grandchild = createChildWindow(child, 10, 10, &nested);
    DeviceContext* context = windowContext(child);
    soft::destroyWindow(host);
    EXPECT_EQ(events.destroys, 1);
    EXPECT_EQ(nested.destroys, 1);
    for (Window* window : {host, inner, child, grandchild}) EXPECT_FALSE(soft::isWindow(window));
    // A context on a window that went away draws nothing and can still be released.
    Brush* brush = createSolidBrush(kBlue);
    fillRect(context, {0, 0, 20, 20}, brush);
    deleteBrush(brush);
    const size_t contexts = soft::liveObjectCounts().deviceContexts;
    releaseWindowContext(child, context);
    EXPECT_EQ(soft::liveObjectCounts().deviceContexts, contexts - 1);
}

TEST_F(Windows, WindowContextsDrawIntoTheWindowAndPaintingLeavesNoObjects) {
    Recorder events;
    Window* child = createChildWindow(nullptr, 16, 16, &events);
    const soft::ObjectCounts before = soft::liveObjectCounts();
    for (int i = 0; i < 50; ++i) {
        invalidateWindow(child);
        dispatchOnePendingPaint();
    }
    DeviceContext* context = windowContext(child);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(soft::liveObjectCounts().deviceContexts, before.deviceContexts + 1);
    Surface* surface = createCompatibleSurface(context, 2, 2);
    EXPECT_EQ(selectSurface(context, surface), nullptr);  // a window context keeps its window
    moveTo(context, 0, 5);
    lineTo(context, 16, 5);
    EXPECT_EQ(soft::windowPixel(child, 7, 5), kBlack);
    EXPECT_EQ(soft::windowPixel(child, 7, 6), kRed);
    releaseWindowContext(child, context);
    deleteSurface(surface);
    EXPECT_EQ(soft::liveObjectCounts(), before);
    destroyChildWindow(child);
}

TEST_F(Windows, APaintMayDestroyItsOwnWindow) {
    Recorder events;
    Window* child = createChildWindow(nullptr, 8, 8, &events);
    events.duringPaint = [&] { destroyChildWindow(child); };
    const soft::ObjectCounts before = soft::liveObjectCounts();
    dispatchOnePendingPaint();
    EXPECT_EQ(events.areas.size(), 1u);
    EXPECT_FALSE(soft::isWindow(child));
    EXPECT_EQ(soft::liveObjectCounts(), before);
}

}  // namespace
