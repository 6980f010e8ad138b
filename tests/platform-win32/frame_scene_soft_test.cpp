// The soft backend's picture of the frame scene must stay the stored reference image that the
// Windows build is compared with. SPATIALISER_UPDATE_REFERENCE=1 rewrites the reference instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "frame_scene.h"
#include "platform/soft/desktop.h"

namespace {

frame_scene::Image paintSceneWithSoft() {
    platform::soft::resetDesktop();
    platform::Window* host =
        platform::soft::createHostWindow(nullptr, platform::kStyleCaption, platform::Rect{10, 10, 330, 250});
    frame_scene::Image image;
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
    const frame_scene::Image painted = paintSceneWithSoft();
    const char* update = std::getenv("SPATIALISER_UPDATE_REFERENCE");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(FRAME_SCENE_REFERENCE, std::ios::binary) << frame_scene::encodePpm(painted);
    }

    std::ifstream file(FRAME_SCENE_REFERENCE, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    frame_scene::Image reference;
    ASSERT_TRUE(frame_scene::decodePpm(bytes.data(), bytes.size(), reference)) << FRAME_SCENE_REFERENCE;
    // Text and curves are the soft backend's own tests' business; they stay out here as well.
    EXPECT_EQ(frame_scene::differencesOutsideFreeform(painted, reference), "");
}

}  // namespace
