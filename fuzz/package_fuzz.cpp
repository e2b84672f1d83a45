// One package file through the collection's package creators, native and XML.
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Vorn::Fuzzing::CreateAndTouchPackage(data, size);
    return 0;
}
