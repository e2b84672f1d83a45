// One resource file through the engine's chain of object creators; built once per reader, each
// with its own seeds (see CMakeLists.txt).
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Vorn::Fuzzing::CreateAndTouchObject(data, size);
    return 0;
}
