// The X11 backend on its own, under a host window this test makes: the host-window search's
// stop, quick clicks, what a put sends, message boxes, the popup menu's place on the screen, and
// the X error handler that stays the host's.
#include <gtest/gtest.h>

// Before Xlib: X.h defines None and CursorShape as macros.
#include "platform/platform.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#undef CursorShape

namespace {

bool underWindowManager() {
    const char* manager = std::getenv("SPATIALISER_WINDOW_MANAGER");
    return manager && *manager;
}

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    return output;
}

void sleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// What the backend reports to a window, as the toolkit's frame would take it.
class Events : public platform::WindowEvents {
public:
    void onPaint(platform::DeviceContext*, const platform::Rect& area) override {
        ++paints;
        paintedArea = area;
    }
    void onButtonDown(platform::Point point) override {
        pressedAt = point;
        heldAtPress = platform::isKeyHeld(platform::Key::MouseLeft);
        // A control's drag loop: polls until the release has been seen.
        for (int pass = 0; pass < 500 && platform::isKeyHeld(platform::Key::MouseLeft); ++pass) {
            platform::processPendingEvents();
            platform::sleepMilliseconds(4);
        }
        releasedInLoop = !platform::isKeyHeld(platform::Key::MouseLeft);
        ++presses;
    }
    void onDestroy() override { destroyed = true; }

    int paints = 0;
    platform::Rect paintedArea{0, 0, 0, 0};
    int presses = 0;
    platform::Point pressedAt{-1, -1};
    bool heldAtPress = false;
    bool releasedInLoop = false;
    bool destroyed = false;
};

class X11BackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        XSetWindowAttributes attributes{};
        attributes.event_mask = StructureNotifyMask;
        host = XCreateWindow(display, DefaultRootWindow(display), 100, 100, 300, 200, 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWEventMask, &attributes);
        XStoreName(display, host, "x11-backend-test");
        XMapWindow(display, host);
        XSync(display, False);
        for (int waited = 0; waited < 3000; waited += 10) {
            XEvent event;
            if (XCheckTypedWindowEvent(display, host, MapNotify, &event))
                break;
            sleepMs(10);
        }
        child = platform::createChildWindow(hostHandle(), 200, 120, &events);
        ASSERT_NE(child, nullptr);
    }
    void TearDown() override {
        if (child)
            platform::destroyChildWindow(child);
        if (display) {
            XDestroyWindow(display, host);
            XCloseDisplay(display);
        }
    }
    void* hostHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(host)); }
    void idleFor(int milliseconds) {
        for (int waited = 0; waited < milliseconds; waited += 10) {
            platform::processPendingEvents();
            sleepMs(10);
        }
    }

    Display* display = nullptr;
    Window host = 0;
    Events events;
    platform::Window* child = nullptr;
};

TEST_F(X11BackendTest, TheHostWindowSearchStopsAtTheManagedTopLevelWindowOrBelowTheRoot) {
    platform::Window* top = platform::parentWindow(child);
    ASSERT_NE(top, nullptr);
    const platform::Rect rect = platform::windowScreenRect(top);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    EXPECT_EQ(platform::windowStyle(child) & platform::kStyleCaption, 0u);
    if (underWindowManager()) {
        // Reparented into the manager's frame, and marked as a managed top-level window.
        EXPECT_NE(platform::windowStyle(top) & platform::kStyleCaption, 0u);
        EXPECT_NE(platform::parentWindow(top), nullptr);
    } else {
        EXPECT_EQ(platform::windowStyle(top) & platform::kStyleCaption, 0u);
        EXPECT_EQ(platform::parentWindow(top), nullptr);  // the root is no parent
    }
    XSetInputFocus(display, host, RevertToParent, CurrentTime);
    XSync(display, False);
    EXPECT_EQ(platform::focusWindow(), top);
}

TEST_F(X11BackendTest, TheFirstExposurePaintsAndAQuickClickStillCountsAsHeldUntilItsReleaseIsSeen) {
    idleFor(200);
    EXPECT_GE(events.paints, 1);
    const platform::Rect screen = platform::windowScreenRect(child);
    run("xdotool mousemove --sync " + std::to_string(screen.left + 20) + " " + std::to_string(screen.top + 30));
    run("xdotool click 1");  // press and release, before the backend has seen either
    sleepMs(100);
    idleFor(100);
    EXPECT_EQ(events.presses, 1);
    EXPECT_EQ(events.pressedAt.x, 20);
    EXPECT_EQ(events.pressedAt.y, 30);
    EXPECT_TRUE(events.heldAtPress);
    EXPECT_TRUE(events.releasedInLoop);
    EXPECT_FALSE(platform::isKeyHeld(platform::Key::MouseLeft));
}

// The server reports every rectangle a client draws into the child window (the Damage extension),
// so the test sees what the backend's puts sent. The damage object goes with the window.
class PutRecorder {
public:
    PutRecorder(Display* display, Window window) : display_(display) {
        int error = 0;
        int major = 1, minor = 1;  // the version asked for, before any other request of the extension
        if (!XDamageQueryExtension(display, &eventBase_, &error) || !XDamageQueryVersion(display, &major, &minor))
            return;
        damage_ = XDamageCreate(display, window, XDamageReportRawRectangles);
        XSync(display, False);
    }
    bool works() const { return damage_ != 0; }
    // What was drawn since the last call. The backend's put ends with a round trip of its own
    // connection, so a round trip of ours finds every report queued.
    std::vector<XRectangle> take() {
        XSync(display_, False);
        std::vector<XRectangle> rects;
        XEvent event;
        while (XCheckTypedEvent(display_, eventBase_ + XDamageNotify, &event))
            rects.push_back(reinterpret_cast<XDamageNotifyEvent&>(event).area);
        return rects;
    }

private:
    Display* display_;
    int eventBase_ = 0;
    Damage damage_ = 0;
};

void fill(platform::Window* window, const platform::Rect& rect, platform::Colour colour) {
    platform::DeviceContext* context = platform::windowContext(window);
    platform::Brush* brush = platform::createSolidBrush(colour);
    platform::fillRect(context, rect, brush);
    platform::deleteBrush(brush);
    platform::releaseWindowContext(window, context);  // puts what was drawn
}

TEST_F(X11BackendTest, APutSendsTheRectanglesDrawnAndAnExposurePaintsWhatTheServerLost) {
    idleFor(100);  // the first paint, which puts the whole window
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, host, &root, &parent, &children, &count);
    ASSERT_EQ(count, 1u);
    const Window childId = children[0];
    XFree(children);
    PutRecorder recorder(display, childId);
    ASSERT_TRUE(recorder.works()) << "the server has no Damage extension";
    recorder.take();

    fill(child, {30, 40, 50, 60}, platform::makeColour(200, 30, 30));
    std::vector<XRectangle> puts = recorder.take();
    ASSERT_EQ(puts.size(), 1u);
    EXPECT_EQ(puts[0].x, 30);
    EXPECT_EQ(puts[0].y, 40);
    EXPECT_EQ(puts[0].width, 20);
    EXPECT_EQ(puts[0].height, 20);

    // Two places apart go as two rectangles, in one put.
    platform::DeviceContext* context = platform::windowContext(child);
    platform::Brush* brush = platform::createSolidBrush(platform::makeColour(30, 200, 30));
    platform::fillRect(context, {0, 0, 10, 5}, brush);
    platform::fillRect(context, {150, 100, 200, 120}, brush);
    platform::deleteBrush(brush);
    platform::releaseWindowContext(child, context);
    puts = recorder.take();
    ASSERT_EQ(puts.size(), 2u);
    int pixels = 0;
    for (const XRectangle& rect : puts)
        pixels += rect.width * rect.height;
    EXPECT_EQ(pixels, 10 * 5 + 50 * 20);

    // A context that drew nothing, and an idle with nothing to show, send nothing.
    platform::releaseWindowContext(child, platform::windowContext(child));
    idleFor(20);
    EXPECT_TRUE(recorder.take().empty());

    // What the server loses (here cleared with an exposure) is all the next paint covers.
    const int paintsBefore = events.paints;
    XClearArea(display, childId, 60, 20, 30, 10, True);
    XSync(display, False);
    idleFor(20);
    EXPECT_EQ(events.paints, paintsBefore + 1);
    EXPECT_EQ(events.paintedArea.left, 60);
    EXPECT_EQ(events.paintedArea.top, 20);
    EXPECT_EQ(events.paintedArea.right, 90);
    EXPECT_EQ(events.paintedArea.bottom, 30);
}

TEST_F(X11BackendTest, AMessageBoxIsAModalWindowTitledErrorOnTheEditorsThreadOnly) {
    std::atomic<bool> shown{false};
    std::thread dismisser([&] {
        const std::string found = run("xdotool search --sync --name '^Error$' | head -1");
        shown = !found.empty();
        if (shown)
            run("xdotool key --window " + found.substr(0, found.find('\n')) + " Return");
    });
    platform::showMessageBox("Something failed\nDEBUG INFO: 2", "Error");  // returns once dismissed
    dismisser.join();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(run("xdotool search --name '^Error$'").empty());  // gone

    // Another thread must not touch the editor's connection: standard error only, at once.
    std::thread other([] { platform::showMessageBox("from the audio thread", "Error"); });
    other.join();
    EXPECT_TRUE(run("xdotool search --name '^Error$'").empty());
}

TEST_F(X11BackendTest, APopupMenuNearTheScreenCornerStaysOnTheScreenAndEscapeDismissesIt) {
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    std::atomic<int> left{-1}, top{-1}, right{-1}, bottom{-1};
    std::thread watcher([&] {
        // The menu is the one override-redirect window on the screen that is mapped.
        Display* own = XOpenDisplay(nullptr);
        for (int waited = 0; waited < 3000 && left < 0; waited += 20) {
            sleepMs(20);
            Window root, parent, *children = nullptr;
            unsigned count = 0;
            XQueryTree(own, DefaultRootWindow(own), &root, &parent, &children, &count);
            for (unsigned i = 0; i < count; ++i) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(own, children[i], &attributes) && attributes.override_redirect &&
                    attributes.map_state == IsViewable && attributes.width > 1) {
                    left = attributes.x;
                    top = attributes.y;
                    right = attributes.x + attributes.width;
                    bottom = attributes.y + attributes.height;
                }
            }
            if (children)
                XFree(children);
        }
        XCloseDisplay(own);
        run("xdotool key Escape");
    });
    const std::vector<platform::MenuItem> items = {
        {1, "absorb", false}, {2, "normal", true}, {0, "", false}, {3, "reflect", false}, {4, "sustain", false}};
    const int chosen = platform::trackPopupMenu(child, items, {screenWidth - 5, screenHeight - 5},
                                                platform::kMenuCentreVertically | platform::kMenuNoNotify |
                                                    platform::kMenuReturnCommand);
    watcher.join();
    EXPECT_EQ(chosen, 0);
    ASSERT_GE(left, 0) << "no menu window was seen";
    EXPECT_LE(right, screenWidth);
    EXPECT_LE(bottom, screenHeight);
    EXPECT_LT(right, screenWidth - 4);  // opened to the left of the point
    EXPECT_EQ(bottom - top, 2 + 4 * 20 + 9);
}

int hostErrors = 0;
int hostHandler(Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
}

TEST_F(X11BackendTest, ABadParentOpensNothingAndTheHostsErrorHandlerStaysInPlace) {
    XErrorHandler before = XSetErrorHandler(hostHandler);
    EXPECT_EQ(platform::createChildWindow(reinterpret_cast<void*>(uintptr_t(0x1fffff0)), 50, 50, &events), nullptr);
    // A window the host destroyed under the editor: painting and cursors fail quietly.
    XDestroyWindow(display, host);
    XSync(display, False);
    host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    platform::invalidateWindow(child);
    platform::setCursorShape(child, platform::CursorShape::SizeNorthSouth);
    idleFor(100);
    EXPECT_TRUE(events.destroyed);
    EXPECT_EQ(XSetErrorHandler(before), hostHandler);
    EXPECT_EQ(hostErrors, 0);  // none of the backend's errors reached the host's handler
}

// Paints its whole window in one colour, as a frame paints its skin.
class FillingEvents : public platform::WindowEvents {
public:
    void onPaint(platform::DeviceContext* context, const platform::Rect& area) override {
        platform::Brush* brush = platform::createSolidBrush(platform::makeColour(200, 40, 90));
        platform::fillRect(context, area, brush);
        platform::deleteBrush(brush);
        ++paints;
    }
    void onButtonDown(platform::Point) override {}
    void onDestroy() override {}
    int paints = 0;
};

// Plug-in UI hosts embed the editor in a window they map only later: what was put before that
// never reached the screen, and the exposure must bring it there although nothing changed.
TEST(X11BackendEmbedTest, AChildOfAHostWindowMappedAfterTheFirstPaintShowsItsPictureOnceExposed) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 40, 120, 80, 0, 0, 0);
    XSync(display, False);
    FillingEvents events;
    platform::Window* child =
        platform::createChildWindow(reinterpret_cast<void*>(static_cast<uintptr_t>(host)), 120, 80, &events);
    ASSERT_NE(child, nullptr);
    for (int pass = 0; pass < 20 && events.paints == 0; ++pass) {
        platform::processPendingEvents();
        sleepMs(10);
    }
    ASSERT_GE(events.paints, 1);  // painted and put while the host window was still unmapped

    XMapWindow(display, host);
    XSync(display, False);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, host, &root, &parent, &children, &count);
    ASSERT_EQ(count, 1u);
    const Window editor = children[0];
    XFree(children);
    unsigned long centre = 0;
    for (int waited = 0; waited < 3000; waited += 10) {
        platform::processPendingEvents();
        // A window manager maps the host window in its own time; an unviewable window has no image.
        XWindowAttributes attributes;
        XImage* image = XGetWindowAttributes(display, editor, &attributes) && attributes.map_state == IsViewable
                            ? XGetImage(display, editor, 60, 40, 1, 1, AllPlanes, ZPixmap)
                            : nullptr;
        if (image) {
            centre = XGetPixel(image, 0, 0);
            XDestroyImage(image);
        }
        if (centre == 0xC8285Aul)
            break;
        sleepMs(10);
    }
    EXPECT_EQ(centre, 0xC8285Aul);
    platform::destroyChildWindow(child);
    XDestroyWindow(display, host);
    XCloseDisplay(display);
}

}  // namespace
