// Effect types and the effects playing at places and cells.
#include "platform/game_random.h"
#include "resources/log.h"
#include "world/game_world.h"
#include "world/world_checks.h"

void cGameWorld::CreateEffects(int id, const std::string& texture, int frames, int valueB, int valueC)
{
    // The frame count bounds the frame numbers drawn; an effect of no frames
    // stays on frame 0.
    if (frames < 0) {
        cLog::Instance().Error(L"cGameWorld::CreateEffects -> effect %d: %d frames", id, frames);
        return;
    }
    cEffectType t;
    t.id = id;
    t.frames = frames;
    t.texture = texture;
    t.valueB = valueB;
    t.valueC = valueC;
    effectTypes.push_back(t);
}

void cGameWorld::EffectTextureExt(int id, const std::string& texture)
{
    const int t = world::FindFirst(effectTypes, [&](const cEffectType& e) { return e.id == id; });
    if (t >= 0)
        effectTypes[t].extTexture = texture;
}

void cGameWorld::CreateMyEffects(int owner, int type, int randomStart, float speed, int x, int y, int row, int column)
{
    const int t = world::FindFirst(effectTypes, [&](const cEffectType& e) { return e.id == type; });
    if (t < 0)
        return;
    const cEffectType& et = effectTypes[t];
    cEffect e;
    e.type = type;
    e.frames = et.frames;
    e.texture = et.texture;
    e.extTexture = et.extTexture;
    e.randomStart = randomStart;
    e.x = e.startX = x;
    e.y = e.startY = y;
    e.frame = randomStart != 0 && et.frames > 0 ? platform::GameRand() % et.frames : 0;
    e.speed = speed;
    e.valueB = et.valueB;
    e.valueC = et.valueC;
    e.owner = owner;
    e.timer.Restart();
    e.row = row;
    e.column = column;
    effects.push_back(e);
}

bool cGameWorld::NoBlockingEffect() const
{
    return world::FindFirst(effects, [](const cEffect& e) { return e.type >= 3 && e.type <= 12; }) < 0;
}

bool cGameWorld::IsEffectNearlyDone(int row, int column) const
{
    const int i = world::FindFirst(effects, [&](const cEffect& e) { return e.row == row && e.column == column; });
    if (i < 0)
        return false;
    return effects[i].frame <= effects[i].frames / 4;
}

void cGameWorld::ClearFundamentWithEffect(int fundament, int type)
{
    if (!world::CheckIndex(L"cGameWorld::ClearFundamentWithEffect", L"fundament", fundament, fundaments.size()))
        return;
    const int row = fundaments[fundament].row;
    const int column = fundaments[fundament].column;
    // Fundaments are made on cells of the tables only.
    if (world::IsGridCell(row, column))
        CreateMyEffects(fundament, type, 0, 0.036f, cellX[row][column], cellY[row][column], row, column);
    cFundament& f = fundaments[fundament];
    f.autoType = -1;
    f.occupiedCounter = 0;
    f.timer.Restart();
}
