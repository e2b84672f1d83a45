// The game stage's processor of the animals. For now it only takes its place in the stage's processor
// tree.
#pragma once

#include "game/play/play_processor.h"

namespace Vorn {
namespace App {

class AnimalsProcessor : public PlayProcessor
{
public:
    using PlayProcessor::PlayProcessor;
};

} // namespace App
} // namespace Vorn
