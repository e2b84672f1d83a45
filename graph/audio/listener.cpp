#include "graph/audio/listener.h"

#include <new>

#include "audio/renderer.h"
#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/audio/known_enum.h"
#include "graph/backend_object.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "graph/view.h"

namespace Vorn {
namespace Graph {

Listener::Listener()
    : mAudioObject(nullptr), mAudioListener(nullptr), mVolume(1.0f), mDistanceModel(Enums::DistanceModel::INVERSE_CLAMPED)
{
    AddFlags(kNeedsPrepareOutput);
}

Listener::~Listener() {}

INode* Listener::Create()
{
    return new (std::nothrow) Listener();
}

const NodeClassInfo& Listener::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Listener"));
    return info;
}

Bool Listener::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                    Bool* error)
{
    switch (ListenerAttributes::GetTable().FindAttribute(attributes, index)) {
    case ListenerAttributes::kVolume:
        attributes->GetValue(index, parameters, &mVolume, error);
        return true;
    case ListenerAttributes::kDistanceModel:
        GetKnownEnumValue(*attributes, index, parameters, error, Enums::GetDistanceModelTable(), mDistanceModel);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void Listener::SetVolume(Float volume)
{
    mVolume = volume;
}

Float Listener::GetVolume() const
{
    return mVolume;
}

Audio::IListener* Listener::GetListenerObject()
{
    return mAudioListener;
}

Bool Listener::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Listener::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    mAudioListener = BackEndObject::Create<Audio::IListener>(state->GetAudioRenderer(), "Listener", mAudioObject);
    if (mAudioListener == nullptr) {
        Debug::Trace("Graph::Listener::InitSelf(%s): Failed to create listener", mId.GetText());
        return false;
    }
    mAudioListener->SetVolume(mVolume);
    mAudioListener->SetDistanceModel(mDistanceModel);
    return BackEndObject::Init(mAudioObject, LogSite{"Listener", "InitSelf", mId}, "Failed to initialize listener object");
}

Bool Listener::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetAudioRenderer(), mAudioObject, LogSite{"Listener", "DeInitSelf", mId},
                                "Failed to deinitialize listener object"))
        return false;
    mAudioListener = nullptr;
    return Transform::DeInitSelf(state);
}

Bool Listener::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    IView* view = state->GetCurrentView();
    if (view == nullptr) {
        Debug::Trace("Graph::Listener::PrepareOutputSelf(%s): No view node to attach to", mId.GetText());
        return false;
    }
    if (view->GetListener() != nullptr) {
        Debug::Trace("Graph::Listener::PrepareOutputSelf(%s): View already has a listener", mId.GetText());
        return false;
    }
    view->SetListener(this, state->GetTransform());
    state->AddRenderable(this, false);
    return true;
}

Bool Listener::CullOutput(ICullOutputState*)
{
    return true;
}

Bool Listener::EnqueueOutput(IEnqueueOutputState*)
{
    if (mAudioListener != nullptr)
        mAudioListener->SetVolume(mVolume);
    return true;
}

} // namespace Graph
} // namespace Vorn
