// The VST 2.x half of the plug-in framework: opcodes 25..68 and the extended host calls.
#pragma once

#include "shell/AEffPlugin.h"

class AEffPluginX : public AEffPlugin {
public:
    AEffPluginX(HostCallback hostCallback, int32_t numPrograms, int32_t numParams);

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    // Virtual operations in the order of their table slots, after those of AEffPlugin.
    virtual AEffEditorBase* getEditor();
    virtual intptr_t wantEvents(int32_t filter);
    virtual void* getTimeInfo(int32_t filter);
    virtual intptr_t tempoAt(int32_t position);
    virtual int32_t processEvents(void* events);
    virtual intptr_t getNumAutomatableParameters();
    virtual intptr_t getParameterQuantization();
    virtual bool canParameterBeAutomated(int32_t index);
    virtual bool string2parameter(int32_t index, char* text);
    virtual float getChannelParameter(int32_t channel, int32_t index);
    virtual int32_t getNumCategories();
    virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text);
    virtual bool copyProgram(int32_t destination);
    virtual bool ioChanged();
    virtual bool needIdle();
    virtual bool sizeWindow(int32_t width, int32_t height);
    virtual float updateSampleRate();
    virtual int32_t updateBlockSize();
    virtual intptr_t getInputLatency();
    virtual intptr_t getOutputLatency();
    virtual AEffect* getPreviousPlug(int32_t input);
    virtual AEffect* getNextPlug(int32_t output);
    virtual void inputConnected(int32_t index, bool state);
    virtual void outputConnected(int32_t index, bool state);
    virtual bool getInputProperties(int32_t index, VstPinProperties* properties);
    virtual bool getOutputProperties(int32_t index, VstPinProperties* properties);
    virtual int32_t getPlugCategory();
    virtual intptr_t willProcessReplacing();
    virtual intptr_t getCurrentProcessLevel();
    virtual intptr_t getAutomationState();
    virtual void wantAsyncOperation(bool state);
    virtual void hasExternalBuffer(bool state);
    virtual int32_t reportCurrentPosition();
    virtual float* reportDestinationBuffer();
    virtual bool offlineRead(void* offline, int32_t option, bool readSource);
    virtual bool offlineWrite(void* offline, int32_t option);
    virtual bool offlineStart(void* files, int32_t count, int32_t newCount);
    virtual bool offlineGetCurrentPass();
    virtual bool offlineGetCurrentMetaPass();
    virtual bool offlineNotify(void* audioFiles, int32_t count, bool start);
    virtual bool offlinePrepare(void* offline, int32_t count);
    virtual bool offlineRun(void* offline, int32_t count);
    virtual intptr_t reservedQuery1();
    virtual intptr_t reservedQuery2();
    virtual intptr_t setOutputSampleRate(float sampleRate);
    virtual bool getSpeakerArrangement(void* input, void* output);
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual intptr_t getHostVendorVersion();
    virtual intptr_t hostVendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
    virtual bool canHostDo(char* text);
    virtual void isSynth(bool state);
    virtual void noTail(bool state);
    virtual intptr_t getHostLanguage();
    virtual void* openWindow(void* window);
    virtual bool closeWindow(void* window);
    virtual void* getDirectory();
    virtual bool updateDisplay();
    virtual bool processVariableIo(void* variableIo);
    virtual bool setSpeakerArrangement(intptr_t inputArrangement, void* outputArrangement);
    virtual void setBlockSizeAndSampleRate(int32_t blockSize, float sampleRate);
    virtual bool setBypass(bool onOff);
    virtual bool getEffectName(char* name);
    virtual bool getErrorText(char* text);
    virtual bool getVendorString(char* text);
    virtual bool getProductString(char* text);
    virtual int32_t getVendorVersion();
    virtual intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
    virtual int32_t canDo(char* text);
    virtual intptr_t getIcon();
    virtual bool setViewPosition(int32_t x, int32_t y);
    virtual int32_t getTailSize();
    virtual int32_t fxIdle();
    virtual bool getParameterProperties(int32_t index, void* properties);
    virtual bool keysRequired();
    virtual int32_t getVstVersion();
    virtual int32_t getMidiProgramName(int32_t channel, void* midiProgramName);
    virtual int32_t getCurrentMidiProgram(int32_t channel, void* currentProgram);
    virtual int32_t getMidiProgramCategory(int32_t channel, void* category);
    virtual bool hasMidiProgramsChanged(int32_t channel);
    virtual bool getMidiKeyName(int32_t channel, void* keyName);
    virtual bool beginSetProgram();
    virtual bool endSetProgram();
    virtual bool beginEdit(int32_t index);
    virtual bool endEdit(int32_t index);
    virtual bool openFileSelector(void* selector);
};
