// A top-level X11 window of the validator, the parent an editor opens in. Needs a display
// (DISPLAY set, e.g. under xvfb-run).
#pragma once

#include <memory>
#include <string>

namespace host {

class HostWindow {
public:
    // Null when there is no display to open; `reason` then says why. Traps X errors from then on.
    static std::unique_ptr<HostWindow> open(std::string& reason);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    void* handle() const;  // the window id as the editor opcodes take it
    // Handles what the server has sent; answers how many child windows the window has.
    int children();

private:
    HostWindow() = default;
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

// A window id no server has handed out.
void* missingWindow();

}  // namespace host
