// The game as the engine sees it: the extra node and display object classes it brings, and its
// start and end, called by the engine's Start and Stop. Implemented by the game's application
// object.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {

class ILoader;

namespace Display {
struct ClassInfo;
}

namespace Graph {
struct NodeClassInfo;
}

namespace Logic {
class IFactory;
}

class IApp
{
public:
    virtual ~IApp() {}
    // Fill the arrays with the application's own classes; the records must outlive the engine's
    // start. Called at Start to register them and at Stop to unregister them.
    virtual void GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>& classes) = 0;
    virtual void GetDisplayObjectClasses(Array<const Display::ClassInfo*>& classes) = 0;
    // The game's start: creates its logic and registers its packages. The engine does not test
    // the result.
    virtual Bool InitApp(Logic::IFactory* factory, ILoader* loader) = 0;
    virtual void DeInitApp(Logic::IFactory* factory, ILoader* loader) = 0;
};

} // namespace Vorn
