#include "game/play/animal_container.h"

#include "game/game_state.h"
#include "game/play/explosion_handler.h"

namespace Vorn {
namespace App {

AnimalContainer::AnimalContainer(GameState* gameState, ExplosionHandler* explosionHandler)
    : mGameState(gameState), mExplosionHandler(explosionHandler), mShadowEnabled(true)
{
}

AnimalContainer::~AnimalContainer() {}

Bool AnimalContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    if (mExplosionHandler == nullptr)
        return false;
    if (!GraphInstanceContainer<Animal>::Init(nameSpace, basePath, "/animal_container", "/animal"))
        return false;
    for (UInt32 i = 0; i < GetCount(); ++i)
        GetEntry(i)->mShadowEnabled = mShadowEnabled;
    return true;
}

Animal* AnimalContainer::ObtainAnimal(SInt32 kind)
{
    Animal* animal = Obtain();
    if (animal != nullptr)
        animal->SetAnimal(kind);
    return animal;
}

Bool AnimalContainer::ReleaseAnimal(Animal* animal, SInt32 effect)
{
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (GetEntry(i) != animal)
            continue;
        animal->SetActive(false);
        SetEntryUsed(i, false);
        if (effect >= 1 && effect <= SInt32(ExplosionHandler::NumberOfEffects) && mExplosionHandler != nullptr)
            mExplosionHandler->StartEffect(UInt32(effect), animal->GetPosition(), 0.0f, 0.0f);
        return true;
    }
    return false;
}

void AnimalContainer::Step(Double dt)
{
    if (mGameState == nullptr)
        return;
    const Float w = mGameState->GetViewWidth() * 0.5f;
    const Float h = mGameState->GetPlayHeight() * 0.5f;
    const Float factor = mGameState->GetTimeFactor();
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (!IsEntryUsed(i))
            continue;
        Animal& animal = *GetEntry(i);
        animal.Update(Float(dt) * factor);
        const Float r = animal.mRadius;
        const Math::Vector<Float>& p = animal.mPosition;
        animal.mOnScreen = !(p.x > w + r || p.x < -(w + r) || p.y > h + r || p.y < -(h + r));
        if (!animal.mCheckMatch)
            animal.AdjustTimeScales(factor);
        if (animal.TakeAshRequest() && mExplosionHandler != nullptr)
            mExplosionHandler->StartEffect(ExplosionHandler::EffectAsh, p, 0.0f, 0.0f);
    }
}

} // namespace App
} // namespace Vorn
