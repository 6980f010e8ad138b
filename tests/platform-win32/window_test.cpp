// Child windows: the shared window class, the events, and the window queries.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/module.h"
#include "test_host_window.h"

namespace platform_win32_test {
namespace {

std::string expectedClassName() {
    char name[32];
    std::snprintf(name, sizeof name, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))));
    return name;
}

bool classRegistered(WNDCLASSEXA* description = nullptr) {
    WNDCLASSEXA found{};
    found.cbSize = sizeof found;
    const bool registered = GetClassInfoExA(GetModuleHandleA(nullptr), expectedClassName().c_str(), &found) != 0;
    if (description != nullptr) *description = found;
    return registered;
}

class RecordingEvents : public platform::WindowEvents {
public:
    void onPaint(platform::DeviceContext* context, const platform::Rect& area) override {
        paintContexts.push_back(context);
        paintAreas.push_back(area);
    }
    void onButtonDown(platform::Point point) override { presses.push_back(point); }
    void onDestroy() override { ++destroyCalls; }

    std::vector<platform::DeviceContext*> paintContexts;
    std::vector<platform::Rect> paintAreas;
    std::vector<platform::Point> presses;
    int destroyCalls = 0;
};

TEST(WindowClass, IsTheModulesOwnAndRegisteredWhileAnyChildWindowExists) {
    EXPECT_EQ(platform::win32::moduleHandle(), GetModuleHandleA(nullptr));
    RecordingEvents events;
    ASSERT_FALSE(classRegistered());

    platform::Window* first = platform::createChildWindow(testHostWindow(), 50, 40, &events);
    ASSERT_NE(first, nullptr);
    WNDCLASSEXA description{};
    ASSERT_TRUE(classRegistered(&description));
    EXPECT_EQ(description.style, static_cast<UINT>(CS_GLOBALCLASS));
    EXPECT_EQ(description.cbClsExtra, 0);
    EXPECT_EQ(description.cbWndExtra, 0);
    EXPECT_EQ(description.hIcon, nullptr);
    EXPECT_EQ(description.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(description.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(description.lpszMenuName, nullptr);
    EXPECT_EQ(description.hInstance, GetModuleHandleA(nullptr));

    platform::Window* second = platform::createChildWindow(testHostWindow(), 50, 40, &events);
    ASSERT_NE(second, nullptr);
    platform::destroyChildWindow(first);
    EXPECT_TRUE(classRegistered()) << "unregistered while a window still uses it";
    platform::destroyChildWindow(second);
    EXPECT_FALSE(classRegistered());

    // And registered again for the next window.
    platform::Window* third = platform::createChildWindow(testHostWindow(), 50, 40, &events);
    EXPECT_TRUE(classRegistered());
    platform::destroyChildWindow(third);
    EXPECT_FALSE(classRegistered());
}

TEST(ChildWindow, IsAVisibleChildTitledWindowAtTheTopLeftOfItsHost) {
    RecordingEvents events;
    platform::Window* window = platform::createChildWindow(testHostWindow(), 64, 48, &events);
    ASSERT_NE(window, nullptr);
    HWND handle = handleOf(window);

    char title[32] = {};
    GetWindowTextA(handle, title, sizeof title);
    EXPECT_STREQ(title, "Window");
    EXPECT_EQ(GetWindowLongA(handle, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
    EXPECT_EQ(platform::windowStyle(window) & (WS_CHILD | WS_VISIBLE), static_cast<uint32_t>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(platform::windowStyle(window) & platform::kStyleCaption, 0u);
    EXPECT_NE(platform::windowStyle(platform::parentWindow(window)) & platform::kStyleCaption, 0u);
    EXPECT_EQ(handleOf(platform::parentWindow(window)), testHostWindow());
    EXPECT_EQ(platform::parentWindow(platform::parentWindow(window)), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(handle, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&events));

    POINT hostOrigin{0, 0};
    ClientToScreen(testHostWindow(), &hostOrigin);
    const platform::Rect rect = platform::windowScreenRect(window);
    EXPECT_EQ(rect.left, hostOrigin.x);
    EXPECT_EQ(rect.top, hostOrigin.y);
    EXPECT_EQ(rect.right - rect.left, 64);
    EXPECT_EQ(rect.bottom - rect.top, 48);
    platform::destroyChildWindow(window);
}

TEST(ChildWindow, ButtonPressesReachTheEventsWithTheirClientPoint) {
    RecordingEvents events;
    platform::Window* window = platform::createChildWindow(testHostWindow(), 100, 80, &events);
    ASSERT_NE(window, nullptr);
    pumpMessages();

    PostMessageA(handleOf(window), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(17, 23));
    PostMessageA(handleOf(window), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(99, 0));
    PostMessageA(handleOf(window), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(0, 79));
    PostMessageA(handleOf(window), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // not an event
    // Captured presses left of or above the window arrive as large unsigned numbers.
    PostMessageA(handleOf(window), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-2, -3));
    pumpMessages();

    ASSERT_EQ(events.presses.size(), 4u);
    EXPECT_EQ(events.presses[0].x, 17);
    EXPECT_EQ(events.presses[0].y, 23);
    EXPECT_EQ(events.presses[1].x, 99);
    EXPECT_EQ(events.presses[1].y, 0);
    EXPECT_EQ(events.presses[2].x, 0);
    EXPECT_EQ(events.presses[2].y, 79);
    EXPECT_EQ(events.presses[3].x, 65534);
    EXPECT_EQ(events.presses[3].y, 65533);
    platform::destroyChildWindow(window);
}

TEST(ChildWindow, InvalidatingPaintsTheWholeWindowThroughOnePendingPaint) {
    RecordingEvents events;
    platform::Window* window = platform::createChildWindow(testHostWindow(), 90, 70, &events);
    ASSERT_NE(window, nullptr);
    pumpMessages();
    events.paintAreas.clear();
    events.paintContexts.clear();

    platform::invalidateWindow(window);
    platform::dispatchOnePendingPaint();
    ASSERT_EQ(events.paintAreas.size(), 1u);
    EXPECT_NE(events.paintContexts[0], nullptr);
    EXPECT_EQ(events.paintAreas[0].left, 0);
    EXPECT_EQ(events.paintAreas[0].top, 0);
    EXPECT_EQ(events.paintAreas[0].right, 90);
    EXPECT_EQ(events.paintAreas[0].bottom, 70);

    // The paint validated the window: nothing is left to dispatch.
    platform::dispatchOnePendingPaint();
    pumpMessages();
    EXPECT_EQ(events.paintAreas.size(), 1u);

    // A paint message without an update region is not an event.
    SendMessageA(handleOf(window), WM_PAINT, 0, 0);
    EXPECT_EQ(events.paintAreas.size(), 1u);
    platform::destroyChildWindow(window);
}

TEST(ChildWindow, DestroyingItUnlinksTheEventsFirst) {
    RecordingEvents events;
    platform::Window* window = platform::createChildWindow(testHostWindow(), 30, 30, &events);
    ASSERT_NE(window, nullptr);
    platform::destroyChildWindow(window);
    EXPECT_EQ(events.destroyCalls, 0);
    EXPECT_FALSE(IsWindow(handleOf(window)));
}

TEST(ChildWindow, AHostDestroyingItsWindowFirstReportsTheDestructionAndStillReleasesTheClass) {
    HWND host = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, testHostWindow(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    RecordingEvents events;
    platform::Window* window = platform::createChildWindow(host, 30, 30, &events);
    ASSERT_NE(window, nullptr);
    DestroyWindow(host);
    EXPECT_EQ(events.destroyCalls, 1);
    EXPECT_TRUE(classRegistered());
    platform::destroyChildWindow(window);
    EXPECT_FALSE(classRegistered());
}

TEST(ChildWindow, WithoutAHostWindowThereIsNoWindowAndNoClass) {
    RecordingEvents events;
    EXPECT_EQ(platform::createChildWindow(nullptr, 30, 30, &events), nullptr);
    EXPECT_FALSE(classRegistered());
}

TEST(Cursor, ShapeBecomesTheClassCursorAndPositionRoundTrips) {
    RecordingEvents events;
    platform::Window* window = platform::createChildWindow(testHostWindow(), 30, 30, &events);
    ASSERT_NE(window, nullptr);
    platform::setCursorShape(window, platform::CursorShape::SizeNorthSouth);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(handleOf(window), GCLP_HCURSOR)),
              LoadCursorA(nullptr, IDC_SIZENS));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZENS));
    platform::setCursorShape(window, platform::CursorShape::Arrow);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(handleOf(window), GCLP_HCURSOR)),
              LoadCursorA(nullptr, IDC_ARROW));

    platform::setCursorPosition(platform::Point{123, 77});
    const platform::Point position = platform::cursorPosition();
    EXPECT_EQ(position.x, 123);
    EXPECT_EQ(position.y, 77);
    platform::destroyChildWindow(window);
}

}  // namespace
}  // namespace platform_win32_test
