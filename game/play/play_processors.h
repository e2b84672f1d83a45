// The game stage's four play processors. For now they only take their place in the stage's
// processor tree; the animals, courses, player and scores come later.
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

class AnimalsProcessor : public PlayProcessor
{
public:
    using PlayProcessor::PlayProcessor;
};

class CourseProcessor : public PlayProcessor
{
public:
    using PlayProcessor::PlayProcessor;
};

class PlayerProcessor : public PlayProcessor
{
public:
    using PlayProcessor::PlayProcessor;
};

class ScoreProcessor : public PlayProcessor
{
public:
    using PlayProcessor::PlayProcessor;
};

} // namespace App
} // namespace Vorn
