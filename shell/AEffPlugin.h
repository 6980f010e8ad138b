// The VST 1.0 half of the plug-in framework: owns the effect record handed to the host, turns
// opcodes 0..24 into virtual operations with defaults, and wraps the basic host calls.
#pragma once

#include "shell/vst2.h"

class AEffEditorBase;

class AEffPlugin {
public:
    AEffPlugin(HostCallback hostCallback, int32_t numPrograms, int32_t numParams);
    virtual ~AEffPlugin();

    // Virtual operations in the order of their table slots.
    virtual void setParameter(int32_t index, float value);
    virtual float getParameter(int32_t index);
    virtual intptr_t setParameterAutomated(int32_t index, float value);
    virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames);
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    virtual void open();
    virtual void close();
    virtual int32_t getProgram();
    virtual void setProgram(int32_t program);
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(int32_t index, char* label);
    virtual void getParameterDisplay(int32_t index, char* text);
    virtual void getParameterName(int32_t index, char* text);
    virtual float getVu();
    virtual int32_t getChunk(void** data, bool isPreset);
    virtual int32_t setChunk(void* data, int32_t byteSize, bool isPreset);
    virtual void setSampleRate(float sampleRate);
    virtual void setBlockSize(int32_t blockSize);
    virtual void suspend();
    virtual void resume();
    virtual void setUniqueID(int32_t uniqueID);
    virtual void setNumInputs(int32_t inputs);
    virtual void setNumOutputs(int32_t outputs);
    virtual void hasVu(bool state);
    virtual void hasClip(bool state);
    virtual void canMono(bool state);
    virtual void canProcessReplacing(bool state);
    virtual void programsAreChunks(bool state);
    virtual void setRealtimeQualities(int32_t qualities);
    virtual void setOfflineQualities(int32_t qualities);
    virtual void setInitialDelay(int32_t delay);
    virtual float getSampleRate();
    virtual int32_t getBlockSize();
    virtual intptr_t getMasterVersion();
    virtual intptr_t getCurrentUniqueId();
    virtual intptr_t masterIdle();
    virtual bool isInputConnected(int32_t input);
    virtual bool isOutputConnected(int32_t output);
    // Value-to-text routines: each writes at most 8 characters plus the terminator.
    virtual void dB2string(float gain, char* text);
    virtual void Hz2string(float samples, char* text);
    virtual void ms2string(float samples, char* text);
    virtual void float2string(float value, char* text);
    virtual void long2string(int32_t value, char* text);

    float sampleRate;
    AEffEditorBase* editor;  // owned
    HostCallback hostCallback;
    int32_t numPrograms;
    int32_t numParams;
    int32_t curProgram;
    int32_t blockSize;
    AEffect effectRecord;

protected:
    // Calls the host with this effect's record; answers `fallback` when there is no callback.
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f,
                      intptr_t fallback = 0);

private:
    AEffPlugin(const AEffPlugin&) = delete;
    AEffPlugin& operator=(const AEffPlugin&) = delete;
};
