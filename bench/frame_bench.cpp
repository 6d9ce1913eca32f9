// Frame cost of every registry scene: 600 frames each, stepped and drawn into the real window
// (run under xvfb-run). Prints per scene the median world step (the library's own profile) and
// the median whole frame including drawing, then the five most expensive scenes.
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Tests/TestEntries.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

constexpr int k_frames = 600;

struct SceneCost
{
    std::string name;
    double stepMs;
    double frameMs;
};

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

SceneCost MeasureRow(int row)
{
    *getTestSelection() = row;
    SimulationLoop();  // carries out the switch at the end of this frame

    std::vector<double> steps;
    std::vector<double> frames;
    steps.reserve(k_frames);
    frames.reserve(k_frames);
    for (int i = 0; i < k_frames; ++i)
    {
        auto start = std::chrono::steady_clock::now();
        SimulationLoop();
        glFinish();
        auto end = std::chrono::steady_clock::now();
        frames.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        steps.push_back(getTest()->GetWorld()->GetProfile().step);
    }
    return SceneCost{g_testEntries[row].name, Median(steps), Median(frames)};
}

}  // namespace

int main(int argc, char** argv)
{
    StartShell(&argc, argv, g_testEntries);

    std::vector<SceneCost> costs;
    std::printf("%-4s %-24s %12s %12s\n", "row", "scene", "step ms", "frame ms");
    for (int row = 0; row < getTestCount(); ++row)
    {
        costs.push_back(MeasureRow(row));
        std::printf("%-4d %-24s %12.3f %12.3f\n", row, costs.back().name.c_str(), costs.back().stepMs,
                    costs.back().frameMs);
    }

    std::sort(costs.begin(), costs.end(), [](const SceneCost& a, const SceneCost& b) { return a.frameMs > b.frameMs; });
    std::printf("\nMost expensive frames (median):\n");
    for (size_t i = 0; i < std::min<size_t>(5, costs.size()); ++i)
    {
        std::printf("  %-24s %8.3f ms (step %.3f ms)\n", costs[i].name.c_str(), costs[i].frameMs, costs[i].stepMs);
    }
    return 0;
}
