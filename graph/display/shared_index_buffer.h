// The index buffer of four indices (0, 2, 1, 3; a triangle strip) that all planes of one class
// share. It is made by the first holder's Init and destroyed by the last holder's DeInit; the
// Suspend and Resume passes de-initialise it when the last holder suspends and initialise it
// again when the first one resumes. Each holder keeps one Holding record, so the counts stay
// right whatever order the passes come in (a DeInit straight after Suspend included).
#pragma once

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"

namespace Vorn {
namespace Graph {

class SharedIndexBuffer
{
public:
    // What one holder has taken: a share of the object, and of its initialisation.
    struct Holding
    {
        Bool mAttached = false;
        Bool mActive = false;
    };

    enum class Result
    {
        kDone,
        kCreateFailed,
        kInitFailed,
    };

    // Makes and initialises the buffer for the first holder; takes a share. Nothing is taken on
    // failure.
    Result Acquire(Display::IRenderer* renderer, Holding& holding);
    // Removes the buffer from the holder's drawable (when there is one) and gives the share back;
    // the last one de-initialises and destroys the buffer. False when the de-initialisation fails
    // (the share is kept then).
    Bool Release(Display::IRenderer* renderer, Display::IDrawable* drawable, Holding& holding);
    // Suspend and Resume: the last active holder de-initialises, the first initialises again.
    Bool Suspend(Holding& holding);
    Bool Resume(Holding& holding);

    Display::IIndexBuffer* Get() const { return mBuffer.Get(); }
    UInt32 GetNumberOfHolders() const { return mAttached; }

private:
    static const UInt16 kIndices[4];

    DisplayHandleT<Display::IIndexBuffer> mBuffer;
    UInt32 mAttached = 0;
    UInt32 mActive = 0;
};

} // namespace Graph
} // namespace Vorn
