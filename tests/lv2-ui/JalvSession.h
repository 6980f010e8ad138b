// jalv.gtk3 running the bundle with its UI on the test's X server, beside a JACK dummy server of
// its own, with the suil spy loaded into it to log the UI's port writes and the host's port
// events. Everything it starts it ends.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

class JalvSession {
public:
    // Starts the servers and jalv with these arguments before the plug-in's URI, and waits until
    // the editor is on the screen inside jalv's window.
    explicit JalvSession(const std::vector<std::string>& arguments = {});
    ~JalvSession();

    bool started() const { return editor_ != 0; }
    Display* display() const { return display_; }
    ::Window editor() const { return editor_; }
    ::Window window() const { return window_; }  // jalv's top-level window
    // Where a point of the editor is on the screen.
    void screenPoint(int x, int y, int& screenX, int& screenY) const;

    // The spy's lines so far, and the values written to a port.
    std::vector<std::string> log() const;
    std::vector<float> writesTo(uint32_t port) const;
    size_t portEventCount() const;
    std::string title() const;  // jalv's window title
    // Asks jalv's window to close, as a window manager's close button does.
    void closeWindow() const;
    // jalv's exit status once it has ended, -1 after a crash or when `timeoutMs` passed first.
    int waitForExit(int timeoutMs = 10000);
    std::string errorOutput() const;  // what jalv wrote to standard error

private:
    std::string folder_;  // temporary: the LV2 path, the spy's log and jalv's output
    pid_t jack_ = -1;
    pid_t jalv_ = -1;
    Display* display_ = nullptr;
    ::Window editor_ = 0;
    ::Window window_ = 0;
};

// Waits until `done` holds, polling; its last answer.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);
