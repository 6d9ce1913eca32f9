// Cost of one editor mouse move (picking under the mouse) on a large scene: 10,000 bodies with
// 20,000 fixtures of every shape type and 5,000 pickable joints, in each edit method (and with
// Tab held in vertex mode), at zoom 1 and zoomed out to show the whole scene; the first move after
// an edit, which rebuilds picking's index; and for comparison the plain walks over the world's
// body and joint lists that picking would otherwise do on every move.
#include "LargeScene.h"

#include "Editor/Editor.h"
#include "Framework/Test.h"
#include "Physics/JointKinds.h"

#include <benchmark/benchmark.h>

#include <cfloat>
#include <memory>
#include <random>
#include <vector>

namespace
{

constexpr int k_columns = 100;
constexpr int k_rows = 100;
constexpr float k_sceneSize = k_columns * k_largeSceneSpacing;
// The window's default size less the editor panel.
constexpr int k_viewWidth = 1136 - 200;
constexpr int k_viewHeight = 688;

struct Scene
{
    std::unique_ptr<Test> host;
    std::unique_ptr<Editor> editor;
    std::vector<b2Vec2> mice;

    Scene()
    {
        host = std::make_unique<Test>();
        BuildLargeScene(host->GetWorld(), k_columns, k_rows);
        editor = std::make_unique<Editor>(host.get());
        std::mt19937 random(7);
        std::uniform_real_distribution<float> anywhere(0.0f, k_sceneSize);
        for (int i = 0; i < 4096; ++i)
        {
            mice.emplace_back(anywhere(random), anywhere(random));
        }
    }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

// The view as the shell sets it: centred on `centre`, 25 × zoom metres from centre to top.
void ShowView(Editor& editor, b2Vec2 centre, float zoom)
{
    const b2Vec2 half(25.0f * zoom * k_viewWidth / k_viewHeight, 25.0f * zoom);
    editor.setDisplayArea(centre - half, centre + half, k_viewWidth, k_viewHeight);
}

void BM_MouseMove(benchmark::State& state)
{
    Scene& scene = TheScene();
    Editor& editor = *scene.editor;
    const auto method = static_cast<_editMethod>(state.range(0));
    const bool tab = state.range(1) != 0;
    const bool zoomedOut = state.range(2) != 0;
    const b2Vec2 middle(k_sceneSize * 0.5f, k_sceneSize * 0.5f);
    ShowView(editor, middle, zoomedOut ? k_sceneSize / 50.0f : 1.0f);
    editor.handleKeyDown(27);
    editor.setEditMethod(method);
    if (tab)
    {
        editor.handleKeyDown(9);
    }
    size_t i = 0;
    for (auto _ : state)
    {
        const b2Vec2 mouse = scene.mice[i++ % scene.mice.size()];
        editor.handleMouseMove(b2Vec2(100.0f, 100.0f), mouse);
        benchmark::DoNotOptimize(editor.controlState().candidateBodies.size());
    }
    if (tab)
    {
        editor.handleKeyUp(9);
    }
    state.SetLabel(std::string(zoomedOut ? "whole scene" : "zoom 1") + (tab ? ", Tab held" : ""));
}

void MouseMoveArgs(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({"method", "tab", "zoomedOut"});
    for (int zoomedOut = 0; zoomedOut < 2; ++zoomedOut)
    {
        for (int method = EM_BODIES; method <= EM_JOINTS; ++method)
        {
            bench->Args({method, 0, zoomedOut});
        }
        bench->Args({EM_VERTICES, 1, zoomedOut});
    }
}
BENCHMARK(BM_MouseMove)->Apply(MouseMoveArgs)->Unit(benchmark::kMicrosecond);

// The first move after an edit, which rebuilds the index of body origins or joint anchors.
void BM_MouseMoveAfterEdit(benchmark::State& state)
{
    Scene& scene = TheScene();
    Editor& editor = *scene.editor;
    ShowView(editor, b2Vec2(k_sceneSize * 0.5f, k_sceneSize * 0.5f), 1.0f);
    editor.handleKeyDown(27);
    editor.setEditMethod(static_cast<_editMethod>(state.range(0)));
    size_t i = 0;
    for (auto _ : state)
    {
        editor.worldChanged();
        editor.handleMouseMove(b2Vec2(100.0f, 100.0f), scene.mice[i++ % scene.mice.size()]);
    }
}
BENCHMARK(BM_MouseMoveAfterEdit)->ArgName("method")->Arg(EM_BODIES)->Arg(EM_JOINTS)->Unit(benchmark::kMicrosecond);

// What one mouse move would cost walking the lists instead: every body origin, every pickable
// joint's two anchors. `walk` takes the world and the mouse and returns what it found.
template <class Walk>
void RunPlainWalk(benchmark::State& state, Walk walk)
{
    Scene& scene = TheScene();
    b2World* world = scene.host->GetWorld();
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(walk(world, scene.mice[i++ % scene.mice.size()]));
    }
}

void BM_PlainBodyWalk(benchmark::State& state)
{
    RunPlainWalk(state, [](b2World* world, b2Vec2 mouse) {
        float best = FLT_MAX;
        for (b2Body* body = world->GetBodyList(); body != nullptr; body = body->GetNext())
        {
            best = b2Min(best, (body->GetPosition() - mouse).Length());
        }
        return best;
    });
}
BENCHMARK(BM_PlainBodyWalk)->Unit(benchmark::kMicrosecond);

void BM_PlainJointWalk(benchmark::State& state)
{
    RunPlainWalk(state, [](b2World* world, b2Vec2 mouse) {
        b2Joint* last = nullptr;
        for (b2Joint* joint = world->GetJointList(); joint != nullptr; joint = joint->GetNext())
        {
            const b2JointType type = Physics::GetJointType(joint);
            if (type == e_pulleyJoint || type == e_mouseJoint || type == e_gearJoint || type == e_weldJoint ||
                type == e_frictionJoint)
            {
                continue;
            }
            const float d = b2Min((joint->GetAnchorA() - mouse).Length(), (joint->GetAnchorB() - mouse).Length());
            if (d < 2.0f)
            {
                last = joint;
            }
        }
        return last;
    });
}
BENCHMARK(BM_PlainJointWalk)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
