// The path of a course: one closed, rotated ellipse. The course model spaces its animals along it
// by straight-line distance between neighbours; the animals processor aims fly-in animals at it.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace App {

class Animal;

class Ellipsis
{
public:
    virtual ~Ellipsis() {}

    // The point at parameter t (radians), with the table sine and cosine.
    void GetPoint(Float t, Float& x, Float& y) const;
    // Moves the animal's position to the point at its path position and updates its transform.
    void PlaceOnEllipse(Animal& animal) const;
    // The parameter whose point lies at straight-line distance d from the point at t0, searched
    // forward (increasing) or backward by halving; after 30 halvings the last probe is returned.
    Double FindParameterAtDistance(Float distance, Bool forward, Double start) const;
    // The length of the path from t0 to t1 as the sum of 10 equal-parameter chords.
    Float GetArcLength(Float t0, Float t1) const;
    // Stores t as the animal's path position (marking it moved when it changed) and aims it.
    void SetParameter(Animal& animal, Double t) const;
    // Moves the animal by a signed straight-line distance along the path; 0 keeps its place.
    void MoveBy(Animal& animal, Float distance) const;
    // Puts the animal touching the reference animal, ahead of it or behind it.
    void PlaceBehind(const Animal& reference, Animal& animal, Bool forward) const;
    // Below 1 inside, 1 on, above 1 outside the ellipse.
    Float GetEllipseValue(const Math::Vector<Float>& point) const;
    // Whether the point lies on the counter-clockwise side of the normal through the animal.
    Bool IsAhead(const Math::Vector<Float>& point, const Animal& animal) const;
    // The point on the major axis, between the centre and half the focal distance as the phase
    // changes, on the side nearer to the given point.
    void GetAxisPointNear(Float phase, const Math::Vector<Float>& point, Math::Vector<Float>& result) const;

    void SetRadiusA(Float radius) { mRadiusA = radius; }
    void SetRadiusB(Float radius) { mRadiusB = radius; }
    void SetRotation(Float rotation) { mRotation = rotation; }
    void AddRotation(Float angle) { mRotation += angle; }
    void SetCentre(Float x, Float y)
    {
        mCentre.x = x;
        mCentre.y = y;
    }
    Float GetRadiusA() const { return mRadiusA; }
    Float GetRadiusB() const { return mRadiusB; }
    Float GetRotation() const { return mRotation; }
    const Math::Vector<Float>& GetCentre() const { return mCentre; }

private:
    Float mRadiusA = 1.0f;
    Float mRadiusB = 1.0f;
    Float mRotation = 0.0f;
    Math::Vector<Float> mCentre = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
};

} // namespace App
} // namespace Vorn
