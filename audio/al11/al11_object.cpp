#include "audio/al11/al11_object.h"

#include <AL/al.h>

#include "audio/al11/al11_renderer.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

namespace {

struct FormatRow
{
    Enums::SoundFormat format;
    ALenum alFormat;
    UInt32 bytesPerFrame;
};

// The first row serves every value that no other row names.
const FormatRow kFormats[] = {
    {Enums::SoundFormat::MONO_8_BIT, AL_FORMAT_MONO8, 1},
    {Enums::SoundFormat::MONO_16_BIT, AL_FORMAT_MONO16, 2},
    {Enums::SoundFormat::STEREO_8_BIT, AL_FORMAT_STEREO8, 2},
    {Enums::SoundFormat::STEREO_16_BIT, AL_FORMAT_STEREO16, 4},
};

const FormatRow& FindFormat(Enums::SoundFormat format)
{
    for (const FormatRow& row : kFormats)
        if (row.format == format)
            return row;
    return kFormats[0];
}

} // namespace

SInt32 GetAlFormat(Enums::SoundFormat format)
{
    return FindFormat(format).alFormat;
}

UInt32 GetBytesPerFrame(Enums::SoundFormat format)
{
    return FindFormat(format).bytesPerFrame;
}

Bool Object::Init()
{
    mInitialized = true;
    return true;
}

Bool Object::DeInit()
{
    if (mRenderer)
        mRenderer->RemoveObject(this);
    mInitialized = false;
    return true;
}

Bool Object::SetRenderer(Renderer* renderer)
{
    mRenderer = renderer;
    return true;
}

} // namespace Al11
} // namespace Audio
} // namespace Vorn
