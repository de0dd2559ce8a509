// Story methods: animated effects and the level's light. Effect types and
// effects are world records; the level background fades the tint.
#include <algorithm>

#include "resources/log.h"
#include "scene/car_layer.h"
#include "scene/effects_layer.h"
#include "scripting/script_index.h"
#include "scripting/story.h"
#include "world/game_world.h"

namespace {

// The tint component a name addresses, null for any other name; the names
// are compared exactly, so "Red" addresses nothing.
int* TintComponent(const std::string& name)
{
    int* tint = cGameWorld::Instance().levelTint;
    if (name == "red")
        return &tint[0];
    if (name == "green")
        return &tint[1];
    if (name == "blue")
        return &tint[2];
    return nullptr;
}

// Darkening steps the tint down by one per step until red reaches this.
constexpr int kDarkTintTarget = 130;
// Red below this counts as a dark level.
constexpr int kDarkRed = 151;

} // namespace

// Frame names count from 0 to frames - 1, so a type needs one frame at least.
void Story::CreateEffects(int id, const std::string& texture, int a, int b, int c)
{
    if (a < 1) {
        cLog::Instance().Warning(L"Story::CreateEffects -> effect type %d with %d frames, ignored", id, a);
        return;
    }
    if (Scripting::CheckScriptText(L"CreateEffects", texture)
        && Scripting::CheckScriptRoom(L"CreateEffects", cGameWorld::Instance().effectTypes.size()))
        cGameWorld::Instance().CreateEffects(id, texture, a, b, c);
}

void Story::EffectTextureExt(int id, const std::string& texture)
{
    if (Scripting::CheckScriptText(L"EffectTextureExt", texture))
        cGameWorld::Instance().EffectTextureExt(id, texture);
}

void Story::CreateMyEffects(int place, int type, int a, float speed, int x, int y)
{
    if (Scripting::CheckScriptNumber(L"CreateMyEffects", speed)
        && Scripting::CheckScriptRoom(L"CreateMyEffects", cGameWorld::Instance().effects.size()))
        cGameWorld::Instance().CreateMyEffects(place, type, a, speed, x, y, 0, 0);
}

void Story::DeleteMyEffects(int id)
{
    auto& effects = cGameWorld::Instance().effects;
    const auto it = std::find_if(effects.begin(), effects.end(), [&](const cEffect& e) { return e.owner == id; });
    if (it != effects.end())
        effects.erase(it);
}

void Story::DeleteEffect(int type, int place, int x, int y)
{
    if (Scene::EffectsLayer* effects = Scene::EffectsLayer::Instance())
        effects->DeleteEffect(type, place, x, y);
}

int Story::ActiveEffects(int type)
{
    const auto& effects = cGameWorld::Instance().effects;
    return static_cast<int>(
        std::count_if(effects.begin(), effects.end(), [&](const cEffect& e) { return e.type == type; }));
}

void Story::EraseEffectAt(int type, int x, int y)
{
    auto& effects = cGameWorld::Instance().effects;
    const auto it = std::find_if(
        effects.begin(), effects.end(), [&](const cEffect& e) { return e.type == type && e.x == x && e.y == y; });
    if (it != effects.end())
        effects.erase(it);
}

void Story::StartSmoke(int place)
{
    if (!Scripting::CheckScriptIndex(L"StartSmoke", place, static_cast<int>(cGameWorld::Instance().places.size())))
        return;
    if (Scene::CarLayer* carLayer = Scene::CarLayer::Instance())
        carLayer->StartPlaceSmoke(place);
}

void Story::SetLevelColor(const std::string& component, int value)
{
    int* tint = TintComponent(component);
    if (tint && Scripting::CheckScriptRange(L"SetLevelColor", L"component", value, 0, 255))
        *tint = value;
}

int Story::GetLevelColor(const std::string& component, int /*ignored*/)
{
    const int* tint = TintComponent(component);
    return tint ? *tint : 0;
}

bool Story::IsDunkel()
{
    return cGameWorld::Instance().levelTint[0] < kDarkRed;
}

void Story::StartDunkler()
{
    cGameWorld& world = cGameWorld::Instance();
    world.tintStep = 1;
    world.darkTintTarget = kDarkTintTarget;
    world.darkening = 1;
}

void Story::StartHeller()
{
    cGameWorld::Instance().brightening = 1;
}

void Story::SetLimitForColorChange(int limit)
{
    cGameWorld& world = cGameWorld::Instance();
    world.colorChangeLimit = limit;
    world.SetLimitForColorChange(limit);
}
