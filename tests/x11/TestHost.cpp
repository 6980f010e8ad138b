#include "TestHost.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

extern char** environ;

TestHost::TestHost(const std::string& module, const std::string& extraArgument) {
    int toHost[2], fromHost[2];
    if (pipe(toHost) != 0 || pipe(fromHost) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toHost[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromHost[1], 1);
    posix_spawn_file_actions_addclose(&actions, toHost[1]);
    posix_spawn_file_actions_addclose(&actions, fromHost[0]);
    const std::string program = X11_TEST_HOST;
    std::vector<char*> arguments = {const_cast<char*>(program.c_str()), const_cast<char*>(module.c_str())};
    if (!extraArgument.empty())
        arguments.push_back(const_cast<char*>(extraArgument.c_str()));
    arguments.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, arguments.data(), environ) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(toHost[0]);
    close(fromHost[1]);
    input_ = toHost[1];
    output_ = fromHost[0];
    reader_ = std::thread([this] { readOutput(); });
    const std::string ready = waitForLine("ready", 20000);
    if (ready.rfind("ready", 0) == 0) {
        const std::vector<std::string> where = command("where");
        if (where.size() == 2) {
            windowX = std::atoi(where[0].c_str());
            windowY = std::atoi(where[1].c_str());
        }
    }
}

TestHost::~TestHost() {
    if (pid_ > 0 && waitForExit(0) == -1) {
        const std::string quit = "quit\n";
        if (write(input_, quit.data(), quit.size()) != ssize_t(quit.size()))
            kill(pid_, SIGTERM);
        if (waitForExit(5000) == -1) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    if (input_ >= 0)
        close(input_);
    if (reader_.joinable())
        reader_.join();
    if (output_ >= 0)
        close(output_);
}

void TestHost::readOutput() {
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(output_, buffer, sizeof buffer);
        if (got <= 0)
            break;
        pending.append(buffer, size_t(got));
        std::lock_guard lock(mutex_);
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            lines_.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
        arrived_.notify_all();
    }
    std::lock_guard lock(mutex_);
    ended_ = true;
    arrived_.notify_all();
}

std::string TestHost::waitForLine(const std::string& prefix, int timeoutMs) {
    std::unique_lock lock(mutex_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        taken_.resize(lines_.size());
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (!taken_[i] && lines_[i].rfind(prefix, 0) == 0) {
                taken_[i] = true;
                return lines_[i];
            }
        }
        if (ended_ || arrived_.wait_until(lock, deadline) == std::cv_status::timeout)
            return "";
    }
}

std::vector<std::string> TestHost::command(const std::string& line, int timeoutMs) {
    const std::string text = line + "\n";
    if (input_ < 0 || write(input_, text.data(), text.size()) != ssize_t(text.size()))
        return {};
    std::istringstream words(line);
    std::string name;
    words >> name;
    std::istringstream answer(waitForLine("ok " + name, timeoutMs));
    std::vector<std::string> result;
    std::string word;
    answer >> word >> word;  // "ok" and the name
    while (answer >> word)
        result.push_back(word);
    return result;
}

float TestHost::parameter(int index) {
    const std::vector<std::string> answer = command("get " + std::to_string(index));
    return answer.size() == 2 ? std::strtof(answer[1].c_str(), nullptr) : -1.0f;
}

std::vector<Callback> TestHost::callbacks(size_t from) {
    std::vector<Callback> found;
    std::lock_guard lock(mutex_);
    for (const std::string& line : lines_) {
        Callback call{};
        long value = 0;
        if (std::sscanf(line.c_str(), "cb %d %d %ld %f", &call.opcode, &call.index, &value, &call.value) == 4)
            found.push_back(call);
    }
    if (from > found.size())
        from = found.size();
    return {found.begin() + long(from), found.end()};
}

int TestHost::waitForExit(int timeoutMs) {
    if (pid_ <= 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = 0;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        sleepMs(10);
    }
}

bool xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments).c_str()) == 0;
}

bool pointerPosition(int& x, int& y) {
    FILE* location = popen("xdotool getmouselocation", "r");
    if (!location)
        return false;
    const bool read = std::fscanf(location, "x:%d y:%d", &x, &y) == 2;
    pclose(location);
    return read;
}

// Without --sync, which waits for ever when the pointer is already there.
void moveTo(TestHost& host, int x, int y) {
    const int screenX = host.windowX + x, screenY = host.windowY + y;
    xdotool("mousemove " + std::to_string(screenX) + " " + std::to_string(screenY));
    for (int tries = 0; tries < 100; ++tries) {
        int atX = -1, atY = -1;
        if (pointerPosition(atX, atY) && atX == screenX && atY == screenY)
            return;
        sleepMs(10);
    }
}

void sleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
