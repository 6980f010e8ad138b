// A small X11 host for the Linux module's editor, driven by the X11 editor tests: it loads the
// module through `main`, opens the editor in a top-level window of its own, idles it every 30 ms
// while a second thread renders audio, and writes every host callback to standard output.
// Commands come one per line on standard input; each is answered by a line starting "ok".
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "shell/vst2.h"

namespace {

constexpr int kIdleIntervalMs = 30;
constexpr int kBlockFrames = 512;

std::mutex outputMutex;
std::atomic<bool> closeEditorInIdle{false};
std::atomic<bool> editorOpen{false};
AEffect* effect = nullptr;

void say(const std::string& line) {
    std::lock_guard lock(outputMutex);
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

intptr_t VSTCALL hostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void*, float opt) {
    char line[128];
    std::snprintf(line, sizeof line, "cb %d %d %ld %.6f", opcode, index, static_cast<long>(value), opt);
    say(line);
    if (opcode == audioMasterVersion)
        return 2400;
    // A host may close the editor from inside the idle call a drag loop makes.
    if (opcode == audioMasterIdle && closeEditorInIdle.exchange(false) && editorOpen.exchange(false)) {
        dispatch(effEditClose);
        say("closed-in-idle");
    }
    return 0;
}

// Renders blocks of a quiet tone, about in real time, until told to stop.
class AudioThread {
public:
    void start() {
        running_ = true;
        thread_ = std::thread([this] {
            std::vector<float> left(kBlockFrames), right(kBlockFrames), outLeft(kBlockFrames), outRight(kBlockFrames);
            for (int i = 0; i < kBlockFrames; ++i)
                left[i] = right[i] = 0.1f * static_cast<float>(i % 64) / 64.0f;
            float* inputs[2] = {left.data(), right.data()};
            float* outputs[2] = {outLeft.data(), outRight.data()};
            while (running_) {
                effect->processReplacing(effect, inputs, outputs, kBlockFrames);
                std::this_thread::sleep_for(std::chrono::milliseconds(11));
            }
        });
    }
    void stop() {
        running_ = false;
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::atomic<bool> running_{false};
    std::thread thread_;
};

int countEntries(const char* folder) {
    int count = 0;
    if (DIR* dir = opendir(folder)) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count - 2;
}

// Shared memory segments attached to this process.
int sharedMemorySegments() {
    std::ifstream file("/proc/self/maps");
    std::string line;
    int count = 0;
    while (std::getline(file, line))
        count += line.find("SYSV") != std::string::npos;
    return count;
}

class Host {
public:
    Host(Display* display, int width, int height) : display_(display) {
        const int screen = DefaultScreen(display);
        XSetWindowAttributes attributes{};
        attributes.background_pixel = BlackPixel(display, screen);
        attributes.event_mask = StructureNotifyMask;
        window_ = XCreateWindow(display, RootWindow(display, screen), 50, 50, unsigned(width), unsigned(height), 0,
                                CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
        XStoreName(display, window_, "x11-test-host");
        XMapWindow(display, window_);
        // Under a window manager the window shows once the manager has framed it.
        waitForMap(window_);
    }

    // Waits up to 3 s for the window to be mapped.
    void waitForMap(::Window window) {
        XSync(display_, False);
        for (int waited = 0; waited < 3000; waited += 10) {
            XEvent event;
            while (XCheckTypedWindowEvent(display_, window, MapNotify, &event))
                return;
            usleep(10000);
        }
    }

    ::Window window() const { return window_; }

    // A second top-level window, away from the editor, made on first use.
    ::Window otherWindow() {
        if (!other_) {
            other_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 700, 500, 100, 100, 0, 0, 0);
            XStoreName(display_, other_, "x11-test-host other");
            XSelectInput(display_, other_, StructureNotifyMask);
            XMapWindow(display_, other_);
            waitForMap(other_);
        }
        return other_;
    }

    ::Window editorWindow() const {
        ::Window root, parent, *children = nullptr;
        unsigned count = 0;
        ::Window found = 0;
        if (XQueryTree(display_, window_, &root, &parent, &children, &count) && count > 0)
            found = children[0];
        if (children)
            XFree(children);
        return found;
    }
    unsigned childCount() const {
        ::Window root, parent, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display_, window_, &root, &parent, &children, &count);
        if (children)
            XFree(children);
        return count;
    }

    bool snapshot(const std::string& path, int& width, int& height) {
        const ::Window editor = editorWindow();
        XWindowAttributes attributes;
        if (!editor || !XGetWindowAttributes(display_, editor, &attributes))
            return false;
        width = attributes.width;
        height = attributes.height;
        XImage* image = XGetImage(display_, editor, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!image)
            return false;
        std::ofstream file(path, std::ios::binary);
        file << "P6\n" << width << ' ' << height << "\n255\n";
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                const char rgb[3] = {char(pixel >> 16 & 0xFF), char(pixel >> 8 & 0xFF), char(pixel & 0xFF)};
                file.write(rgb, 3);
            }
        }
        XDestroyImage(image);
        return bool(file);
    }

    // One idle with nothing to repaint, and one that repaints the whole editor after an expose,
    // each the median of a run of them.
    void measure(double& idleMs, double& repaintMs) {
        auto median = [](std::vector<double> values) {
            std::sort(values.begin(), values.end());
            return values[values.size() / 2];
        };
        std::vector<double> idles, repaints;
        for (int i = 0; i < 41; ++i) {
            const auto start = std::chrono::steady_clock::now();
            dispatch(effEditIdle);
            idles.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        for (int i = 0; i < 21; ++i) {
            XClearArea(display_, editorWindow(), 0, 0, 0, 0, True);
            XSync(display_, False);
            usleep(20000);  // the exposure reaches the editor's connection
            const auto start = std::chrono::steady_clock::now();
            dispatch(effEditIdle);
            repaints.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        idleMs = median(idles);
        repaintMs = median(repaints);
    }

    void drain() {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
        }
    }

private:
    Display* display_;
    ::Window window_;
    ::Window other_ = 0;
};

bool openEditor(Host& host) {
    const intptr_t answer = dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(host.window())));
    editorOpen = answer != 0;
    return editorOpen;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: x11-test-host MODULE\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11-test-host: no display\n");
        return 1;
    }
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    auto entry = module ? reinterpret_cast<AEffect*(VSTCALL*)(HostCallback)>(dlsym(module, "main")) : nullptr;
    effect = entry ? entry(hostCallback) : nullptr;
    if (!effect) {
        std::fprintf(stderr, "x11-test-host: cannot load %s: %s\n", argv[1], module ? "no effect" : dlerror());
        return 1;
    }
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    dispatch(effSetBlockSize, 0, kBlockFrames);
    dispatch(effMainsChanged, 0, 1);
    ERect* rect = nullptr;
    dispatch(effEditGetRect, 0, 0, &rect);
    const int width = rect ? rect->right - rect->left : 0, height = rect ? rect->bottom - rect->top : 0;
    Host host(display, std::max(width, 1), std::max(height, 1));
    AudioThread audio;
    audio.start();
    bool effectOpen = true;
    // An id the server never gave out: the editor must refuse it without ending this process.
    std::string badParent;
    if (argc > 2 && std::strcmp(argv[2], "--bad-parent") == 0)
        badParent = std::to_string(dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t(0x1fffff0))));
    else
        openEditor(host);
    say("ready " + std::to_string(host.window()) + " " + std::to_string(width) + " " + std::to_string(height));
    if (!badParent.empty())
        say("bad-parent " + badParent);

    std::string pending;
    auto nextIdle = std::chrono::steady_clock::now();
    bool quit = false;
    while (!quit) {
        pollfd descriptors[2] = {{0, POLLIN, 0}, {ConnectionNumber(display), POLLIN, 0}};
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextIdle - std::chrono::steady_clock::now());
        poll(descriptors, 2, std::max<int>(0, int(wait.count())));
        host.drain();
        if (std::chrono::steady_clock::now() >= nextIdle) {
            if (editorOpen)
                dispatch(effEditIdle);
            nextIdle = std::chrono::steady_clock::now() + std::chrono::milliseconds(kIdleIntervalMs);
        }
        if (!(descriptors[0].revents & (POLLIN | POLLHUP)))
            continue;
        char buffer[512];
        const ssize_t got = read(0, buffer, sizeof buffer);
        if (got <= 0)
            break;
        pending.append(buffer, size_t(got));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::istringstream command(pending.substr(0, end));
            pending.erase(0, end + 1);
            std::string name;
            command >> name;
            if (name == "quit") {
                quit = true;
            } else if (name == "get") {
                int index = 0;
                command >> index;
                say("ok get " + std::to_string(index) + " " + std::to_string(effect->getParameter(effect, index)));
            } else if (name == "set") {
                int index = 0;
                float value = 0;
                command >> index >> value;
                effect->setParameter(effect, index, value);
                say("ok set");
            } else if (name == "open-editor") {
                say(std::string("ok open-editor ") + (openEditor(host) ? "1" : "0"));
            } else if (name == "close-editor") {
                if (editorOpen.exchange(false))
                    dispatch(effEditClose);
                XSync(display, False);
                say("ok close-editor");
            } else if (name == "close-editor-in-idle") {
                closeEditorInIdle = true;
                say("ok close-editor-in-idle");
            } else if (name == "close-effect") {
                // Closed with the editor still open, as some hosts do.
                audio.stop();
                dispatch(effClose);
                effectOpen = false;
                editorOpen = false;
                say("ok close-effect");
            } else if (name == "focus") {
                XSetInputFocus(display, host.window(), RevertToParent, CurrentTime);
                XSync(display, False);
                say("ok focus");
            } else if (name == "unfocus") {
                // Another window of the desktop takes the focus, as when the user works elsewhere.
                XSetInputFocus(display, host.otherWindow(), RevertToParent, CurrentTime);
                XSync(display, False);
                say("ok unfocus");
            } else if (name == "where") {
                int x = 0, y = 0;
                ::Window child;
                if (const ::Window editor = host.editorWindow())
                    XTranslateCoordinates(display, editor, DefaultRootWindow(display), 0, 0, &x, &y, &child);
                say("ok where " + std::to_string(x) + " " + std::to_string(y));
            } else if (name == "snapshot") {
                std::string path;
                command >> path;
                int w = 0, h = 0;
                const bool saved = host.snapshot(path, w, h);
                say("ok snapshot " + std::to_string(saved) + " " + std::to_string(w) + " " + std::to_string(h));
            } else if (name == "children") {
                say("ok children " + std::to_string(host.childCount()));
            } else if (name == "resources") {
                say("ok resources " + std::to_string(countEntries("/proc/self/fd")) + " " +
                    std::to_string(sharedMemorySegments()));
            } else if (name == "measure") {
                double idleMs = 0, repaintMs = 0;
                host.measure(idleMs, repaintMs);
                char line[96];
                std::snprintf(line, sizeof line, "ok measure %.3f %.3f", idleMs, repaintMs);
                say(line);
            } else {
                say("ok unknown " + name);
            }
        }
    }
    audio.stop();
    if (effectOpen) {
        if (editorOpen)
            dispatch(effEditClose);
        dispatch(effClose);
    }
    XCloseDisplay(display);
    say("bye");
    return 0;
}
