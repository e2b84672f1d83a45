// Logic steps of game play at their heaviest, each reported per logic step:
// - the chain step: the longest chain a level can start, 180 animals in eight segments that push
//   and pull while shots arrive, beside a 20-animal chain; the course handler's calls in the
//   course processor's order, then the animal pool's and the flying objects' steps;
// - the particle step: the application's pool of 300 particle animators, every one busy with the
//   level's finish effect and effect 39.
// The animals and particles are real pooled graph instances.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/explosion_handler.h"
#include "game/play/flying_object.h"
#include "game/play/particles.h"
#include "game/play/play_seed.h"
#include "resource/xml_graph.h"
#include "tests/support/course_records.h"
#include "tests/support/fake_display_renderer.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/play_templates.h"
#include "tests/support/scene_fixture.h"

using namespace Vorn;

namespace {

constexpr int kStepsPerRun = 60;
// 200 for the long chain's start (180 and 20 free), 40 for the short one's, shots from the rest.
constexpr int kPoolSize = 260;
constexpr int kShots = 6;

// Colours in a cycle that never puts three alike together.
std::string Colours(int count, int offset)
{
    static const char kCycle[] = "RGBY";
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(1, kCycle[(i + offset) % 4]) + " ";
    return text;
}

App::CourseRecord LongChain()
{
    App::CourseRecord record;
    const double radius = 2100.0;
    for (int s = 0; s < 8; ++s) {
        const int count = s < 4 ? 23 : 22;
        std::string kinds = Colours(count - (s == 0 ? 1 : 0) - (s == 7 ? 1 : 0), s);
        if (s == 0)
            kinds = "K " + kinds;
        if (s == 7)
            kinds += "L";
        record.mAnimalLists.Add(Testing::List(kinds, Float(s * Math::TwoPi / 8.0)));
    }
    record.mPathPieces.Add(Testing::Piece(0.0f, {{Testing::kCentreX, 0.0f}, {Testing::kCentreY, 0.0f},
                                                  {Testing::kRadiusA, Float(radius)},
                                                  {Testing::kRadiusB, Float(radius)},
                                                  {Testing::kBaseSpeed, 40.0f}}));
    return record;
}

class PlayField
{
public:
    PlayField()
        : mAnimals(&mGameState, &mEffects), mCourses(&mGameState, &mAnimals, &mEffects, &mFlying, nullptr),
          mHarness(mGameState, mCourses, mAnimals, mFlying)
    {
        App::SetPlaySeed(99);
        std::string xml = "<Graph><Namespace><Transform id='animal_container'>";
        for (int i = 0; i < kPoolSize; ++i)
            xml += Testing::AnimalNamespace("animal" + std::to_string(i));
        xml += "</Transform></Namespace></Graph>";
        Bool releaseData = false;
        Bool failed = false;
        mGraph.reset(static_cast<Resource::XmlGraph*>(Resource::XmlGraph::Create(
            nullptr, String("bench"), xml.c_str(), UInt32(xml.size()), nullptr, 0, &releaseData, &failed)));
        mTop = mServices.mFactory.CreateGraph(mGraph.get(), nullptr);
        mReady = mTop != nullptr && mTop->Init(&mServices.mInitState) &&
                 mAnimals.Init(dynamic_cast<Graph::INamespace*>(mTop->GetChild(0)), "");
        mGameState.StartLevel(1);
        mGameState.SetViewFloats(5000.0f, 5000.0f, 0.0f);
        mLong = LongChain();
        mShort = Testing::Record("K " + Colours(18, 1) + "L", 0.0f, 20.0f, 300.0f, 200.0f);
    }
    ~PlayField()
    {
        mCourses.DeInit();
        mFlying.Reset();
        mAnimals.DeInit();
        if (mTop != nullptr) {
            mTop->DeInit(&mServices.mDeInitState);
            Graph::Factory::DestroyGraph(mTop);
        }
        App::ClearPlaySeed();
    }

    // The two chains started afresh, with shots on their way to the long one.
    Bool Start()
    {
        mCourses.Reset();
        mFlying.Reset();
        mAnimals.ReleaseAll();
        mGameState.GetScoreEvents().Clear();
        mCourses.AppendCourse()->Setup(&mLong, 1, false);
        mCourses.AppendCourse()->Setup(&mShort, 2, false);
        mGameState.SetPlayState(4);
        mCourses.StartPendingCourses();
        mGameState.SetPlayState(5);
        App::CourseAnimator* course = mCourses.GetCourse(0);
        if (course->CountAnimals() != 180 || course->GetSegmentCount() != 8 ||
            mCourses.GetCourse(1)->CountAnimals() != 20)
            return false;
        for (int i = 0; i < kShots; ++i) {
            const App::Animal* target = course->GetAnimalAt(UInt32(10 + i * 29));
            App::Animal* shot = mAnimals.ObtainAnimal(6 + i % 8);
            if (target == nullptr || shot == nullptr)
                return false;
            shot->mCheckMatch = true;
            shot->mShot = true;
            const Float x = target->mPosition.x;
            const Float y = target->mPosition.y;
            const Float length = std::sqrt(x * x + y * y);
            shot->SetPosition(x + x / length * 150.0f, y + y / length * 150.0f);
            App::FlyingAnimal* flying = mFlying.SpawnAnimal(shot);
            flying->mVelocity = Math::Vector<Float>(-x / length * 300.0f, -y / length * 300.0f, 0.0f, 0.0f);
        }
        return true;
    }

    void Step() { mHarness.Step(); }
    Bool IsReady() const { return mReady; }

private:
    Testing::SceneServices mServices;
    std::unique_ptr<Resource::XmlGraph> mGraph;
    Graph::INode* mTop = nullptr;
    Bool mReady = false;
    App::GameState mGameState;
    App::ExplosionHandler mEffects;
    App::FlyingObjectHandler mFlying;
    App::AnimalContainer mAnimals;
    App::CourseHandler mCourses;
    Testing::PlayStepHarness mHarness;
    App::CourseRecord mLong;
    App::CourseRecord mShort;
};

void BM_GamePlayStep(benchmark::State& state)
{
    PlayField field;
    if (!field.IsReady()) {
        state.SkipWithError("the play field did not initialise");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!field.Start()) {
            state.SkipWithError("the chains did not start");
            return;
        }
        state.ResumeTiming();
        for (int i = 0; i < kStepsPerRun; ++i)
            field.Step();
    }
    // Seconds per logic step.
    state.counters["per_step"] =
        benchmark::Counter(kStepsPerRun, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GamePlayStep)->Unit(benchmark::kMillisecond);

constexpr int kParticleSteps = 10;
// The application's particle pool.
constexpr UInt32 kParticles = 300;

// Particles bind display parameters, so their graph is initialised with a display renderer.
struct DisplayServices
{
    DisplayServices()
        : mInitState(nullptr, &mFactory, nullptr, nullptr, &mDisplay, nullptr, nullptr, &mCollection),
          mDeInitState(nullptr, &mFactory, nullptr, nullptr, &mDisplay, nullptr, nullptr, &mCollection)
    {
        mFactory.Init();
        mInitState.Init(&mClock);
        mDeInitState.Init(&mClock);
        mInitState.Begin();
        mDeInitState.Begin();
    }
    ~DisplayServices() { mFactory.DeInit(); }

    Testing::FakeClock mClock;
    Testing::FakeResourceCollection mCollection;
    Testing::FakeDisplayRenderer mDisplay;
    Graph::Factory mFactory;
    Graph::InitState mInitState;
    Graph::DeInitState mDeInitState;
};

// The whole particle pool, bound to real graph instances.
class ParticlePool
{
public:
    ParticlePool() : mParticles(&mGameState), mEffects(&mParticles)
    {
        App::SetPlaySeed(7);
        // The instance template without its graph element, once per entry.
        const std::string entry = Testing::ParticleTemplate();
        const std::string open = "<Graph replication='0'>";
        const std::string body = entry.substr(open.size(), entry.size() - open.size() - std::strlen("</Graph>"));
        std::string xml = "<Graph><Namespace><Transform id='particle_container'>";
        for (UInt32 i = 0; i < kParticles; ++i) {
            std::string copy = body;
            const std::string mark = "{replication}";
            copy.replace(copy.find(mark), mark.size(), std::to_string(i));
            xml += copy;
        }
        xml += "</Transform></Namespace></Graph>";
        Bool releaseData = false;
        Bool failed = false;
        mGraph.reset(static_cast<Resource::XmlGraph*>(Resource::XmlGraph::Create(
            nullptr, String("bench"), xml.c_str(), UInt32(xml.size()), nullptr, 0, &releaseData, &failed)));
        mTop = mServices.mFactory.CreateGraph(mGraph.get(), nullptr);
        mReady = mTop != nullptr && mTop->Init(&mServices.mInitState) &&
                 mParticles.Init(dynamic_cast<Graph::INamespace*>(mTop->GetChild(0)), "") &&
                 mParticles.GetCount() == kParticles;
    }
    ~ParticlePool()
    {
        mParticles.DeInit();
        if (mTop != nullptr) {
            mTop->DeInit(&mServices.mDeInitState);
            Graph::Factory::DestroyGraph(mTop);
        }
        App::ClearPlaySeed();
    }

    // Finish effects and effect 39 until no animator is free; false when the pool never fills.
    Bool Fill()
    {
        const Math::Vector<Float> centre(0.0f, 0.0f, 0.0f, 1.0f);
        for (int i = 0; i < 100 && mParticles.GetNumUsed() < mParticles.GetCount(); ++i) {
            mEffects.StartFinishEffect(centre);
            mEffects.StartEffect(39, centre, 0.0f, 0.0f);
        }
        return mParticles.GetNumUsed() == mParticles.GetCount();
    }
    void Step() { mParticles.Step(1.0 / 60.0); }
    Bool IsReady() const { return mReady; }

private:
    DisplayServices mServices;
    std::unique_ptr<Resource::XmlGraph> mGraph;
    Graph::INode* mTop = nullptr;
    Bool mReady = false;
    App::GameState mGameState;
    App::ParticleContainer mParticles;
    App::ExplosionHandler mEffects;
};

void BM_ParticleStep(benchmark::State& state)
{
    ParticlePool pool;
    if (!pool.IsReady()) {
        state.SkipWithError("the particle pool did not initialise");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!pool.Fill()) {
            state.SkipWithError("the effects did not fill the pool");
            return;
        }
        state.ResumeTiming();
        for (int i = 0; i < kParticleSteps; ++i)
            pool.Step();
    }
    state.counters["per_step"] =
        benchmark::Counter(kParticleSteps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParticleStep)->Unit(benchmark::kMicrosecond);

} // namespace
