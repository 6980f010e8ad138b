#include "GroupChannel.h"

#include <unistd.h>

#include <mutex>
#include <set>

namespace host {
namespace {

int channel = -1;
std::mutex guard;  // the audio thread and an X error handler report too
std::string lastStep;
std::set<std::string> warned;

void send(const std::string& line) {
    if (channel < 0) return;
    ssize_t written = write(channel, line.data(), line.size());
    (void)written;  // the parent only loses a location or a finding
}

std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\t') c = ' ';
    }
    return text;
}

}  // namespace

void setStepChannel(int fd) { channel = fd; }

void noteStep(const std::string& step) {
    std::lock_guard<std::mutex> lock(guard);
    lastStep = step;
    send("step " + oneLine(step) + "\n");
}

std::string currentStep() {
    std::lock_guard<std::mutex> lock(guard);
    return lastStep;
}

void reportWarning(const std::string& kind, const std::string& message) {
    std::lock_guard<std::mutex> lock(guard);
    if (!warned.insert(kind).second) return;
    send("warn " + oneLine(kind) + "\t" + oneLine(message) + "\n");
}

}  // namespace host
