#include "game/play/ellipse.h"

#include "foundation/math.h"
#include "game/play/animal.h"

#include <cmath>

namespace Vorn {
namespace App {

namespace {

constexpr SInt32 MaxSearchSteps = 30;
constexpr SInt32 ArcChords = 10;

// The polar angle of a point in [0, 2 pi): the arc cosine, mirrored below the x axis.
Float PolarAngle(Float x, Float y)
{
    const Double length = std::sqrt(Double(x) * x + Double(y) * y);
    Double angle = length > 0.0 ? std::acos(Double(x) / length) : 0.0;
    if (y < 0.0f)
        angle = Math::TwoPi - angle;
    return Float(Math::WrapAngle(angle));
}

} // namespace

void Ellipsis::GetPoint(Float t, Float& x, Float& y) const
{
    const Double cosT = Math::Cos(t);
    const Double sinT = Math::Sin(t);
    const Double cosR = Math::Cos(mRotation);
    const Double sinR = Math::Sin(mRotation);
    x = Float(mCentre.x + mRadiusA * cosT * cosR - mRadiusB * sinT * sinR);
    y = Float(mCentre.y + mRadiusA * cosT * sinR + mRadiusB * sinT * cosR);
}

void Ellipsis::PlaceOnEllipse(Animal& animal) const
{
    GetPoint(Float(animal.mPathPosition), animal.mPosition.x, animal.mPosition.y);
    animal.UpdateTransform();
}

Double Ellipsis::FindParameterAtDistance(Float distance, Bool forward, Double start) const
{
    const Float wanted = distance * distance;
    const Float tolerance = distance > 1.0f ? 0.05f : distance > 0.1f ? 0.005f : 0.0005f;
    Double nearBound = start;
    Double farBound = forward ? start + Math::Pi : start - Math::Pi;
    Double t = forward ? start + Math::Pi / 8.0 : start - Math::Pi / 8.0;
    const Float startX = Float(mRadiusA * std::cos(start));
    const Float startY = Float(mRadiusB * std::sin(start));
    for (SInt32 step = 0; step < MaxSearchSteps; ++step) {
        const Float dx = Float(startX - mRadiusA * std::cos(t));
        const Float dy = Float(startY - mRadiusB * std::sin(t));
        const Float found = dx * dx + dy * dy;
        if (std::fabs(wanted - found) < tolerance)
            return t;
        if (found > wanted)
            farBound = t;
        else
            nearBound = t;
        t = nearBound + (farBound - nearBound) * 0.5;
    }
    return t;
}

Float Ellipsis::GetArcLength(Float t0, Float t1) const
{
    const Float delta = t1 - t0;
    Float length = 0.0f;
    Float lastX = mRadiusA * Math::Cos(t0);
    Float lastY = mRadiusB * Math::Sin(t0);
    for (SInt32 i = 1; i <= ArcChords; ++i) {
        const Float t = t0 + Float(i) * delta / Float(ArcChords);
        const Float x = mRadiusA * Math::Cos(t);
        const Float y = mRadiusB * Math::Sin(t);
        const Float dx = x - lastX;
        const Float dy = y - lastY;
        length += Float(std::sqrt(Double(dx * dx + dy * dy)));
        lastX = x;
        lastY = y;
    }
    return length;
}

void Ellipsis::SetParameter(Animal& animal, Double t) const
{
    if (t != animal.mPathPosition || std::isnan(t) || std::isnan(animal.mPathPosition)) {
        animal.mPathPosition = t;
        animal.mDirty = true;
    }
    const Float x = Float(mRadiusA * std::cos(t));
    const Float y = Float(mRadiusB * std::sin(t));
    animal.SetHeading(PolarAngle(x, y));
}

void Ellipsis::MoveBy(Animal& animal, Float distance) const
{
    Double t = animal.mPathPosition;
    if (distance > 0.0f)
        t = FindParameterAtDistance(distance, true, t);
    else if (distance < 0.0f)
        t = FindParameterAtDistance(-distance, false, t);
    SetParameter(animal, t);
}

void Ellipsis::PlaceBehind(const Animal& reference, Animal& animal, Bool forward) const
{
    SetParameter(animal, FindParameterAtDistance(reference.mRadius + animal.mRadius, forward, reference.mPathPosition));
}

Float Ellipsis::GetEllipseValue(const Math::Vector<Float>& point) const
{
    const Math::Vector<Float> relative = point - mCentre;
    const Float cosR = Float(std::cos(Double(-mRotation)));
    const Float sinR = Float(std::sin(Double(-mRotation)));
    const Float x = relative.x * cosR - relative.y * sinR;
    const Float y = relative.x * sinR + relative.y * cosR;
    const Float u = x / mRadiusA;
    const Float v = y / mRadiusB;
    return u * u + v * v;
}

Bool Ellipsis::IsAhead(const Math::Vector<Float>& point, const Animal& animal) const
{
    const Double theta = Math::WrapAngle(Double(PolarAngle(point.x - animal.mPosition.x, point.y - animal.mPosition.y)) - mRotation);
    const Double a = animal.mHeading;
    const Double normal = std::atan(std::tan(a) * mRadiusA * mRadiusA / (Double(mRadiusB) * mRadiusB));
    const Double w = Math::WrapAngle(theta - normal);
    if (a > Math::Pi / 2.0 && a <= 3.0 * Math::Pi / 2.0)
        return w > Math::Pi;
    return w <= Math::Pi;
}

void Ellipsis::GetAxisPointNear(Float phase, const Math::Vector<Float>& point, Math::Vector<Float>& result) const
{
    Float focal;
    Float k;
    Float dirX;
    Float dirY;
    if (mRadiusA >= mRadiusB) {
        focal = Math::Sqrt(mRadiusA * mRadiusA - mRadiusB * mRadiusB);
        k = 0.5f * Math::Abs(Math::Cos(phase));
        dirX = Float(std::cos(Double(mRotation)));
        dirY = Float(std::sin(Double(mRotation)));
    } else {
        focal = Math::Sqrt(mRadiusB * mRadiusB - mRadiusA * mRadiusA);
        k = 0.5f * Math::Abs(Math::Sin(phase));
        dirX = -Float(std::sin(Double(mRotation)));
        dirY = Float(std::cos(Double(mRotation)));
    }
    const Float offset = k * focal;
    const Float minusX = mCentre.x - offset * dirX;
    const Float minusY = mCentre.y - offset * dirY;
    const Float plusX = mCentre.x + offset * dirX;
    const Float plusY = mCentre.y + offset * dirY;
    const Float minusDistance = (minusX - point.x) * (minusX - point.x) + (minusY - point.y) * (minusY - point.y);
    const Float plusDistance = (plusX - point.x) * (plusX - point.x) + (plusY - point.y) * (plusY - point.y);
    if (plusDistance < minusDistance)
        result.Set(plusX, plusY, 0.0f, 1.0f);
    else
        result.Set(minusX, minusY, 0.0f, 1.0f);
}

} // namespace App
} // namespace Vorn
