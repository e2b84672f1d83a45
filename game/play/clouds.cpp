#include "game/play/clouds.h"

#include <algorithm>
#include <cmath>

#include "foundation/attributes.h"
#include "game/game_state.h"
#include "game/play/play_seed.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/switch.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kDiffuse = 1;

// Start box x, start box y, direction x, direction y; each a range from a to b.
struct CloudPreset
{
    Float mX[2], mY[2], mDirectionX[2], mDirectionY[2];
};

constexpr CloudPreset kPresets[CloudsContainer::kNumberOfPresets] = {
    {{-940, -940}, {-200, 200}, {100, 150}, {50, 80}},      {{-940, -940}, {-400, 200}, {100, 150}, {50, 80}},
    {{-300, 300}, {700, 700}, {-120, -150}, {-80, -100}},   {{-300, 800}, {700, 700}, {-120, -150}, {-80, -100}},
    {{-940, -940}, {-200, 200}, {100, 150}, {-50, -80}},    {{-940, -940}, {-200, 600}, {100, 150}, {-50, -80}},
    {{-400, 200}, {-500, -500}, {-120, -150}, {80, 100}},   {{-400, 700}, {-500, -500}, {-120, -150}, {80, 100}},
    {{-300, 300}, {-550, -550}, {100, 120}, {70, 90}},      {{-800, 200}, {-550, -550}, {100, 150}, {70, 100}},
    {{940, 940}, {-200, 200}, {-100, -150}, {-70, -90}},    {{940, 940}, {-200, 600}, {-100, -150}, {-70, -90}},
    {{-400, 200}, {750, 750}, {100, 120}, {-70, -90}},      {{-900, 300}, {750, 750}, {100, 150}, {-70, -100}},
    {{900, 900}, {-200, 200}, {-100, -150}, {70, 90}},      {{900, 900}, {-400, 200}, {-100, -150}, {70, 90}},
    {{-940, -940}, {250, 600}, {100, 150}, {-20, 20}},      {{-940, -940}, {50, 600}, {100, 150}, {-20, 20}},
    {{940, 940}, {250, 600}, {-100, -150}, {-20, 20}},      {{940, 940}, {50, 600}, {-100, -150}, {-20, 20}},
    {{-940, -940}, {-200, -400}, {100, 150}, {-20, 20}},    {{-940, -940}, {0, -400}, {100, 150}, {-20, 20}},
    {{940, 940}, {-200, -400}, {-100, -150}, {-20, 20}},    {{940, 940}, {0, -400}, {-100, -150}, {-20, 20}},
    {{-700, -400}, {700, 700}, {-20, 20}, {-100, -150}},    {{-700, -20}, {700, 700}, {-20, 20}, {-100, -150}},
    {{-700, -400}, {-500, -500}, {-20, 20}, {100, 150}},    {{-700, -20}, {-500, -500}, {-20, 20}, {100, 150}},
    {{400, 700}, {700, 700}, {-20, 20}, {-100, -150}},      {{20, 700}, {700, 700}, {-20, 20}, {-100, -150}},
    {{400, 700}, {-500, -500}, {-20, 20}, {100, 150}},      {{20, 700}, {-500, -500}, {-20, 20}, {100, 150}},
};

// Only the play, its resumption and the lost sign move the sky, besides the long warm-up steps.
Bool MovesClouds(UInt32 playState, Double dt)
{
    return playState == 4 || playState == 5 || playState == 10 || dt >= 0.5;
}

} // namespace

Clouds::Clouds()
    : GraphPositionObject(kDepthOrderBase), mVelocity(0.0f, 0.0f, 0.0f, 0.0f),
      mNamespace(new Logic::GraphNodeT<Graph::INamespace>()), mSelect(new Logic::GraphNodeT<Graph::ISwitch>()),
      mParameters(new Logic::GraphNodeT<Graph::IParameters>()), mOpacity(nullptr)
{
}

Clouds::~Clouds()
{
    delete mParameters;
    delete mSelect;
    delete mNamespace;
}

void Clouds::Reset()
{
    GraphPositionObject::Reset();
    mVelocity = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 0.0f);
}

Bool Clouds::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mNamespace->GetReference(nameSpace, path));
    Observe(mSelect->GetReference(nameSpace, path + "/select"));
    Observe(mParameters->GetReference(nameSpace, path + "/parameters"));
    return BindTransform(nameSpace, path + "/position", index);
}

Bool Clouds::DeInit()
{
    mOpacity = nullptr;
    return GraphPositionObject::DeInit();
}

Graph::INode* Clouds::GetRootNode() const
{
    return mNamespace->GetNode();
}

void Clouds::Move(Float dt)
{
    mPosition.x += mVelocity.x * dt;
    mPosition.y += mVelocity.y * dt;
    mPosition.z += mVelocity.z * dt;
    mPosition.w += mVelocity.w * dt;
    UpdateTransform();
}

Bool Clouds::IsActiveAndVisible() const
{
    const Graph::INode* root = GetRootNode();
    return root != nullptr && root->IsActiveAndVisible();
}

void Clouds::SetCloudType(UInt32 type)
{
    Graph::ISwitch* select = mSelect->Get();
    Graph::INode* selectNode = mSelect->GetNode();
    if (select == nullptr || selectNode == nullptr || type >= selectNode->GetNumberOfChildren())
        return;
    select->SetIndex(SInt32(type));
    mOpacity = nullptr;
    auto* types = dynamic_cast<Graph::INamespace*>(select->GetSelectedChild());
    Graph::INode* opacity = types != nullptr ? types->FindNode("opacity") : nullptr;
    if (opacity == nullptr)
        return;
    // The lookup's reference is not kept: the switch lives as long as the instance the cloud binds,
    // and a kept one would stop the graph from de-initialising.
    opacity->RemoveReference();
    mOpacity = dynamic_cast<Graph::ISwitch*>(opacity);
}

void Clouds::SetOpacity(Float alpha)
{
    Graph::IParameters* parameters = mParameters->Get();
    parameters->SetColor(kDiffuse, Color{1.0f, 1.0f, 1.0f, 1.0f});
    const SInt32 variant = alpha >= 0.7f && alpha < 0.875f ? 1 : 0;
    if (mOpacity != nullptr)
        mOpacity->SetIndex(variant);
    if (alpha < 0.7f)
        parameters->SetColor(kDiffuse, Color{1.0f, 1.0f, 1.0f, alpha});
}

Bool Clouds::IsOffScreen(Float width, Float height) const
{
    const Float right = width * 0.5f + kOffScreenMargin;
    const Float top = height * 0.5f + kOffScreenMargin;
    return (mVelocity.x > 0.0f && mPosition.x > right) || (mVelocity.x < 0.0f && mPosition.x < -right) ||
           (mVelocity.y > 0.0f && mPosition.y > top) || (mVelocity.y < 0.0f && mPosition.y < -top);
}

CloudsContainer::CloudsContainer(GameState* gameState) : mGameState(gameState)
{
    mRng.Seed(GetPlaySeed());
}

CloudsContainer::~CloudsContainer()
{
}

Bool CloudsContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return GraphInstanceContainer<Clouds>::Init(nameSpace, basePath, "/clouds_container", "/clouds");
}

Bool CloudsContainer::DeInit()
{
    const Bool released = GraphInstanceContainer<Clouds>::DeInit();
    mScheduled.clear();
    mEmitters.clear();
    return released;
}

void CloudsContainer::ReleaseAll()
{
    GraphInstanceContainer<Clouds>::ReleaseAll();
    mScheduled.clear();
    mEmitters.clear();
}

Clouds* CloudsContainer::ObtainCloud(UInt32 type)
{
    Clouds* cloud = Obtain();
    if (cloud != nullptr)
        cloud->SetCloudType(type);
    return cloud;
}

Float CloudsContainer::Draw(Float a, Float b)
{
    const Float low = std::min(a, b);
    const Float high = std::max(a, b);
    return low + Float(Double(mRng.Rand()) * Double(high - low) / 4294967296.0);
}

void CloudsContainer::AddCloudPreset(UInt32 preset, UInt32 count, UInt32 burstLimit, Float speedMin, Float speedMax,
                                     Float delayMin, Float delayMax)
{
    if (preset >= kNumberOfPresets || count == 0)
        return;
    for (Float value : {speedMin, speedMax, delayMin, delayMax}) {
        if (!std::isfinite(value))
            return;
    }
    const CloudPreset& box = kPresets[preset];
    CloudEmitter emitter;
    emitter.mCount = count;
    emitter.mDelayMin = std::min(delayMin, delayMax);
    emitter.mDelayMax = std::max(delayMin, delayMax);
    emitter.mBurstLimit = burstLimit;
    emitter.mSpeedA = speedMin;
    emitter.mSpeedB = speedMax;
    emitter.mPositionXA = box.mX[0];
    emitter.mPositionXB = box.mX[1];
    emitter.mPositionYA = box.mY[0];
    emitter.mPositionYB = box.mY[1];
    emitter.mDirectionXA = box.mDirectionX[0];
    emitter.mDirectionXB = box.mDirectionX[1];
    emitter.mDirectionYA = box.mDirectionY[0];
    emitter.mDirectionYB = box.mDirectionY[1];
    AddEmitter(emitter);
}

void CloudsContainer::AddEmitter(const CloudEmitter& emitter)
{
    CloudEmitter added = emitter;
    // More clouds than the pool holds could never show at once; the cut keeps every burst, and
    // so the schedule, bounded.
    added.mCount = std::min(added.mCount, GetCount());
    if (added.mDelayMin > added.mDelayMax)
        std::swap(added.mDelayMin, added.mDelayMax);
    added.mBursts = 0;
    added.mTimer = added.mDelayMax;
    mEmitters.push_back(added);
    Burst(added);
    if (added.mDelayMin == 0.0f) {
        for (UInt32 i = 0; i < kWarmUpSteps; ++i)
            Step(1.0);
    }
}

void CloudsContainer::Burst(const CloudEmitter& emitter)
{
    const UInt32 count = emitter.mCount;
    // Clouds that find no free entry wait; beyond a pool's worth per emitter a burst adds none.
    const size_t limit = size_t(GetCount()) * mEmitters.size();
    for (UInt32 i = 0; i < count && mScheduled.size() < limit; ++i) {
        ScheduledCloud cloud;
        const Float jitter = Float(2.0 * Double(mRng.Rand()) / 4294967296.0 - 1.0);
        cloud.mDelay = emitter.mDelayMin + jitter + Float(i) / Float(count) * (emitter.mDelayMax - emitter.mDelayMin);
        cloud.mOpacity = Draw(emitter.mOpacityA, emitter.mOpacityB);
        cloud.mPosition = Math::Vector<Float>(Draw(emitter.mPositionXA, emitter.mPositionXB),
                                              Draw(emitter.mPositionYA, emitter.mPositionYB), 0.0f, 1.0f);
        Float dx = Draw(emitter.mDirectionXA, emitter.mDirectionXB);
        Float dy = Draw(emitter.mDirectionYA, emitter.mDirectionYB);
        const Float length = std::sqrt(dx * dx + dy * dy);
        if (length > 0.0f) {
            dx /= length;
            dy /= length;
        }
        const Float speed = Draw(emitter.mSpeedA, emitter.mSpeedB);
        cloud.mVelocity = Math::Vector<Float>(dx * speed, dy * speed, 0.0f, 0.0f);
        cloud.mType = UInt32((UInt64(mRng.Rand()) * kNumberOfTypes) >> 32);
        mScheduled.push_back(cloud);
    }
}

void CloudsContainer::Step(Double dt)
{
    if (!MovesClouds(mGameState->GetPlayState(), dt))
        return;
    const Float scaled = Float(dt) * mGameState->GetTimeFactor();

    for (CloudEmitter& emitter : mEmitters) {
        if (emitter.mBurstLimit != CloudEmitter::kUnlimited && emitter.mBursts >= emitter.mBurstLimit)
            continue;
        emitter.mTimer -= scaled;
        if (emitter.mTimer <= 0.0f) {
            ++emitter.mBursts;
            emitter.mTimer = emitter.mDelayMax;
            Burst(emitter);
        }
    }

    // A spawned record leaves the schedule; one that finds the pool full waits for the next step.
    for (size_t i = 0; i < mScheduled.size();) {
        ScheduledCloud& record = mScheduled[i];
        record.mDelay -= scaled;
        Clouds* cloud = record.mDelay <= 0.0f ? ObtainCloud(record.mType) : nullptr;
        if (cloud == nullptr) {
            ++i;
            continue;
        }
        cloud->SetPosition(record.mPosition);
        cloud->UpdateTransform();
        cloud->SetVelocity(record.mVelocity);
        cloud->SetOpacity(record.mOpacity);
        mScheduled.erase(mScheduled.begin() + std::ptrdiff_t(i));
    }

    const Float width = mGameState->GetViewWidth();
    const Float height = mGameState->GetViewHeight();
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (!IsEntryUsed(i))
            continue;
        Clouds* cloud = GetEntry(i);
        if (cloud->IsOffScreen(width, height))
            cloud->SetActiveAndVisible(false);
        cloud->Move(scaled);
        if (!cloud->IsActiveAndVisible())
            SetEntryUsed(i, false);
    }
}

} // namespace App
} // namespace Vorn
