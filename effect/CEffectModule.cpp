// What the VST module's effect has beyond the GUI-free core: the editor it creates and tells of
// every change, and the factory bank read from the module's resources. (The parameter path's
// error boxes come from the editor's library.)
#include <array>

#include "editor/CEffectEditor.h"
#include "effect/CEffect.h"
#include "effect/FactoryBank.h"
#include "platform/platform.h"

// The editor's base registers it and raises the record's has-editor flag. An editor whose
// construction fails leaves neither behind: the effect stays without one, and `main` refuses it.
void CEffect::createEditor() {
    try {
        new CEffectEditor(this);  // registers itself as `editor`
    } catch (...) {
        editor = nullptr;
        effectRecord.flags &= ~effFlagsHasEditor;
    }
}

// Every control of the parameter takes the value, on whichever thread the change came. An editor
// without controls of its own only learns that something changed.
void CEffect::notifyEditor(int32_t index, float value) {
    if (auto* guiEditor = dynamic_cast<AEffGUIEditor*>(editor))
        guiEditor->setParameter(index, value);
    else
        editor->postUpdate();
}

void CEffect::loadFactoryBankResource() {
    platform::ResourceData resource{};
    if (!platform::findResource(kFactoryBankResourceType, kFactoryBankResourceId, resource) || !resource.data) return;
    std::array<CEffectProgram, kNumPrograms> bank;
    const int loaded = loadFactoryBank(static_cast<const unsigned char*>(resource.data), resource.size, bank.data(),
                                       kNumPrograms);
    for (int32_t program = 0; program < loaded; ++program) programs.assign(program, bank[program]);
}
