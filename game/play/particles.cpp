#include "game/play/particles.h"

#include "foundation/attributes.h"
#include "game/game_state.h"
#include "graph/axis_rotation.h"
#include "graph/indexed.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/transform/scalable.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kDiffuse = 1;

} // namespace

Particle::Particle()
    : GraphPositionObject(kDepthOrderBase), mImageIndex(0),
      mNamespaceNode(new Logic::GraphNodeT<Graph::INamespace>()),
      mScaleNode(new Logic::GraphNodeT<Graph::IScalable>()),
      mParametersNode(new Logic::GraphNodeT<Graph::IParameters>()),
      mSelectNode(new Logic::GraphNodeT<Graph::IIndexed>())
{
}

Particle::~Particle()
{
    delete mNamespaceNode;
    delete mScaleNode;
    delete mParametersNode;
    delete mSelectNode;
}

void Particle::Reset()
{
    GraphPositionObject::Reset();
    mImageIndex = 0;
    mScaleNode->Get()->SetScaleFactor(1.0f, 1.0f, 1.0f);
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}

Bool Particle::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mNamespaceNode->GetReference(nameSpace, path));
    Observe(mScaleNode->GetReference(nameSpace, path + "/scale"));
    Observe(mParametersNode->GetReference(nameSpace, path + "/parameters"));
    Observe(mSelectNode->GetReference(nameSpace, path + "/select"));
    return BindTransform(nameSpace, path + "/transform", index);
}

Graph::INode* Particle::GetRootNode() const
{
    return mNamespaceNode->GetNode();
}

Bool Particle::SetImage(SInt32 index)
{
    mImageIndex = index;
    mSelectNode->Get()->SetIndex(index);
    return true;
}

void Particle::SetColor(const Math::Vector<float>& color)
{
    SetColor(color.x, color.y, color.z, color.w);
}

void Particle::SetColor(Float red, Float green, Float blue, Float alpha)
{
    mParametersNode->Get()->SetColor(kDiffuse, Color{red, green, blue, alpha});
}

void Particle::SetScaleFactor(const Math::Vector<float>& factor)
{
    mScaleNode->Get()->SetScaleFactor(factor);
}

void Particle::SetRotation(const Math::Vector<float>& axisAngle)
{
    Graph::WriteAxisRotation(*mTransformMatrix, axisAngle.x, axisAngle.y, axisAngle.z, axisAngle.w);
}

void Particle::SetActiveAndVisible(Bool on)
{
    SetActive(on);
}

void ParticleTrack::RemoveKeys()
{
    mKeys.SetCount(0);
    mKeyCursor = 0;
}

ParticleAnimator::ParticleAnimator() : mIsPersistent(false)
{
}

ParticleAnimator::~ParticleAnimator()
{
}

void ParticleAnimator::Reset()
{
    Particle::Reset();
    for (ParticleTrack* track : {&mPositionTrack, &mScaleTrack, &mRotationTrack, &mColorTrack}) {
        track->RemoveKeys();
        track->Reset();
    }
    mIsPersistent = false;
}

void ParticleAnimator::Start()
{
    SetActiveAndVisible(false);
    for (ParticleTrack* track : {&mPositionTrack, &mScaleTrack, &mRotationTrack, &mColorTrack}) {
        if (track->GetNumberOfKeys() == 0)
            continue;
        track->GetTimeline()->Rewind();
        track->Start();
    }
}

void ParticleAnimator::Update(Double dt)
{
    SetActiveAndVisible(true);
    // The value of the step in which a track ends is not applied.
    mPositionTrack.GetTimeline()->Step(dt);
    if (mPositionTrack.GetTimeline()->IsRunning()) {
        mPosition = mPositionTrack.GetValue();
        UpdateTransform();
    }
    mScaleTrack.GetTimeline()->Step(dt);
    if (mScaleTrack.GetTimeline()->IsRunning())
        SetScaleFactor(mScaleTrack.GetValue());
    mRotationTrack.GetTimeline()->Step(dt);
    if (mRotationTrack.GetTimeline()->IsRunning())
        SetRotation(mRotationTrack.GetValue());
    mColorTrack.GetTimeline()->Step(dt);
    if (mColorTrack.GetTimeline()->IsRunning())
        SetColor(mColorTrack.GetValue());
}

Bool ParticleAnimator::IsAnimating() const
{
    return mPositionTrack.GetTimeline()->IsRunning() || mScaleTrack.GetTimeline()->IsRunning() ||
           mRotationTrack.GetTimeline()->IsRunning() || mColorTrack.GetTimeline()->IsRunning();
}

ParticleContainer::ParticleContainer(GameState* gameState) : mGameState(gameState)
{
}

ParticleContainer::~ParticleContainer()
{
}

Bool ParticleContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return GraphInstanceContainer<ParticleAnimator>::Init(nameSpace, basePath, "/particle_container", "/particle");
}

void ParticleContainer::Reset()
{
    ReleaseAll();
}

void ParticleContainer::Step(Double dt)
{
    const Float factor = mGameState != nullptr ? mGameState->GetTimeFactor() : 1.0f;
    // NaN fails the comparison and becomes the floor as well.
    const Double scaled = dt * Double(factor >= kMinTimeFactor ? factor : kMinTimeFactor);
    // Releasing lowers the used end, so the bound is read afresh each time.
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (!IsEntryUsed(i))
            continue;
        ParticleAnimator* animator = GetEntry(i);
        if (!animator->IsAnimating() && !animator->IsPersistent()) {
            animator->SetActiveAndVisible(false);
            animator->Reset();
            SetEntryUsed(i, false);
        } else {
            animator->Update(animator->GetImage() == kUnscaledImage ? dt : scaled);
        }
    }
}

} // namespace App
} // namespace Vorn
