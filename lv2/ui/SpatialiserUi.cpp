#include "lv2/ui/SpatialiserUi.h"

#include <cstring>

#include "effect/CEffect.h"
#include "gui/AEffGUIEditor.h"
#include "lv2/PortTable.h"
#include "lv2/ui/EditorWindow.h"

namespace {

constexpr intptr_t kHostVersion = 2400;
constexpr uint32_t kFloatProtocol = 0;  // a port event or write of one float

}  // namespace

std::unique_ptr<SpatialiserUi> SpatialiserUi::open(LV2UI_Write_Function write, LV2UI_Controller controller,
                                                   const UiHostFeatures& host) {
    if (!write || !host.parent) return nullptr;
    std::unique_ptr<SpatialiserUi> ui(new SpatialiserUi(write, controller, host));
    if (!ui->openEditor()) return nullptr;
    return ui;
}

SpatialiserUi::SpatialiserUi(LV2UI_Write_Function write, LV2UI_Controller controller, const UiHostFeatures& host)
    : write_(write), controller_(controller), host_(host), effect_(std::make_unique<CEffect>(&hostCallback)) {
    // Only now: the defaults the effect set itself while it was built are no edits to write.
    effect_->effectRecord.user = this;
}

SpatialiserUi::~SpatialiserUi() {
    AEffect& record = effect_->effectRecord;
    record.dispatcher(&record, effEditClose, 0, 0, nullptr, 0.0f);
    record.user = nullptr;  // the host's write function may be gone already: nothing more reaches it
}

bool SpatialiserUi::setScaleFactor(float factor) {
    auto* editor = dynamic_cast<AEffGUIEditor*>(effect_->editor);
    return editor && editor->setHostContentScale(factor);
}

uint32_t SpatialiserUi::setOptions(const LV2_Options_Option* options) {
    const float factor = scaleFactorOption(options, host_.map);
    if (factor == 0.0f) return LV2_OPTIONS_ERR_BAD_KEY;
    return setScaleFactor(factor) ? LV2_OPTIONS_SUCCESS : LV2_OPTIONS_ERR_BAD_VALUE;
}

bool SpatialiserUi::openEditor() {
    AEffect& record = effect_->effectRecord;
    if (host_.scaleFactor != 0.0f) setScaleFactor(host_.scaleFactor);
    if (!effect_->editor || record.dispatcher(&record, effEditOpen, 0, 0, host_.parent, 0.0f) == 0) return false;
    const unsigned long window = editorWindowId(effect_->editor);
    if (window == 0) return false;
    widget_ = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(window));
    ERect* rect = nullptr;
    record.dispatcher(&record, effEditGetRect, 0, 0, &rect, 0.0f);
    if (host_.resize && rect)
        host_.resize->ui_resize(host_.resize->handle, rect->right - rect->left, rect->bottom - rect->top);
    return true;
}

void SpatialiserUi::portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer) {
    const int32_t parameter = parameterOfPort(port);
    if (format != kFloatProtocol || bufferSize != sizeof(float) || !buffer || parameter < 0) return;
    float value;
    std::memcpy(&value, buffer, sizeof value);
    effect_->setParameter(parameter, value);
    // The plug-in runs the azimuth depth at 1 while a ramp waveform is chosen, whatever az_depth
    // holds: applying the waveform again pins the depth knob there, as choosing the ramp does.
    if (parameter == kAzimuthDepth) effect_->setParameter(kAzimuthWaveform, effect_->getParameter(kAzimuthWaveform));
}

int SpatialiserUi::idle() {
    AEffect& record = effect_->effectRecord;
    record.dispatcher(&record, effEditIdle, 0, 0, nullptr, 0.0f);
    return editorWindowId(effect_->editor) == 0 ? 1 : 0;
}

intptr_t VSTCALL SpatialiserUi::hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void*,
                                             float opt) {
    auto* ui = effect ? static_cast<SpatialiserUi*>(effect->user) : nullptr;
    if (!ui) return opcode == audioMasterVersion ? kHostVersion : 0;
    return ui->answer(opcode, index, value, opt);
}

// The effect reports each stored change of a parameter as automation; those with a port are the
// host's to pass on to the plug-in. The mirrors and the effective depth have none: the links
// report "Az.depth" whenever the depth knob moves under the sine.
intptr_t SpatialiserUi::answer(int32_t opcode, int32_t index, intptr_t value, float opt) {
    switch (opcode) {
    case audioMasterVersion: return kHostVersion;
    case audioMasterAutomate: {
        const float written = opt;
        const int32_t port = portOfParameter(index);
        if (port >= 0) write_(controller_, static_cast<uint32_t>(port), sizeof written, kFloatProtocol, &written);
        return 0;
    }
    // The editor asks for a new size when its scale changes while open; it takes the scale only
    // when the host's window follows.
    case audioMasterSizeWindow:
        return host_.resize && host_.resize->ui_resize(host_.resize->handle, index, static_cast<int>(value)) == 0 ? 1 : 0;
    case audioMasterBeginEdit: touch(index, true); return 0;
    case audioMasterEndEdit: touch(index, false); return 0;
    default: return 0;
    }
}

// The depth knob's gesture is on "Az.DptSl"; what it writes lands on az_depth.
void SpatialiserUi::touch(int32_t parameter, bool grabbed) {
    const int32_t port = portOfParameter(parameter == kAzimuthDepthSlider ? kAzimuthDepth : parameter);
    if (host_.touch && port >= 0) host_.touch->touch(host_.touch->handle, static_cast<uint32_t>(port), grabbed);
}
