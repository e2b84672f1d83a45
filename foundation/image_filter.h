// Resizing of 8-bit-per-channel pixel data (1 to 4 interleaved channels) with a separable,
// normalised filter. The box scaler halves images by averaging 2 x 2 blocks (mip levels) and
// leaves every other size to the general two-pass filter (pre-scaling surfaces).
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Util {

// A filter kernel of a given radius around 0.
class Filter {
public:
    explicit Filter(Double radius) : mRadius(radius) {}
    virtual ~Filter() {}

    virtual Double Evaluate(Double x, Double y) const = 0;
    virtual Double Evaluate(Double x) const = 0;

    Double GetRadius() const { return mRadius; }

protected:
    Double mRadius;
};

// 1 inside the radius (the edge included), 0 outside.
class BoxFilter : public Filter {
public:
    explicit BoxFilter(Double radius) : Filter(radius) {}

    Double Evaluate(Double x, Double y) const override;
    Double Evaluate(Double x) const override;
};

// Offers a fast path for some requests; ScaleImage runs the general filter for the others.
class Scaler {
public:
    Scaler() : mFilter(nullptr) {}
    explicit Scaler(const Filter* filter) : mFilter(filter) {}
    virtual ~Scaler() {}

    // Pitches are in bytes. Returns true when this scaler handled the request; the base has no
    // fast path and always returns false.
    virtual Bool Scale(const UInt8* source, UInt8* target, UInt32 sourceWidth, UInt32 sourceHeight,
                       UInt32 sourcePitch, UInt32 targetWidth, UInt32 targetHeight, UInt32 targetPitch,
                       UInt32 bytesPerPixel);

    // The filter of the general path, not owned; may be null.
    const Filter* GetFilter() const { return mFilter; }

protected:
    const Filter* mFilter;
};

// Halves by truncated 2 x 2 averages; its general path is a box filter of radius 0.5.
class BoxScaler : public Scaler {
public:
    BoxScaler();
    BoxScaler(const BoxScaler&) = delete;
    BoxScaler& operator=(const BoxScaler&) = delete;

    // Handles exactly target = source / 2 (integer division) in both directions with 1 to 4 bytes
    // per pixel; an odd last source row or column is ignored.
    Bool Scale(const UInt8* source, UInt8* target, UInt32 sourceWidth, UInt32 sourceHeight,
               UInt32 sourcePitch, UInt32 targetWidth, UInt32 targetHeight, UInt32 targetPitch,
               UInt32 bytesPerPixel) override;

private:
    BoxFilter mBoxFilter;
};

// The source indices first ... last that feed one target index; weights[k] belongs to first + k.
struct Contribution {
    Double* weights;
    SInt32 first;
    SInt32 last;
};

// One contribution per target index, each with windowSize weights. Built for one pass.
struct ContributionList {
    Contribution* items;
    UInt32 windowSize;
    UInt32 count;

    ContributionList() : items(nullptr), windowSize(0), count(0) {}
    ContributionList(const ContributionList&) = delete;
    ContributionList& operator=(const ContributionList&) = delete;
    ~ContributionList() { DeInit(); }

    // Allocates count items with zero-filled weights; false (and an empty list) when memory runs out.
    Bool Init(UInt32 count, UInt32 windowSize);
    void DeInit();
};

// Fills the list for scaling sourceSize indices to targetSize; scale = targetSize / sourceSize.
// False when either size is 0 or memory runs out.
Bool ComputeContributions(ContributionList& list, UInt32 targetSize, UInt32 sourceSize, const Filter& filter,
                          Double scale);

// The horizontal pass: every one of height rows from sourceWidth to targetWidth pixels.
Bool ScaleRows(const UInt8* source, UInt32 sourceWidth, UInt32 height, UInt32 sourcePitch, UInt8* target,
               UInt32 targetWidth, UInt32 targetPitch, UInt32 bytesPerPixel, const Filter& filter);
// The vertical pass: every one of width pixel columns from sourceHeight to targetHeight rows.
Bool ScaleColumns(const UInt8* source, UInt32 width, UInt32 sourceHeight, UInt32 sourcePitch, UInt8* target,
                  UInt32 targetHeight, UInt32 targetPitch, UInt32 bytesPerPixel, const Filter& filter);

// Resizes the source into the target (pitch targetWidth * bytesPerPixel): the scaler's fast path
// when it takes the request, else a horizontal then a vertical pass of the scaler's filter.
void ScaleImage(Scaler& scaler, const UInt8* source, UInt8* target, UInt32 sourceWidth, UInt32 sourceHeight,
                UInt32 sourcePitch, UInt32 targetWidth, UInt32 targetHeight, UInt32 bytesPerPixel);

} // namespace Util
} // namespace Vorn
