// A display surface in memory for renderer tests: levels of tightly packed pixels in one format,
// counted locks, and counted clones (same format, or R8_G8_B8 to R8_G8_B8_A8), so that a test
// sees whether a texture left a surface locked or a copy alive.
#pragma once

#include <memory>
#include <vector>

#include "foundation/format_size.h"
#include "resource/display_surface.h"

namespace Vorn {
namespace Testing {

class FakeDisplaySurface : public IDisplaySurface
{
public:
    // Shared by a surface and its clones.
    struct Counts
    {
        int locks = 0;       // locks not yet balanced, over all surfaces
        int liveClones = 0;  // clones not yet deleted
        int clonesMade = 0;
    };

    // Level 0 holds pixels; each further level halves the size (at least 1).
    FakeDisplaySurface(Enums::PixelFormat format, UInt32 width, UInt32 height, const std::vector<UInt8>& pixels,
                       UInt32 levels = 1)
        : mCounts(std::make_shared<Counts>()), mFormat(format)
    {
        for (UInt32 i = 0; i < levels; ++i) {
            Level level{width, height, std::vector<UInt8>(width * height * Util::GetBytesPerPixel(format))};
            if (i == 0)
                level.pixels = pixels;
            mLevels.push_back(level);
            width = width > 1 ? width / 2 : 1;
            height = height > 1 ? height / 2 : 1;
        }
    }
    ~FakeDisplaySurface() override
    {
        if (mIsClone)
            --mCounts->liveClones;
    }

    IDisplaySurface* Clone(Enums::PixelFormat format, UInt32, UInt32) const override { return Clone(format); }
    IDisplaySurface* Clone(Enums::PixelFormat format) const override
    {
        if (mRefuseClones || (format != mFormat && !(mFormat == Enums::PixelFormat::R8_G8_B8 &&
                                                     format == Enums::PixelFormat::R8_G8_B8_A8)))
            return nullptr;
        FakeDisplaySurface* clone = new FakeDisplaySurface(*this);
        clone->mFormat = format;
        clone->mIsClone = true;
        clone->mLocks = 0;
        if (format != mFormat) {
            for (Level& level : clone->mLevels) {
                std::vector<UInt8> rgba;
                for (size_t i = 0; i + 2 < level.pixels.size(); i += 3)
                    rgba.insert(rgba.end(), {level.pixels[i], level.pixels[i + 1], level.pixels[i + 2], 0xFF});
                level.pixels = rgba;
            }
        }
        ++mCounts->liveClones;
        ++mCounts->clonesMade;
        return clone;
    }
    IDisplaySurface* Clone() const override { return Clone(mFormat); }

    UInt32 GetWidth(UInt32 level) const override { return level < mLevels.size() ? mLevels[level].width : 0; }
    UInt32 GetHeight(UInt32 level) const override { return level < mLevels.size() ? mLevels[level].height : 0; }
    UInt32 GetPitch(UInt32 level) const override { return GetWidth(level) * GetBytesPerPixel(); }
    UInt32 GetSize(UInt32 level) const override { return GetPitch(level) * GetHeight(level); }
    UInt32 GetNumberOfFaces() const override { return 1; }
    UInt32 GetNumberOfMipLevels() const override { return UInt32(mLevels.size()); }
    UInt32 GetBytesPerPixel() const override { return Util::GetBytesPerPixel(mFormat); }
    Enums::PixelFormat GetPixelFormat() const override { return mFormat; }
    Bool IsLevelModified(UInt32) const override { return false; }
    Bool IsModified() const override { return false; }
    const void* GetPixelsAt(UInt32, UInt32, UInt32, UInt32*) const override { return nullptr; }
    Bool Lock(UInt32 index) override
    {
        if (index != 0 || mFailLocks)
            return false;
        ++mLocks;
        ++mCounts->locks;
        return true;
    }
    Bool Unlock() override
    {
        if (mLocks == 0)
            return false;
        --mLocks;
        --mCounts->locks;
        return true;
    }
    const void* GetPixels(UInt32 level) const override
    {
        return level < mLevels.size() ? mLevels[level].pixels.data() : nullptr;
    }
    void* GetPixels(UInt32 level) override { return level < mLevels.size() ? mLevels[level].pixels.data() : nullptr; }
    Bool IsLevelAvailable(UInt32 level) const override { return level < mLevels.size(); }

    const Counts& GetCounts() const { return *mCounts; }

    Bool mFailLocks = false;
    Bool mRefuseClones = false;

private:
    struct Level
    {
        UInt32 width;
        UInt32 height;
        std::vector<UInt8> pixels;
    };
    FakeDisplaySurface(const FakeDisplaySurface&) = default;

    std::shared_ptr<Counts> mCounts;
    Enums::PixelFormat mFormat;
    std::vector<Level> mLevels;
    Bool mIsClone = false;
    int mLocks = 0;
};

} // namespace Testing
} // namespace Vorn
