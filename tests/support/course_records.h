// Course records for the course tests, built in memory: animal lists from kind strings (see
// chain_text.h; an "f" flag makes the slot frozen) and path pieces with chosen optional values.
#pragma once

#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

#include "game/play/level_data.h"
#include "tests/support/chain_text.h"

namespace Vorn {
namespace Testing {

// Path piece values by index: centre x, centre y, radius a, radius b, rotation speed, base speed,
// event.
enum PieceValueIndex { kCentreX, kCentreY, kRadiusA, kRadiusB, kRotationSpeed, kBaseSpeed, kEvent };

inline App::PathPiece Piece(Float time, std::initializer_list<std::pair<int, Float>> values)
{
    App::PathPiece piece;
    piece.mTime = time;
    for (App::OptionalValue& value : piece.mValues)
        value.mSet = false;
    for (const auto& entry : values) {
        piece.mValues[entry.first].mSet = true;
        std::memcpy(&piece.mValues[entry.first].mBits, &entry.second, 4);
    }
    return piece;
}

inline App::AnimalList List(const std::string& text, Float start)
{
    App::AnimalList list;
    list.mValue = start;
    std::istringstream tokens(text);
    std::string token;
    while (tokens >> token) {
        App::AnimalSlot slot;
        slot.mKind = UInt32(KindOf(token[0]));
        slot.mFlag = token.find('f') != std::string::npos ? 1 : 0;
        list.mAnimals.Add(slot);
    }
    return list;
}

// A course of one list on a still ellipse of radii a and b at the origin, moving at the speed.
inline App::CourseRecord Record(const std::string& animals, Float start = 0.0f, Float speed = 0.0f,
                                Float a = 300.0f, Float b = 200.0f)
{
    App::CourseRecord record;
    record.mAnimalLists.Add(List(animals, start));
    record.mPathPieces.Add(Piece(0.0f, {{kCentreX, 0.0f}, {kCentreY, 0.0f}, {kRadiusA, a}, {kRadiusB, b},
                                        {kBaseSpeed, speed}}));
    return record;
}

} // namespace Testing
} // namespace Vorn
