// Shared by the libFuzzer targets of the file readers: each hands its bytes to the engine's own
// entry point for them and touches what comes back, so that a reader which accepts a file it
// cannot really serve shows up under the sanitizers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Vorn {
namespace Fuzzing {

// The object creators of a package in the engine's order of trial (native forms, images, sounds,
// XML forms); the object made is read through its interfaces: every key, rectangle, glyph,
// vertex and index read, an image's surface locked, a sound decoded to its end, a graph built
// into live nodes, and its native form written.
void CreateAndTouchObject(const std::uint8_t* data, std::size_t size);

// The collection's package creators (native, then XML); every instance and object of the package
// made is touched as above.
void CreateAndTouchPackage(const std::uint8_t* data, std::size_t size);

} // namespace Fuzzing
} // namespace Vorn
