// make_bitmap_seeds DIR: writes small bitmap files of every depth and compression the decoder
// knows into DIR, the starting corpus of the bitmap fuzzer.
#include "Editor/Bitmap.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace
{

// Values for a picture of width × height pixels, first stored row first.
std::vector<std::uint32_t> Pattern(int width, int height, std::uint32_t scale)
{
    std::vector<std::uint32_t> values;
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            values.push_back(static_cast<std::uint32_t>(x * 37 + y * 101 + x * y * 7) * scale);
        }
    }
    return values;
}

BitmapFileContents Picture(int width, int height, int bits, unsigned compression, std::string data)
{
    BitmapFileContents contents;
    contents.width = width;
    contents.height = height;
    contents.bitsPerPixel = bits;
    contents.compression = compression;
    contents.pixelData = std::move(data);
    for (int i = 0; bits <= 8 && i < (1 << bits); ++i)
    {
        const std::uint32_t level = static_cast<std::uint32_t>(255 * i / ((1 << bits) - 1));
        contents.palette.push_back(level << 16 | level << 8 | level);
    }
    return contents;
}

BitmapFileContents Uncompressed(int width, int height, int bits, unsigned compression = 0, std::uint32_t scale = 1)
{
    const std::vector<std::uint32_t> values = Pattern(width, height < 0 ? -height : height, scale);
    return Picture(width, height, bits, compression, BitmapRows(width, values, bits));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_bitmap_seeds DIR\n");
        return 2;
    }
    std::vector<std::pair<std::string, BitmapFileContents>> seeds;
    for (int bits : {1, 4, 8, 16, 24, 32})
    {
        seeds.emplace_back("rgb" + std::to_string(bits), Uncompressed(5, 3, bits));
    }
    seeds.emplace_back("rgb24-top-down", Uncompressed(3, -2, 24));

    // Runs, an odd literal run (padded), a jump, ends of rows and the end of the picture.
    seeds.emplace_back("rle8", Picture(6, 4, 8, 1,
                                       std::string("\x03\x05\x00\x03\x01\x02\x03\x00\x00\x00"
                                                   "\x00\x02\x01\x01\x02\x07\x00\x00\x06\x09\x00\x01",
                                                   22)));
    seeds.emplace_back("rle4", Picture(7, 3, 4, 2,
                                       std::string("\x05\x1f\x00\x03\x12\x30\x00\x00"
                                                   "\x00\x02\x02\x01\x03\xab\x00\x01",
                                                   16)));

    BitmapFileContents rgb565 = Uncompressed(4, 2, 16, 3);
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    seeds.emplace_back("bitfields16", rgb565);
    BitmapFileContents argb = Uncompressed(3, 3, 32, 3, 0x01010101);
    argb.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    seeds.emplace_back("bitfields32", argb);
    // The short header, followed by the three masks where a colour table would be.
    BitmapFileContents shortHeader = Uncompressed(2, 2, 16, 3);
    shortHeader.palette = {0x7C00, 0x03E0, 0x001F};
    seeds.emplace_back("bitfields16-short-header", shortHeader);

    for (const auto& [name, contents] : seeds)
    {
        const std::string path = std::string(argv[1]) + "/" + name + ".bmp";
        std::ofstream out(path, std::ios::binary);
        out << BitmapFileBytes(contents);
        if (!out)
        {
            std::fprintf(stderr, "make_bitmap_seeds: could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
