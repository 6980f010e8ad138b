#include "gui_test_support.h"

#include <sstream>

void SoftDesktopTest::SetUp() {
    platform::soft::resetDesktop();
    hostCalls().clear();
    setHostHook(nullptr);
}

void SoftDesktopTest::TearDown() {
    setHostHook(nullptr);
    platform::soft::resetDesktop();
}

Canvas::Canvas(int width, int height, platform::Colour fill)
    : width_(width),
      height_(height),
      surface_(platform::createCompatibleSurface(nullptr, width, height)),
      deviceContext_(platform::createMemoryContext(nullptr)),
      previousSurface_(platform::selectSurface(deviceContext_, surface_)) {
    platform::Brush* brush = platform::createSolidBrush(fill);
    platform::fillRect(deviceContext_, {0, 0, width, height}, brush);
    platform::deleteBrush(brush);
    context_ = std::make_unique<CGuiContext>(nullptr, deviceContext_, nullptr);
}

Canvas::~Canvas() {
    context_.reset();
    platform::selectSurface(deviceContext_, previousSurface_);
    platform::deleteMemoryContext(deviceContext_);
    platform::deleteSurface(surface_);
}

std::string Canvas::picture(const std::map<platform::Colour, char>& legend) const {
    std::string text;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const auto found = legend.find(pixel(x, y));
            text += found == legend.end() ? '?' : found->second;
        }
        text += '\n';
    }
    return text;
}

bool samePixels(platform::Surface* a, platform::Surface* b, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (platform::soft::surfacePixel(a, x, y) != platform::soft::surfacePixel(b, x, y))
                return false;
        }
    }
    return true;
}

ProbeView::ProbeView(const CGuiRect& bounds, std::string name, std::vector<std::string>& log, CGuiColor color)
    : CGuiView(bounds), name_(std::move(name)), log_(log), color_(color) {}

ProbeView::~ProbeView() {
    if (destroyed)
        *destroyed = true;
}

void ProbeView::paint(CGuiContext* context) {
    log_.push_back("paint " + name_);
    context->setBrushColor(color_);
    context->paintRect(bounds);
}

void ProbeView::onMouseDown(CGuiContext* context, CGuiPoint point) {
    std::ostringstream line;
    line << "down " << name_ << ' ' << point.h << ',' << point.v << (context ? "" : " no context");
    log_.push_back(line.str());
}

int32_t ProbeView::onKeyPressed(VstKeyCode& key) {
    log_.push_back("key " + name_ + ' ' + std::to_string(key.virt));
    return keyAnswer;
}

int32_t ProbeView::onKeyReleased(VstKeyCode& key) {
    log_.push_back("keyup " + name_ + ' ' + std::to_string(key.virt));
    return keyAnswer;
}

bool ProbeView::onFilesDropped(const char* const* data, int count, int kind, CGuiPoint point) {
    std::ostringstream line;
    line << "drop " << name_ << " kind " << kind << " count " << count << " @" << point.h << ',' << point.v << ':';
    const int items = kind == kDropText ? 1 : count;
    for (int i = 0; i < items; ++i)
        line << ' ' << data[i];
    log_.push_back(line.str());
    return acceptsDrops;
}

bool ProbeView::onWheelTurned(CGuiContext* context, CGuiPoint point, float distance) {
    std::ostringstream line;
    line << "wheel " << name_ << ' ' << distance << " @" << point.h << ',' << point.v
         << (context ? "" : " no context");
    log_.push_back(line.str());
    return true;
}

namespace {

std::function<void(int32_t)>& hostHook() {
    static std::function<void(int32_t)> hook;
    return hook;
}

intptr_t VSTCALL recordingHost(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float) {
    hostCalls().push_back({opcode, index});
    if (hostHook())
        hostHook()(opcode);
    return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

std::vector<HostCall>& hostCalls() {
    static std::vector<HostCall> calls;
    return calls;
}

void setHostHook(std::function<void(int32_t opcode)> hook) {
    hostHook() = std::move(hook);
}

int countHostCalls(int32_t opcode) {
    int count = 0;
    for (const HostCall& call : hostCalls())
        count += call.opcode == opcode;
    return count;
}

TestEffect::TestEffect() : AEffPluginX(recordingHost, 1, 1) {}
