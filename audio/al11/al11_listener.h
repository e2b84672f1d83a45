// The hearing position and orientation (class "Listener") that the renderer thread applies to
// OpenAL once per update.
#pragma once

#include "audio/al11/al11_object.h"
#include "audio/listener_base.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

class Listener : public Object, public ListenerBase
{
public:
    static const ClassInfo& GetClassInfo();
};

} // namespace Al11
} // namespace Audio
} // namespace Vorn
