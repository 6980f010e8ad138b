// The plug-in module itself carries the 28 skin bitmaps.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/SkinSizes.h"
#include "tests/support/LoadedModule.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32

// Loaded as the module's own resources are: LoadBitmap with the module's handle.
TEST(ModuleSkin, TheModuleHoldsEveryBitmapAsABitmapResource) {
    LoadedModule module(pathBesideExecutable(SPATIALISER_MODULE));
    ASSERT_TRUE(module.isLoaded()) << module.loadError();
    HMODULE handle = GetModuleHandleA(SPATIALISER_MODULE);
    ASSERT_NE(handle, nullptr);
    for (const SkinSize& expected : kSkinSizes) {
        HBITMAP bitmap = LoadBitmapA(handle, MAKEINTRESOURCEA(expected.id));
        ASSERT_NE(bitmap, nullptr) << "bitmap " << expected.id;
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, expected.width) << "bitmap " << expected.id;
        EXPECT_EQ(info.bmHeight, expected.height) << "bitmap " << expected.id;
        DeleteObject(bitmap);
    }
}

#else

std::vector<char> readFile(const std::string& path) {
    std::vector<char> bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + count);
        std::fclose(file);
    }
    return bytes;
}

// The embedded resource table is internal to the module; each file's bytes lie in it whole.
TEST(ModuleSkin, TheModuleEmbedsEveryBitmapFile) {
    const std::vector<char> module = readFile(pathBesideExecutable(SPATIALISER_MODULE));
    ASSERT_FALSE(module.empty());
    for (const SkinSize& expected : kSkinSizes) {
        const std::vector<char> bitmap = readFile(std::string(SKIN_FOLDER) + "/" + std::to_string(expected.id) + ".bmp");
        ASSERT_FALSE(bitmap.empty()) << "bitmap " << expected.id;
        const std::string_view haystack(module.data(), module.size());
        EXPECT_NE(haystack.find(std::string_view(bitmap.data(), bitmap.size())), std::string_view::npos)
            << "bitmap " << expected.id;
    }
}

#endif

}  // namespace
