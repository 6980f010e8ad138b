// Failures of the host or the editor during a parameter change end in a message box and never
// reach the caller. Linux only: on Windows the box would wait for a click.
#include <stdexcept>

#include "platform/soft/desktop.h"
#include "shell/AEffEditorBase.h"
#include "tests/effect/EffectFixture.h"

namespace {

bool hostFails = false;

intptr_t VSTCALL failingHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterAutomate && hostFails) throw std::runtime_error("host failure");
    return opcode == audioMasterVersion ? 2400 : 0;
}

class FailingEditor : public AEffEditorBase {
public:
    using AEffEditorBase::AEffEditorBase;
    void postUpdate() override { throw std::runtime_error("editor failure"); }
};

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        hostFails = false;
        effect = std::make_unique<CEffect>(failingHost);
        hostFails = true;
        platform::soft::clearMessageBoxes();
    }
    void TearDown() override { hostFails = false; }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& box : platform::soft::messageBoxesShown()) {
            EXPECT_EQ(box.title, "Error");
            texts.push_back(box.text);
        }
        return texts;
    }

    void failInTheEditor() {
        delete effect->editor;
        new FailingEditor(effect.get());  // registers itself as the effect's editor
    }

    std::unique_ptr<CEffect> effect;
};

TEST_F(GuardTest, HostFailingInsideALinkStopsTheChangeWhereItWas) {
    effect->setParameter(kAzimuthSlider, 0.25f);
    EXPECT_EQ(messages(), std::vector<std::string>{"CEffect::setParameter function!\nDEBUG INFO: 0\nID: 4\nValue: 0.25000\n"});
    EXPECT_EQ(effect->getParameter(kAzimuth), 0.25f);  // stored before the host was told
    EXPECT_EQ(effect->getParameter(kAzimuthSlider), 0.5f);
}

TEST_F(GuardTest, HostFailingAfterAnAutomatedChangeKeepsTheChange) {
    EXPECT_EQ(effect->setParameterAutomated(kQuality, 1.0f), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "CEffect::setParameterAutomated function!\nPlugin Host has a problem!\nID: 13\nValue: 1.00000\n"});
    EXPECT_EQ(effect->getParameter(kQuality), 1.0f);
    EXPECT_TRUE(effect->isUpdatePending());
}

TEST_F(GuardTest, EditorFailureReportsStageFourAndTheValueAfterItsLink) {
    hostFails = false;
    effect->setParameter(kAzimuthWaveform, 1.0f);
    failInTheEditor();
    effect->setParameter(kAzimuthDepthSlider, 0.3f);
    EXPECT_EQ(messages(), std::vector<std::string>{"CEffect::setParameter function!\nDEBUG INFO: 4\nID: 7\nValue: 1.00000\n"});
    EXPECT_EQ(effect->getParameter(kAzimuthDepthSlider), 1.0f);
}

}  // namespace
