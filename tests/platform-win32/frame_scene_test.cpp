// The frame scene painted through the Windows backend into a child window of the test host,
// read back from the window and compared with the soft backend's reference image.
#include <gtest/gtest.h>

#include "frame_scene.h"
#include "pixel_check.h"
#include "reference_image.h"
#include "test_host_window.h"

namespace platform_win32_test {
namespace {

constexpr int kReferenceResource = 1103;  // data/frame_scene.ppm, type "REFERENCE"

TEST(FrameScene, PaintsLikeTheSoftBackendOutsideTextAndCurves) {
    platform::ResourceData stored{nullptr, 0};
    ASSERT_TRUE(platform::findResource("REFERENCE", kReferenceResource, stored));
    reference_image::Image reference;
    ASSERT_TRUE(reference_image::decodePpm(stored.data, stored.size, reference));

    CGuiFrame frame(frame_scene::kFrameRect, testHostWindow(), nullptr);
    ASSERT_NE(frame.childWindow, nullptr);
    frame_scene::build(frame);
    platform::invalidateWindow(frame.childWindow);
    pumpMessages();
    EXPECT_FALSE(frame.firstPaintPending) << "the window was never painted";

    const reference_image::Image painted =
        readWindowImage(handleOf(frame.childWindow), frame_scene::kFrameRect.width(), frame_scene::kFrameRect.height());
    const std::string differences = reference_image::differencesOutside(painted, reference, {frame_scene::kFreeformArea});
    EXPECT_EQ(differences, "");
    if (!differences.empty()) reference_image::savePpm(painted, "frame_scene_painted.ppm");
}

}  // namespace
}  // namespace platform_win32_test
