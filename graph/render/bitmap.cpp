#include "graph/render/bitmap.h"

#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/collection.h"
#include "resource/display_surface.h"
#include "resource/image.h"

namespace Vorn {
namespace Graph {

Bitmap::Bitmap() : mImage(nullptr), mSurface(nullptr) {}

Bitmap::~Bitmap()
{
    delete mSurface;
}

INode* Bitmap::Create()
{
    return new (std::nothrow) Bitmap();
}

const NodeClassInfo& Bitmap::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Bitmap"));
    return info;
}

Bool Bitmap::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                  Bool* error)
{
    if (BitmapAttributes::GetTable().FindAttribute(attributes, index) == BitmapAttributes::kBitmapResourceId) {
        attributes->GetValue(index, parameters, &mBitmapResourceId, error);
        return true;
    }
    return Node::DeserializeAttribute(index, attributes, parameters, error);
}

Bool Bitmap::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Bitmap::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mBitmapResourceId.IsEmpty()) {
        Debug::Trace("Graph::Bitmap::InitSelf(%s): No resource ID specified", mId.GetText());
        return false;
    }
    Resource::ICollection* collection = state->GetResourceCollection();
    mImage = collection != nullptr ? collection->GetImage(mBitmapResourceId) : nullptr;
    if (mImage == nullptr) {
        Debug::Trace("Graph::Bitmap::InitSelf(%s): Failed to get resource image \"%s\"", mId.GetText(),
                     mBitmapResourceId.GetText());
        return false;
    }
    mSurface = mImage->CreateDisplaySurface(false);
    if (mSurface == nullptr) {
        Debug::Trace("Graph::Bitmap::InitSelf(%s): Failed to create resource surface", mId.GetText());
        return false;
    }
    return true;
}

Bool Bitmap::DeInitSelf(IDeInitState* state)
{
    delete mSurface;
    mSurface = nullptr;
    return Node::DeInitSelf(state);
}

} // namespace Graph
} // namespace Vorn
