// The X11 test host as a child process: commands in, answers and logged host callbacks out,
// and real input from xdotool.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Callback {
    int opcode;
    int index;
    float value;
};

class TestHost {
public:
    // Starts the host on `module`; `extraArgument` is passed after the module when not empty.
    explicit TestHost(const std::string& module, const std::string& extraArgument = "");
    ~TestHost();

    bool started() const { return pid_ > 0; }
    // Waits for a line starting with `prefix` that no earlier wait took and returns it, or ""
    // after `timeoutMs`.
    std::string waitForLine(const std::string& prefix, int timeoutMs = 5000);
    // Sends a command and waits for its answer "ok NAME ..."; returns the words after the name.
    std::vector<std::string> command(const std::string& line, int timeoutMs = 10000);
    float parameter(int index);
    // The host callbacks logged so far, and from a mark on.
    std::vector<Callback> callbacks(size_t from = 0);
    size_t callbackCount() { return callbacks().size(); }
    // Waits for the process to end; its exit status, or -1 after a crash or the timeout.
    int waitForExit(int timeoutMs = 5000);

    int windowX = 0;  // the editor's top-left on the screen
    int windowY = 0;

private:
    void readOutput();

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::string> lines_;
    std::vector<bool> taken_;
    bool ended_ = false;
};

// Runs xdotool with these arguments; true when it succeeded.
bool xdotool(const std::string& arguments);
// The pointer's screen position.
bool pointerPosition(int& x, int& y);
// Moves the pointer to a point of the editor and waits until the server has it there.
void moveTo(TestHost& host, int x, int y);
void sleepMs(int milliseconds);
