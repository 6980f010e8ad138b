// load: the entry point gives a sound record; open and close; 100 rounds of loading, opening,
// closing and unloading.
#include "ValidationGroups.h"

namespace host {
namespace {

constexpr int kLoadRounds = 100;

}  // namespace

std::string checkLoading(const GroupContext& context) {
    {
        ModuleLibrary library(context.module);
        noteStep("main");
        AEffect* effect = library.callEntry();
        if (!effect) throw CheckFailed("main gave no effect to a host of version 2400");
        checkRecord(*effect);
        noteStep("effOpen");
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        noteStep("effClose");
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
    for (int round = 1; round <= kLoadRounds; ++round) {
        noteStep("load round " + std::to_string(round));
        ModuleLibrary library(context.module);
        AEffect* effect = library.callEntry();
        if (!effect) throw CheckFailed("main gave no effect in load round " + std::to_string(round));
        checkRecord(*effect);
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
    return "";
}

}  // namespace host
