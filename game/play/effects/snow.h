// Falling snow over a level: layers that each emit flakes at a steady interval while a wind with
// random gusts blows them sideways. A flake is a particle animator borrowed from the
// application-wide pool and moved here directly, not by keyed tracks.
#pragma once

#include <vector>

#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "logic/stepable.h"

namespace Vorn {
namespace App {

class GameState;
class ParticleAnimator;
class ParticleContainer;

struct SnowFlake
{
    ParticleAnimator* mAnimator = nullptr;
    Math::Vector<float> mVelocity{0.0f, 0.0f, 0.0f, 0.0f};
    Math::Vector<float> mAcceleration{0.0f, 0.0f, 0.0f, 0.0f};
    Float mAngularSpeed = 0.0f;
    Float mAngle = 0.0f;
    Float mAlpha = 0.0f;
    Float mMaxAlpha = 0.0f;
    UInt32 mSwayPeriod = 0;
    UInt32 mSwayCountdown = 0;
};

struct SnowLayer
{
    Float mSpawnInterval = 0.0f;
    Math::Vector<float> mSpawnMin{0.0f, 0.0f, 0.0f, 1.0f};
    Math::Vector<float> mSpawnMax{0.0f, 0.0f, 0.0f, 1.0f};
    Float mScaleMin = 1.0f;
    Float mScaleMax = 1.0f;
    Float mSpawnCountdown = 0.0f;
    SInt32 mImageIndex = 16;
    Math::Vector<float> mWindDirection{0.0f, 0.0f, 0.0f, 0.0f};
    Float mGustTarget = 0.0f;
    Float mWindSpeed = 0.0f;
    Float mWindAcceleration = 0.0f;
    Float mGustMin = 20.0f;
    Float mGustMax = 350.0f;
    Float mCalmMin = 0.0f;
    Float mCalmMax = 3.0f;
    Float mCalm = 0.0f;
    Float mStartDelay = 0.0f;
    Float mCycleLength = 60.0f;
    // -1 runs without end.
    SInt32 mCycleLimit = 0;
    Float mCycleTime = 0.0f;
    SInt32 mCycleCount = 0;
    std::vector<SnowFlake> mFlakes;

    Bool IsRunning() const { return mCycleLimit == -1 || mCycleCount < mCycleLimit; }
};

class SnowHandler : public Logic::IStepable
{
public:
    static constexpr SInt32 kDepthOrderBase = 810000;

    // Neither is owned.
    SnowHandler(GameState* gameState, ParticleContainer* particles);
    // Leaves the animators alone.
    ~SnowHandler() override;

    // Hands every flake's animator back to the particle pool's next step and removes all layers.
    void Reset() override;
    void Step(Double dt) override;

    void AddLayer(const SnowLayer& layer) { mLayers.push_back(layer); }
    UInt32 GetNumberOfLayers() const { return UInt32(mLayers.size()); }
    // Null for an index beyond the layers.
    const SnowLayer* GetLayer(UInt32 index) const { return index < mLayers.size() ? &mLayers[index] : nullptr; }

private:
    void StepWind(SnowLayer& layer, Float dt);
    void SpawnFlake(SnowLayer& layer);
    // False when the flake has left and was removed.
    Bool MoveFlake(const SnowLayer& layer, SnowFlake& flake, Float dt, Float halfWidth, Float halfHeight);
    // -1 or +1 from one bit of one draw.
    Float RandomSign();

    GameState* mGameState;
    ParticleContainer* mParticles;
    Util::TT800 mRandom;
    std::vector<SnowLayer> mLayers;
};

// Appends a layer of the intensity 0 to 3 (light to heavy); any other intensity adds nothing.
void Setup(SnowHandler* handler, Float startDelay, Float cycleLength, SInt32 cycleLimit, SInt32 intensity);

} // namespace App
} // namespace Vorn
