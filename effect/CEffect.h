// The plug-in: 15 parameters with their links, 64 programs loaded from the factory bank, and the
// audio entry points that feed the spatialiser engine.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "effect/CEffectProgram.h"
#include "effect/ParameterTable.h"
#include "effect/ProgramStore.h"
#include "shell/AEffPluginX.h"

struct SpatialiserState;

class CEffect : public AEffPluginX {
public:
    explicit CEffect(HostCallback hostCallback);

    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    intptr_t setParameterAutomated(int32_t index, float value) override;
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(int32_t index, char* label) override;
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterName(int32_t index, char* text) override;
    void setSampleRate(float sampleRate) override;
    void resume() override;
    int32_t processEvents(void* events) override;
    bool canParameterBeAutomated(int32_t index) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
    bool copyProgram(int32_t destination) override;
    bool getInputProperties(int32_t index, VstPinProperties* properties) override;
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override;
    void setBlockSizeAndSampleRate(int32_t blockSize, float sampleRate) override;
    int32_t canDo(char* text) override;
    // From each binary's own file, as notifyEditor below: only an editor takes a content scale.
    intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) override;
    int32_t getProgram() override;

    // Starts the engine afresh at the values held and the rate set, as an effect made with them
    // would start: no history, and no glide from earlier values.
    void restartEngine();

    // Read-only views for the editor and for tests.
    CEffectProgram storedProgram(int32_t program) const { return programs.snapshot(program); }
    bool isUpdatePending() const { return needsUpdate.load(std::memory_order_relaxed); }
    const SpatialiserState* engine() const;

private:
    void linkParameter(int32_t index, float& value);
    void storeParameter(int32_t index, float value);
    void automate(int32_t index, float value);
    // notifyEditor, loadFactoryBankResource and createEditor come from each binary's own file:
    // effect/CEffectModule.cpp for the VST module, lv2/CEffectWithoutEditor.cpp for the LV2 plug-in.
    void notifyEditor(int32_t index, float value);
    void updateEngine();
    // Checks the host's buffers and runs a pending engine update; false when nothing may render.
    bool prepareBlock(float** inputs, float** outputs);
    SpatialiserState* engineRecord() { return reinterpret_cast<SpatialiserState*>(engineState.get()); }
    void loadFactoryBankResource();
    void createEditor();
    // Stores into the live values and the program current at this moment.
    void storeValue(int32_t index, float value);

    // Raised by every parameter change on any thread; taken by the next audio block.
    std::atomic<bool> needsUpdate{false};
    ProgramStore programs;
    // The store's index of the current program, read on the audio thread by every change.
    std::atomic<int32_t> selectedProgram{0};
    // The live values, read by the audio thread while any thread may set them.
    std::array<std::atomic<float>, kNumParameters> current{};
    std::unique_ptr<unsigned char[]> engineState;  // zero-filled SpatialiserState, or null
    // The rate every engine update passes on: set on the control thread, read on the audio thread.
    std::atomic<float> engineSampleRate;
};
