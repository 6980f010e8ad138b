// What the VST module's effect has beyond the GUI-free core: the editor it creates, tells of
// every change and hands the host's content scale, and the factory bank read from the module's
// resources. (The parameter path's
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

// The content scale several hosts send their plug-ins: index 'PreS', value 'AeCs', the factor
// in opt. Answered with 1 when the editor takes it.
intptr_t CEffect::vendorSpecific(int32_t index, intptr_t value, void*, float opt) {
    constexpr int32_t kContentScaleIndex = 0x50726553;  // 'PreS'
    constexpr intptr_t kContentScaleValue = 0x41654373;  // 'AeCs'
    auto* guiEditor = dynamic_cast<AEffGUIEditor*>(editor);
    if (index != kContentScaleIndex || value != kContentScaleValue || !guiEditor)
        return 0;
    return guiEditor->setHostContentScale(opt) ? 1 : 0;
}

void CEffect::loadFactoryBankResource() {
    platform::ResourceData resource{};
    if (!platform::findResource(kFactoryBankResourceType, kFactoryBankResourceId, resource) || !resource.data) return;
    std::array<CEffectProgram, kNumPrograms> bank;
    const int loaded = loadFactoryBank(static_cast<const unsigned char*>(resource.data), resource.size, bank.data(),
                                       kNumPrograms);
    for (int32_t program = 0; program < loaded; ++program) programs.assign(program, bank[program]);
}
