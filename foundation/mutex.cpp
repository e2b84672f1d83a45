#include "foundation/mutex.h"

namespace Vorn {
namespace System {

Mutex::Mutex()
{
}

Mutex::~Mutex()
{
}

void Mutex::Lock()
{
    mMutex.lock();
}

void Mutex::Unlock()
{
    mMutex.unlock();
}

} // namespace System
} // namespace Vorn
