// Sample formats of sounds and audio streams, and the converters between them: PCM to PCM for
// raw streams, and the decoder's float samples to PCM for Vorbis streams. 8-bit PCM is unsigned,
// 16-bit PCM signed little-endian; stereo frames are left then right.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {
namespace Resource {

// True for MONO_8_BIT, MONO_16_BIT, STEREO_8_BIT and STEREO_16_BIT.
Bool IsValidSoundFormat(UInt32 format);
// Bytes of one frame (one sample of every channel): 1, 2, 2, 4; 0 for an invalid format.
UInt32 GetBytesPerFrame(UInt32 format);
// 1 or 2; 0 for an invalid format.
UInt32 GetNumberOfChannels(UInt32 format);

// Converts count frames of PCM in the source format into the target format. False, writing
// nothing, for an invalid format.
Bool ConvertSamples(UInt32 sourceFormat, UInt32 targetFormat, const void* source, void* target, UInt32 count);

// Converts count frames of decoded samples (one float array per channel, nominally -1 to 1) into
// PCM of the target format. False, writing nothing, for a channel count other than 1 and 2 or an
// invalid format.
Bool ConvertFloatSamples(UInt32 channels, UInt32 targetFormat, const float* const* source, void* target,
                         UInt32 count);

// One decoded sample as PCM: trunc(x * 32767 + 0.5) and trunc(x * 127 + 128.5), clamped to the
// format's range; a NaN gives silence.
SInt16 FloatToSample16(float x);
UInt8 FloatToSample8(float x);

} // namespace Resource
} // namespace Vorn
