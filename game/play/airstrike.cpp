// The airstrike's part of the player processor: a salvo of sixteen rockets from the launcher in
// all directions, one every 0.05 s, each tinted by a colour wheel.
#include "foundation/math.h"
#include "game/play/play_field.h"
#include "game/play/player_processor.h"
#include "game/sound_container.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kSoundAirstrike = 58;
constexpr Float kRunningTail = -0.1f;

Float Wrap(Float angle)
{
    return Math::WrapAngle(angle);
}

} // namespace

Float PlayerProcessor::GetRocketAngle(UInt32 n, Float base)
{
    // The first eight rockets take the even sixteenths of a turn, the last eight the odd ones.
    UInt32 f = 2 * n + 1;
    if (f > RocketsPerSalvo)
        f = 2 * n;
    return Wrap(Float(f) / Float(RocketsPerSalvo) * Float(Math::TwoPi) - Float(Math::Pi) / 2.0f + base);
}

Math::Vector<Float> PlayerProcessor::GetRocketColour(UInt32 n, Float base)
{
    const Float h = Wrap(Float(n) / Float(RocketsPerSalvo) * Float(Math::TwoPi) + 1.0f + base);
    const Float w = Float(Math::TwoPi) / 6.0f;
    Float red = h < 2.0f * w ? (2.0f * w - h) / w : (h > 4.0f * w ? (h - 4.0f * w) / w : 0.0f);
    Float green = h < 2.0f * w ? h / w : (h < 4.0f * w ? (4.0f * w - h) / w : 0.0f);
    const Float blue = h > 2.0f * w && h <= 4.0f * w ? (h - 2.0f * w) / w : (h > 4.0f * w ? (6.0f * w - h) / w : 0.0f);
    red = red < 0.2f ? 0.2f : red;
    green = green < 0.2f ? 0.2f : green;
    return Math::Vector<Float>(red, green, blue, 1.0f);
}

Bool PlayerProcessor::IsAirstrikeRunning() const
{
    return mRocketsLeft > 0 || mRocketTimer >= kRunningTail;
}

Bool PlayerProcessor::StartAirstrike()
{
    if (mRocketsLeft != 0)
        return false;
    mRocketTimer = 0.0f;
    mRocketsLeft = RocketsPerSalvo;
    mRocketAngle = mRng.RandReal(0.0f, Float(Math::TwoPi));
    if (SoundContainer* sounds = mPlayfield->GetSoundContainer())
        sounds->Play(kSoundAirstrike);
    return true;
}

void PlayerProcessor::StepAirstrike(Float dt)
{
    if (!IsAirstrikeRunning())
        return;
    mRocketTimer -= dt;
    if (mRocketTimer > 0.0f || mRocketsLeft == 0)
        return;
    const UInt32 n = --mRocketsLeft;
    if (n > 0)
        mRocketTimer = RocketInterval;
    FireRocket(n);
}

} // namespace App
} // namespace Vorn
