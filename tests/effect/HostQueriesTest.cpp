// The effect's answers to the host's queries about itself.
#include <cstring>
#include <string>

#include "tests/effect/EffectFixture.h"

namespace {

TEST_F(EffectTest, PinsAreTwoActiveStereoChannelsEachWay) {
    const struct {
        bool (CEffect::*query)(int32_t, VstPinProperties*);
        const char* labels[2];
    } directions[] = {{&CEffect::getInputProperties, {"My 1 In", "My 2 In"}},
                      {&CEffect::getOutputProperties, {"Vstx 1", "Vstx 2"}}};
    for (const auto& direction : directions) {
        for (int32_t index = 0; index < 2; ++index) {
            VstPinProperties properties;
            std::memset(&properties, 0x55, sizeof properties);
            ASSERT_TRUE((effect.get()->*direction.query)(index, &properties));
            EXPECT_STREQ(properties.label, direction.labels[index]);
            EXPECT_EQ(properties.flags, kVstPinIsActive | kVstPinIsStereo);
            EXPECT_EQ(properties.arrangementType, 0x55555555);  // the other fields stay as they were
            EXPECT_EQ(static_cast<unsigned char>(properties.shortLabel[0]), 0x55);
        }
        VstPinProperties untouched;
        std::memset(&untouched, 0x55, sizeof untouched);
        EXPECT_FALSE((effect.get()->*direction.query)(2, &untouched));
        EXPECT_FALSE((effect.get()->*direction.query)(-1, &untouched));
        EXPECT_EQ(static_cast<unsigned char>(untouched.label[0]), 0x55);
    }
}

TEST_F(EffectTest, CanDoAnswersMinusOneWhateverIsAsked) {
    for (const char* question : {"sendVstEvents", "receiveVstEvents", "receiveVstMidiEvent", "bypass", ""}) {
        std::string text = question;
        EXPECT_EQ(effect->canDo(text.data()), -1) << question;
        EXPECT_EQ(effect->dispatcher(effCanDo, 0, 0, text.data(), 0.0f), -1) << question;
    }
}

TEST_F(EffectTest, ResumeAsksTheHostForEvents) {
    forgetHostCalls();
    effect->dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
    EXPECT_TRUE(host.calls.empty());
    effect->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls[0].value, 1);
}

}  // namespace
