// load: the entry point refuses a host that answers version 0, then gives a sound record; open
// and close; 100 rounds of loading, opening, closing and unloading.
#include "ValidationGroups.h"

namespace host {
namespace {

constexpr int kLoadRounds = 100;

void refusesVersionZero(ModuleLibrary& library) {
    noteStep("main with a host answering version 0");
    HostAnswers& answers = hostAnswers();
    answers.version = 0;
    answers.forgetCalls();
    AEffect* effect = library.callEntry();
    answers.version = 2400;
    const long otherCalls = answers.totalCalls() - answers.calls[audioMasterVersion];
    if (effect) {
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        throw CheckFailed("main gave an effect although the host answered version 0");
    }
    if (answers.calls[audioMasterVersion] == 0) throw CheckFailed("main refused the load without asking the version");
    if (otherCalls) throw CheckFailed("main called the host " + std::to_string(otherCalls) + " more times after the version 0");
}

}  // namespace

std::string checkLoading(const GroupContext& context) {
    {
        ModuleLibrary library(context.module);
        refusesVersionZero(library);

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
