// Node interfaces that animation evaluators write into and whose node classes are not built yet:
// the colour set of parameters and light nodes, and the volume of audio sequences. The node
// classes implement them in full; the evaluators need only these operations.
#pragma once

#include "foundation/attributes.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IColored
{
public:
    // Index 0 ambient, 1 diffuse, 2 specular, 3 emissive; an index of 4 or more changes nothing.
    virtual void SetColor(UInt32 index, const Color& color) = 0;
    // Colour 0 for an index of 4 or more.
    virtual const Color& GetColor(UInt32 index) const = 0;
    virtual ~IColored() {}
};

class IPlayable
{
public:
    // Takes effect at the next hand-over to the audio renderer.
    virtual void SetVolume(Float volume) = 0;
    virtual Float GetVolume() const = 0;
    virtual ~IPlayable() {}
};

} // namespace Graph
} // namespace Vorn
