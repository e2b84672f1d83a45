// The play field's one starter of visual effects: an effect type from 1 to 39 and a position
// start a particle recipe (bursts, rays, trails, fountains) from the application-wide particle
// pool, or an ash or ice explosion from the play field's pools. Once started an effect runs to
// its end by itself; the pools' steps take back what it used.
#pragma once

#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace App {

class AshExplosionContainer;
class IceExplosionContainer;
class ParticleAnimator;
class ParticleContainer;

class ExplosionHandler
{
public:
    // Effect numbers the course and animal code start.
    static constexpr UInt32 EffectCharred = 4;
    static constexpr UInt32 EffectAsh = 10;
    static constexpr UInt32 EffectIce = 11;
    static constexpr UInt32 EffectIceAtShot = 12;
    static constexpr UInt32 EffectHighlight = 13;
    static constexpr UInt32 EffectFinishAnimal = 36;
    static constexpr UInt32 EffectFinishRing = 37;
    static constexpr UInt32 NumberOfEffects = 39;

    // The pools are not owned; a missing one leaves its effects out. The generator is seeded
    // once, from the play seed.
    explicit ExplosionHandler(ParticleContainer* particleContainer = nullptr,
                              AshExplosionContainer* ashExplosionContainer = nullptr,
                              IceExplosionContainer* iceExplosionContainer = nullptr);
    virtual ~ExplosionHandler();

    // Starts effect type 1 to 39 at the position; the angle and the delay reach the effects that
    // take them. Other types start nothing.
    virtual void StartEffect(UInt32 type, const Math::Vector<Float>& position, Float angle, Float delay);
    void StartEffectAt(UInt32 type, const Math::Vector<Float>& position);
    void StartEffectWithAngle(UInt32 type, const Math::Vector<Float>& position, Float angle);

    void StartAshExplosion(const Math::Vector<Float>& position);
    // The ice explosion turned by angle radians about z.
    void StartIceExplosion(const Math::Vector<Float>& position, Float angle);

    // The particle recipes. A full pool makes an effect smaller or leaves it out.
    void StartEffect01(const Math::Vector<Float>& position, Float delay);
    void StartEffect02(const Math::Vector<Float>& position);
    void StartEffect03(const Math::Vector<Float>& position);
    void StartEffect04(const Math::Vector<Float>& position);
    void StartEffect05(const Math::Vector<Float>& position);
    void StartEffect06(const Math::Vector<Float>& position);
    void StartEffect07(const Math::Vector<Float>& position);
    void StartEffect08(const Math::Vector<Float>& position);
    void StartEffect09(const Math::Vector<Float>& position);
    void StartEffect12(const Math::Vector<Float>& position);
    void StartEffect13(const Math::Vector<Float>& position);
    // Variant 0 to 7: the weapon kind whose colours the pieces show.
    void StartColorBurst(const Math::Vector<Float>& position, UInt32 variant);
    void StartColorFountain(const Math::Vector<Float>& position, UInt32 variant);
    void StartEffect30(const Math::Vector<Float>& position, Float angle);
    void StartEffect32(const Math::Vector<Float>& position, Float angle);
    void StartEffect33(const Math::Vector<Float>& position, Float angle);
    void StartEffect34(const Math::Vector<Float>& position);
    void StartEffect35(const Math::Vector<Float>& position, Float delay);
    void StartEffect36(const Math::Vector<Float>& position);
    void StartEffect37(const Math::Vector<Float>& position, Float delay);
    void StartEffect38(const Math::Vector<Float>& position);
    void StartEffect39(const Math::Vector<Float>& position);
    // Pieces falling over the whole screen; the position is not used.
    void StartFinishEffect(const Math::Vector<Float>& position);

    // Each appends one linear key to one track of the animator.
    static void AddAlphaKey(ParticleAnimator* animator, Float time, Float alpha);
    static void AddRotationKey(ParticleAnimator* animator, Float time, Float ax, Float ay, Float az, Float angle);
    static void AddRotationZKey(ParticleAnimator* animator, Float time, Float angle);
    static void AddScaleKeyXY(ParticleAnimator* animator, Float time, Float sx, Float sy);
    static void AddScaleKey(ParticleAnimator* animator, Float time, Float scale);
    // The base point plus the offset, summed in double precision.
    static void AddPositionKeyAt(ParticleAnimator* animator, Float time, const Math::Vector<Float>& base, Double dx,
                                 Double dy);
    static void AddPositionKey(ParticleAnimator* animator, Float time, Float x, Float y);
    // End time and time scale of all four tracks.
    static void SetDuration(ParticleAnimator* animator, Float endTime);
    static void SetSpeed(ParticleAnimator* animator, Float timeScale);

private:
    ExplosionHandler(const ExplosionHandler&) = delete;
    ExplosionHandler& operator=(const ExplosionHandler&) = delete;

    // A free animator with its image and, for a depth base above 0, its depth order; null when
    // the pool is full.
    ParticleAnimator* Obtain(SInt32 image, SInt32 depthBase);
    // Uniform between the bounds, both reachable.
    Float Uniform(Float min, Float max);
    // 0 to n - 1.
    UInt32 Below(UInt32 n);
    // -1 or +1.
    Float RandomSign();

public:
    // The shared shapes of the recipe family, each described by a row of constants.
    struct RayGroup;
    struct RingGroup;
    struct ScatterGroup;
    struct FountainGroup;

private:
    void StartRays(const Math::Vector<Float>& position, const RayGroup& group);
    // False when the pool ran out and the group asks to stop there.
    Bool StartRing(const Math::Vector<Float>& position, const RingGroup& group, UInt32 variant);
    // False when the pool ran out within the group.
    Bool StartScatter(const Math::Vector<Float>& position, const ScatterGroup& group, Float delay);
    void StartFountain(const Math::Vector<Float>& position, const FountainGroup& group, UInt32 variant, Float delay);
    // The image of a piece in a weapon's colours; draws from the generator.
    SInt32 BurstImage(UInt32 variant);
    SInt32 FountainImage(UInt32 variant);

    ParticleContainer* mParticleContainer;
    AshExplosionContainer* mAshExplosionContainer;
    IceExplosionContainer* mIceExplosionContainer;
    Util::TT800 mRng;
};

} // namespace App
} // namespace Vorn
