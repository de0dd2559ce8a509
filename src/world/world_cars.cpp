// Car types with their sprite names, and the random choice of cars for the
// stack and the roads.
#include <vector>

#include "platform/game_random.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/world_checks.h"

namespace {

int FindAutoType(const cGameWorld& w, int type)
{
    return world::FindFirst(w.autoTypes, [&](const cAutoType& a) { return a.id == type; });
}

// Candidates are collected in table order; the choice keeps at most
// kCandidates of them, so a long table never overflows the draw.
class Candidates {
public:
    void Add(int type)
    {
        if (static_cast<int>(types.size()) < world::kCandidates)
            types.push_back(type);
    }
    bool Empty() const { return types.empty(); }
    int Draw() const { return types.empty() ? -1 : types[platform::GameRand() % static_cast<int>(types.size())]; }

private:
    std::vector<int> types;
};

bool Contains(const std::vector<int>& list, int value)
{
    return world::FindFirst(list, [&](int v) { return v == value; }) >= 0;
}

} // namespace

void cGameWorld::AddAuto(int type, int variant, const std::string& name)
{
    int t = FindAutoType(*this, type);
    if (t < 0) {
        cAutoType fresh;
        fresh.id = type;
        autoTypes.push_back(fresh);
        t = static_cast<int>(autoTypes.size()) - 1;
    }
    cAutoType& at = autoTypes[t];
    for (std::size_t v = 0; v < at.variants.size() && v < at.variantNames.size(); ++v) {
        if (at.variants[v] == variant) {
            at.variantNames[v] = name;
            return;
        }
    }
}

std::string cGameWorld::GetAutoTypeName(int type, int variant) const
{
    const int t = FindAutoType(*this, type);
    if (t < 0)
        return std::string();
    const cAutoType& at = autoTypes[t];
    for (std::size_t v = 0; v < at.variants.size() && v < at.variantNames.size(); ++v) {
        if (at.variants[v] == variant)
            return at.variantNames[v];
    }
    return std::string();
}

int cGameWorld::GetAutoTypeValue(int type) const
{
    const int t = FindAutoType(*this, type);
    return t < 0 ? 0 : autoTypes[t].value;
}

int cGameWorld::GetAutoTypeClass(int type) const
{
    const int t = FindAutoType(*this, type);
    return t < 0 ? -1 : autoTypes[t].class_;
}

int cGameWorld::GetRandomAuto(int colour)
{
    Candidates candidates;
    for (const cAutoType& at : autoTypes) {
        if (at.value != 0 || at.colour != colour)
            continue;
        if (!stackAutoClasses.empty() && !Contains(stackAutoClasses, at.class_))
            continue;
        candidates.Add(at.id);
    }
    return candidates.Draw();
}

int cGameWorld::GetRandomStackAutoType()
{
    Candidates candidates;
    for (const cAutoType& at : autoTypes) {
        if (stackAutoTypes.empty() || Contains(stackAutoTypes, at.id))
            candidates.Add(at.id);
    }
    return candidates.Draw();
}

int cGameWorld::GetRandomAutoAutobahn(int road)
{
    const bool firstOfTriple = IsFirstLevelOfTriple(level);
    // Working places per colour: a car is wanted where a place can serve it.
    int placesOfColour[world::kColours] = {};
    if (!firstOfTriple) {
        for (const cPlace& p : places) {
            if (p.type >= 6 && p.type <= 10 && p.state != 2 && p.colour >= 0 && p.colour < world::kColours)
                ++placesOfColour[p.colour];
        }
    }

    std::vector<int> eligible;              // indices into autoTypes
    for (const cAutoType& at : autoTypes) {
        const bool allowed = autobahnAutosPerType != 0 ? IsAutoEnabledForAutobahn(road, at.id)
                                                       : IsClassEnabledForAutobahn(road, at.class_);
        if (allowed)
            eligible.push_back(static_cast<int>(&at - autoTypes.data()));
    }
    // A road on which no car may drive gives no car rather than waiting for one.
    if (eligible.empty())
        return -1;

    for (int round = 0; round < world::kMaxDrawRounds; ++round) {
        Candidates candidates;
        for (const int t : eligible) {
            const int colour = autoTypes[t].colour;
            const bool served = colour >= 0 && colour < world::kColours && placesOfColour[colour] > 0;
            if (firstOfTriple || autobahnAutosPerType != 0 || served || platform::GameRand() % 100 < 20)
                candidates.Add(autoTypes[t].id);
        }
        if (!candidates.Empty())
            return candidates.Draw();
    }
    cLog::Instance().Error(L"cGameWorld::GetRandomAutoAutobahn -> no car drawn for road %d", road);
    return -1;
}

void cGameWorld::EnableAutoTypForStack(int type)
{
    stackAutoTypes.push_back(type);
}

void cGameWorld::EnableAutoForStack(int autoClass)
{
    stackAutoClasses.push_back(autoClass);
}

void cGameWorld::EnableClassAutoForAutobahn(int road, int autoClass)
{
    autobahnClasses.push_back(cAutobahnClassEntry {road, autoClass, 0});
}

bool cGameWorld::IsEnableClassAutoForAutobahn(int autoClass) const
{
    return world::FindFirst(autobahnClasses, [&](const cAutobahnClassEntry& e) { return e.class_ == autoClass; }) >= 0;
}

bool cGameWorld::IsClassEnabledForAutobahn(int road, int autoClass) const
{
    return world::FindFirst(autobahnClasses,
               [&](const cAutobahnClassEntry& e) { return e.road == road && e.class_ == autoClass; })
        >= 0;
}

void cGameWorld::EnableAutoForAutobahn(int road, int type, int flag)
{
    autobahnAutos.push_back(cAutobahnAutoEntry {road, type, flag});
}

void cGameWorld::DisableAutoForAutobahn(int road, int type)
{
    const int i = world::FindFirst(autobahnAutos,
        [&](const cAutobahnAutoEntry& e) { return e.road == road && e.autoType == type; });
    if (i >= 0)
        autobahnAutos.erase(autobahnAutos.begin() + i);
}

bool cGameWorld::IsAutoEnabledForAutobahn(int road, int type) const
{
    return world::FindFirst(autobahnAutos,
               [&](const cAutobahnAutoEntry& e) { return e.road == road && e.autoType == type; })
        >= 0;
}
