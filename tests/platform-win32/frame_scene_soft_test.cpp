// The soft backend's picture of the frame scene must stay the stored reference image that the
// Windows build is compared with.
#include <gtest/gtest.h>

#include "frame_scene.h"
#include "reference_image.h"
#include "platform/soft/desktop.h"

namespace {

reference_image::Image paintSceneWithSoft() {
    platform::soft::resetDesktop();
    platform::Window* host =
        platform::soft::createHostWindow(nullptr, platform::kStyleCaption, platform::Rect{10, 10, 330, 250});
    reference_image::Image image;
    {
        CGuiFrame frame(frame_scene::kFrameRect, host, nullptr);
        frame_scene::build(frame);
        platform::invalidateWindow(frame.childWindow);
        platform::dispatchOnePendingPaint();
        image.width = frame_scene::kFrameRect.width();
        image.height = frame_scene::kFrameRect.height();
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) image.pixels.push_back(platform::soft::windowPixel(frame.childWindow, x, y));
        }
    }
    platform::soft::resetDesktop();
    return image;
}

TEST(FrameScene, SoftStillPaintsTheReferenceImage) {
    const reference_image::Image painted = paintSceneWithSoft();
    reference_image::Image reference;
    ASSERT_TRUE(reference_image::readReferenceFile(FRAME_SCENE_REFERENCE, painted, reference)) << FRAME_SCENE_REFERENCE;
    // Text and curves are the soft backend's own tests' business; they stay out here as well.
    EXPECT_EQ(reference_image::differencesOutside(painted, reference, {frame_scene::kFreeformArea}), "");
}

}  // namespace
