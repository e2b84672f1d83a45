// The surface of a PNG image: decodes the file on its first lock into every level, scaled and
// converted to the surface's format, and frees the pixels on its last unlock.
#pragma once

#include "resource/display_surface.h"

namespace Vorn {
namespace Resource {

class PngDisplaySurface : public DecodingDisplaySurface
{
public:
    PngDisplaySurface(const IImage* image, const void* data, UInt32 size, Enums::PixelFormat pixelFormat,
                      UInt32 width, UInt32 height, Bool withMipMaps);
    ~PngDisplaySurface() override;

    // The file's own pixels, with the matte applied when a colour and a threshold are set.
    Bool DecodeBaseLevel(UInt8* destination) override;
    // After decoding, every pixel whose alpha is below the threshold takes the colour's red,
    // green and blue and alpha 0, so that transparent pixels filter towards a chosen colour.
    void SetMatte(const Float color[4], UInt32 threshold);

    UInt32 GetMatteColor() const { return mMatteColor; }
    UInt32 GetMatteThreshold() const { return mMatteThreshold; }

protected:
    DecodingDisplaySurface* CreateClone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                        Bool withMipMaps) const override;
    const char* GetClassName() const override;

private:
    UInt32 mMatteColor; // red in the low byte; 0 for none
    UInt32 mMatteThreshold;
};

} // namespace Resource
} // namespace Vorn
