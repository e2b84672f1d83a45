// The colour set of a surface (ambient, diffuse, specular, emissive colours and a shininess);
// game code changes it at run time.
#pragma once

#include "foundation/attributes.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IParameters
{
public:
    // Index 0 ambient, 1 diffuse, 2 specular, 3 emissive; an index of 4 or more changes nothing.
    virtual void SetColor(UInt32 index, const Color& color) = 0;
    // Colour 0 for an index of 4 or more.
    virtual const Color& GetColor(UInt32 index) const = 0;
    virtual void SetShininess(Float shininess) = 0;
    virtual Float GetShininess() const = 0;
    virtual ~IParameters() {}
};

} // namespace Graph
} // namespace Vorn
