// Visibility test of bounding spheres against a view's cone. Each view embeds a FrustumCuller,
// fills it from its camera before the cull pass and pushes it on the cull state; renderables
// ask the current culler whether their bounds can be seen.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Graph {

// True when the sphere (centre in camera space, looking along -z; radius) lies at least partly
// inside the cone of a camera's projection angles (angle, sine, cosine, tangent).
Bool IsInViewCone(const Math::Vector<float>& centre, Float radius, const Float* angles);

class ICuller
{
public:
    // The camera's world position.
    virtual void SetVector(const Math::Vector<float>& vector) = 0;
    // World to view; copied.
    virtual void SetViewMatrix(const Math::Matrix<float>& matrix) = 0;
    // The camera's four projection angles (angle, sine, cosine, tangent); kept by pointer, the
    // camera owns them.
    virtual void SetParameters(const Float* parameters) = 0;
    // The camera's six frustum planes; kept by pointer.
    virtual void SetValue(const Math::Vector<float>* planes) = 0;
    virtual const Math::Vector<float>& GetVector() const = 0;
    virtual const Math::Matrix<float>& GetViewMatrix() const = 0;
    virtual const Float* GetParameters() const = 0;
    virtual const Math::Vector<float>* GetValue() const = 0;
    // True when the sphere (centre in object space, radius), placed by the world matrix and
    // scaled by the largest of the scale factor's x, y and z, lies outside the cone.
    virtual Bool IsCulled(const Math::Vector<float>& centre, Float radius, const Math::Matrix<float>& world,
                          const Math::Vector<float>& scale) const = 0;
    virtual ~ICuller() {}
};

class FrustumCuller : public ICuller
{
public:
    FrustumCuller();
    ~FrustumCuller() override;

    void SetVector(const Math::Vector<float>& vector) override;
    void SetViewMatrix(const Math::Matrix<float>& matrix) override;
    void SetParameters(const Float* parameters) override;
    void SetValue(const Math::Vector<float>* planes) override;
    const Math::Vector<float>& GetVector() const override;
    const Math::Matrix<float>& GetViewMatrix() const override;
    const Float* GetParameters() const override;
    const Math::Vector<float>* GetValue() const override;
    // Without parameters nothing is culled.
    Bool IsCulled(const Math::Vector<float>& centre, Float radius, const Math::Matrix<float>& world,
                  const Math::Vector<float>& scale) const override;

private:
    Math::Vector<float> mVector;
    Math::Matrix<float> mViewMatrix;
    const Float* mParameters;
    const Math::Vector<float>* mValue;
};

} // namespace Graph
} // namespace Vorn
