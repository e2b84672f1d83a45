#include "audio/al11/al11_listener.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

namespace {

IObject* MakeListener()
{
    return new Listener();
}

} // namespace

const ClassInfo& Listener::GetClassInfo()
{
    static const ClassInfo info{String("Listener"), &MakeListener};
    return info;
}

} // namespace Al11
} // namespace Audio
} // namespace Vorn
