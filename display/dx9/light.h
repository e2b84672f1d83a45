// Display::Dx9::Light ("Light"): the colours and projection of one light source, read by the
// renderer's light set-up. Holds no device resources.
#pragma once

#include "display/dx9/object.h"
#include "foundation/matrix.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class Light : public Object, public ILight
{
public:
    explicit Light(Renderer* renderer);

    void SetProjectionMatrix(const Math::Matrix<float>& matrix) override { mProjection = matrix; }
    const Math::Matrix<float>& GetProjectionMatrix() const override { return mProjection; }
    // Index 0 ambient, 1 diffuse, 2 specular, 3 emissive; others are refused with a line.
    void SetColor(UInt32 index, const Float* color) override;
    // Colour 0 for an index out of range.
    const Float* GetColor(UInt32 index) const override;

    static const ClassInfo& GetClassInfo();

private:
    Float mColors[4][4];
    Math::Matrix<float> mProjection;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
