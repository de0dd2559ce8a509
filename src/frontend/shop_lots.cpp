// The station's lots in the shop: the grid layout, the per-frame lot pass
// with its offers, purchases, extensions and sales, the hover outline and the
// station editor's clicks that restyle a lot.
#include <cstdio>

#include "engine/gfx.h"
#include "frontend/shop.h"
#include "platform/win_types.h"
#include "resources/log.h"
#include "scripting/story.h"
#include "sound/sound_engine.h"
#include "world/game_world.h"
#include "world/player_file_rule.h"
#include "world/settings.h"

namespace Scene {

namespace {
    constexpr int kNotBuilt = 0;
    constexpr int kBuilt = 9;
    constexpr int kExtended = 11;
    constexpr int kLayoutRows = 15;
    constexpr int kLayoutColumns = 13;
    // The notice line of a trade that could not be saved and was undone.
    constexpr int kTradeNotMadeText = 153;

    float Sx()
    {
        return cSettings::Instance().scaleX;
    }
    float Sy()
    {
        return cSettings::Instance().scaleY;
    }
    int ScaleX(float design)
    {
        return static_cast<int>(design / Sx());
    }
    int ScaleY(float design)
    {
        return static_cast<int>(design / Sy());
    }
    bool InGrid(int row, int col)
    {
        return row >= 0 && row < world::kGridSize && col >= 0 && col < world::kGridSize;
    }
    // The starting forecourt's pump islands: built from the start and never
    // extended.
    bool IsPumpIsland(int row, int col)
    {
        return row == 2 && col >= 2 && col <= 6;
    }

    // The scenery a Shift-click puts on a lot, by kind 10..45.
    std::wstring SceneryImage(int kind, bool alternateHouse)
    {
        static const wchar_t* const kOthers[] = { L"car_red", L"car_black", L"car_blue", L"car_green", L"car_yellow" };
        wchar_t name[32] = {};
        if (kind == 16 && alternateHouse)
            return L"house_07m";
        if (kind >= 10 && kind <= 31)
            std::swprintf(name, 32, L"house_%02d", kind - 9);
        else if (kind >= 32 && kind <= 40)
            std::swprintf(name, 32, L"tree_%02d", kind - 31);
        else if (kind >= 41 && kind <= 45)
            return kOthers[kind - 41];
        return name;
    }

    void PlaySaleSound()
    {
        cGameWorld& world = cGameWorld::Instance();
        if (!world.soundEngine)
            return;
        if (iSoundInstance* sound = world.soundEngine->Play2D("data/sound/wav/bonus5.wav")) {
            sound->SetVolume(world.effectsVolume);
            // Nobody asks after this sound again: hand it back so it is freed
            // once it has played.
            sound->Release();
        }
    }

} // namespace

void Shop::LayoutStation()
{
    LayoutCells();
    cGameWorld& world = cGameWorld::Instance();
    for (int r = 0; r < world::kGridSize; ++r) {
        for (int c = 0; c < world::kGridSize; ++c) {
            world.lotStatus[r][c] = 0;
            world.lotFundamentTexture[r][c] = 0;
            world.lotPlaceType[r][c] = 0;
        }
    }
}

void Shop::LayoutCells()
{
    cGameWorld& world = cGameWorld::Instance();
    const int x0 = ScaleX(507.0f);
    const int y0 = ScaleY(282.0f);
    world.gridAnchorX = x0;
    world.gridAnchorY = y0;
    const int rx = ScaleX(58.0f);
    const int ry = ScaleY(71.0f);
    const int cx = ScaleX(100.0f);
    const int cy = ScaleY(41.0f);
    for (int c = 0; c < kLayoutColumns; ++c) {
        const int colX = x0 - (c - 4) * cx;
        const int colY = y0 + (c - 4) * cy;
        for (int r = 0; r < kLayoutRows; ++r) {
            world.cellX[r][c] = colX + (r - 4) * rx;
            world.cellY[r][c] = colY + (r - 4) * ry;
        }
    }
}

int Shop::GetLotPrice(int row, int col) const
{
    const int f = cGameWorld::Instance().FindFundamentAt(row, col);
    return f < 0 ? 0 : cGameWorld::Instance().fundaments[static_cast<size_t>(f)].lotValue;
}

bool Shop::IsStationComplete() const
{
    for (const cFundament& f : cGameWorld::Instance().fundaments) {
        if (f.content > 0 && f.status < kBuilt)
            return false;
    }
    return true;
}

bool Shop::AreLotLinksBuilt(int row, int col) const
{
    const cGameWorld& world = cGameWorld::Instance();
    for (const cLink& link : world.links) {
        if (link.a != row || link.b != col)
            continue;
        for (const cFundament& f : world.fundaments) {
            if (f.row == link.c && f.linkColumn == link.d && f.status == kNotBuilt)
                return false;
        }
    }
    return true;
}

bool Shop::IsMouseOverLot(int row, int col) const
{
    if (!InGrid(row, col))
        return false;
    const cGameWorld& world = cGameWorld::Instance();
    const int x = world.cellX[row][col];
    const int y = world.cellY[row][col];
    const int xs[5] = { x, x + ScaleX(100.0f), x + ScaleX(147.0f), x + ScaleX(47.0f), x };
    const int ys[5]
        = { y + ScaleY(141.0f), y + ScaleY(107.0f), y + ScaleY(173.0f), y + ScaleY(210.0f), y + ScaleY(141.0f) };
    const int mouseX = g_pInputDevice ? g_pInputDevice->GetMouseX() : 0;
    const int mouseY = g_pInputDevice ? g_pInputDevice->GetMouseY() : 0;
    return cGameWorld::PointInPolygon(5, xs, ys, mouseX, mouseY);
}

void Shop::DrawPendingBubble()
{
    if (!pendingBubble.name.empty())
        DrawLotBubble(pendingBubble.mode, pendingBubble.name, pendingBubble.x, pendingBubble.y, pendingBubble.price);
    pendingBubble = {};
}

bool Shop::Trade(cFundament& f, int state, int amount)
{
    cGameWorld& world = cGameWorld::Instance();
    const int row = f.row;
    const int col = f.column;
    const int money = world.money;
    const int status = f.status;
    const int alpha = f.alpha;
    const int cellStatus = world.lotStatus[row][col];
    const int cellTable = world.lotTable[row][col];
    const bool upgrade = f.content >= 0 && f.content < world::kUpgradeKinds;
    const int bought = upgrade ? world.upgradeBought[f.content] : 0;

    world.money += amount;
    f.status = state;
    world.lotStatus[row][col] = state;
    world.lotTable[row][col] = state;
    if (state == kNotBuilt) {
        if (upgrade)
            world.upgradeBought[f.content] = 0;
    } else {
        // The new building fades in.
        f.alpha = 0;
    }
    // Where nothing can be saved (the player was told so at the start) the
    // game plays on in memory, and so does the shop.
    const bool saving = cSettings::Instance().canSave && !world.userFolder.empty();
    if (!saving || world.SaveTrade())
        return true;

    // Not in both files, so not made: the station and the money are as they
    // were, and the notice says why.
    world.money = money;
    f.status = status;
    f.alpha = alpha;
    world.lotStatus[row][col] = cellStatus;
    world.lotTable[row][col] = cellTable;
    if (upgrade)
        world.upgradeBought[f.content] = bought;
    world::SetPlayerFileNotice(world, kTradeNotMadeText);
    cLog::Instance().Error(
        L"Scene::Shop::Trade -> the trade on lot %d, %d could not be saved; it is undone.", row, col);
    return false;
}

void Shop::DrawStation()
{
    cGameWorld& world = cGameWorld::Instance();
    world.SelectLevelTask(world.furthestLevel);
    const int taskKind = world.taskKind;
    const int taskRow = world.taskLotRow;
    const int taskCol = world.taskLotColumn;
    const bool taskLotOpen = taskKind != -1 && InGrid(taskRow, taskCol) && world.lotStatus[taskRow][taskCol] == 0
        && GetLotPrice(taskRow, taskCol) <= world.money;
    const bool complete = IsStationComplete();
    // Restyling a lot with Shift or Alt held belongs to the station editor;
    // in play those keys leave a click an ordinary click.
    const bool editor = cSettings::Instance().editorMode != 0;
    LotBubble& bubble = pendingBubble;
    bubble = {};

    for (cFundament& f : world.fundaments) {
        const int row = f.row;
        const int col = f.column;
        // Lots come from the script through a checked CreateLot; a cell
        // outside the tables is passed over all the same.
        if (!InGrid(row, col))
            continue;
        const int x = world.cellX[row][col];
        const int y = world.cellY[row][col];
        if (f.status != kExtended)
            DrawTinted(f.texture, x, y, 255);

        const bool isTaskLot = taskKind > -1 && taskKind == f.content && taskRow == row && taskCol == col;
        if (world.lotStatus[row][col] == kNotBuilt) {
            if (isTaskLot) {
                if (blinkTimer.Elapsed() > 0.017) {
                    blinkTimer.Restart();
                    blinkAlpha += blinkFalling ? -15 : 15;
                    if (blinkAlpha >= 255) {
                        blinkAlpha = 255;
                        blinkFalling = true;
                    } else if (blinkAlpha <= 0) {
                        blinkAlpha = 0;
                        blinkFalling = false;
                    }
                }
                DrawTinted(world.money >= f.lotValue ? L"platform_over_green.png" : L"platform_over_red.png", x, y,
                    blinkAlpha);
            } else if (!AreLotLinksBuilt(row, col)) {
                continue;
            }
        }

        if (world.treeSelection == -1 && world.lotInteractive[row][col] == 1 && IsMouseOverLot(row, col)) {
            if (editor && world.keyLeftAlt && world.leftClick) {
                world.keyLeftShift = 0;
                world.leftClick = 0;
                world.keyLeftAlt = 0;
                if (f.texture == L"platform_56.png") {
                    f.texture = L"platform_57.png";
                    f.textureId = 57;
                } else if (f.texture == L"platform_57.png") {
                    f.texture = L"platform_58.png";
                    f.textureId = 58;
                } else if (f.texture == L"platform_58.png") {
                    f.texture = L"platform_56.png";
                    f.textureId = 56;
                }
            }
            if (editor && world.keyLeftShift && world.leftClick) {
                world.keyLeftShift = 0;
                world.leftClick = 0;
                world.sceneryCycle = world.sceneryCycle < 6 ? 10 : world.sceneryCycle + 1;
                if (world.sceneryCycle > 45)
                    world.sceneryCycle = 10;
                f.content = world.sceneryCycle;
                f.status = kBuilt;
                f.objectOffsetX = 0;
                f.objectOffsetY = 0;
                f.placeTexture = SceneryImage(world.sceneryCycle, world.alternateHouse != 0);
                break;
            }
            const std::wstring name = world.GetPlaceName(row, col);
            const int state = world.lotStatus[row][col];
            if (state == kNotBuilt) {
                const bool offered = isTaskLot || (!taskLotOpen && world.lotFreeBuy[row][col] == 1);
                if (offered) {
                    bubble = { name, x + ScaleX(90.0f), y + ScaleX(90.0f), f.lotValue, 2 };
                    if (world.money >= f.lotValue) {
                        DrawTinted(L"platform_over_green.png", x, y, 255);
                        bubble.mode = 1;
                        if (world.leftClick) {
                            world.leftClick = 0;
                            if (Trade(f, kBuilt, -f.lotValue))
                                Story::Instance().PlaySound("bonus5");
                        }
                    } else {
                        DrawTinted(L"platform_over_red.png", x, y, 255);
                    }
                }
            } else if (complete) {
                if (state == kBuilt && !IsPumpIsland(row, col)) {
                    const int half = f.lotValue / 2;
                    bubble = { name, x + 90, y + 90, half, 5 };
                    if (world.money >= half) {
                        DrawTinted(L"platform_over_green.png", x, y, 255);
                        bubble.mode = 4;
                        if (world.leftClick) {
                            world.leftClick = 0;
                            if (Trade(f, kExtended, -half))
                                Story::Instance().PlaySound("bonus5");
                        }
                    } else {
                        DrawTinted(L"platform_over_red.png", x, y, 255);
                    }
                }
            } else {
                bubble = { name, x + 90, y + 90, f.lotValue, 0 };
                DrawTinted(L"platform_over.png", x, y, 255);
                if (world.lotFreeBuy[row][col] == 1 && world.lotSellable[row][col] == 1) {
                    bubble.mode = 3;
                    if (world.leftClick) {
                        world.leftClick = 0;
                        if (Trade(f, kNotBuilt, f.lotValue / 2))
                            PlaySaleSound();
                    }
                }
            }
        }

        const int state = world.lotStatus[row][col];
        const int bx = x + ScaleX(static_cast<float>(f.objectOffsetX));
        const int by = y + ScaleY(static_cast<float>(f.objectOffsetY));
        if (state == kBuilt)
            DrawTinted(f.placeTexture, bx, by, f.alpha);
        else if (state == kExtended)
            DrawTinted(f.placeTexture + L"m", bx, by, f.alpha);
    }

    if (revealTimer.Elapsed() > 0.017) {
        revealTimer.Restart();
        for (cFundament& f : world.fundaments) {
            if (f.alpha < 0)
                f.alpha = 0;
            f.alpha += 5;
            if (f.alpha > 255)
                f.alpha = 255;
        }
    }
}

} // namespace Scene
