#include "AudioThread.h"

#include "ValidationAudio.h"

#include <cmath>
#include <random>

namespace host {
namespace {

constexpr int32_t kBlock = 128;

}  // namespace

AudioThread::AudioThread(AEffect& effect, bool automate) : effect_(effect), automate_(automate), thread_([this] { run(); }) {}

AudioThread::~AudioThread() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
}

void AudioThread::finish() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
    if (!fault_.empty()) throw CheckFailed(fault_);
}

void AudioThread::waitForBlocks(long count) const {
    while (blocks_.load() < count && !faulted_.load()) std::this_thread::yield();
}

void AudioThread::run() {
    GuardedChannels inputs(effect_.numInputs, kBlock);
    GuardedChannels outputs(effect_.numOutputs, kBlock);
    std::mt19937 random(1414);
    std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
    const int32_t parameters = effect_.numParams;
    try {
        for (int64_t position = 0; running_.load(); position += kBlock) {
            if (automate_ && parameters > 0)
                effect_.setParameter(&effect_, static_cast<int32_t>(random() % static_cast<uint32_t>(parameters)), anyValue(random));
            fillTestSignal(inputs, position);
            outputs.fill(0.0f);
            renderCall(effect_, canReplace(effect_), inputs, outputs, kBlock, "rendering on the audio thread");
            for (int32_t c = 0; c < outputs.count(); ++c)
                for (int32_t i = 0; i < kBlock; ++i)
                    if (!std::isfinite(outputs.channel(c)[i])) {
                        ++nonFinite_;
                        c = outputs.count();
                        break;
                    }
            ++blocks_;
        }
    } catch (const CheckFailed& failure) {
        fault_ = failure.what();
        faulted_ = true;
    }
}

}  // namespace host
