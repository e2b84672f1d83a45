// The part of the ground plane a camera looks at, as the terrain nodes cull by it: the camera's
// position, its viewing direction flattened onto the ground, and the two side normals that bound
// a wedge reaching 60 degrees to either side of that direction.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Graph {

struct ViewWedge
{
    // From the camera's world transform: its translation, and minus its third axis. A camera
    // looking straight up or down has no ground direction (all zero) and culls nothing.
    void Set(const Math::Matrix<float>& camera);

    // True when the ground square of half side half around (x, z) lies wholly behind the camera,
    // wholly farther than range along the ground direction, or wholly outside one side of the
    // wedge.
    Bool IsOutside(Float x, Float z, Float half, Float range) const;

    // Camera position (x, y, z, 1).
    Math::Vector<float> mPosition{0.0f, 0.0f, 0.0f, 1.0f};
    // Viewing direction, normalised.
    Math::Vector<float> mDirection;
    // Viewing direction with y = 0, normalised.
    Math::Vector<float> mGround;
    // mGround turned about the vertical axis by +150 and by -150 degrees.
    Math::Vector<float> mSide1;
    Math::Vector<float> mSide2;
};

} // namespace Graph
} // namespace Vorn
