// The common base of the game stage's play processors: a child processor that reaches the play
// objects through the play field.
#pragma once

#include "logic/base_child_processor.h"

namespace Vorn {
namespace App {

class Playfield;

class PlayProcessor : public Logic::BaseChildProcessor
{
public:
    PlayProcessor(Logic::IFactory* factory, Playfield* playfield)
        : Logic::BaseChildProcessor(factory), mPlayfield(playfield)
    {
    }
    Playfield* GetPlayfield() const { return mPlayfield; }

protected:
    Playfield* mPlayfield;
};

} // namespace App
} // namespace Vorn
