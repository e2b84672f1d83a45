#include "foundation/image_filter.h"

#include "foundation/debug.h"

#include <cmath>
#include <memory>
#include <new>

namespace Vorn {
namespace Util {
namespace {

// The weighted sum truncated toward zero. Normalised non-negative weights keep it within 0-255;
// a kernel with negative lobes could leave that range, and is clamped.
UInt8 ToChannelByte(Double sum)
{
    if (!(sum > 0.0))
        return 0;
    if (sum >= 256.0)
        return 255;
    return UInt8(sum);
}

// One pass over lines of pixels: line l of the target, element k (a pixel of a row, or a row of a
// column) is the weighted sum of the source elements of line l that the list names for k.
// Line and element strides are in bytes.
void ApplyContributions(const ContributionList& list, const UInt8* source, UInt8* target, UInt32 lines,
                        std::size_t sourceLineStride, std::size_t sourceElementStride,
                        std::size_t targetLineStride, std::size_t targetElementStride, UInt32 bytesPerPixel)
{
    for (UInt32 line = 0; line < lines; ++line) {
        const UInt8* sourceLine = source + line * sourceLineStride;
        UInt8* targetLine = target + line * targetLineStride;
        for (UInt32 k = 0; k < list.count; ++k) {
            const Contribution& item = list.items[k];
            for (UInt32 channel = 0; channel < bytesPerPixel; ++channel) {
                Double sum = 0.0;
                for (SInt32 j = item.first; j <= item.last; ++j)
                    sum += Double(sourceLine[std::size_t(j) * sourceElementStride + channel]) * item.weights[j - item.first];
                targetLine[k * targetElementStride + channel] = ToChannelByte(sum);
            }
        }
    }
}

} // namespace

Double BoxFilter::Evaluate(Double x, Double y) const
{
    return (mRadius >= std::fabs(x) && mRadius >= std::fabs(y)) ? 1.0 : 0.0;
}

Double BoxFilter::Evaluate(Double x) const
{
    return mRadius >= std::fabs(x) ? 1.0 : 0.0;
}

Bool Scaler::Scale(const UInt8*, UInt8*, UInt32, UInt32, UInt32, UInt32, UInt32, UInt32, UInt32)
{
    return false;
}

BoxScaler::BoxScaler() : mBoxFilter(0.5)
{
    mFilter = &mBoxFilter;
}

Bool BoxScaler::Scale(const UInt8* source, UInt8* target, UInt32 sourceWidth, UInt32 sourceHeight,
                      UInt32 sourcePitch, UInt32 targetWidth, UInt32 targetHeight, UInt32 targetPitch,
                      UInt32 bytesPerPixel)
{
    if (targetWidth != sourceWidth / 2 || targetHeight != sourceHeight / 2 || bytesPerPixel < 1 || bytesPerPixel > 4)
        return false;

    for (UInt32 y = 0; y < targetHeight; ++y) {
        const UInt8* upper = source + std::size_t(2 * y) * sourcePitch;
        const UInt8* lower = upper + sourcePitch;
        UInt8* out = target + std::size_t(y) * targetPitch;
        for (UInt32 x = 0; x < targetWidth; ++x) {
            const std::size_t left = std::size_t(2 * x) * bytesPerPixel;
            const std::size_t right = left + bytesPerPixel;
            for (UInt32 c = 0; c < bytesPerPixel; ++c) {
                const UInt32 sum = UInt32(upper[left + c]) + upper[right + c] + lower[left + c] + lower[right + c];
                out[std::size_t(x) * bytesPerPixel + c] = UInt8(sum >> 2);
            }
        }
    }
    return true;
}

Bool ContributionList::Init(UInt32 newCount, UInt32 newWindowSize)
{
    DeInit();
    items = new (std::nothrow) Contribution[newCount];
    if (items == nullptr)
        return false;
    count = newCount;
    windowSize = newWindowSize;
    for (UInt32 i = 0; i < count; ++i)
        items[i] = Contribution{nullptr, 0, -1};
    for (UInt32 i = 0; i < count; ++i) {
        items[i].weights = new (std::nothrow) Double[windowSize]();
        if (items[i].weights == nullptr) {
            DeInit();
            return false;
        }
    }
    return true;
}

void ContributionList::DeInit()
{
    for (UInt32 i = 0; i < count; ++i)
        delete[] items[i].weights;
    delete[] items;
    items = nullptr;
    windowSize = 0;
    count = 0;
}

Bool ComputeContributions(ContributionList& list, UInt32 targetSize, UInt32 sourceSize, const Filter& filter,
                          Double scale)
{
    list.DeInit();
    if (targetSize == 0 || sourceSize == 0 || !(scale > 0.0))
        return false;

    const Double radius = filter.GetRadius();
    Double width = radius;
    Double filterScale = 1.0;
    if (scale < 1.0) {
        width = radius / scale;
        filterScale = scale;
    }
    // A window wider than any image is a broken filter.
    if (!(width >= 0.0) || width > 1e9) {
        Debug::Trace("Util::ComputeContributions(): Filter window of %g pixels is out of range", width);
        return false;
    }
    const UInt32 windowSize = 2 * UInt32(std::ceil(width)) + 1;
    if (!list.Init(targetSize, windowSize)) {
        Debug::Trace("Util::ComputeContributions(): Out of memory for %u x %u weights", targetSize, windowSize);
        return false;
    }

    const SInt64 lastSource = SInt64(sourceSize) - 1;
    for (UInt32 i = 0; i < targetSize; ++i) {
        const Double center = Double(i) / scale;
        SInt64 left = SInt64(std::floor(center - width));
        if (left < 0)
            left = 0;
        SInt64 right = SInt64(std::ceil(center + width));
        if (right > lastSource)
            right = lastSource;
        while (right - left + 1 > SInt64(windowSize)) {
            if (left < SInt64(sourceSize))
                ++left;
            else
                --right;
        }

        Contribution& item = list.items[i];
        item.first = SInt32(left);
        item.last = SInt32(right < left ? left - 1 : right);
        Double sum = 0.0;
        for (SInt64 j = left; j <= right; ++j) {
            const Double weight = filter.Evaluate((center - Double(j)) * filterScale) * filterScale;
            item.weights[j - left] = weight;
            sum += weight;
        }
        if (sum > 0.0) {
            for (SInt64 j = left; j <= right; ++j)
                item.weights[j - left] /= sum;
        }
    }
    return true;
}

Bool ScaleRows(const UInt8* source, UInt32 sourceWidth, UInt32 height, UInt32 sourcePitch, UInt8* target,
               UInt32 targetWidth, UInt32 targetPitch, UInt32 bytesPerPixel, const Filter& filter)
{
    ContributionList list;
    if (!ComputeContributions(list, targetWidth, sourceWidth, filter, Double(targetWidth) / Double(sourceWidth)))
        return false;
    ApplyContributions(list, source, target, height, sourcePitch, bytesPerPixel, targetPitch, bytesPerPixel,
                       bytesPerPixel);
    return true;
}

Bool ScaleColumns(const UInt8* source, UInt32 width, UInt32 sourceHeight, UInt32 sourcePitch, UInt8* target,
                  UInt32 targetHeight, UInt32 targetPitch, UInt32 bytesPerPixel, const Filter& filter)
{
    ContributionList list;
    if (!ComputeContributions(list, targetHeight, sourceHeight, filter, Double(targetHeight) / Double(sourceHeight)))
        return false;
    // A pixel column is a line whose elements are rows.
    ApplyContributions(list, source, target, width, bytesPerPixel, sourcePitch, bytesPerPixel, targetPitch,
                       bytesPerPixel);
    return true;
}

void ScaleImage(Scaler& scaler, const UInt8* source, UInt8* target, UInt32 sourceWidth, UInt32 sourceHeight,
                UInt32 sourcePitch, UInt32 targetWidth, UInt32 targetHeight, UInt32 bytesPerPixel)
{
    const UInt32 targetPitch = targetWidth * bytesPerPixel;
    if (scaler.Scale(source, target, sourceWidth, sourceHeight, sourcePitch, targetWidth, targetHeight, targetPitch,
                     bytesPerPixel))
        return;

    if (targetWidth == 0 || targetHeight == 0 || bytesPerPixel == 0)
        return;
    const Filter* filter = scaler.GetFilter();
    if (filter == nullptr) {
        Debug::Trace("Util::ScaleImage(): Scaler has no filter for %ux%u to %ux%u", sourceWidth, sourceHeight,
                     targetWidth, targetHeight);
        return;
    }
    if (sourceWidth == 0 || sourceHeight == 0) {
        Debug::Trace("Util::ScaleImage(): Cannot scale an empty image to %ux%u", targetWidth, targetHeight);
        return;
    }

    // Target width by source height, between the two passes.
    const std::size_t temporarySize = std::size_t(targetPitch) * sourceHeight;
    std::unique_ptr<UInt8[]> temporary(new (std::nothrow) UInt8[temporarySize]);
    if (!temporary) {
        Debug::Trace("Util::ScaleImage(): Out of memory for a %ux%u intermediate image", targetWidth, sourceHeight);
        return;
    }
    if (!ScaleRows(source, sourceWidth, sourceHeight, sourcePitch, temporary.get(), targetWidth, targetPitch,
                   bytesPerPixel, *filter))
        return;
    ScaleColumns(temporary.get(), targetWidth, sourceHeight, targetPitch, target, targetHeight, targetPitch,
                 bytesPerPixel, *filter);
}

} // namespace Util
} // namespace Vorn
