#include "core/configuration.h"

namespace Vorn {
namespace Core {

namespace {

// The four orientations in quarter turns: position n holds the orientation of n turns.
const Enums::ScreenOrientation kQuarterTurns[4] = {
    Enums::ScreenOrientation::PORTRAIT_1,
    Enums::ScreenOrientation::LANDSCAPE_1,
    Enums::ScreenOrientation::PORTRAIT_2,
    Enums::ScreenOrientation::LANDSCAPE_2,
};

// Any value that is not one of the four counts as no turn.
UInt32 CountQuarterTurns(Enums::ScreenOrientation orientation)
{
    for (UInt32 turns = 0; turns < 4; ++turns)
    {
        if (kQuarterTurns[turns] == orientation)
            return turns;
    }
    return 0;
}

Enums::ScreenOrientation FromQuarterTurns(UInt32 turns)
{
    return kQuarterTurns[turns % 4];
}

Bool IsLandscape(Enums::ScreenOrientation orientation)
{
    return orientation == Enums::ScreenOrientation::LANDSCAPE_1 ||
           orientation == Enums::ScreenOrientation::LANDSCAPE_2;
}

// The pixel format that stands for a display buffer format.
struct PixelFormatRow
{
    UInt32 bufferFormat;
    Enums::PixelFormat pixelFormat;
};

const PixelFormatRow kColorPixelFormats[] = {
    {Enums::Value(Enums::ColorBufferFormat::DEFAULT), Enums::PixelFormat::R8_G8_B8},
    {Enums::Value(Enums::ColorBufferFormat::R8_G8_B8), Enums::PixelFormat::R8_G8_B8},
    {Enums::Value(Enums::ColorBufferFormat::R5_G6_B5), Enums::PixelFormat::R5_G6_B5},
};

const PixelFormatRow kAlphaPixelFormats[] = {
    {Enums::Value(Enums::AlphaBufferFormat::DEFAULT), Enums::PixelFormat::R8_G8_B8_A8},
    {Enums::Value(Enums::AlphaBufferFormat::R8_G8_B8_A8), Enums::PixelFormat::R8_G8_B8_A8},
    {Enums::Value(Enums::AlphaBufferFormat::R5_G5_B5_A1), Enums::PixelFormat::R5_G5_B5_A1},
    {Enums::Value(Enums::AlphaBufferFormat::R4_G4_B4_A4), Enums::PixelFormat::R4_G4_B4_A4},
};

// An unlisted buffer format gives the first row's format.
template <std::size_t N>
Enums::PixelFormat FindPixelFormat(const PixelFormatRow (&rows)[N], UInt32 bufferFormat)
{
    for (const PixelFormatRow& row : rows)
    {
        if (row.bufferFormat == bufferFormat)
            return row.pixelFormat;
    }
    return rows[0].pixelFormat;
}

} // namespace

Bool IsInFamily(UInt32 configured, UInt32 tested)
{
    if ((tested & 0xFF) == 0)
        return (configured & ~UInt32(0xFF)) == tested;
    return configured == tested;
}

Bool Configuration::HasChanged(UInt32 stamp) const
{
    return mStamps.mLastChangeSeen <= mStamps.mCurrent && stamp < mStamps.mLastChangeSeen;
}

void Configuration::SetCurrentStamp(UInt32 frame)
{
    mStamps.mCurrent = frame;
    mStamps.mWrite = frame + 1;
    mStamps.mLastChangeSeen = mStamps.mNewestChange.load();
}

void Configuration::SetNativeOrientation(Enums::ScreenOrientation orientation)
{
    mNativeOrientation.Set(orientation, mStamps);
    UpdateScreenOrientation();
    UpdateAxisOrientations();
    UpdateDisplaySize();
}

void Configuration::SetDeviceOrientation(Enums::ScreenOrientation orientation)
{
    mDeviceOrientation.Set(orientation, mStamps);
    UpdateScreenOrientation();
    UpdateDisplaySize();
}

void Configuration::SetDisplaySurfaceSize(UInt32 width, UInt32 height)
{
    mDisplaySurfaceSize.Set({width, height}, mStamps);
    UpdateAxisOrientations();
    UpdateDisplaySize();
}

Enums::PixelFormat Configuration::GetDefaultPixelFormat(Bool withAlpha) const
{
    if (withAlpha)
        return FindPixelFormat(kAlphaPixelFormats, Enums::Value(mAlphaBufferFormat.Get()));
    return FindPixelFormat(kColorPixelFormats, Enums::Value(mColorBufferFormat.Get()));
}

void Configuration::UpdateScreenOrientation()
{
    const UInt32 native = CountQuarterTurns(mNativeOrientation.Get());
    const UInt32 device = CountQuarterTurns(mDeviceOrientation.Get());
    mScreenOrientation.Set(FromQuarterTurns(device + 4 - native), mStamps);
}

void Configuration::UpdateAxisOrientations()
{
    const UInt32 native = CountQuarterTurns(mNativeOrientation.Get());
    mNativeAxisOrientations.Set({FromQuarterTurns(native), FromQuarterTurns(native + 2)}, mStamps);
    mCrossAxisOrientations.Set({FromQuarterTurns(native + 1), FromQuarterTurns(native + 3)}, mStamps);
}

void Configuration::UpdateDisplaySize()
{
    const Size& surface = mDisplaySurfaceSize.Get();
    if (IsLandscape(mScreenOrientation.Get()))
        mDisplaySize.Set({surface.mSecond, surface.mFirst}, mStamps);
    else
        mDisplaySize.Set(surface, mStamps);
}

} // namespace Core
} // namespace Vorn
