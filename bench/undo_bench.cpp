// Undo on a 10,000-body scene: what recording adds to a translate of 100 bodies, what undoing and
// redoing a transform, a property change, a deletion of 100 bodies and a deletion of the whole
// scene cost, and, for comparison, reading the same scene from its file text.
#include "LargeScene.h"

#include "Editor/WorldEdits.h"
#include "Framework/Test.h"
#include "Physics/BodyState.h"
#include "WorldDoc/WorldDoc.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int k_side = 100;
constexpr int k_selected = 100;

struct Scene
{
    std::unique_ptr<Test> host = std::make_unique<Test>();
    WorldEdits edits;
    std::vector<b2Body*> bodies;
    std::vector<b2Body*> selected;

    Scene()
    {
        bodies = BuildLargeScene(host->GetWorld(), k_side, k_side);
        edits.setHost(host.get());
        for (size_t i = 1; selected.size() < k_selected; i += 97)
        {
            if (bodies[i % bodies.size()]->GetType() == b2_dynamicBody)
            {
                selected.push_back(bodies[i % bodies.size()]);
            }
        }
    }
};

Scene& FreshScene()
{
    static std::unique_ptr<Scene> scene;
    scene = std::make_unique<Scene>();
    return *scene;
}

void Translate(Scene& scene, float dx, bool recorded)
{
    for (b2Body* body : scene.selected)
    {
        const b2Vec2 position = body->GetPosition() + b2Vec2(dx, 0.0f);
        if (recorded)
        {
            scene.edits.placeBody(body, position, body->GetAngle());
        }
        else
        {
            body->SetTransform(position, body->GetAngle());
        }
    }
}

// The same moves made straight through the library, with the broad-phase update that ends every
// editor step: what recording is measured against.
void BM_TranslateUnrecorded(benchmark::State& state)
{
    Scene& scene = FreshScene();
    float dx = 0.5f;
    for (auto _ : state)
    {
        Translate(scene, dx, false);
        Physics::SettleBroadPhase(scene.host->GetWorld());
        dx = -dx;
    }
}
BENCHMARK(BM_TranslateUnrecorded)->Unit(benchmark::kMicrosecond);

void BM_TranslateRecorded(benchmark::State& state)
{
    Scene& scene = FreshScene();
    float dx = 0.5f;
    for (auto _ : state)
    {
        scene.edits.beginStep("translate 100 bodies");
        Translate(scene, dx, true);
        scene.edits.endStep();
        dx = -dx;
    }
}
BENCHMARK(BM_TranslateRecorded)->Unit(benchmark::kMicrosecond);

// One undo and one redo of a step made once.
template <class MakeStep>
void UndoRedo(benchmark::State& state, MakeStep makeStep)
{
    Scene& scene = FreshScene();
    scene.edits.beginStep("step");
    makeStep(scene);
    scene.edits.endStep();
    for (auto _ : state)
    {
        scene.edits.undo();
        scene.edits.redo();
    }
}

void BM_UndoRedoTranslate100(benchmark::State& state)
{
    UndoRedo(state, [](Scene& scene) { Translate(scene, 1.0f, true); });
}
BENCHMARK(BM_UndoRedoTranslate100)->Unit(benchmark::kMillisecond);

void BM_UndoRedoGravityScale100(benchmark::State& state)
{
    UndoRedo(state, [](Scene& scene) {
        for (b2Body* body : scene.selected)
        {
            scene.edits.setGravityScale(body, 0.5f);
        }
    });
}
BENCHMARK(BM_UndoRedoGravityScale100)->Unit(benchmark::kMillisecond);

void BM_UndoRedoDelete100(benchmark::State& state)
{
    UndoRedo(state, [](Scene& scene) {
        for (b2Body* body : scene.selected)
        {
            scene.edits.destroyBody(body);
        }
    });
}
BENCHMARK(BM_UndoRedoDelete100)->Unit(benchmark::kMillisecond);

void BM_UndoRedoDeleteEverything(benchmark::State& state)
{
    UndoRedo(state, [](Scene& scene) {
        while (b2Body* body = scene.host->GetWorld()->GetBodyList())
        {
            scene.edits.destroyBody(body);
        }
    });
}
BENCHMARK(BM_UndoRedoDeleteEverything)->Unit(benchmark::kMillisecond)->Iterations(3);

// The bound for any step: reading the whole scene from its text once.
void BM_SceneRead(benchmark::State& state)
{
    Scene& scene = FreshScene();
    const std::string text = WorldDoc(true).writeToString(scene.host->GetWorld());
    for (auto _ : state)
    {
        std::unique_ptr<b2World> world(WorldDoc(false).readFromString(text));
        benchmark::DoNotOptimize(world.get());
    }
}
BENCHMARK(BM_SceneRead)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
