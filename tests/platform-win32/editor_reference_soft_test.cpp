// The soft backend's picture of the default editor must stay the stored reference image that the
// Windows module is compared with.
#include <gtest/gtest.h>

#include "editor/CEffectEditor.h"
#include "editor_reference.h"
#include "effect/CEffect.h"
#include "gui/CGuiFrame.h"
#include "platform/soft/desktop.h"
#include "reference_image.h"

namespace {

intptr_t VSTCALL quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

reference_image::Image paintDefaultEditor() {
    platform::soft::resetDesktop();
    platform::soft::useManualClock(1000);
    reference_image::Image image;
    {
        CEffect effect(quietHost);
        ERect* rect = nullptr;
        effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f);
        image.width = rect->right - rect->left;
        image.height = rect->bottom - rect->top;
        platform::Window* host =
            platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, image.width, image.height});
        effect.dispatcher(effEditOpen, 0, 0, host, 0.0f);
        platform::Window* window = dynamic_cast<CEffectEditor*>(effect.editor)->frame->childWindow;
        platform::invalidateWindow(window);
        platform::dispatchOnePendingPaint();
        platform::soft::advanceClock(100);
        effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) image.pixels.push_back(platform::soft::windowPixel(window, x, y));
        }
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    }
    platform::soft::resetDesktop();
    return image;
}

TEST(EditorReference, SoftStillPaintsTheReferenceImage) {
    const reference_image::Image painted = paintDefaultEditor();
    ASSERT_EQ(painted.width, 454);
    ASSERT_EQ(painted.height, 269);
    reference_image::Image reference;
    ASSERT_TRUE(reference_image::readReferenceFile(EDITOR_REFERENCE, painted, reference)) << EDITOR_REFERENCE;
    EXPECT_EQ(reference_image::differencesOutside(painted, reference, editor_reference::textAreas()), "");
}

}  // namespace
