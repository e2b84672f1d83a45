#include "game/play/effects/snow.h"

#include "game/game_state.h"
#include "game/play/particles.h"
#include "game/play/play_seed.h"

namespace Vorn {
namespace App {

namespace {

constexpr Float kSpawnDepth = 400.0f;
// Flakes fade in above this depth and out below the next; they are gone below the last.
constexpr Float kFadeInDepth = 250.0f;
constexpr Float kFadeOutDepth = 80.0f;
constexpr Float kGoneDepth = 10.0f;
constexpr Float kFallSpeed = 150.0f;
constexpr Float kFadeInStep = 0.01f;
constexpr Float kFadeOutStep = 0.02f;
// How far past the view's edge a flake drifts before it is removed.
constexpr Float kLeaveMargin = 100.0f;

Bool IsSnowingState(UInt32 playState)
{
    return playState == 4 || playState == 5 || playState == 10 || playState == 13 || playState == 14;
}

} // namespace

SnowHandler::SnowHandler(GameState* gameState, ParticleContainer* particles)
    : mGameState(gameState), mParticles(particles)
{
    mRandom.Seed(GetPlaySeed());
}

SnowHandler::~SnowHandler()
{
}

void SnowHandler::Reset()
{
    for (SnowLayer& layer : mLayers) {
        for (SnowFlake& flake : layer.mFlakes)
            flake.mAnimator->SetPersistent(false);
    }
    mLayers.clear();
}

Float SnowHandler::RandomSign()
{
    return (mRandom.Rand() & 1u) != 0 ? 1.0f : -1.0f;
}

void SnowHandler::StepWind(SnowLayer& layer, Float dt)
{
    if (layer.mWindSpeed > 0.0f || layer.mCalm > 0.0f) {
        // The gust turns at its peak.
        if (layer.mWindSpeed >= layer.mGustTarget)
            layer.mWindAcceleration = -layer.mWindAcceleration;
    } else {
        layer.mGustTarget = mRandom.RandReal(layer.mGustMin, layer.mGustMax);
        layer.mWindAcceleration = layer.mGustTarget / (1.0f + 3.0f * mRandom.RandReal(0.0f, 1.0f));
        layer.mCalm = mRandom.RandReal(layer.mCalmMin, layer.mCalmMax);
    }
    if (layer.mCalm > 0.0f)
        layer.mCalm -= dt;
    if (layer.mCalm <= 0.0f)
        layer.mWindSpeed += layer.mWindAcceleration * dt;
}

void SnowHandler::SpawnFlake(SnowLayer& layer)
{
    layer.mSpawnCountdown = layer.mSpawnInterval;
    ParticleAnimator* animator = mParticles != nullptr ? mParticles->Obtain() : nullptr;
    if (animator == nullptr)
        return;
    layer.mFlakes.push_back(SnowFlake());
    SnowFlake& flake = layer.mFlakes.back();
    flake.mAnimator = animator;
    animator->SetImage(layer.mImageIndex);
    animator->SetPersistent(true);

    const Float x = mRandom.RandReal(layer.mSpawnMin.x, layer.mSpawnMax.x);
    const Float y = mRandom.RandReal(layer.mSpawnMin.y, layer.mSpawnMax.y);
    animator->SetDepthOrder(kDepthOrderBase);
    animator->SetPosition(Math::Vector<Float>(x, y, kSpawnDepth, 1.0f));
    animator->UpdateTransform();

    const Float scale = mRandom.RandReal(layer.mScaleMin, layer.mScaleMax);
    animator->SetScaleFactor(Math::Vector<float>(scale, scale, scale, scale));

    const Float ax = mRandom.RandReal(30.0f, 100.0f) * RandomSign();
    const Float ay = mRandom.RandReal(30.0f, 100.0f) * RandomSign();
    flake.mAcceleration = Math::Vector<float>(ax, ay, 0.0f, 0.0f);
    flake.mSwayPeriod = 50 + UInt32((UInt64(mRandom.Rand()) * 151u) >> 32);
    flake.mSwayCountdown = flake.mSwayPeriod;
    flake.mMaxAlpha = 1.0f;
    flake.mAlpha = 0.0f;
    animator->SetColor(1.0f, 1.0f, 1.0f, 0.0f);
}

Bool SnowHandler::MoveFlake(const SnowLayer& layer, SnowFlake& flake, Float dt, Float halfWidth, Float halfHeight)
{
    ParticleAnimator* animator = flake.mAnimator;
    Math::Vector<Float> position = animator->GetPosition();
    // A flake is gone only past the edge it drifts towards by its own motion.
    const Bool left = (flake.mVelocity.x > 0.0f && position.x - kLeaveMargin > halfWidth) ||
                      (flake.mVelocity.x < 0.0f && position.x + kLeaveMargin < -halfWidth) ||
                      (flake.mVelocity.y > 0.0f && position.y - kLeaveMargin > halfHeight) ||
                      (flake.mVelocity.y < 0.0f && position.y + kLeaveMargin < -halfHeight) ||
                      position.z < kGoneDepth;
    if (left) {
        animator->SetPersistent(false);
        return false;
    }

    if (position.z > kFadeInDepth && flake.mAlpha < flake.mMaxAlpha) {
        flake.mAlpha += kFadeInStep;
        animator->SetColor(1.0f, 1.0f, 1.0f, flake.mAlpha);
    } else if (position.z < kFadeOutDepth && flake.mAlpha > 0.0f) {
        flake.mAlpha -= kFadeOutStep;
        animator->SetColor(1.0f, 1.0f, 1.0f, flake.mAlpha);
    }

    if (flake.mSwayCountdown == 0) {
        flake.mAcceleration.x = -flake.mAcceleration.x;
        flake.mAcceleration.y = -flake.mAcceleration.y;
        flake.mSwayCountdown = flake.mSwayPeriod;
    }
    if (flake.mSwayCountdown > 0)
        --flake.mSwayCountdown;

    flake.mVelocity.x += flake.mAcceleration.x * dt;
    flake.mVelocity.y += flake.mAcceleration.y * dt;
    flake.mVelocity.z += flake.mAcceleration.z * dt;

    position.x += (flake.mVelocity.x + layer.mWindDirection.x * layer.mWindSpeed) * dt;
    position.y += (flake.mVelocity.y + layer.mWindDirection.y * layer.mWindSpeed) * dt;
    position.z += (flake.mVelocity.z + layer.mWindDirection.z * layer.mWindSpeed) * dt - kFallSpeed * dt;
    animator->SetPosition(position);
    animator->UpdateTransform();

    flake.mAngle += flake.mAngularSpeed * dt;
    animator->SetRotation(Math::Vector<float>(0.0f, 0.0f, 1.0f, flake.mAngle));
    return true;
}

void SnowHandler::Step(Double dt)
{
    const UInt32 playState = mGameState->GetPlayState();
    if (!IsSnowingState(playState) && dt < 0.5)
        return;
    const Float scaled = Float(dt) * mGameState->GetTimeFactor();
    const Bool canSpawn = playState == 4 || playState == 5;
    const Float halfWidth = mGameState->GetViewWidth() * 0.5f;
    const Float halfHeight = mGameState->GetPlayHeight() * 0.5f;

    for (SnowLayer& layer : mLayers) {
        if (layer.IsRunning()) {
            layer.mSpawnCountdown -= scaled;
            layer.mCycleTime += scaled;
            StepWind(layer, scaled);
            if (layer.mCycleTime > layer.mCycleLength) {
                ++layer.mCycleCount;
                layer.mCycleTime = 0.0f;
            }
            if (layer.mCycleTime >= layer.mStartDelay && canSpawn && layer.mSpawnCountdown <= 0.0f)
                SpawnFlake(layer);
        }
        for (size_t i = 0; i < layer.mFlakes.size();) {
            if (MoveFlake(layer, layer.mFlakes[i], scaled, halfWidth, halfHeight))
                ++i;
            else
                layer.mFlakes.erase(layer.mFlakes.begin() + std::ptrdiff_t(i));
        }
    }
}

void Setup(SnowHandler* handler, Float startDelay, Float cycleLength, SInt32 cycleLimit, SInt32 intensity)
{
    struct Intensity {
        Float mSpawnInterval;
        Float mGustMin;
        Float mGustMax;
        Float mCalmMax;
    };
    static constexpr Intensity kIntensities[] = {
        {0.05f, 20.0f, 100.0f, 6.0f},
        {0.035f, 30.0f, 200.0f, 5.0f},
        {0.02f, 40.0f, 250.0f, 4.0f},
        {0.015f, 150.0f, 400.0f, 3.0f},
    };
    if (handler == nullptr || intensity < 0 || intensity > 3)
        return;
    const Intensity& values = kIntensities[intensity];
    SnowLayer layer;
    layer.mSpawnInterval = values.mSpawnInterval;
    layer.mSpawnCountdown = values.mSpawnInterval;
    layer.mSpawnMin = Math::Vector<float>(-640.0f, -400.0f, 0.0f, 1.0f);
    layer.mSpawnMax = Math::Vector<float>(440.0f, 400.0f, 0.0f, 1.0f);
    layer.mScaleMin = 0.3f;
    layer.mScaleMax = 0.7f;
    layer.mImageIndex = 20;
    layer.mWindDirection = Math::Vector<float>(1.0f, 0.0f, 0.0f, 0.0f);
    layer.mGustMin = values.mGustMin;
    layer.mGustMax = values.mGustMax;
    layer.mCalmMin = 0.0f;
    layer.mCalmMax = values.mCalmMax;
    layer.mStartDelay = startDelay;
    layer.mCycleLength = cycleLength;
    layer.mCycleLimit = cycleLimit;
    handler->AddLayer(layer);
}

} // namespace App
} // namespace Vorn
