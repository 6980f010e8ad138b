#include "JalvSession.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "lv2/PortTable.h"

extern char** environ;

namespace {

constexpr int kPollMs = 10;
constexpr unsigned kEditorWidth = 454;
constexpr unsigned kEditorHeight = 269;

pid_t spawn(const std::vector<std::string>& command, const std::vector<std::string>& environment,
            const std::string& output) {
    std::vector<char*> arguments;
    for (const std::string& word : command) arguments.push_back(const_cast<char*>(word.c_str()));
    arguments.push_back(nullptr);
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) variables.emplace_back(*variable);
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::vector<char*> pointers;
    for (std::string& variable : variables) pointers.push_back(variable.data());
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (output + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (output + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawnp(&pid, arguments[0], &actions, nullptr, arguments.data(), pointers.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit status once the process has ended, -1 for a crash or when the time ran out first.
int waitForProcess(pid_t& pid, int timeoutMs) {
    if (pid <= 0) return -1;
    int status = 0;
    const bool ended = waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeoutMs);
    if (!ended) return -1;
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void stop(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    if (waitForProcess(pid, 5000) == -1 && pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string windowName(Display* display, ::Window window) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name) result = name;
    if (name) XFree(name);
    return result;
}

// The editor: a viewable 454 x 269 window titled "Window" anywhere below `top`.
::Window findEditor(Display* display, ::Window top) {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, top, &root, &parent, &children, &count)) return 0;
    ::Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
            attributes.width == int(kEditorWidth) && attributes.height == int(kEditorHeight) &&
            windowName(display, children[i]) == "Window")
            found = children[i];
        else
            found = findEditor(display, children[i]);
    }
    if (children) XFree(children);
    return found;
}

bool parentHasSizeOf(Display* display, ::Window window) {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
    if (children) XFree(children);
    XWindowAttributes own, around;
    return XGetWindowAttributes(display, window, &own) && XGetWindowAttributes(display, parent, &around) &&
           own.width == around.width && own.height == around.height && around.x >= 0 && around.y >= 0;
}

bool hasProperty(Display* display, ::Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, property, 0, 1, False, AnyPropertyType, &type, &format, &items, &remaining,
                       &data);
    if (data) XFree(data);
    return type != None;
}

// The window a window manager manages (marked with WM_STATE) at or below `window`, else 0.
::Window managedWindowBelow(Display* display, ::Window window, Atom state) {
    if (hasProperty(display, window, state)) return window;
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    ::Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = managedWindowBelow(display, children[i], state);
    if (children) XFree(children);
    return found;
}

// jalv's top-level window around `window` (suil's plug and socket lie between): the managed
// window below the root's child that holds it, or that child itself without a window manager.
::Window topLevelAbove(Display* display, ::Window window) {
    for (;;) {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == root) break;
        window = parent;
    }
    const ::Window managed = managedWindowBelow(display, window, XInternAtom(display, "WM_STATE", False));
    return managed ? managed : window;
}

// jalv makes and destroys windows while the test walks the tree: a window gone under a request
// is no failure of the test.
int ignoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return true;
}

JalvSession::JalvSession(const std::vector<std::string>& arguments) {
    char pattern[] = "/tmp/lv2-ui-jalv-XXXXXX";
    if (!mkdtemp(pattern)) return;
    folder_ = pattern;
    // Only this bundle on the LV2 path: nothing installed on the machine takes part.
    if (mkdir((folder_ + "/lv2").c_str(), 0755) != 0 ||
        symlink(SPATIALISER_LV2_BUNDLE, (folder_ + "/lv2/spatialiser.lv2").c_str()) != 0)
        return;
    const std::string server = "lv2-ui-test-" + std::to_string(getpid());
    const std::vector<std::string> jackEnvironment = {"JACK_NO_AUDIO_RESERVATION=1", "JACK_NO_START_SERVER=1",
                                                      "JACK_DEFAULT_SERVER=" + server};
    jack_ = spawn({"jackd", "--no-realtime", "-n", server, "-d", "dummy", "-r", "48000", "-p", "512"},
                  jackEnvironment, folder_ + "/jackd");
    pid_t ready = spawn({"jack_wait", "--wait", "--timeout", "10", "--server", server}, jackEnvironment,
                        folder_ + "/jack_wait");
    if (jack_ <= 0 || waitForProcess(ready, 15000) != 0) return;

    std::vector<std::string> command = {"jalv.gtk3"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    command.push_back("urn:spatialiser:plugin");
    std::vector<std::string> environment = jackEnvironment;
    environment.push_back("LV2_PATH=" + folder_ + "/lv2");
    environment.push_back(std::string("LD_PRELOAD=") + SUIL_SPY_LIBRARY);
    environment.push_back("NO_AT_BRIDGE=1");  // no accessibility bus on a virtual display
    environment.push_back("SUIL_SPY_LOG=" + folder_ + "/spy.log");
    jalv_ = spawn(command, environment, folder_ + "/jalv");

    display_ = XOpenDisplay(nullptr);
    if (!display_ || jalv_ <= 0) return;
    XSetErrorHandler(ignoreError);
    ::Window found = 0;
    waitUntil([&] { return (found = findEditor(display_, DefaultRootWindow(display_))) != 0; }, 20000);
    // suil's plug starts at a size and place of its own and takes the editor's once jalv has
    // sent the UI its ports' values, moving the editor on the screen, and a window manager may
    // place jalv's window late on a busy machine: the editor is where it stays once it has kept
    // its place for a while. A move during a drag would be one more step of the slider.
    constexpr auto kStillFor = std::chrono::milliseconds(300);
    int x = -1, y = -1;
    auto lastMove = std::chrono::steady_clock::now();
    const bool settled = found && waitUntil([&] {
        int nowX = 0, nowY = 0;
        ::Window child = 0;
        XTranslateCoordinates(display_, found, DefaultRootWindow(display_), 0, 0, &nowX, &nowY, &child);
        const auto now = std::chrono::steady_clock::now();
        if (nowX != x || nowY != y) lastMove = now;
        x = nowX;
        y = nowY;
        return now - lastMove >= kStillFor && parentHasSizeOf(display_, found) &&
               portEventCount() >= kControlPortCount;
    }, 10000);
    window_ = settled ? topLevelAbove(display_, found) : 0;
    if (window_) editor_ = found;
}

JalvSession::~JalvSession() {
    stop(jalv_);
    stop(jack_);
    if (display_) XCloseDisplay(display_);
    if (!folder_.empty()) {
        for (const char* name : {"lv2/spatialiser.lv2", "lv2", "spy.log", "jackd.out", "jackd.err", "jack_wait.out",
                                 "jack_wait.err", "jalv.out", "jalv.err"})
            remove((folder_ + "/" + name).c_str());
        rmdir(folder_.c_str());
    }
}

void JalvSession::screenPoint(int x, int y, int& screenX, int& screenY) const {
    ::Window child = 0;
    XTranslateCoordinates(display_, editor_, DefaultRootWindow(display_), x, y, &screenX, &screenY, &child);
}

std::vector<std::string> JalvSession::log() const {
    std::vector<std::string> lines;
    std::istringstream text(readFile(folder_ + "/spy.log"));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

size_t JalvSession::portEventCount() const {
    size_t count = 0;
    for (const std::string& line : log()) count += line.rfind("event ", 0) == 0;
    return count;
}

std::vector<float> JalvSession::writesTo(uint32_t port) const {
    std::vector<float> values;
    for (const std::string& line : log()) {
        unsigned written = 0;
        float value = 0.0f;
        if (std::sscanf(line.c_str(), "write %u %f", &written, &value) == 2 && written == port)
            values.push_back(value);
    }
    return values;
}

std::string JalvSession::title() const {
    const Atom name = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window_, name, 0, 256, False, utf8, &type, &format, &items, &remaining, &data);
    std::string result = data ? std::string(reinterpret_cast<char*>(data), items) : windowName(display_, window_);
    if (data) XFree(data);
    return result;
}

void JalvSession::closeWindow() const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window_, False, NoEventMask, &event);
    XFlush(display_);
}

int JalvSession::waitForExit(int timeoutMs) { return waitForProcess(jalv_, timeoutMs); }

std::string JalvSession::errorOutput() const { return readFile(folder_ + "/jalv.err"); }
