#include "game/play/explosion_handler.h"

#include "foundation/enums.h"
#include "foundation/math.h"
#include "game/play/effects/explosions.h"
#include "game/play/particles.h"
#include "game/play/play_seed.h"

namespace Vorn {
namespace App {

namespace {

using Position = Math::Vector<Float>;
using Starter = void (*)(ExplosionHandler& handler, const Position& position, Float angle, Float delay);

// The dispatch table: effect type n is row n - 1. Types 14 to 21 and 22 to 29 show the weapon
// kinds 0, 1, 3, 6, 4, 5, 2, 7 in that order.
const Starter kEffects[ExplosionHandler::NumberOfEffects] = {
    [](ExplosionHandler& h, const Position& p, Float, Float delay) { h.StartEffect01(p, delay); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect02(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect03(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect04(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect05(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect06(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect07(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect08(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect09(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartAshExplosion(p); },
    [](ExplosionHandler& h, const Position& p, Float angle, Float) { h.StartIceExplosion(p, angle); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect12(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect13(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 0); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 1); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 3); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 6); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 4); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 5); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 2); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorBurst(p, 7); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 0); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 1); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 3); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 6); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 4); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 5); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 2); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartColorFountain(p, 7); },
    [](ExplosionHandler& h, const Position& p, Float angle, Float) { h.StartEffect30(p, angle); },
    [](ExplosionHandler&, const Position&, Float, Float) {},
    [](ExplosionHandler& h, const Position& p, Float angle, Float) { h.StartEffect32(p, angle); },
    [](ExplosionHandler& h, const Position& p, Float angle, Float) { h.StartEffect33(p, angle); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect34(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float delay) { h.StartEffect35(p, delay); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect36(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float delay) { h.StartEffect37(p, delay); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect38(p); },
    [](ExplosionHandler& h, const Position& p, Float, Float) { h.StartEffect39(p); },
};

constexpr Enums::InterpolationType kLinear = Enums::InterpolationType::LINEAR;

} // namespace

ExplosionHandler::ExplosionHandler(ParticleContainer* particleContainer,
                                   AshExplosionContainer* ashExplosionContainer,
                                   IceExplosionContainer* iceExplosionContainer)
    : mParticleContainer(particleContainer), mAshExplosionContainer(ashExplosionContainer),
      mIceExplosionContainer(iceExplosionContainer)
{
    mRng.Seed(GetPlaySeed());
}

ExplosionHandler::~ExplosionHandler() {}

void ExplosionHandler::StartEffect(UInt32 type, const Math::Vector<Float>& position, Float angle, Float delay)
{
    // A type outside the table would read past its end.
    if (type < 1 || type > NumberOfEffects)
        return;
    kEffects[type - 1](*this, position, angle, delay);
}

void ExplosionHandler::StartEffectAt(UInt32 type, const Math::Vector<Float>& position)
{
    StartEffect(type, position, 0.0f, 0.0f);
}

void ExplosionHandler::StartEffectWithAngle(UInt32 type, const Math::Vector<Float>& position, Float angle)
{
    StartEffect(type, position, angle, 0.0f);
}

void ExplosionHandler::StartAshExplosion(const Math::Vector<Float>& position)
{
    AshExplosion* explosion = mAshExplosionContainer != nullptr ? mAshExplosionContainer->Obtain() : nullptr;
    if (explosion == nullptr)
        return;
    explosion->SetPosition(position);
    explosion->UpdateTransform();
    explosion->Start();
}

void ExplosionHandler::StartIceExplosion(const Math::Vector<Float>& position, Float angle)
{
    IceExplosion* explosion = mIceExplosionContainer != nullptr ? mIceExplosionContainer->Obtain() : nullptr;
    if (explosion == nullptr)
        return;
    explosion->SetPosition(position);
    explosion->UpdateTransform();
    explosion->SetRotation(angle);
    explosion->Start();
}

void ExplosionHandler::AddAlphaKey(ParticleAnimator* animator, Float time, Float alpha)
{
    animator->GetColorTrack().AppendKey(time, Math::Vector<float>(1.0f, 1.0f, 1.0f, alpha), kLinear);
}

void ExplosionHandler::AddRotationKey(ParticleAnimator* animator, Float time, Float ax, Float ay, Float az,
                                      Float angle)
{
    animator->GetRotationTrack().AppendKey(time, Math::Vector<float>(ax, ay, az, angle), kLinear);
}

void ExplosionHandler::AddRotationZKey(ParticleAnimator* animator, Float time, Float angle)
{
    AddRotationKey(animator, time, 0.0f, 0.0f, 1.0f, angle);
}

void ExplosionHandler::AddScaleKeyXY(ParticleAnimator* animator, Float time, Float sx, Float sy)
{
    animator->GetScaleTrack().AppendKey(time, Math::Vector<float>(sx, sy, 1.0f, 0.0f), kLinear);
}

void ExplosionHandler::AddScaleKey(ParticleAnimator* animator, Float time, Float scale)
{
    AddScaleKeyXY(animator, time, scale, scale);
}

void ExplosionHandler::AddPositionKeyAt(ParticleAnimator* animator, Float time, const Math::Vector<Float>& base,
                                        Double dx, Double dy)
{
    AddPositionKey(animator, time, Float(Double(base.x) + dx), Float(Double(base.y) + dy));
}

void ExplosionHandler::AddPositionKey(ParticleAnimator* animator, Float time, Float x, Float y)
{
    animator->GetPositionTrack().AppendKey(time, Math::Vector<float>(x, y, 0.0f, 1.0f), kLinear);
}

void ExplosionHandler::SetDuration(ParticleAnimator* animator, Float endTime)
{
    for (ParticleTrack* track : {&animator->GetPositionTrack(), &animator->GetScaleTrack(),
                                 &animator->GetRotationTrack(), &animator->GetColorTrack()})
        track->GetTimeline()->SetEndTime(endTime);
}

void ExplosionHandler::SetSpeed(ParticleAnimator* animator, Float timeScale)
{
    for (ParticleTrack* track : {&animator->GetPositionTrack(), &animator->GetScaleTrack(),
                                 &animator->GetRotationTrack(), &animator->GetColorTrack()})
        track->GetTimeline()->SetTimeScale(timeScale);
}

ParticleAnimator* ExplosionHandler::Obtain(SInt32 image, SInt32 depthBase)
{
    ParticleAnimator* animator = mParticleContainer != nullptr ? mParticleContainer->Obtain() : nullptr;
    if (animator == nullptr)
        return nullptr;
    animator->SetImage(image);
    if (depthBase > 0)
        animator->SetDepthOrder(depthBase);
    return animator;
}

Float ExplosionHandler::Uniform(Float min, Float max)
{
    return mRng.RandReal(min, max);
}

UInt32 ExplosionHandler::Below(UInt32 n)
{
    return mRng.RandUInt(0, n - 1);
}

Float ExplosionHandler::RandomSign()
{
    return Float(2 * SInt32(Below(2)) - 1);
}

} // namespace App
} // namespace Vorn
