// instances: 16 instances render at once, each on a thread of its own, and each gives the same
// bits as one instance rendering alone, unless two instances rendering alone one after the other
// already differ (a module that seeds noise per instance): then only the renders' soundness counts.
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <memory>
#include <thread>

namespace host {
namespace {

constexpr int kInstances = 16;
constexpr int kBlocks = 32;

}  // namespace

std::string checkInstances(const GroupContext& context) {
    ModuleLibrary library(context.module);
    std::vector<float> alone;
    {
        noteStep("one instance alone");
        Instance instance(library);
        alone = renderStream(instance.effect(), kBlocks, instance.blockSize());
    }
    bool repeatable = true;
    {
        noteStep("a second instance alone");
        Instance instance(library);
        repeatable = firstDifference(alone, renderStream(instance.effect(), kBlocks, instance.blockSize())) == alone.size();
    }

    noteStep("creating 16 instances");
    std::vector<std::unique_ptr<Instance>> instances;
    for (int i = 0; i < kInstances; ++i) instances.push_back(std::make_unique<Instance>(library));
    std::vector<std::vector<float>> streams(kInstances);
    std::vector<std::string> faults(kInstances);
    noteStep("16 instances rendering at once");
    {
        std::vector<std::thread> threads;
        for (int i = 0; i < kInstances; ++i) {
            threads.emplace_back([&, i] {
                try {
                    streams[i] = renderStream(instances[i]->effect(), kBlocks, instances[i]->blockSize());
                } catch (const CheckFailed& failure) {
                    faults[i] = failure.what();
                }
            });
        }
        for (std::thread& thread : threads) thread.join();
    }
    for (int i = 0; i < kInstances; ++i) {
        if (!faults[i].empty()) throw CheckFailed("instance " + std::to_string(i + 1) + ": " + faults[i]);
        if (repeatable && firstDifference(alone, streams[i]) != alone.size())
            throw CheckFailed("instance " + std::to_string(i + 1) + " of 16 renders other bits than one instance alone");
    }
    noteStep("closing 16 instances");
    instances.clear();
    return repeatable ? "" : "two instances alone render different bits: bits not compared";
}

}  // namespace host
