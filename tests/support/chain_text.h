// Chains written as kind strings for the course tests, one token per animal, rear first: a kind
// letter (K key, L lock, S stone, J joker, R G B Y colours) followed by flags: ! check pending,
// * shot, f frozen, c charred, e gap end. Segments read back as their kind letters.
#pragma once

#include <cstring>
#include <string>

#include <vector>

#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/course_segment.h"

namespace Vorn {
namespace Testing {

inline const char kKindLetters[] = "KLS??JRGBY";

inline SInt32 KindOf(char letter)
{
    const char* found = std::strchr(kKindLetters, letter);
    return found ? SInt32(found - kKindLetters) : App::Animal::KindNone;
}

inline void ApplyChainFlags(App::Animal& animal, const std::string& token)
{
    for (char flag : token.substr(1)) {
        animal.mCheckMatch |= flag == '!';
        animal.mShot |= flag == '*';
        animal.mFrozen |= flag == 'f';
        animal.mCharred |= flag == 'c';
        animal.mGapEnd |= flag == 'e';
    }
}

inline std::string Kinds(const App::CourseSegment* segment)
{
    std::string text;
    if (segment)
        for (const App::Animal* animal : segment->mAnimals)
            text += animal->GetKind() >= 0 && animal->GetKind() < 10 ? kKindLetters[animal->GetKind()] : '?';
    return text;
}

// The types of the game state's score events, in order.
inline std::vector<UInt32> ScoreEventTypes(App::GameState& gameState)
{
    std::vector<UInt32> types;
    for (SInt32 i = 0; i < gameState.GetScoreEvents().GetCount(); ++i)
        types.push_back(gameState.GetScoreEvents()[i].mType);
    return types;
}

} // namespace Testing
} // namespace Vorn
