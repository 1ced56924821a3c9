#pragma once
// Pictures compared with golden PNGs kept in tests/golden. Run the tests with
// KORVANE_UPDATE_GOLDEN=1 to write the pictures as they are now instead of
// comparing (then look at the new files before committing them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace kv::test {

inline bool UpdatingGoldens() {
    const char* update = std::getenv("KORVANE_UPDATE_GOLDEN");
    return update != nullptr && std::string_view(update) == "1";
}

// The part r of a picture.
inline Image Crop(const Image& from, Rect r) {
    Image part(r.W, r.H);
    for (int y = 0; y < r.H; ++y) {
        for (int x = 0; x < r.W; ++x) part.At(x, y) = from.At(r.X + x, r.Y + y) & 0xFFFFFF;
    }
    return part;
}

// Compares the picture with tests/golden/NAME.png pixel for pixel, or writes
// it there when goldens are being updated.
inline ::testing::AssertionResult MatchesGolden(ImageCodec& codec, const Image& picture,
                                                const std::string& name) {
    const std::string path = std::string(KORVANE_GOLDEN_DIR) + "/" + name + ".png";
    if (UpdatingGoldens()) {
        if (!codec.SavePng(picture, path))
            return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess() << "wrote " << path;
    }
    const auto golden = codec.Load(path);
    if (!golden) {
        return ::testing::AssertionFailure()
               << path << " is missing; run with KORVANE_UPDATE_GOLDEN=1 to make it";
    }
    if (golden->Width != picture.Width || golden->Height != picture.Height) {
        return ::testing::AssertionFailure()
               << path << " is " << golden->Width << "x" << golden->Height << ", the picture "
               << picture.Width << "x" << picture.Height;
    }
    int differ = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            if ((golden->At(x, y) & 0xFFFFFF) == (picture.At(x, y) & 0xFFFFFF)) continue;
            if (differ++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    }
    if (differ == 0) return ::testing::AssertionSuccess();
    const std::string actual = ::testing::TempDir() + name + ".actual.png";
    codec.SavePng(picture, actual);
    return ::testing::AssertionFailure()
           << differ << " pixels differ from " << path << ", the first at (" << firstX << ","
           << firstY << "); the picture is in " << actual;
}

}  // namespace kv::test
