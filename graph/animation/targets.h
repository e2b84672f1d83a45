// Node interfaces that animation evaluators write into: the colour set of parameters and light
// nodes, and the volume of audio sequences (Graph::IPlayable, with the audio nodes).
#pragma once

#include "foundation/attributes.h"
#include "foundation/types.h"
#include "graph/audio/playable.h"

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

} // namespace Graph
} // namespace Vorn
