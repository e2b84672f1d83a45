// The base of the OpenAL back-end's objects (buffers, playables, listeners): the renderer that
// made them and their initialised flag, and the table of sample formats they upload in.
#pragma once

#include "audio/renderer.h"
#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

class Renderer;

class Object : public IObject
{
public:
    Bool Init() override;
    // Has the renderer thread forget the object.
    Bool DeInit() override;
    virtual Bool SetRenderer(Renderer* renderer);
    virtual Bool Update() { return true; }

    Bool IsInitialized() const { return mInitialized; }

protected:
    Renderer* mRenderer = nullptr;
    Bool mInitialized = false;
};

// The OpenAL format of a sample format (MONO8 for any value but 2 to 4) and the bytes of one
// sample frame in it.
SInt32 GetAlFormat(Enums::SoundFormat format);
UInt32 GetBytesPerFrame(Enums::SoundFormat format);

} // namespace Al11
} // namespace Audio
} // namespace Vorn
