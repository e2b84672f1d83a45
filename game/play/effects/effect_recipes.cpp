// The particle recipes of the explosion handler: one skeleton (obtain an animator, choose its
// image, draw its values, write its keys, give every track one end time and one time scale,
// start it) over rows of constants for the shapes that several effects share, and the effects
// of their own shape written out.
#include <algorithm>

#include "foundation/math.h"
#include "game/play/explosion_handler.h"
#include "game/play/particles.h"

namespace Vorn {
namespace App {

namespace {

using Position = Math::Vector<Float>;

constexpr Float kPi = Float(Math::Pi);
constexpr Float kTwoPi = Float(Math::TwoPi);

// How a piece of a group chooses its image.
enum class ImageChoice {
    kListed,       // images[i], the last one repeated
    kSevenOrEight, // 7 when a fresh R(2) equals the piece's number, else 8
    kPiece,        // 5, 6, 1 or 2 by R(4)
    kColorPiece,   // 29 + R(4)
    kBurst,        // by the weapon variant, as the colour bursts
    kFountain,     // by the weapon variant, as the colour fountains
};

struct AlphaKey
{
    Float time;
    Float alpha;
    // The time counts from the effect's delay.
    Bool afterDelay;
};

constexpr UInt32 kMaxKeys = 4;

// Images of the weapon colours: the first limit's image, the second's, else the third; variant 7
// picks among a run of images instead.
struct VariantImages
{
    UInt32 firstLimit;
    SInt32 firstImage;
    UInt32 secondLimit;
    SInt32 secondImage;
    SInt32 otherImage;
    SInt32 runStart;
    UInt32 runLength;
};

const VariantImages kBurstImages[8] = {
    {3, 13, 5, 14, 31, 0, 0}, {3, 13, 5, 14, 29, 0, 0}, {3, 13, 5, 14, 32, 0, 0}, {3, 31, 6, 30, 32, 0, 0},
    {3, 13, 5, 14, 31, 0, 0}, {3, 13, 5, 14, 31, 0, 0}, {3, 13, 5, 14, 32, 0, 0}, {0, 0, 0, 0, 0, 29, 4},
};

const VariantImages kFountainImages[8] = {
    {5, 28, 5, 28, 25, 0, 0}, {5, 28, 5, 28, 22, 0, 0}, {5, 28, 5, 28, 27, 0, 0}, {3, 25, 6, 24, 27, 0, 0},
    {3, 28, 6, 25, 22, 0, 0}, {3, 28, 6, 25, 22, 0, 0}, {5, 28, 5, 28, 27, 0, 0}, {0, 0, 0, 0, 0, 22, 6},
};

// Fountain keys after the first, at 0.25, 0.5, 0.75 and 1: pieces thrown up and out that slow
// down and drop.
const Float kFountainOutX[4] = {25.0f, 38.0f, 49.0f, 58.0f};
const Float kFountainUpY[4] = {35.0f, 40.0f, 50.0f, 55.0f};

Float Cos(Float angle)
{
    return Math::Cos(angle);
}

Float Sin(Float angle)
{
    return Math::Sin(angle);
}

} // namespace

// Rays from the centre along sectors of a circle, laid along their direction.
struct ExplosionHandler::RayGroup
{
    UInt32 count;
    SInt32 images[3];
    UInt32 numberOfImages;
    Float nearRadius;
    Float farRadius; // times the reach f
    Float farTime;
    Bool scaled;
    Float nearScaleX;
    Float farScaleX; // times f
    Float scaleY;
    AlphaKey alpha[kMaxKeys];
    UInt32 numberOfAlphaKeys;
    Float reachMin, reachMax;
    Float speedMin, speedMax, speedFactor;
};

// Pieces spinning out along sectors of a circle, as effect 6.
struct ExplosionHandler::RingGroup
{
    UInt32 count;
    ImageChoice choice;
    SInt32 images[4];
    UInt32 numberOfImages;
    Float farRadius; // times the reach f
    Float reachMin, reachMax;
    Float speedFactor;
    // Else a missing animator skips the piece.
    Bool stopAtFirstFailure;
};

// How the pieces of a scatter group turn.
enum class Turn {
    kNone,
    kTwoAngles,    // a drawn angle at the start and another at the end
    kFromZero,     // 0 at the start, a drawn angle at the end
};

// Pieces flying straight out in random, not normalised directions.
struct ExplosionHandler::ScatterGroup
{
    UInt32 count;
    ImageChoice choice;
    SInt32 images[4];
    UInt32 numberOfImages;
    SInt32 depthBase;
    Float nearRadius, farRadius;
    Float sizeMin, sizeMax, startScale;
    Turn turn;
    Float turnMin, turnMax;
    AlphaKey alpha[kMaxKeys];
    UInt32 numberOfAlphaKeys;
    Float endTime;
    Bool endAfterDelay;
    // Time scale: the fixed value when above 0, else 1 / (U(speedMin, speedMax) x speedFactor).
    Float speed;
    Float speedMin, speedMax, speedFactor;
};

// Pieces thrown up and out that tumble and drop.
struct ExplosionHandler::FountainGroup
{
    UInt32 count;
    ImageChoice choice;
    SInt32 image;
    SInt32 depthBase;
    Float reachMin, reachMax;
    // The first key's distance, times f when scaled.
    Float firstRadius;
    Bool firstRadiusScaled;
    Float fall[4];
    // The sector offset is drawn between the delay and the sector width.
    Bool offsetFromDelay;
    Float axisXMax;
    Float firstAngle, lastAngle;
    AlphaKey alpha[kMaxKeys];
    Float endTime;
    Bool afterDelay;
    Float speedFactor;
};

namespace {

const ExplosionHandler::RayGroup kRays02 = {
    7, {17}, 1, 80.0f, 250.0f, 0.2f, true, 0.15f, 0.3f, 0.05f,
    {{0.0f, 0.0f, false}, {0.05f, 1.0f, false}, {0.2f, 0.0f, false}}, 3, 0.5f, 1.25f, 0.8f, 3.0f, 0.5f};
const ExplosionHandler::RayGroup kRays03 = {
    10, {17}, 1, 80.0f, 360.0f, 0.2f, true, 0.2f, 0.5f, 0.1f,
    {{0.0f, 0.0f, false}, {0.05f, 1.0f, false}, {0.2f, 0.0f, false}}, 3, 0.5f, 1.25f, 0.8f, 3.0f, 1.6666666f};
const ExplosionHandler::RayGroup kRays12 = {
    7, {13, 13, 14}, 3, 10.0f, 50.0f, 0.2f, false, 0.0f, 0.0f, 0.0f,
    {{0.0f, 0.0f, false}, {0.05f, 1.0f, false}, {0.2f, 0.0f, false}}, 3, 0.5f, 1.25f, 0.8f, 1.0f, 1.0f};
const ExplosionHandler::RayGroup kRays36 = {
    10, {17}, 1, 80.0f, 250.0f, 1.0f, true, 1.0f, 1.0f, 0.15f,
    {{0.0f, 0.0f, false}, {0.1f, 1.0f, false}, {0.9f, 1.0f, false}, {1.0f, 0.0f, false}}, 4, 0.5f, 1.25f,
    0.8f, 3.0f, 2.0f};

const ExplosionHandler::RingGroup kRing06 = {7, ImageChoice::kListed, {9, 9, 9, 10}, 4, 100.0f, 0.75f, 1.25f,
                                             0.8333333f, false};
const ExplosionHandler::RingGroup kRing07[2] = {
    {5, ImageChoice::kListed, {9, 9, 9, 10}, 4, 100.0f, 0.75f, 1.25f, 0.8333333f, false},
    {7, ImageChoice::kColorPiece, {0}, 0, 150.0f, 0.75f, 1.25f, 0.8333333f, false},
};
const ExplosionHandler::RingGroup kRing08 = {4, ImageChoice::kColorPiece, {0}, 0, 100.0f, 0.75f, 1.25f,
                                             1.6666666f, false};
const ExplosionHandler::RingGroup kFountainRing = {8, ImageChoice::kBurst, {0}, 0, 100.0f, 1.25f, 1.6f,
                                                   1.3333333f, true};

const ExplosionHandler::ScatterGroup kScatter01 = {
    5, ImageChoice::kListed, {2, 2, 1}, 3, 501000, 10.0f, 50.0f, 0.7f, 1.0f, 0.6f, Turn::kTwoAngles, 0.0f, kPi,
    {{0.0f, 0.0f, false}, {0.0f, 1.0f, true}, {0.3f, 1.0f, true}, {1.0f, 0.0f, true}}, 4, 1.0f, false,
    0.0f, 0.2f, 0.3f, 1.0f};
const ExplosionHandler::ScatterGroup kScatter04[2] = {
    {2, ImageChoice::kSevenOrEight, {0}, 0, 502000, 10.0f, 36.0f, 1.5f, 2.0f, 0.7f, Turn::kNone, 0.0f, 0.0f,
     {{0.0f, 1.0f, false}, {0.1f, 1.0f, false}, {0.6f, 0.0f, false}}, 3, 0.8f, false, 1.6666666f, 0.0f, 0.0f,
     0.0f},
    {3, ImageChoice::kListed, {5, 6}, 2, 501000, 10.0f, 50.0f, 0.5f, 0.7f, 0.6f, Turn::kTwoAngles, -kPi, kPi,
     {{0.0f, 0.0f, false}, {0.6f, 0.5f, false}, {1.0f, 0.0f, false}}, 3, 1.0f, false, 1.6666666f, 0.0f, 0.0f,
     0.0f},
};
const ExplosionHandler::ScatterGroup kScatter05[2] = {
    {4, ImageChoice::kSevenOrEight, {0}, 0, 502000, 24.0f, 50.0f, 0.8f, 1.2f, 0.7f, Turn::kNone, 0.0f, 0.0f,
     {{0.0f, 1.0f, false}, {0.3f, 1.0f, false}, {0.6f, 0.0f, false}}, 3, 0.6f, false, 1.6666666f, 0.0f, 0.0f,
     0.0f},
    {8, ImageChoice::kListed, {4, 4, 4, 3}, 4, 501000, 5.0f, 60.0f, 0.8f, 1.2f, 0.7f, Turn::kFromZero, -kPi, kPi,
     {{0.0f, 0.0f, false}, {0.2f, 1.0f, false}, {1.0f, 0.0f, false}}, 3, 1.0f, false, 0.0f, 0.5f, 0.8f, 0.6f},
};
const ExplosionHandler::ScatterGroup kScatter09[2] = {
    {2, ImageChoice::kSevenOrEight, {0}, 0, 502000, 24.0f, 50.0f, 0.8f, 1.2f, 0.7f, Turn::kNone, 0.0f, 0.0f,
     {{0.0f, 1.0f, false}, {0.3f, 1.0f, false}, {0.6f, 0.0f, false}}, 3, 0.6f, false, 1.6666666f, 0.0f, 0.0f,
     0.0f},
    {2, ImageChoice::kListed, {4, 3}, 2, 501000, 5.0f, 60.0f, 0.8f, 1.2f, 0.7f, Turn::kFromZero, -kPi, kPi,
     {{0.0f, 0.0f, false}, {0.2f, 1.0f, false}, {1.0f, 0.0f, false}}, 3, 1.0f, false, 0.0f, 0.5f, 0.8f, 0.6f},
};
const ExplosionHandler::ScatterGroup kScatter37[2] = {
    {1, ImageChoice::kSevenOrEight, {0}, 0, 501000, 20.0f, 56.0f, 1.5f, 2.0f, 0.8f, Turn::kNone, 0.0f, 0.0f,
     {{0.0f, 0.0f, false}, {0.05f, 0.8f, true}, {0.1f, 0.8f, true}, {0.4f, 0.0f, true}}, 4, 1.0f, true, 1.25f,
     0.0f, 0.0f, 0.0f},
    {2, ImageChoice::kPiece, {0}, 0, 501100, 10.0f, 50.0f, 0.7f, 0.8f, 0.6f, Turn::kTwoAngles, -kPi, kPi,
     {{0.0f, 0.0f, true}, {0.2f, 0.7f, true}, {0.6f, 0.5f, true}, {1.0f, 0.0f, true}}, 4, 1.0f, true, 1.25f,
     0.0f, 0.0f, 0.0f},
};

const ExplosionHandler::FountainGroup kColorFountain = {
    16, ImageChoice::kFountain, 0, 0, 0.95f, 1.8f, 10.0f, false, {0.0f, 5.0f, 15.0f, 30.0f}, false, 1.0f,
    kPi, kTwoPi, {{0.0f, 0.0f, false}, {0.1f, 1.0f, false}, {0.5f, 1.0f, false}, {1.0f, 0.0f, false}}, 1.0f,
    false, 1.3333333f};
const ExplosionHandler::FountainGroup kFountain35[2] = {
    {7, ImageChoice::kListed, 34, 300000, 1.5f, 2.5f, 5.0f, true, {0.0f, 3.0f, 8.0f, 15.0f}, true, 0.0f,
     kPi / 2.0f, kPi, {{0.0f, 0.0f, true}, {0.1f, 1.0f, true}, {0.8f, 1.0f, true}, {1.0f, 0.0f, true}}, 1.0f,
     true, 2.0f},
    {3, ImageChoice::kListed, 34, 302000, 1.0f, 2.0f, 5.0f, true, {0.0f, 3.0f, 8.0f, 15.0f}, true, 0.0f,
     kPi / 2.0f, kPi, {{0.0f, 0.0f, true}, {0.1f, 1.0f, true}, {0.8f, 1.0f, true}, {1.0f, 0.0f, true}}, 1.0f,
     true, 2.0f},
};

const SInt32 kPieceImages[4] = {5, 6, 1, 2};

} // namespace

SInt32 ExplosionHandler::BurstImage(UInt32 variant)
{
    const VariantImages& images = kBurstImages[variant & 7];
    if (images.runLength > 0)
        return images.runStart + SInt32(mRng.RandUInt(0, images.runLength - 1));
    const UInt32 k = 1 + Below(10);
    return k <= images.firstLimit ? images.firstImage : k <= images.secondLimit ? images.secondImage
                                                                                : images.otherImage;
}

SInt32 ExplosionHandler::FountainImage(UInt32 variant)
{
    const VariantImages& images = kFountainImages[variant & 7];
    if (images.runLength > 0)
        return images.runStart + SInt32(mRng.RandUInt(0, images.runLength - 1));
    const UInt32 k = 1 + Below(10);
    return k <= images.firstLimit ? images.firstImage : k <= images.secondLimit ? images.secondImage
                                                                                : images.otherImage;
}

void ExplosionHandler::StartRays(const Position& p, const RayGroup& group)
{
    const Float sector = kTwoPi / Float(group.count);
    for (UInt32 i = 0; i < group.count; ++i) {
        ParticleAnimator* animator = Obtain(group.images[std::min(i, group.numberOfImages - 1)], 0);
        if (animator == nullptr)
            continue;
        const Float a = Float(i) * sector + Uniform(0.0f, sector);
        const Float f = Uniform(group.reachMin, group.reachMax);
        const Float v = Uniform(group.speedMin, group.speedMax) * group.speedFactor;
        const Float far = group.farRadius * f;
        AddPositionKeyAt(animator, 0.0f, p, group.nearRadius * Cos(a), group.nearRadius * Sin(a));
        AddPositionKeyAt(animator, group.farTime, p, far * Cos(a), far * Sin(a));
        AddRotationZKey(animator, 0.0f, a + kPi);
        if (group.scaled) {
            AddScaleKeyXY(animator, 0.0f, group.nearScaleX, group.scaleY);
            AddScaleKeyXY(animator, group.farTime, group.farScaleX * f, group.scaleY);
        }
        for (UInt32 k = 0; k < group.numberOfAlphaKeys; ++k)
            AddAlphaKey(animator, group.alpha[k].time, group.alpha[k].alpha);
        SetDuration(animator, 1.0f);
        SetSpeed(animator, v);
        animator->Start();
    }
}

Bool ExplosionHandler::StartRing(const Position& p, const RingGroup& group, UInt32 variant)
{
    const Float sector = kTwoPi / Float(group.count);
    for (UInt32 i = 0; i < group.count; ++i) {
        const SInt32 listed = group.numberOfImages > 0 ? group.images[std::min(i, group.numberOfImages - 1)] : 0;
        ParticleAnimator* animator = Obtain(listed, 0);
        if (animator == nullptr) {
            if (group.stopAtFirstFailure)
                return false;
            continue;
        }
        if (group.choice == ImageChoice::kColorPiece)
            animator->SetImage(29 + SInt32(Below(4)));
        else if (group.choice == ImageChoice::kBurst)
            animator->SetImage(BurstImage(variant));
        const Float a = Float(i) * sector + Uniform(0.0f, sector);
        const Float f = Uniform(group.reachMin, group.reachMax);
        const Float s = RandomSign();
        const Float v = Uniform(0.8f, 1.0f);
        const Float far = group.farRadius * f;
        AddPositionKeyAt(animator, 0.0f, p, 10.0f * Cos(a), 10.0f * Sin(a));
        AddPositionKeyAt(animator, 1.0f, p, far * Cos(a), far * Sin(a));
        AddRotationZKey(animator, 0.0f, 0.0f);
        AddRotationZKey(animator, 1.0f, s * kTwoPi);
        AddAlphaKey(animator, 0.0f, 0.0f);
        AddAlphaKey(animator, 0.2f, 1.0f);
        AddAlphaKey(animator, 0.5f, 1.0f);
        AddAlphaKey(animator, 1.0f, 0.0f);
        SetDuration(animator, 1.0f);
        SetSpeed(animator, v * group.speedFactor);
        animator->Start();
    }
    return true;
}

Bool ExplosionHandler::StartScatter(const Position& p, const ScatterGroup& group, Float delay)
{
    for (UInt32 i = 0; i < group.count; ++i) {
        const SInt32 listed = group.numberOfImages > 0 ? group.images[std::min(i, group.numberOfImages - 1)] : 0;
        ParticleAnimator* animator = Obtain(listed, group.depthBase);
        if (animator == nullptr)
            return false;
        if (group.choice == ImageChoice::kSevenOrEight)
            animator->SetImage(Below(2) == i ? 7 : 8);
        else if (group.choice == ImageChoice::kPiece)
            animator->SetImage(kPieceImages[Below(4)]);
        const Float dx = Uniform(-1.0f, 1.0f);
        const Float dy = Uniform(-1.0f, 1.0f);
        const Float k = Uniform(group.sizeMin, group.sizeMax);
        const Float start = delay;
        const Float end = delay + 1.0f;
        if (group.turn == Turn::kTwoAngles) {
            const Float first = Uniform(group.turnMin, group.turnMax);
            const Float last = Uniform(group.turnMin, group.turnMax);
            AddRotationZKey(animator, start, first);
            AddRotationZKey(animator, end, last);
        } else if (group.turn == Turn::kFromZero) {
            AddRotationZKey(animator, start, 0.0f);
            AddRotationZKey(animator, end, Uniform(group.turnMin, group.turnMax));
        }
        const Float speed =
            group.speed > 0.0f ? group.speed : 1.0f / (Uniform(group.speedMin, group.speedMax) * group.speedFactor);
        AddPositionKeyAt(animator, start, p, group.nearRadius * dx, group.nearRadius * dy);
        AddPositionKeyAt(animator, end, p, group.farRadius * dx, group.farRadius * dy);
        AddScaleKey(animator, start, group.startScale * k);
        AddScaleKey(animator, end, k);
        for (UInt32 key = 0; key < group.numberOfAlphaKeys; ++key) {
            const AlphaKey& alpha = group.alpha[key];
            AddAlphaKey(animator, alpha.afterDelay ? delay + alpha.time : alpha.time, alpha.alpha);
        }
        SetDuration(animator, group.endAfterDelay ? delay + group.endTime : group.endTime);
        SetSpeed(animator, speed);
        animator->Start();
    }
    return true;
}

void ExplosionHandler::StartFountain(const Position& p, const FountainGroup& group, UInt32 variant, Float delay)
{
    const Float sector = kTwoPi / Float(group.count);
    const Float t0 = group.afterDelay ? delay : 0.0f;
    for (UInt32 i = 0; i < group.count; ++i) {
        ParticleAnimator* animator = Obtain(group.image, group.depthBase);
        if (animator == nullptr)
            continue;
        if (group.choice == ImageChoice::kFountain)
            animator->SetImage(FountainImage(variant));
        const Float offset = group.offsetFromDelay ? Uniform(delay, sector) : Uniform(0.0f, sector);
        const Float a = Float(i) * sector + offset;
        const Float f = Uniform(group.reachMin, group.reachMax);
        const Float c = Cos(a);
        const Float s = Sin(a);
        const Float first = group.firstRadiusScaled ? group.firstRadius * f : group.firstRadius;
        AddPositionKeyAt(animator, t0, p, first * c, first * s);
        for (UInt32 k = 0; k < 4; ++k)
            AddPositionKeyAt(animator, t0 + 0.25f * Float(k + 1), p, f * kFountainOutX[k] * c,
                             f * kFountainUpY[k] * s - f * group.fall[k]);
        for (UInt32 k = 0; k < 2; ++k) {
            const Float sign = RandomSign();
            const Float ax = Uniform(0.0f, group.axisXMax);
            const Float az = Uniform(0.0f, 1.0f);
            AddRotationKey(animator, t0 + Float(k), ax, 0.0f, az, sign * (k == 0 ? group.firstAngle : group.lastAngle));
        }
        for (const AlphaKey& alpha : group.alpha)
            AddAlphaKey(animator, alpha.afterDelay ? delay + alpha.time : alpha.time, alpha.alpha);
        const Float v = Uniform(0.8f, 1.0f);
        SetDuration(animator, t0 + group.endTime);
        SetSpeed(animator, v * group.speedFactor);
        animator->Start();
    }
}

void ExplosionHandler::StartEffect01(const Position& p, Float delay)
{
    StartScatter(p, kScatter01, delay);
}

void ExplosionHandler::StartEffect02(const Position& p)
{
    StartEffect04(p);
    StartRays(p, kRays02);
}

void ExplosionHandler::StartEffect03(const Position& p)
{
    StartEffect05(p);
    StartRays(p, kRays03);
}

void ExplosionHandler::StartEffect04(const Position& p)
{
    StartScatter(p, kScatter04[0], 0.0f);
    StartScatter(p, kScatter04[1], 0.0f);
}

void ExplosionHandler::StartEffect05(const Position& p)
{
    StartScatter(p, kScatter05[0], 0.0f);
    StartScatter(p, kScatter05[1], 0.0f);
}

void ExplosionHandler::StartEffect06(const Position& p)
{
    StartRing(p, kRing06, 0);
}

void ExplosionHandler::StartEffect07(const Position& p)
{
    StartRing(p, kRing07[0], 0);
    StartRing(p, kRing07[1], 0);
}

void ExplosionHandler::StartEffect08(const Position& p)
{
    StartRing(p, kRing08, 0);
    StartEffect01(p, 0.0f);
}

void ExplosionHandler::StartEffect09(const Position& p)
{
    StartScatter(p, kScatter09[0], 0.0f);
    StartScatter(p, kScatter09[1], 0.0f);
}

void ExplosionHandler::StartEffect12(const Position& p)
{
    StartRays(p, kRays12);
}

void ExplosionHandler::StartEffect13(const Position& p)
{
    ParticleAnimator* animator = Obtain(15, 203000);
    if (animator == nullptr)
        return;
    const Float s = Uniform(0.65f, 1.35f);
    const Float w = RandomSign();
    const Float t = Uniform(0.0f, 0.5f);
    AddPositionKeyAt(animator, t, p, 0.0, 10.0f * s);
    AddPositionKeyAt(animator, t + 0.2f, p, 5.0f * s * w, 20.0f * s);
    AddPositionKeyAt(animator, t + 0.6f, p, -5.0f * s * w, 40.0f * s);
    AddPositionKeyAt(animator, t + 1.0f, p, 5.0f * s * w, 60.0f * s);
    AddAlphaKey(animator, 0.0f, 0.0f);
    AddAlphaKey(animator, t + 0.01f, 0.8f);
    AddAlphaKey(animator, t + 0.5f, 0.8f);
    AddAlphaKey(animator, t + 1.0f, 0.0f);
    SetDuration(animator, 1.5f);
    SetSpeed(animator, Uniform(0.7f, 1.3f) * 0.5f);
    animator->Start();
}

void ExplosionHandler::StartColorBurst(const Position& p, UInt32 variant)
{
    const Float sector = kTwoPi / 5.0f;
    for (UInt32 i = 0; i < 5; ++i) {
        ParticleAnimator* animator = Obtain(0, 600500);
        if (animator == nullptr)
            continue;
        animator->SetImage(BurstImage(variant));
        const Float a = Float(i) * sector + Uniform(0.0f, sector);
        const Float t = Uniform(0.0f, 0.5f);
        const Float f = Uniform(1.2f, 1.6f);
        const Float v = Uniform(0.8f, 1.0f);
        AddPositionKeyAt(animator, t, p, 10.0f * Cos(a), 10.0f * Sin(a));
        AddPositionKeyAt(animator, t + 1.0f, p, 50.0f * f * Cos(a), 50.0f * f * Sin(a));
        AddRotationZKey(animator, 0.0f, a + kPi);
        AddScaleKey(animator, 0.0f, 0.65f);
        AddScaleKey(animator, 1.0f, 0.85f);
        AddAlphaKey(animator, t, 0.0f);
        AddAlphaKey(animator, t + 0.2f, 1.0f);
        AddAlphaKey(animator, t + 0.7f, 1.0f);
        AddAlphaKey(animator, t + 1.0f, 0.0f);
        SetDuration(animator, t + 1.0f);
        SetSpeed(animator, v * 1.8181818f);
        animator->Start();
    }
}

void ExplosionHandler::StartColorFountain(const Position& p, UInt32 variant)
{
    StartFountain(p, kColorFountain, variant, 0.0f);
    StartRing(p, kFountainRing, variant);
}

void ExplosionHandler::StartEffect30(const Position& p, Float angle)
{
    const Float qx = p.x + 30.0f * Cos(angle);
    const Float qy = p.y + 30.0f * Sin(angle);
    const Position q(qx, qy, p.z, p.w);
    const Float kScale = 3.3333333f;
    for (UInt32 j = 0; j < 2; ++j) {
        const Float b = angle + kPi / 2.0f - Float(j) * kPi;
        const Float cb = Cos(b);
        const Float sb = Sin(b);
        const Float reach[4] = {60.0f, 90.0f, 105.0f, 120.0f};
        const Float times[4] = {0.0f, 0.2f, 0.5f, 1.0f};
        if (ParticleAnimator* animator = Obtain(12, 50000)) {
            for (UInt32 k = 0; k < 4; ++k)
                AddPositionKeyAt(animator, times[k], q, reach[k] * cb, reach[k] * sb);
            AddAlphaKey(animator, 0.0f, 1.0f);
            AddAlphaKey(animator, 0.2f, 1.0f);
            AddAlphaKey(animator, 0.5f, 0.0f);
            AddScaleKey(animator, 0.0f, 0.2f);
            AddScaleKey(animator, 0.5f, 0.3f);
            AddRotationZKey(animator, 0.0f, b);
            AddRotationZKey(animator, 0.5f, b);
            SetDuration(animator, 0.5f);
            SetSpeed(animator, kScale);
            animator->Start();
        }
        if (ParticleAnimator* animator = Obtain(11, 50000)) {
            for (UInt32 k = 0; k < 4; ++k)
                AddPositionKeyAt(animator, times[k], q, reach[k] * cb, reach[k] * sb);
            AddAlphaKey(animator, 0.0f, 0.0f);
            AddAlphaKey(animator, 0.2f, 0.0f);
            AddAlphaKey(animator, 0.5f, 1.0f);
            AddAlphaKey(animator, 0.6f, 1.0f);
            AddAlphaKey(animator, 1.0f, 0.0f);
            AddScaleKey(animator, 0.0f, 0.2f);
            AddScaleKey(animator, 0.5f, 0.3f);
            AddScaleKey(animator, 1.0f, 0.5f);
            const Float sign = RandomSign();
            AddRotationZKey(animator, 0.0f, 0.0f);
            AddRotationZKey(animator, 1.0f, sign * kPi * Uniform(0.5f, 1.0f));
            SetDuration(animator, 1.0f);
            SetSpeed(animator, kScale);
            animator->Start();
        }
        const Double spark = Double(b) + 0.3;
        const Double cs = Math::Cos(spark);
        const Double ss = Math::Sin(spark);
        for (UInt32 k = 0; k < 2; ++k) {
            ParticleAnimator* animator = Obtain(0, 50000);
            if (animator == nullptr)
                continue;
            const Double s = Uniform(0.9f, 1.1f);
            AddPositionKeyAt(animator, 0.0f, q, 60.0 * cs, 60.0 * ss);
            AddPositionKeyAt(animator, 0.8f, q, 100.0 * s * cs, 100.0 * s * ss);
            AddAlphaKey(animator, 0.0f, 1.0f);
            AddAlphaKey(animator, 0.4f, 1.0f);
            AddAlphaKey(animator, 0.8f, 0.0f);
            AddScaleKey(animator, 0.0f, 0.6f);
            AddScaleKey(animator, 1.0f, 0.6f);
            AddRotationZKey(animator, 0.0f, 0.0f);
            AddRotationZKey(animator, 0.8f, kTwoPi);
            SetDuration(animator, 0.8f);
            SetSpeed(animator, kScale);
            animator->Start();
        }
    }
}

void ExplosionHandler::StartEffect32(const Position& p, Float angle)
{
    const Float b = angle + kPi;
    const Float cb = Cos(b);
    const Float sb = Sin(b);
    const Float reach[4] = {30.0f, 60.0f, 75.0f, 90.0f};
    const Float times[4] = {0.0f, 0.2f, 0.5f, 1.0f};
    if (ParticleAnimator* animator = Obtain(12, 404000)) {
        for (UInt32 k = 0; k < 4; ++k)
            AddPositionKeyAt(animator, times[k], p, reach[k] * cb, reach[k] * sb);
        AddAlphaKey(animator, 0.0f, 1.0f);
        AddAlphaKey(animator, 0.2f, 1.0f);
        AddAlphaKey(animator, 0.5f, 0.0f);
        AddScaleKey(animator, 0.0f, 0.2f);
        AddScaleKey(animator, 0.5f, 0.3f);
        AddRotationZKey(animator, 0.0f, b);
        AddRotationZKey(animator, 0.5f, b);
        SetDuration(animator, 0.5f);
        SetSpeed(animator, 1.6666666f);
        animator->Start();
    }
    if (ParticleAnimator* animator = Obtain(11, 404000)) {
        for (UInt32 k = 0; k < 4; ++k)
            AddPositionKeyAt(animator, times[k], p, reach[k] * cb, reach[k] * sb);
        AddAlphaKey(animator, 0.0f, 0.0f);
        AddAlphaKey(animator, 0.2f, 0.0f);
        AddAlphaKey(animator, 0.5f, 1.0f);
        AddAlphaKey(animator, 0.6f, 1.0f);
        AddAlphaKey(animator, 1.0f, 0.0f);
        AddScaleKey(animator, 0.0f, 0.2f);
        AddScaleKey(animator, 0.5f, 0.3f);
        AddScaleKey(animator, 1.0f, 0.5f);
        const Float sign = RandomSign();
        AddRotationZKey(animator, 0.0f, 0.0f);
        AddRotationZKey(animator, 1.0f, sign * kPi * Uniform(0.5f, 1.0f));
        SetDuration(animator, 1.0f);
        SetSpeed(animator, 1.6666666f);
        animator->Start();
    }
}

void ExplosionHandler::StartEffect33(const Position& p, Float angle)
{
    ParticleAnimator* animator = Obtain(9, 404000);
    if (animator == nullptr)
        return;
    const Float b = angle + kPi;
    const Float reach[4] = {30.0f, 50.0f, 65.0f, 75.0f};
    const Float times[4] = {0.0f, 0.2f, 0.5f, 1.0f};
    for (UInt32 k = 0; k < 4; ++k)
        AddPositionKeyAt(animator, times[k], p, reach[k] * Cos(b), reach[k] * Sin(b));
    AddScaleKey(animator, 0.0f, 0.7f);
    AddScaleKey(animator, 0.5f, 0.8f);
    AddScaleKey(animator, 1.0f, 1.0f);
    AddAlphaKey(animator, 0.0f, 0.0f);
    AddAlphaKey(animator, 0.1f, 1.0f);
    AddAlphaKey(animator, 0.5f, 1.0f);
    AddAlphaKey(animator, 0.6f, 1.0f);
    AddAlphaKey(animator, 1.0f, 0.0f);
    const Float turn = Uniform(0.5f, 1.0f) * kTwoPi;
    AddRotationZKey(animator, 0.0f, 0.0f);
    AddRotationZKey(animator, 1.0f, turn * RandomSign());
    SetDuration(animator, 1.0f);
    SetSpeed(animator, 1.6666666f);
    animator->Start();
}

void ExplosionHandler::StartEffect34(const Position& p)
{
    ParticleAnimator* animator = Obtain(1, 404000);
    if (animator == nullptr)
        return;
    animator->SetImage(1 + SInt32(Below(2)));
    const Float dx = Uniform(-15.0f, 15.0f);
    const Float dy = Uniform(-15.0f, 15.0f);
    AddPositionKeyAt(animator, 0.0f, p, dx, dy);
    AddScaleKey(animator, 0.0f, 0.5f);
    AddScaleKey(animator, 1.0f, 1.0f);
    AddAlphaKey(animator, 0.0f, 0.0f);
    AddAlphaKey(animator, 0.1f, 1.0f);
    AddAlphaKey(animator, 0.5f, 1.0f);
    AddAlphaKey(animator, 0.6f, 1.0f);
    AddAlphaKey(animator, 1.0f, 0.0f);
    const Float turn = Uniform(0.5f, 1.0f) * kPi;
    AddRotationZKey(animator, 0.0f, 0.0f);
    AddRotationZKey(animator, 1.0f, turn * RandomSign());
    SetDuration(animator, 1.0f);
    SetSpeed(animator, 1.6666666f);
    animator->Start();
}

void ExplosionHandler::StartEffect35(const Position& p, Float delay)
{
    StartFountain(p, kFountain35[0], 0, delay);
    StartFountain(p, kFountain35[1], 0, delay);
}

void ExplosionHandler::StartEffect36(const Position& p)
{
    StartEffect01(p, 0.0f);
    StartRays(p, kRays36);
}

void ExplosionHandler::StartEffect37(const Position& p, Float delay)
{
    StartScatter(p, kScatter37[0], delay);
    StartScatter(p, kScatter37[1], delay);
}

void ExplosionHandler::StartEffect38(const Position& p)
{
    StartEffect01(p, 0.0f);
    const Float sector = kTwoPi / 10.0f;
    for (UInt32 i = 0; i < 10; ++i) {
        ParticleAnimator* animator = Obtain(17, 0);
        if (animator == nullptr)
            continue;
        const Float w = Uniform(0.8f, 3.0f) * 0.2f;
        const Float o = Uniform(0.0f, 0.9f);
        const Float a = Float(i) * sector + Uniform(0.0f, sector);
        for (UInt32 j = 0; j < 5; ++j) {
            const Float t = Float(j) + o;
            const Float f = Uniform(0.5f, 1.25f);
            AddPositionKeyAt(animator, t, p, 80.0f * Cos(a), 80.0f * Sin(a));
            AddPositionKeyAt(animator, t + 0.49f, p, 250.0f * f * Cos(a), 250.0f * f * Sin(a));
            AddScaleKeyXY(animator, t, 1.0f, 0.5f);
            AddScaleKeyXY(animator, t + 0.49f, f, 0.5f);
            AddAlphaKey(animator, t, 0.0f);
            AddAlphaKey(animator, t + 0.1f, 1.0f);
            AddAlphaKey(animator, t + 0.4f, 1.0f);
            AddAlphaKey(animator, t + 0.49f, 0.0f);
        }
        AddRotationZKey(animator, 0.0f, a + kPi);
        SetDuration(animator, o + 5.0f);
        SetSpeed(animator, 1.0f / w);
        animator->Start();
    }
    struct PieceLook
    {
        SInt32 image;
        SInt32 depthBase;
        Float sizeMin, sizeMax;
    };
    static const PieceLook kLooks[5] = {
        {5, 501000, 0.6f, 0.8f}, {6, 501000, 0.6f, 0.8f}, {1, 501000, 0.8f, 1.0f},
        {2, 501000, 0.8f, 1.0f}, {7, 500000, 1.0f, 1.3f},
    };
    for (UInt32 k = 0; k < 50; ++k) {
        ParticleAnimator* animator = Obtain(0, 501000);
        if (animator == nullptr)
            return;
        const PieceLook& look = kLooks[Below(5)];
        animator->SetImage(look.image);
        animator->SetDepthOrder(look.depthBase);
        const Float s = Uniform(look.sizeMin, look.sizeMax);
        const Float w = Uniform(0.3f, 0.4f);
        const Float o = Uniform(0.0f, 0.9f);
        for (UInt32 n = 0; n < 5; ++n) {
            const Float t = Float(n) + o;
            const Float dx = Uniform(-1.0f, 1.0f);
            const Float dy = Uniform(-1.0f, 1.0f);
            const Float r1 = Uniform(0.0f, kPi);
            const Float r2 = Uniform(0.0f, kPi);
            AddPositionKeyAt(animator, t, p, 80.0f * dx, 80.0f * dy);
            AddPositionKeyAt(animator, t + 0.99f, p, 100.0f * dx, 100.0f * dy);
            AddScaleKey(animator, t, 0.8f * s);
            AddScaleKey(animator, t + 0.99f, s);
            AddRotationZKey(animator, t, r1);
            AddRotationZKey(animator, t + 0.99f, r2);
            AddAlphaKey(animator, t, 0.0f);
            AddAlphaKey(animator, t + 0.3f, 1.0f);
            AddAlphaKey(animator, t + 0.7f, 1.0f);
            AddAlphaKey(animator, t + 0.99f, 0.0f);
        }
        SetDuration(animator, o + 5.0f);
        SetSpeed(animator, 1.0f / w);
        animator->Start();
    }
}

void ExplosionHandler::StartEffect39(const Position& p)
{
    for (UInt32 e = 0; e < 5; ++e) {
        const Float o = Uniform(0.0f, 1.0f);
        const Float theta = kPi / 2.0f + Uniform(-0.8f, 0.8f);
        ParticleAnimator* animator = Obtain(15, 905000);
        if (animator == nullptr)
            continue;
        const Float c = Cos(theta);
        const Float s = Sin(theta);
        for (UInt32 j = 0; j < 30; ++j) {
            const Float t = Float(j) + o;
            const Float f = Uniform(0.85f, 1.25f);
            const Float swing = 10.0f * f * RandomSign();
            AddPositionKeyAt(animator, t, p, 10.0f * c, 0.0);
            AddPositionKeyAt(animator, t + 0.2f, p, 30.0f * c + swing, 30.0f * f * s);
            AddPositionKeyAt(animator, t + 0.6f, p, 80.0f * c - swing, 80.0f * f * s);
            AddPositionKeyAt(animator, t + 1.0f, p, 130.0f * c + swing, 130.0f * f * s);
            AddAlphaKey(animator, t, 0.0f);
            AddAlphaKey(animator, t + 0.05f, 1.0f);
            AddAlphaKey(animator, t + 0.5f, 1.0f);
            AddAlphaKey(animator, t + 1.0f, 0.0f);
            AddScaleKey(animator, t, 1.0f);
            AddScaleKey(animator, t + 1.0f, 1.8f);
        }
        const Float v = Uniform(0.7f, 1.3f) * 0.25f;
        SetDuration(animator, 30.0f / v);
        SetSpeed(animator, v);
        animator->Start();
    }
}

void ExplosionHandler::StartFinishEffect(const Position&)
{
    for (UInt32 piece = 0; piece < 100; ++piece) {
        const Float v = Uniform(2.5f, 5.0f);
        const Float o = Uniform(0.0f, 1.0f);
        const Float az = Uniform(0.0f, 1.0f);
        const Float ay = Uniform(0.0f, 1.0f);
        const Float ax = Uniform(0.0f, 1.0f);
        ParticleAnimator* animator = Obtain(22, 820000);
        if (animator == nullptr)
            continue;
        animator->SetImage(22 + SInt32(Below(6)));
        const Float length = Math::Sqrt(ax * ax + ay * ay + az * az);
        // Three draws of 0 leave no axis to normalise: the piece turns in the screen plane.
        const Math::Vector<float> axis = length > 0.0f ? Math::Vector<float>(ax / length, ay / length, az / length, 0.0f)
                                                       : Math::Vector<float>(0.0f, 0.0f, 1.0f, 0.0f);
        AddAlphaKey(animator, 0.0f, 1.0f);
        const Float heights[6] = {600.0f, 360.0f, 120.0f, -120.0f, -360.0f, -600.0f};
        const Float times[6] = {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.999999f};
        for (UInt32 j = 0; j < 30; ++j) {
            const Float t = Float(j) + o;
            const Float x0 = Uniform(-600.0f, 600.0f);
            Float sway[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
            for (UInt32 k = 1; k < 5; ++k) {
                const Float sign = RandomSign();
                sway[k] = sign * Uniform(20.0f, 70.0f);
            }
            for (UInt32 k = 0; k < 6; ++k)
                AddPositionKey(animator, t + times[k], x0 + sway[k], heights[k]);
            AddRotationKey(animator, t, axis.x, axis.y, axis.z, 0.0f);
            AddRotationKey(animator, t + 0.333f, axis.x, axis.y, axis.z, RandomSign() * kTwoPi);
            AddRotationKey(animator, t + 0.666f, axis.x, axis.y, axis.z, 0.0f);
            AddRotationKey(animator, t + 0.999f, axis.x, axis.y, axis.z, RandomSign() * kTwoPi);
        }
        AddScaleKey(animator, 0.0f, 1.0f);
        AddScaleKey(animator, 31.0f, 1.0f);
        SetDuration(animator, o + 31.0f);
        SetSpeed(animator, 1.0f / v);
        animator->Start();
    }
}

} // namespace App
} // namespace Vorn
