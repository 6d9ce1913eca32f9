// Frame cost in the real window (run under xvfb-run, from data/ so the first scene finds its file;
// with the argument "large", the large scenes only).
//
// Every registry scene: 600 frames each, stepped and drawn; per scene the median world step (the
// library's own profile) and the median whole frame including drawing, then the five most
// expensive scenes.
//
// Large scenes of 1,000 and 10,000 bodies (bench/LargeScene.h), paused with the whole scene in
// view: the median frame in simulation mode and in editor mode with 1,000 bodies selected, each
// against its raster floor, measured in the same run: the primitives the frame drew, in the same
// colours and styles, drawn from vertex arrays prepared beforehand in one call per primitive type
// and style, with nothing else in the frame.
#include "LargeScene.h"

#include "Editor/Editor.h"
#include "Editor/EditorFrontEnd.h"
#include "Framework/Settings.h"
#include "Framework/Shell.h"
#include "Framework/Test.h"
#include "Framework/VertexBatch.h"
#include "Tests/TestEntries.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{

constexpr int k_frames = 600;
constexpr int k_largeSceneFrames = 20;
constexpr size_t k_selectedBodies = 1000;

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

double MillisecondsOf(const std::function<void()>& frame)
{
    auto start = std::chrono::steady_clock::now();
    frame();
    glFinish();
    auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double MedianFrame(int frames, const std::function<void()>& frame)
{
    std::vector<double> times;
    for (int i = 0; i < frames; ++i)
    {
        times.push_back(MillisecondsOf(frame));
    }
    return Median(times);
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
        frames.push_back(MillisecondsOf(SimulationLoop));
        steps.push_back(getTest()->GetWorld()->GetProfile().step);
    }
    return SceneCost{getTestEntries()[row].name, Median(steps), Median(frames)};
}

void MeasureCatalogue()
{
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
}

// What one frame drew, with every group of the same primitive type and style joined into one,
// uploaded once.
struct Floor
{
    std::vector<VertexGroup> groups;
    size_t drawnGroups = 0;
    VertexGroupBuffer buffer;
};

void RecordFloor(const std::function<void()>& frame, Floor& floor)
{
    std::vector<VertexGroup> drawn;
    FrameBatch().setRecord(&drawn);
    frame();
    FrameBatch().setRecord(nullptr);

    floor.drawnGroups = drawn.size();
    for (const VertexGroup& group : drawn)
    {
        auto same = std::find_if(floor.groups.begin(), floor.groups.end(), [&](const VertexGroup& joined) {
            return joined.primitive == group.primitive && joined.style == group.style;
        });
        if (same == floor.groups.end())
        {
            floor.groups.push_back(group);
            continue;
        }
        const int offset = static_cast<int>(same->vertices.size());
        same->vertices.insert(same->vertices.end(), group.vertices.begin(), group.vertices.end());
        for (size_t i = 0; i < group.firsts.size(); ++i)
        {
            same->firsts.push_back(group.firsts[i] + offset);
            same->counts.push_back(group.counts[i]);
        }
    }
    floor.buffer.upload(floor.groups.data(), static_cast<int>(floor.groups.size()));
}

void DrawFloor(Floor& floor)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    floor.buffer.draw(floor.groups.data(), static_cast<int>(floor.groups.size()));
    glDisable(GL_LINE_STIPPLE);
    glutSwapBuffers();
}

void ReportAgainstFloor(int bodies, const char* mode, const std::function<void()>& frame)
{
    for (int i = 0; i < 2; ++i)
    {
        frame();
    }
    Floor floor;
    RecordFloor(frame, floor);
    const double floorMs = MedianFrame(k_largeSceneFrames, [&] { DrawFloor(floor); });
    const double frameMs = MedianFrame(k_largeSceneFrames, frame);
    std::printf("%-8d %-12s %10.2f %10.2f %8.2f %8zu %8zu\n", bodies, mode, frameMs, floorMs, frameMs / floorMs,
                floor.drawnGroups, floor.groups.size());
}

// Selects every n-th body up to k_selectedBodies with shift-clicks, each made at zoom 1 around
// the body so that the click picks it alone.
void SelectBodies(const std::vector<b2Body*>& bodies)
{
    int w = 0;
    int h = 0;
    getViewportDimensions(w, h);
    const b2Vec2 half(25.0f * w / h, 25.0f);
    const size_t step = std::max<size_t>(1, bodies.size() / k_selectedBodies);
    for (size_t i = 0; i < bodies.size(); i += step)
    {
        const b2Vec2 at = bodies[i]->GetPosition();
        g_editor->setDisplayArea(at - half, at + half, w, h);
        g_editor->handleMouseMove(b2Vec2(0.5f * w, 0.5f * h), at);
        g_editor->setSpecialKeyState(true, false, false);
        g_editor->select(0);
    }
    g_editor->setSpecialKeyState(false, false, false);
    UpdateEditorDisplayArea();
}

void MeasureLargeScene(int columns, int rows)
{
    Test* host = new Test;
    const std::vector<b2Body*> bodies = BuildLargeScene(host->GetWorld(), columns, rows);
    delete getTest();
    setTest(host);

    // The whole scene in view.
    int w = 0;
    int h = 0;
    getViewportDimensions(w, h);
    const b2Vec2 size(columns * k_largeSceneSpacing, rows * k_largeSceneSpacing);
    getSettings()->viewCenter = 0.5f * size;
    setViewZoom(1.05f * std::max(0.5f * size.y, 0.5f * size.x * h / w) / 25.0f);
    getSettings()->pause = 1;
    UpdateProjection();

    const int count = columns * rows;
    ReportAgainstFloor(count, "simulation", SimulationLoop);
    EnterEditor();
    SelectBodies(bodies);
    ReportAgainstFloor(count, "editor", Editor_DisplayFunc);
    ExitEditor();
}

}  // namespace

int main(int argc, char** argv)
{
    StartShell(&argc, argv, g_testEntries);
    // "large" measures the large scenes only.
    if (argc < 2 || std::string(argv[1]) != "large")
    {
        MeasureCatalogue();
    }

    std::printf("\nLarge scenes, paused, whole scene in view (median of %d frames; groups: draw calls of the "
                "frame and of its floor):\n",
                k_largeSceneFrames);
    std::printf("%-8s %-12s %10s %10s %8s %8s %8s\n", "bodies", "mode", "frame ms", "floor ms", "ratio", "groups",
                "floor");
    MeasureLargeScene(40, 25);
    MeasureLargeScene(100, 100);
    return 0;
}
