// A test effect that records every operation the dispatcher and the entry functions can reach,
// with its arguments, and answers each query with a value the test chooses.
#pragma once

#include <string>
#include <vector>

#include "shell/AEffPluginX.h"

class RecordingEffect : public AEffPluginX {
public:
    // Distinct from the plug-in's counts so that a test sees they come from the constructor.
    static constexpr int32_t kNumPrograms = 16;
    static constexpr int32_t kNumParams = 8;

    explicit RecordingEffect(HostCallback hostCallback);
    ~RecordingEffect() override;

    // Instances alive in this binary: lets a test see that effClose really destroyed the object.
    static int liveInstances;

    std::vector<std::string> calls;
    intptr_t answer = 0;       // every recorded query answers this, converted to its result type
    float floatAnswer = 0.0f;  // getParameter and getVu answer this

    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;
    void open() override;
    void close() override;
    int32_t getProgram() override;
    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(int32_t index, char* label) override;
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterName(int32_t index, char* text) override;
    float getVu() override;
    int32_t getChunk(void** data, bool isPreset) override;
    int32_t setChunk(void* data, int32_t byteSize, bool isPreset) override;
    void setSampleRate(float sampleRate) override;
    void setBlockSize(int32_t blockSize) override;
    void suspend() override;
    void resume() override;

    int32_t processEvents(void* events) override;
    bool canParameterBeAutomated(int32_t index) override;
    bool string2parameter(int32_t index, char* text) override;
    int32_t getNumCategories() override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
    bool copyProgram(int32_t destination) override;
    void inputConnected(int32_t index, bool state) override;
    void outputConnected(int32_t index, bool state) override;
    bool getInputProperties(int32_t index, VstPinProperties* properties) override;
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override;
    int32_t getPlugCategory() override;
    int32_t reportCurrentPosition() override;
    float* reportDestinationBuffer() override;
    bool offlineNotify(void* audioFiles, int32_t count, bool start) override;
    bool offlinePrepare(void* offline, int32_t count) override;
    bool offlineRun(void* offline, int32_t count) override;
    bool processVariableIo(void* variableIo) override;
    bool setSpeakerArrangement(intptr_t inputArrangement, void* outputArrangement) override;
    void setBlockSizeAndSampleRate(int32_t blockSize, float sampleRate) override;
    bool setBypass(bool onOff) override;
    bool getEffectName(char* name) override;
    bool getErrorText(char* text) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override;
    intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) override;
    int32_t canDo(char* text) override;
    intptr_t getIcon() override;
    bool setViewPosition(int32_t x, int32_t y) override;
    int32_t getTailSize() override;
    int32_t fxIdle() override;
    bool getParameterProperties(int32_t index, void* properties) override;
    bool keysRequired() override;
    int32_t getVstVersion() override;
    int32_t getMidiProgramName(int32_t channel, void* midiProgramName) override;
    int32_t getCurrentMidiProgram(int32_t channel, void* currentProgram) override;
    int32_t getMidiProgramCategory(int32_t channel, void* category) override;
    bool hasMidiProgramsChanged(int32_t channel) override;
    bool getMidiKeyName(int32_t channel, void* keyName) override;
    bool beginSetProgram() override;
    bool endSetProgram() override;

private:
    template <typename... Arguments>
    void record(const char* operation, Arguments... arguments);
    bool boolAnswer() const { return answer != 0; }
    int32_t intAnswer() const { return static_cast<int32_t>(answer); }
};
