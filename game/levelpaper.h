// One level tile of the level chooser, and the pool of tiles that makes one page.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class IButton;
class IButtonEvent;
class INamespace;
class ISwitch;
class IText;
} // namespace Graph

namespace App {

class Levelpaper : public GraphPositionObject
{
public:
    static constexpr UInt32 kStars = 3;

    Levelpaper();

    // False when a node of the tile is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Graph::INode* GetRootNode() const override;

    // -1 hides the stars; otherwise all three show, the first count of them earned.
    void SetStars(SInt32 count);
    // The look (0 locked, 1 playable) when the tile has it; stars show above 0.
    void SetSelect(UInt32 index);
    void SetStageText(const String& text);
    void SetVisible(Bool visible);
    void SetEnabled(Bool enabled);
    Bool WasPressed() const;

private:
    Logic::GraphNodeT<Graph::INamespace> mInstance;
    Logic::GraphNodeT<Graph::ISwitch> mSelect;
    Logic::GraphNodeT<Graph::ISwitch> mStar[kStars];
    Logic::GraphNodeT<Graph::IText> mStageText;
    Logic::GraphNodeT<Graph::IButton> mButton;
    Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent> mButtonEvents;
};

class LevelpaperContainer : public GraphInstanceContainer<Levelpaper>
{
public:
    // Binds the tiles of "/overlaymap/levelpaper_container".
    Bool Init(Graph::INamespace* nameSpace);
    // The pool index of the first tile in use whose button was pressed in this step, else -1.
    SInt32 GetPressedIndex() const;

private:
    using GraphInstanceContainer<Levelpaper>::Init;
};

} // namespace App
} // namespace Vorn
