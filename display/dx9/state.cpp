#include "display/dx9/state.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

State::State()
    : mMaterial(nullptr), mParameters(nullptr), mProgram(nullptr), mTextures(), mStreams(), mDrawable(nullptr),
      mModelMatrix(nullptr), mCameraPosition(0.0f, 0.0f, 0.0f, 1.0f), mLightPosition(0.0f, 0.0f, 0.0f, 1.0f),
      mFlip(false)
{
}

void State::Reset()
{
    mMaterial = nullptr;
    mParameters = nullptr;
    mProgram = nullptr;
    for (Object*& texture : mTextures)
        texture = nullptr;
    for (Object*& stream : mStreams)
        stream = nullptr;
    mDrawable = nullptr;
    mFlip = false;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
