// One physics step of spheres resting on a plane, registration included, against a plain
// all-pairs sphere test over the same bodies. The step's broad phase sorts the bodies by their
// distance from the origin and sweeps that order, so its cost grows with the number of bodies
// whose distance intervals overlap: here every sphere meets the plane (whose interval spans the
// world), and spheres on rings about the origin share distances.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "foundation/matrix.h"
#include "physics/body.h"
#include "physics/collision_detector.h"
#include "physics/physics_simulator.h"

using namespace Vorn;

namespace {

constexpr Float kRadius = 0.5f;
constexpr Float kStep = 0.01f;

// Spheres on a square grid 1.5 apart, resting on a fixed plane under gravity.
class RestingSpheres
{
public:
    explicit RestingSpheres(UInt32 count) : mWorlds(count + 1), mLocal()
    {
        mSimulator.Init();
        mField = mSimulator.CreateField(0, 0);
        mField->SetFactors(-9.81f, 0.0f, 0.0f);
        mField->Init();
        const UInt32 side = UInt32(std::ceil(std::sqrt(Float(count))));
        for (UInt32 i = 0; i <= count; ++i) {
            const Bool floor = i == count;
            Physics::IBody* body = mSimulator.CreateBody();
            body->SetTriggerGroups(1);
            body->SetResponseGroups(1);
            body->SetInverseMass(floor ? 0.0f : 1.0f);
            const Float x = floor ? 0.0f : 1.5f * Float(i % side);
            const Float z = floor ? 0.0f : 1.5f * Float(i / side);
            mWorlds[i].SetTranslation(x, floor ? 0.0f : kRadius - 0.0123f, z);
            body->SetTransform(mWorlds[i]);
            body->Init();
            Physics::IGeometry* geometry = mSimulator.CreateGeometry(floor ? 2 : 1);
            if (!floor)
                dynamic_cast<Physics::ISphere*>(geometry)->SetRadius(kRadius);
            mBodies.push_back(body);
            mGeometries.push_back(geometry);
        }
        for (UInt32 i = 0; i < 200; ++i)
            Step();
    }

    ~RestingSpheres()
    {
        for (Physics::IGeometry*& geometry : mGeometries)
            mSimulator.DestroyGeometry(geometry);
        for (Physics::IBody*& body : mBodies)
            mSimulator.DestroyBody(body);
        mSimulator.DestroyField(mField);
        mSimulator.DeInit();
    }

    void Step()
    {
        mSimulator.ClearObjects();
        for (size_t i = 0; i < mBodies.size(); ++i) {
            mSimulator.PushBody(mBodies[i], &mWorlds[i]);
            mSimulator.PushGeometry(mGeometries[i], &mLocal);
            mSimulator.PopGeometry(mGeometries[i]);
            mSimulator.PopBody(mBodies[i]);
        }
        mSimulator.AddField(mField, &mLocal);
        mSimulator.Step(kStep);
    }

    SInt32 GetNumberOfBodyPairs() { return mSimulator.GetCollisionDetector()->GetNumberOfBodyPairs(); }
    UInt32 GetNumberOfPairs() { return mSimulator.GetCollisionDetector()->GetPairTable()->GetNumberOfPairs(); }

    // Every pair of spheres tested once by their centres and radii.
    UInt32 CountOverlapsAllPairs() const
    {
        UInt32 overlaps = 0;
        const size_t spheres = mBodies.size() - 1;
        for (size_t i = 0; i < spheres; ++i) {
            for (size_t j = i + 1; j < spheres; ++j) {
                const Float dx = mWorlds[i][12] - mWorlds[j][12];
                const Float dy = mWorlds[i][13] - mWorlds[j][13];
                const Float dz = mWorlds[i][14] - mWorlds[j][14];
                if (dx * dx + dy * dy + dz * dz < 4.0f * kRadius * kRadius)
                    ++overlaps;
            }
        }
        return overlaps;
    }

private:
    Physics::Simulator mSimulator;
    Physics::IField* mField;
    std::vector<Physics::IBody*> mBodies;
    std::vector<Physics::IGeometry*> mGeometries;
    std::vector<Math::Matrix<float>> mWorlds;
    Math::Matrix<float> mLocal;
};

void BM_StepRestingSpheres(benchmark::State& state)
{
    RestingSpheres world(UInt32(state.range(0)));
    for (auto _ : state)
        world.Step();
    state.SetItemsProcessed(state.iterations() * state.range(0));
    // Overlapping bounding spheres of bodies found by the sweep, and the geometry pairs kept.
    state.counters["bodyPairs"] = Double(world.GetNumberOfBodyPairs());
    state.counters["pairs"] = Double(world.GetNumberOfPairs());
}
BENCHMARK(BM_StepRestingSpheres)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_AllPairsSphereTest(benchmark::State& state)
{
    RestingSpheres world(UInt32(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(world.CountOverlapsAllPairs());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AllPairsSphereTest)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
