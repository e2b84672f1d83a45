// Screen projections: turn a pointer position (-1 to 1, y upwards) into a ray in a camera's
// local space. The camera fills the matrix (screen coordinates to its local space) and the depth.
// Made by the touchable handler for the graph's cameras.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Input {

class ScreenProjection : public IScreenProjection
{
public:
    ScreenProjection();
    void SetDepth(Float depth) override { mDepth = depth; }
    Float GetDepth() const override { return mDepth; }
    void SetMatrix(const Math::Matrix<float>& matrix) override { mMatrix = matrix; }
    const Math::Matrix<float>& GetMatrix() const override { return mMatrix; }

protected:
    Float mDepth;
    Math::Matrix<float> mMatrix;
};

// Rays from the eye at the origin through the point (x, y, -depth) of the screen.
class PerspectiveScreenProjection : public ScreenProjection
{
public:
    Math::Vector<float> GetRayOrigin(Float x, Float y) const override;
    Math::Vector<float> GetRayDirection(Float x, Float y) const override;
};

// Parallel rays along -z from the screen point; the depth is not used.
class OrthogonalScreenProjection : public ScreenProjection
{
public:
    Math::Vector<float> GetRayOrigin(Float x, Float y) const override;
    Math::Vector<float> GetRayDirection(Float x, Float y) const override;
};

} // namespace Input
} // namespace Vorn
