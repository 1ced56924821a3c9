#include "platform/sdl/SdlImages.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "SdlTestFiles.h"

namespace kv {
namespace {

// A GIF whose LZW stream never needs more than 9-bit codes: a clear code,
// one code per pixel (up to 250 pixels), the end code.
std::vector<uint8_t> TinyGif(int w, int h, const std::vector<uint32_t>& palette,
                             const std::vector<uint8_t>& indices) {
    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    auto le16 = [&](int v) {
        out.push_back(static_cast<uint8_t>(v & 255));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    le16(w);
    le16(h);
    out.insert(out.end(), {0xF7, 0, 0});  // 256-entry global palette
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        out.insert(out.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                               static_cast<uint8_t>(c)});
    }
    out.push_back(0x2C);
    le16(0);
    le16(0);
    le16(w);
    le16(h);
    out.push_back(0);
    out.push_back(8);  // LZW minimum code size
    std::vector<int> codes = {256};
    codes.insert(codes.end(), indices.begin(), indices.end());
    codes.push_back(257);
    std::vector<uint8_t> packed;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= static_cast<uint32_t>(code) << count;
        count += 9;
        while (count >= 8) {
            packed.push_back(static_cast<uint8_t>(bits & 255));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) packed.push_back(static_cast<uint8_t>(bits));
    for (size_t at = 0; at < packed.size(); at += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - at);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), packed.begin() + at, packed.begin() + at + n);
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

Image Pattern(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) image.At(x, y) = Rgb(x * 37, y * 53, (x ^ y) * 11);
    }
    return image;
}

class SdlImagesTest : public ::testing::Test {
  protected:
    std::unique_ptr<ImageCodec> codec_ = CreateSdlImageCodec();
    ScratchFolder folder_;
};

TEST_F(SdlImagesTest, PngRoundTripKeepsEveryPixelAndIgnoresTheTopByte) {
    Image image = Pattern(7, 5);
    image.At(3, 2) |= 0xAB000000u;  // raster ops may leave bits up there
    const std::string path = folder_.File("round.png");
    ASSERT_TRUE(codec_->SavePng(image, path));
    std::optional<Image> loaded = codec_->Load(path);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->Width, 7);
    ASSERT_EQ(loaded->Height, 5);
    image.At(3, 2) &= 0x00FFFFFFu;
    EXPECT_EQ(loaded->Pixels, image.Pixels);
}

TEST_F(SdlImagesTest, SavePngRefusesWhatItCannotWrite) {
    EXPECT_FALSE(codec_->SavePng(Image(), folder_.File("empty.png")));
    Image broken(4, 4);
    broken.Pixels.resize(3);
    EXPECT_FALSE(codec_->SavePng(broken, folder_.File("short.png")));
    EXPECT_FALSE(codec_->SavePng(Image(2, 2), folder_.File("no/such/folder/x.png")));
}

TEST_F(SdlImagesTest, LoadsTrueColourAndPalettedBmp) {
    SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(rgb, nullptr);
    const Image expected = Pattern(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            auto* p = static_cast<uint8_t*>(rgb->pixels) + y * rgb->pitch + x * 3;
            const uint32_t c = expected.At(x, y);
            p[0] = static_cast<uint8_t>(c >> 16);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c);
        }
    }
    const std::string rgbPath = folder_.File("rgb.bmp");
    ASSERT_EQ(SDL_SaveBMP(rgb, rgbPath.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(rgb);
    std::optional<Image> loaded = codec_->Load(rgbPath);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Pixels, expected.Pixels);

    SDL_Surface* indexed = SDL_CreateRGBSurfaceWithFormat(0, 4, 1, 8, SDL_PIXELFORMAT_INDEX8);
    ASSERT_NE(indexed, nullptr);
    const SDL_Color colours[] = {{0, 0, 0, 255}, {200, 10, 20, 255}, {5, 150, 250, 255}};
    SDL_SetPaletteColors(indexed->format->palette, colours, 0, 3);
    const uint8_t row[] = {2, 1, 0, 1};
    std::memcpy(indexed->pixels, row, sizeof row);
    const std::string indexedPath = folder_.File("indexed.bmp");
    ASSERT_EQ(SDL_SaveBMP(indexed, indexedPath.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(indexed);
    loaded = codec_->Load(indexedPath);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Pixels,
              (std::vector<uint32_t>{Rgb(5, 150, 250), Rgb(200, 10, 20), 0, Rgb(200, 10, 20)}));
}

TEST_F(SdlImagesTest, LoadsGifThroughItsPalette) {
    const std::vector<uint32_t> palette = {Rgb(0, 0, 0), Rgb(255, 0, 0), Rgb(0, 128, 255),
                                           Rgb(250, 240, 230)};
    const std::vector<uint8_t> indices = {0, 1, 2, 3, 3, 2, 1, 0};
    const std::string path = folder_.Write("tiny.gif", TinyGif(4, 2, palette, indices));
    std::optional<Image> loaded = codec_->Load(path);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->Width, 4);
    ASSERT_EQ(loaded->Height, 2);
    for (size_t i = 0; i < indices.size(); ++i) {
        EXPECT_EQ(loaded->Pixels[i], palette[indices[i]]) << "pixel " << i;
    }
}

TEST_F(SdlImagesTest, LoadsJpegCloseToWhatWasWritten) {
    SDL_Surface* solid = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(solid, nullptr);
    SDL_FillRect(solid, nullptr, SDL_MapRGB(solid->format, 40, 160, 220));
    const std::string path = folder_.File("solid.jpg");
    ASSERT_EQ(IMG_SaveJPG(solid, path.c_str(), 95), 0) << SDL_GetError();
    SDL_FreeSurface(solid);
    std::optional<Image> loaded = codec_->Load(path);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->Width, 16);
    const uint32_t c = loaded->At(8, 8);
    EXPECT_NEAR(static_cast<int>(c >> 16), 40, 4);
    EXPECT_NEAR(static_cast<int>((c >> 8) & 255), 160, 4);
    EXPECT_NEAR(static_cast<int>(c & 255), 220, 4);
}

TEST_F(SdlImagesTest, MissingOrBrokenFilesGiveNothing) {
    EXPECT_FALSE(codec_->Load(folder_.File("absent.bmp")));
    EXPECT_FALSE(codec_->Load(""));
    EXPECT_FALSE(codec_->Load(folder_.Write("empty.png", {})));
    EXPECT_FALSE(codec_->Load(folder_.Write("text.gif", {'h', 'e', 'l', 'l', 'o'})));

    const std::string good = folder_.File("good.png");
    ASSERT_TRUE(codec_->SavePng(Pattern(32, 32), good));
    std::vector<uint8_t> bytes = ReadBytes(good);
    ASSERT_GT(bytes.size(), 60u);
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(codec_->Load(folder_.Write("cut.png", bytes)));

    std::vector<uint8_t> gif = TinyGif(4, 2, {Rgb(1, 2, 3)}, {0, 0, 0, 0, 0, 0, 0, 0});
    gif.resize(20);  // header and half the palette
    EXPECT_FALSE(codec_->Load(folder_.Write("cut.gif", gif)));

    std::vector<uint8_t> bmpHeaderOnly = {'B', 'M'};
    bmpHeaderOnly.resize(54, 0xFF);  // sizes and offsets all absurd
    EXPECT_FALSE(codec_->Load(folder_.Write("absurd.bmp", bmpHeaderOnly)));
}

TEST_F(SdlImagesTest, SeveralCodecsLiveSideBySide) {
    const std::string path = folder_.File("shared.png");
    ASSERT_TRUE(codec_->SavePng(Pattern(3, 3), path));
    {
        std::unique_ptr<ImageCodec> other = CreateSdlImageCodec();
        EXPECT_TRUE(other->Load(path));
    }
    EXPECT_TRUE(codec_->Load(path));
}

}  // namespace
}  // namespace kv
