// What the renderer has set on the device while it draws one view: current material, parameters,
// program, textures per unit, vertex buffer and drawable, the camera and light matrices and the
// flip flag, so that objects skip device calls that would change nothing.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class Object;

class State
{
public:
    static constexpr UInt32 kNumberOfTextureUnits = 8;
    static constexpr UInt32 kNumberOfStreams = 2;

    State();
    virtual ~State() {}

    // A new view: clears the current objects and the flip flag; the matrices stay.
    void Reset();

    Object* mMaterial;
    Object* mParameters;
    Object* mProgram;
    Object* mTextures[kNumberOfTextureUnits];
    // Entry 0 is the current vertex buffer.
    Object* mStreams[kNumberOfStreams];
    Object* mDrawable;
    // The world transform of the instance being drawn.
    const Math::Matrix<float>* mModelMatrix;
    Math::Matrix<float> mCameraView;
    Math::Matrix<float> mCameraProjection;
    Math::Matrix<float> mCameraViewProjection;
    Math::Vector<float> mCameraPosition;
    Math::Matrix<float> mLightView;
    Math::Matrix<float> mLightProjection;
    Math::Matrix<float> mLightViewProjection;
    Math::Vector<float> mLightPosition;
    // Set while drawing into a frame buffer, whose y axis is mirrored.
    Bool mFlip;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
