// A weapon as the course model sees it in flight: its kind, its level and its radius. The pooled
// weapon with its pictures and its container belongs to the weapons code.
#pragma once

#include "foundation/types.h"
#include "game/graph_position_object.h"

namespace Vorn {
namespace App {

class Weapon : public GraphPositionObject
{
public:
    // Kinds, in the order of the weapon template's pictures.
    static constexpr UInt32 KindNuke = 0;
    static constexpr UInt32 KindNukeBlue = 1;
    static constexpr UInt32 KindHambone = 2;
    static constexpr UInt32 KindCarrot = 3;
    static constexpr UInt32 KindTranq = 4;
    static constexpr UInt32 KindBigTranq = 5;
    static constexpr UInt32 KindRhino = 6;
    static constexpr UInt32 KindChameleon = 7;
    static constexpr UInt32 KindAirstrike = 8;

    Weapon() : GraphPositionObject(602000) {}

    UInt32 GetKind() const { return mKind; }
    UInt32 GetLevel() const { return mLevel; }
    Float GetRadius() const { return mRadius; }
    void SetKind(UInt32 kind) { mKind = kind; }
    void SetLevel(UInt32 level) { mLevel = level; }
    void SetRadius(Float radius) { mRadius = radius; }
    using GraphPositionObject::mPosition;

private:
    UInt32 mKind = KindNuke;
    UInt32 mLevel = 0;
    Float mRadius = 34.0f;
};

} // namespace App
} // namespace Vorn
