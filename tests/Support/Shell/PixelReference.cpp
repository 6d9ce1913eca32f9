#include "Support/Shell/PixelReference.h"

#include "Framework/Shell.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace
{

// A reference file: "VEXA-PICTURE width height\n", then runs of equal pixels as a count byte
// (1 to 255) followed by red, green and blue. Frames are mostly background, so runs keep the
// files small.
const char* const k_magic = "VEXA-PICTURE";

void WriteReference(const std::string& path, const Picture& picture)
{
    std::ofstream out(path, std::ios::binary);
    out << k_magic << ' ' << picture.width << ' ' << picture.height << '\n';
    const size_t pixels = picture.rgb.size() / 3;
    for (size_t i = 0; i < pixels;)
    {
        const unsigned char* p = &picture.rgb[3 * i];
        size_t run = 1;
        while (run < 255 && i + run < pixels && std::equal(p, p + 3, &picture.rgb[3 * (i + run)]))
        {
            ++run;
        }
        out.put(static_cast<char>(run));
        out.write(reinterpret_cast<const char*>(p), 3);
        i += run;
    }
}

bool ReadReference(const std::string& path, Picture& picture)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    if (!(in >> magic >> picture.width >> picture.height) || magic != k_magic || in.get() != '\n')
    {
        return false;
    }
    const std::vector<unsigned char> runs((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t i = 0; i + 3 < runs.size(); i += 4)
    {
        for (int k = 0; k < runs[i]; ++k)
        {
            picture.rgb.insert(picture.rgb.end(), &runs[i + 1], &runs[i + 4]);
        }
    }
    return picture.rgb.size() == static_cast<size_t>(picture.width) * picture.height * 3;
}

void WritePortablePixmap(const std::string& path, const Picture& picture)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
    for (int row = picture.height - 1; row >= 0; --row)
    {
        out.write(reinterpret_cast<const char*>(&picture.rgb[3 * static_cast<size_t>(row) * picture.width]),
                  3 * picture.width);
    }
}

}  // namespace

Picture ReadDrawingArea()
{
    Picture picture;
    getViewportDimensions(picture.width, picture.height);
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

int DifferingPixels(const std::string& name, const Picture& picture, const unsigned char* ignoredColour)
{
    const std::string path = std::string(VEXA_SOURCE_DIR) + "/tests/" + name;
    const char* writing = std::getenv("VEXA_WRITE_PIXEL_REFERENCES");
    if (writing != nullptr && std::string(writing) == "1")
    {
        WriteReference(path, picture);
        return 0;
    }
    Picture reference;
    const bool sameSize =
        ReadReference(path, reference) && reference.width == picture.width && reference.height == picture.height;
    const auto ignored = [ignoredColour](const unsigned char* p) {
        return ignoredColour != nullptr && std::equal(p, p + 3, ignoredColour);
    };
    int differing = sameSize ? 0 : picture.width * picture.height;
    for (size_t i = 0; sameSize && i < picture.rgb.size(); i += 3)
    {
        const unsigned char* shown = &picture.rgb[i];
        const unsigned char* expected = &reference.rgb[i];
        if (!std::equal(shown, shown + 3, expected) && !ignored(shown) && !ignored(expected))
        {
            ++differing;
        }
    }
    if (differing > 0)
    {
        std::string file = name;
        std::replace(file.begin(), file.end(), '/', '-');
        WritePortablePixmap(file + ".ppm", picture);
    }
    return differing;
}
