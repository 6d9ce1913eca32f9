// Frames compared pixel for pixel with reference pictures kept under tests/. The references were
// drawn by the program itself; run a suite with VEXA_WRITE_PIXEL_REFERENCES=1 to draw them again
// after a change that is meant to alter what the screen shows.
#pragma once

#include <string>
#include <vector>

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows from the bottom, as OpenGL reads them
};

// The drawing area (the window less the panel) of the last frame, from the back buffer.
Picture ReadDrawingArea();

// How many pixels of `picture` differ from the reference `name` (a path under tests/); a size
// that differs counts every pixel. Pixels of `ignoredColour` (red, green, blue) in either picture
// do not count. A differing picture is also written to the working directory as a PPM file named
// after the reference, to be looked at. When references are being written, stores the picture as
// the reference and returns 0.
int DifferingPixels(const std::string& name, const Picture& picture, const unsigned char* ignoredColour = nullptr);
