// The test module's effect: a recording effect with the plain editor base. A host that answers
// yes to kWithoutEditorQuestion gets an instance without editor, which `main` has to discard.
#include <string>

#include "shell/AEffEditorBase.h"
#include "shell/PluginFactory.h"
#include "tests/shell/test_effect/RecordingEffect.h"
#include "tests/shell/test_effect/TestEffectFactory.h"

AEffPlugin* createEffectInstance(HostCallback hostCallback) {
    auto* effect = new RecordingEffect(hostCallback);
    std::string question = kWithoutEditorQuestion;
    if (!effect->canHostDo(question.data())) {
        new AEffEditorBase(effect);  // registers itself as the effect's editor, which owns it
    }
    return effect;
}
