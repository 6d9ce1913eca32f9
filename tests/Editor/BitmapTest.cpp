// Bitmap pictures: every depth and compression decoded from small files at odd and even widths in
// both row orders, channel layouts, and broken and hostile files.
#include "Editor/Bitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace
{

// Red, green, blue and alpha.
using Rgba = std::array<int, 4>;

const Rgba k_clear{0, 0, 0, 0};

// Decodes the bytes as Load decodes a file that holds them (the trace image test loads by name).
bool LoadBytes(CBitmap& bitmap, const std::string& bytes)
{
    return bitmap.LoadFromMemory(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// The pixels, bottom row first, as red, green, blue and alpha bytes without row padding.
std::vector<Rgba> Pixels(const CBitmap& bitmap)
{
    unsigned size = 0;
    bitmap.GetBits(nullptr, size, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, false);
    std::vector<unsigned char> bytes(size);
    EXPECT_TRUE(size == 0 || bitmap.GetBits(bytes.data(), size, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, false));
    std::vector<Rgba> pixels;
    for (size_t i = 0; i + 3 < bytes.size(); i += 4)
    {
        pixels.push_back(Rgba{bytes[i], bytes[i + 1], bytes[i + 2], bytes[i + 3]});
    }
    return pixels;
}

std::vector<Rgba> Decode(const BitmapFileContents& contents)
{
    CBitmap bitmap;
    EXPECT_TRUE(LoadBytes(bitmap, BitmapFileBytes(contents)));
    return Pixels(bitmap);
}

// Colour table entries (0xAARRGGBB, alpha 0 as writers leave it) and the colours they decode to.
std::uint32_t Entry(int i)
{
    return static_cast<std::uint32_t>((i * 17 % 256) << 16 | (i * 53 % 256) << 8 | (i * 101 % 256));
}

Rgba EntryColour(int i)
{
    return Rgba{i * 17 % 256, i * 53 % 256, i * 101 % 256, 255};
}

}  // namespace

// Widths that leave every amount of row padding; a negative height stores the rows top-down.
TEST(Bitmap, EveryUncompressedDepthAtEveryWidthInBothRowOrders)
{
    // A file written out byte by byte, not by the writer the other cases use: headers, then two
    // rows of 6 bytes padded to 8: red, green (bottom), blue, white (top).
    const std::string file(
        "BM\x46\0\0\0\0\0\0\0\x36\0\0\0"
        "\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x10\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
        "\0\0\xff\0\xff\0\0\0"
        "\xff\0\0\xff\xff\xff\0\0",
        70);
    CBitmap bitmap;
    ASSERT_TRUE(LoadBytes(bitmap, file));
    EXPECT_EQ(Pixels(bitmap),
              (std::vector<Rgba>{{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}}));

    for (int bits : {1, 4, 8, 16, 24, 32})
    {
        std::vector<std::uint32_t> palette;
        for (int i = 0; bits <= 8 && i < (1 << bits); ++i)
        {
            palette.push_back(Entry(i));
        }
        for (int width : {1, 2, 3, 5, 4})
        {
            for (int height : {3, -3})
            {
                std::vector<std::uint32_t> values(width * 3);
                std::vector<Rgba> expected(width * 3);
                // Expected bottom row first, stored in file order.
                for (int i = 0; i < width * 3; ++i)
                {
                    const int x = i % width;
                    const int y = i / width;
                    const int r = (x * 40 + y * 90) % 256;
                    const int g = (x * 70 + 30) % 256;
                    const int b = (y * 50 + x) % 256;
                    const int a = 1 + (x + y) % 255;
                    std::uint32_t& value = values[(height < 0 ? 2 - y : y) * width + x];
                    Rgba& colour = expected[i];
                    if (bits == 16)
                    {
                        value = static_cast<std::uint32_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
                        colour = Rgba{r & 0xF8, g & 0xF8, b & 0xF8, 255};
                    }
                    else if (bits > 16)
                    {
                        value = static_cast<std::uint32_t>(a << 24 | r << 16 | g << 8 | b);
                        colour = Rgba{r, g, b, bits == 32 ? a : 255};
                    }
                    else
                    {
                        value = static_cast<std::uint32_t>((x * 3 + y * 5) % (1 << bits));
                        colour = EntryColour(static_cast<int>(value));
                    }
                }
                EXPECT_EQ(Decode({width, height, bits, 0, palette, {}, BitmapRows(width, values, bits)}), expected)
                    << bits << " bits, " << width << " wide, height " << height;
            }
        }
    }
}

// Fields: width, height, depth, compression (1 and 2 run-length, 3 bit fields), palette, masks, data.
TEST(Bitmap, ChannelLayoutsColourTablesAndRunLengthDataDecodeAndGetBitsPacksAnyLayoutOrRefuses)
{
    const std::vector<std::uint32_t> palette = {Entry(0), Entry(1), Entry(2)};
    const Rgba c[] = {EntryColour(0), EntryColour(1), EntryColour(2)};
    // Row 0: a run of two, an odd literal run of three (padded) reaching past the row; end of row;
    // a jump to row 2, column 1; a run of 255 past the row's end; end of picture, after which
    // nothing counts.
    const std::string rle8("\x02\x01\x00\x03\x02\x00\x01\x00\x00\x00\x00\x02\x01\x01\xff\x02\x00\x01\x04\x01", 20);
    const struct
    {
        const char* what;
        BitmapFileContents contents;
        std::vector<Rgba> pixels;
    } cases[] = {
        {"bit fields fill a narrow channel's low bits when it is not zero; no alpha mask is opaque",
         {3, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, BitmapRows(3, {0xFFFF, 0x001F, 0x0000}, 16)},
         {{255, 255, 255, 255}, {0, 0, 255, 255}, {0, 0, 0, 255}}},
        {"an alpha mask",
         {1, 1, 32, 3, {}, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, BitmapRows(1, {0x80FF4020}, 32)},
         {{255, 64, 32, 128}}},
        {"the short header is followed by three masks where a colour table would be",
         {1, 1, 16, 3, {0x7C00, 0x03E0, 0x001F}, {}, BitmapRows(1, {0x7FFF}, 16)},
         {{255, 255, 255, 255}}},
        {"reserved bytes of the colour table that are not all zero are the colours' alpha",
         {2, 1, 1, 0, {0x00000000, 0xFF00FF00}, {}, BitmapRows(2, {0, 1}, 1)},
         {k_clear, {0, 255, 0, 255}}},
        {"32-bit pixels whose fourth bytes are all zero are opaque",
         {2, 1, 32, 0, {}, {}, BitmapRows(2, {0x00102030, 0x00405060}, 32)},
         {{16, 32, 48, 255}, {64, 80, 96, 255}}},
        {"8-bit run-length data places runs, literals and jumps and drops what falls outside",
         {4, 3, 8, 1, palette, {}, rle8},
         {c[1], c[1], c[2], c[0], k_clear, k_clear, k_clear, k_clear, k_clear, c[2], c[2], c[2]}},
        {"4-bit runs alternate two indices; a literal run of three takes two bytes",
         {5, 2, 4, 2, palette, {}, std::string("\x05\x12\x00\x00\x00\x03\x21\x00\x02\x00\x00\x01", 12)},
         {c[1], c[2], c[1], c[2], c[1], c[2], c[1], c[0], c[0], c[0]}},
    };
    for (const auto& example : cases)
    {
        EXPECT_EQ(Decode(example.contents), example.pixels) << example.what;
    }

    // Packed out again in any layout: 5-6-5 in two bytes per pixel, rows padded to four pixels.
    CBitmap bitmap;
    const std::string rows = BitmapRows(3, {0xFFFFFF, 0xFF0000, 0x0000FF}, 24);
    ASSERT_TRUE(LoadBytes(bitmap, BitmapFileBytes({3, 1, 24, 0, {}, {}, rows})));
    unsigned size = 0;
    ASSERT_TRUE(bitmap.GetBits(nullptr, size, 0xF800, 0x07E0, 0x001F, 0, true));
    ASSERT_EQ(size, 8u);
    std::vector<unsigned char> bits(size);
    ASSERT_TRUE(bitmap.GetBits(bits.data(), size, 0xF800, 0x07E0, 0x001F, 0, true));
    EXPECT_EQ(bits, (std::vector<unsigned char>{0xFF, 0xFF, 0x00, 0xF8, 0x1F, 0x00, 0, 0}));

    // Masks of 33 bits, and a buffer smaller than the pixels: nothing written.
    std::vector<unsigned char> untouched(64, 0xAB);
    size = 64;
    EXPECT_FALSE(bitmap.GetBits(untouched.data(), size, 0x1FF, 0xFF00, 0xFF0000, 0xFF000000, false));
    size = 11;
    EXPECT_FALSE(bitmap.GetBits(untouched.data(), size, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, false));
    EXPECT_EQ(untouched, std::vector<unsigned char>(64, 0xAB));
}

TEST(Bitmap, BrokenFilesLoadAsFalseOrAsWhatIsReallyThere)
{
    const std::vector<std::uint32_t> values = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::string good = BitmapFileBytes({3, 3, 8, 0, {0, 0xFF0000}, {}, BitmapRows(3, values, 8)});
    const size_t pixelsAt = good.size() - 12;
    CBitmap bitmap;
    ASSERT_TRUE(LoadBytes(bitmap, good));
    // Indices beyond a short colour table are black.
    EXPECT_EQ(Pixels(bitmap)[0], (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixels(bitmap)[1], (Rgba{0, 0, 0, 255}));

    // Every truncation: no pixel data at all is a failure; cut rows give what they hold.
    for (size_t length = 0; length < good.size(); ++length)
    {
        EXPECT_EQ(LoadBytes(bitmap, good.substr(0, length)), length > pixelsAt) << length;
    }
    ASSERT_TRUE(LoadBytes(bitmap, good.substr(0, pixelsAt + 5)));
    EXPECT_EQ(Pixels(bitmap)[3], (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(Pixels(bitmap)[4], k_clear);

    const auto withField = [&](size_t at, std::uint32_t value) {
        std::string file = good;
        for (int b = 0; b < 4; ++b)
        {
            file[at + b] = static_cast<char>(value >> (8 * b));
        }
        return LoadBytes(bitmap, file);
    };
    EXPECT_FALSE(withField(18, 0));           // no width
    EXPECT_FALSE(withField(22, 0x80000000));  // the most negative height
    EXPECT_FALSE(withField(18, 16385));       // wider than the limit
    EXPECT_FALSE(withField(22, 0x7FFFFFFF));
    EXPECT_FALSE(withField(14, 12));                             // a header too small to hold the fields
    EXPECT_FALSE(withField(14, 0xFFFFFFF0));                     // a header reaching past the file
    EXPECT_FALSE(withField(10, 0xFFFFFFF0));                     // pixel data past the file
    EXPECT_FALSE(withField(30, 4));                              // an unknown compression
    EXPECT_FALSE(withField(28, 2));                              // an unknown depth
    ASSERT_TRUE(withField(18, static_cast<std::uint32_t>(-3)));  // a negative width counts by its size
    EXPECT_EQ(bitmap.GetWidth(), 3);
    // A picture of the largest width, which the file cannot fill: what it lacks is transparent.
    ASSERT_TRUE(withField(18, CBitmap::k_maxSide));
    EXPECT_EQ(Pixels(bitmap)[0], (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(Pixels(bitmap)[12], k_clear);

    EXPECT_FALSE(bitmap.Load("no such picture.bmp"));
    EXPECT_EQ(bitmap.GetWidth(), 0);
}
