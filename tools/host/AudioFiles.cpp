#include "AudioFiles.h"

#include "HostError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace host {
namespace {

// The temporary file of the render in progress, removed when the user interrupts the host.
char gPendingTemporary[4096];
volatile std::sig_atomic_t gHasPendingTemporary = 0;

extern "C" void removePendingTemporaryAndStop(int signalNumber) {
    if (gHasPendingTemporary) unlink(gPendingTemporary);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void registerPendingTemporary(const std::string& path) {
    if (path.size() >= sizeof gPendingTemporary) return;
    std::memcpy(gPendingTemporary, path.c_str(), path.size() + 1);
    gHasPendingTemporary = 1;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, removePendingTemporaryAndStop);
}

void clearPendingTemporary() {
    gHasPendingTemporary = 0;
}

std::string systemError() {
    return std::strerror(errno);
}

void checkReadable(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) throw HostError("cannot read input " + path + ": " + systemError());
    if (S_ISDIR(status.st_mode)) throw HostError("input " + path + " is a folder, not an audio file");
    const int descriptor = open(path.c_str(), O_RDONLY);
    if (descriptor < 0) throw HostError("cannot read input " + path + ": " + systemError());
    close(descriptor);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// New files get the usual mode (0666 less the umask); a replaced file keeps its own.
mode_t modeForOutput(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) == 0) return status.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
    checkReadable(path);
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (file_ == nullptr) {
        throw HostError("cannot read input " + path + " as audio: " + sf_strerror(nullptr));
    }
    if (info_.channels < 1 || info_.samplerate < 1) {
        sf_close(file_);
        throw HostError("input " + path + " has no channels or no sample rate");
    }
}

InputFile::~InputFile() {
    sf_close(file_);
}

int64_t InputFile::read(const std::vector<float*>& inputs, int64_t frames) {
    const size_t channels = static_cast<size_t>(info_.channels);
    interleaved_.resize(static_cast<size_t>(frames) * channels);
    const sf_count_t got = sf_readf_float(file_, interleaved_.data(), frames);
    if (sf_error(file_) != SF_ERR_NO_ERROR) {
        throw HostError("cannot read input " + path_ + ": " + sf_strerror(file_));
    }
    for (size_t input = 0; input < inputs.size(); ++input) {
        float* destination = inputs[input];
        const size_t channel = channels == 1 ? 0 : input;
        if (channel >= channels) {
            std::fill(destination, destination + got, 0.0f);
            continue;
        }
        for (sf_count_t frame = 0; frame < got; ++frame) {
            destination[frame] = interleaved_[static_cast<size_t>(frame) * channels + channel];
        }
    }
    return got;
}

OutputFile::OutputFile(const std::string& path, int format, int channels, int sampleRate)
    : path_(path), channels_(channels) {
    std::string pattern = folderOf(path) + "/." + fileNameOf(path) + ".XXXXXX";
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) throw HostError("cannot write output " + path + ": " + systemError());
    temporaryPath_ = pattern;
    registerPendingTemporary(temporaryPath_);
    fchmod(descriptor, modeForOutput(path));

    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    file_ = sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE);
    if (file_ == nullptr) {
        const std::string reason = sf_strerror(nullptr);
        close(descriptor);
        unlink(temporaryPath_.c_str());
        clearPendingTemporary();
        throw HostError("cannot write output " + path + ": " + reason);
    }
    // Integer formats clip instead of wrapping around.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

OutputFile::~OutputFile() {
    if (file_ != nullptr) {
        sf_close(file_);
        unlink(temporaryPath_.c_str());
        clearPendingTemporary();
    }
}

void OutputFile::write(const std::vector<float*>& outputs, int64_t frames) {
    const size_t channels = static_cast<size_t>(channels_);
    interleaved_.resize(static_cast<size_t>(frames) * channels);
    for (size_t channel = 0; channel < channels; ++channel) {
        for (int64_t frame = 0; frame < frames; ++frame) {
            interleaved_[static_cast<size_t>(frame) * channels + channel] = outputs[channel][frame];
        }
    }
    if (sf_writef_float(file_, interleaved_.data(), frames) != frames) {
        throw HostError("cannot write output " + path_ + ": " + sf_strerror(file_));
    }
}

void OutputFile::commit() {
    const int closeResult = sf_close(file_);
    file_ = nullptr;
    if (closeResult != 0 || std::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
        const std::string reason = closeResult != 0 ? sf_error_number(closeResult) : systemError();
        unlink(temporaryPath_.c_str());
        clearPendingTemporary();
        throw HostError("cannot write output " + path_ + ": " + reason);
    }
    clearPendingTemporary();
}

}  // namespace host
