// The listener ("Listener"): a placed node that owns an audio "Listener" object and attaches it,
// with its world transform, to the view that contains it in every prepare-output pass; the view
// hands it to the audio renderer.
#pragma once

#include "foundation/enums.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"
#include "graph/view/view_targets.h"

namespace Vorn {

namespace Audio {
class IObject;
}

namespace Graph {

class Listener : public Transform, public IRenderable, public IListener
{
public:
    Listener();
    ~Listener() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void SetVolume(Float volume) override;
    Float GetVolume() const override;
    Audio::IListener* GetListenerObject() override;

    Bool CullOutput(ICullOutputState* state) override;
    // Hands the volume to the audio listener.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    Enums::DistanceModel GetDistanceModel() const { return mDistanceModel; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    // Attaches to the current view; fails outside a view or beside another listener.
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

    Audio::IObject* mAudioObject;
    Audio::IListener* mAudioListener;
    Float mVolume;
    Enums::DistanceModel mDistanceModel;
};

} // namespace Graph
} // namespace Vorn
