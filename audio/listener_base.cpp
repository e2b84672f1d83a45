#include "audio/listener_base.h"

#include "graph/view/camera.h"

namespace Vorn {
namespace Audio {

void ListenerBase::SetTransform(const Math::Matrix<float>& transform)
{
    mTransform = transform;
    Graph::ComputeRigidInverse(transform, mInverseTransform);
}

} // namespace Audio
} // namespace Vorn
