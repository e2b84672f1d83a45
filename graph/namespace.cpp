#include "graph/namespace.h"

#include <cstring>
#include <new>

#include "foundation/debug.h"
#include "graph/node_class_info.h"
#include "graph/root.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Namespace::Namespace() : mRegisteredAsSubNamespace(false)
{
}

Namespace::~Namespace()
{
}

INode* Namespace::Create()
{
    return new (std::nothrow) Namespace();
}

const NodeClassInfo& Namespace::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Namespace"));
    return info;
}

Bool Namespace::RegisterNode(const String& id, INode* node)
{
    if (mNodes.Find(id) >= 0) {
        Debug::Trace("Graph::Namespace::RegisterNode(%s): Duplicate node \"%s\"", mId.GetText(), id.GetText());
        return false;
    }
    mNodes.Add(id, node);
    return true;
}

Bool Namespace::UnregisterNode(const String& id)
{
    const SInt32 position = mNodes.Find(id);
    if (position < 0) {
        Debug::Trace("Graph::Namespace::UnregisterNode(%s): Node \"%s\" not found", mId.GetText(), id.GetText());
        return false;
    }
    mNodes.RemoveAt(position);
    return true;
}

Bool Namespace::RegisterSubNamespace(const String& name, INamespace* nameSpace)
{
    if (mSubNamespaces.Find(name) >= 0) {
        Debug::Trace("Graph::Namespace::RegisterSubNamespace(%s): Duplicate sub-namespace \"%s\"", mId.GetText(),
                     name.GetText());
        return false;
    }
    mSubNamespaces.Add(name, SubNamespace{nameSpace, dynamic_cast<Namespace*>(nameSpace)});
    return true;
}

Bool Namespace::UnregisterSubNamespace(const String& name)
{
    const SInt32 position = mSubNamespaces.Find(name);
    if (position < 0) {
        Debug::Trace("Graph::Namespace::UnregisterSubNamespace(%s): Sub-namespace \"%s\" not found", mId.GetText(),
                     name.GetText());
        return false;
    }
    mSubNamespaces.RemoveAt(position);
    return true;
}

INode* Namespace::FindLocalNode(const String& id)
{
    INode* const* node = mNodes.FindValue(id);
    if (node == nullptr)
        return nullptr;
    (*node)->AddReference();
    return *node;
}

INamespace* Namespace::FindSubNamespace(const String& name)
{
    const SubNamespace* entry = mSubNamespaces.FindValue(name);
    return entry != nullptr ? entry->mInterface : nullptr;
}

INode* Namespace::FindNode(const String& path)
{
    return FindNodeInPath(path.GetText(), path.GetLength());
}

// Only the last segment names a node; "." and ".." are special only as a segment followed by "/".
// A leading "/" starts again from the root namespace recorded at Init, or from this namespace
// when it has none (the top namespace, an anonymous or an uninitialised one). The walk stays in
// the caller's text while the namespaces on the way are of this class.
INode* Namespace::FindNodeInPath(const char* path, SInt32 length)
{
    const char* separator = static_cast<const char*>(std::memchr(path, '/', size_t(length)));
    if (separator == nullptr)
        return FindLocalNode(String(path, length));
    const SInt32 headLength = SInt32(separator - path);
    const char* rest = separator + 1;
    const SInt32 restLength = length - headLength - 1;
    INamespace* next;
    if (headLength == 0) {
        next = GetRootNamespace();
        if (next == nullptr)
            return FindNodeInPath(rest, restLength);
    } else if (headLength == 1 && path[0] == '.') {
        return FindNodeInPath(rest, restLength);
    } else if (headLength == 2 && path[0] == '.' && path[1] == '.') {
        next = GetNamespace();
    } else {
        const SubNamespace* entry = mSubNamespaces.FindValue(String(path, headLength));
        if (entry == nullptr)
            return nullptr;
        if (entry->mNamespace != nullptr)
            return entry->mNamespace->FindNodeInPath(rest, restLength);
        next = entry->mInterface;
    }
    if (next == nullptr)
        return nullptr;
    if (Namespace* nameSpace = dynamic_cast<Namespace*>(next))
        return nameSpace->FindNodeInPath(rest, restLength);
    return next->FindNode(String(rest, restLength));
}

Bool Namespace::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Namespace::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    INamespace* enclosing = GetNamespace();
    if (!mId.IsEmpty() && enclosing != nullptr) {
        RootLockGuard lock(state->GetRoot());
        if (!enclosing->RegisterSubNamespace(mId, this)) {
            Debug::Trace("Graph::Namespace::InitSelf(%s): Failed to register namespace", mId.GetText());
            return false;
        }
        mRegisteredAsSubNamespace = true;
    }
    return true;
}

Bool Namespace::InitChildren(IInitState* state)
{
    state->PushNamespace(this);
    const Bool initialized = Node::InitChildren(state);
    // Popped on failure too: the state serves the next Init pass, which must not register its
    // nodes in a namespace of an abandoned graph.
    state->PopNamespace();
    return initialized;
}

Bool Namespace::DeInitSelf(IDeInitState* state)
{
    if (mRegisteredAsSubNamespace) {
        RootLockGuard lock(state->GetRoot());
        INamespace* enclosing = GetNamespace();
        if (enclosing != nullptr && !enclosing->UnregisterSubNamespace(mId))
            return false;
        mRegisteredAsSubNamespace = false;
    }
    return Node::DeInitSelf(state);
}

} // namespace Graph
} // namespace Vorn
