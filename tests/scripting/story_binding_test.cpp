// Every method of the Lua interface is bound under its name with the argument
// count and types that level scripts rely on: luabind refuses a call whose
// arguments do not match, so a changed signature breaks scripts.
#include <any>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "scripting/script_fixture.h"
#include "scripting/story.h"
#include "scripting/story_binding.h"
#include "world/game_world.h"

namespace {

using StoryBinding = test::ScriptTest;

// In registration order, name:arguments with i an int, n a number with a
// fraction, b a boolean, s a text.
const char* const kMethods
    = "SetFlag:s RemoveFlag:s FlagPresent:s LastFlag: Log:s GetMoney: SetMoney:i StartMusic:s MusicPlay: StopMusic: "
      "StartSound:i GetCurrentTimerForLevel: SetTimeForLevel:i Pause: AddTransportToAutobahn:ii AddToStack:ii "
      "SetStackCoordinateAndDirection:iiii StackFree:i CreatePlace:iiii CreatePlace111:iiiii CreateFundament:iiiii "
      "PlaceTexture:is AddAuto:iis GetAutoFromStack:i MouseAsAuto: StartSmoke:i ActiveEffects:i GetWorkingAuto: "
      "GetWorkingPlace: GetNeededPlace: SetState:i SaveCounter:ii GetCurrentStack: CreateEffects:isiii "
      "CreateMyEffects:iiinii AddBody:is AddMyBody:iii AddOver:is AddMyOver:iii AddSuperOver:iii GetX: GetY: "
      "SetOffsetForAuto:iiii AddPlace:isi AddFundament:issi SetSpeedIcon:n GetPlace: ExistWorkPlace:i SetMessage:iii "
      "SetAutoBahn:ini SetAutoBahnSpeed:ini SetAutoBahnPoints:iiiii SetPlaceProperty:ii GetPlaceProperty:i "
      "GetLanguage: "
      "StartSnow:iii StartRain:i AddSnow:i StopSnow: StopRain: SpeedAnimationProcess:n SetSpeedSnow:n SetSpeedRain:n "
      "EffectTextureExt:is GetStatePlace:i SetStatePlace:ii DeleteMyEffects:i GetTotalTimerForLevel: GetDifficult: "
      "MaxPoints:i GetCurrentTask: GetCurrentService: SetAutoParameters:iii GetRandomAuto:i SetProcessTimeInStack:n "
      "SetProcessTimeInStation:n ActivateMessageStatus:i SetToStackCoordinate:iii SetFromStackCoordinate:iii "
      "EnableAutoForStack:i EnableAutoTypForStack:i EnableAutoForAutobahn:iii DisableAutoForAutobahn:ii "
      "TakeFromStack:i "
      "TakeFromAutobahn:i SetAutoClass:iii GetAutoClass:i GetModus: SetObjectOffsets:iiii CounterNotBadStation: "
      "GetCurrentUpgrade: GetPatience: GetCurrentPoints: SetSpeedForPoints:n GetXSuperBonus: GetXBonus: GetCurrTime: "
      "GetTimeForLevel: MinusSnow:i GetPlaceCounter:i GetRandomAutoByTyp:i GetPlaceForRepaire: GetLevel: "
      "GetRandomAutoAutobahn:i GetProcessTimeInStation: GetProcessTimeInStack: SetAutobahnDelay:n GetMessageStatus:i "
      "GetMessageTarget:i GetMessageReal:i GetActive: GetActiveParam: GetTimeLimit: AddAward:i GetParameters:i "
      "AddToParameters:ii Brutal: SetAwards:ii StartFog: StackParameterToTask:iiii StackCounter:iii GameOver: "
      "AddBalon:iiiiii AddTextureBalon:is AddCloud:iiiiii AddTextureCloud:isn DeleteEffect:iiii Exist3: "
      "SetParkingLot:i "
      "GetTypeBonus: GetClassAutoBonus: Message:i SetPoints:i ExistPlaceForBuild: GetBonusList: GetStationBonus:i "
      "AddIcon:is DeleteIcon:i AddSpecAuto:ii SetLevelColor:si SetCounterBonusForSpecAuto:ii GetLevelColor:si "
      "StartDunkler: StartHeller: IsDunkel: StartClouds:i StopClouds: SetWind:i ExistInAutobahn:i IHaveSpecAuto:i "
      "ICreateSpecAuto:i GetMyCombo:ii EnableClassAutoForAutobahn:ii SetDistanceAutobahn:i "
      "SetProcentAnotherCarsAutobahn:i SetStepAutobahn:i StopFog: IsEnableClassAutoForAutobahn:i SaveParam:ii "
      "SetMenuCorner:s SetCloudStop:b SetCloudAlpha:ii GetLeftRight: SetColor:iii MouseAuto: Transfer: "
      "SetLimitForColorChange:i SetManager:i GetManager: GetBeton: SetBeton: GetModern53: GetCrane: SetCrane: "
      "GetAntifog: GetAntiCloud: SetUpdate:i SetDamage:i GetNotDamage: SetHelpAuto:i GetUpdateColor: SetFogAlpha:i "
      "GetConsultant: GetProfi: SetProfi:i SetParkingAutos:i GetParkingAutos: GetAddParkingAutos:i GetDamage: "
      "GetBuild: "
      "GetUpdate: GetParkingLot: GetEntertainment: GetWerbung: ClearUpgrades: SetJoker:i GetJoker: SetDrawStation:i "
      "AddAutoToFundament:iii GetAutoByTyp: SetAutoByTyp:b GetCounterEnableAuto: GetElementEnableAuto:i SetTuv:i "
      "GetCounterEnableClassAuto: GetElementEnableClassAuto:i SetGamePlayMode:i SetBonusConfiguration:i "
      "GetTakeFromStack: GetXAutobahn: GetYAutobahn: Console:s SetActiveUnactivePlace:iiiii GetUpdateX: GetUpdateY: "
      "SetBonusSystem:s GetBonusSystem: GetJokerList:i SetLotForBuild:ii GetFreeLot: GetFreePlace: IfJoker: "
      "GetOnlyAutobahn: SetOnlyAutobahn:i SetAutobahnAutosPerType:i ChoiceAutobahnAutos:i ChangeNumberInOver:iiii "
      "AddJoker:i SetTypOver:ii CreateLot:iiiiiii AddPlaceLot:isiii SetBuildingStatus:iii GetBuildingStatus:ii "
      "SetBuild:i MinusPoints:i GetMinusPoints: GetColorPlace:ii SetAutoBahnPointsCity:iiiiiii AddTransportToCity:iiii "
      "INTRO: GetProcentBuilding: PlaceIsBuild:i NoMinusPoints:b AddToLink:iiii ";

std::string Call(const std::string& name, const std::string& kinds, const char* extra = nullptr)
{
    std::string arguments;
    for (char kind : kinds)
        arguments += std::string(kind == 'i' ? "0" : kind == 'n' ? "0.5" : kind == 'b' ? "false" : "'x'") + ", ";
    if (extra)
        arguments += std::string(extra) + ", ";
    return "pcall(function() Story:" + name + "(" + arguments.substr(0, arguments.size() - 2) + ") end)";
}

TEST_F(StoryBinding, EveryMethodTakesExactlyItsArguments)
{
    std::istringstream methods(kMethods);
    std::string entry;
    int count = 0;
    const std::string refused = " assert(not ok and m:find('No matching overload', 1, true))";
    while (methods >> entry) {
        SCOPED_TRACE(entry);
        ++count;
        const std::string name = entry.substr(0, entry.find(':')), kinds = entry.substr(entry.find(':') + 1);
        ASSERT_TRUE(Holds("type(Story." + name + ") == 'function'"));
        EXPECT_TRUE(Run("local ok, m = " + Call(name, kinds) + " assert(ok, tostring(m))"));
        // One argument short, and one too many, are both refused.
        EXPECT_TRUE(kinds.empty() || Run("local ok, m = " + Call(name, kinds.substr(0, kinds.size() - 1)) + refused));
        EXPECT_TRUE(Run("local ok, m = " + Call(name, kinds, "{}") + refused));
    }
    EXPECT_EQ(count, 244);
}

// A value of a registered type arrives in Lua as it would as a global (the
// Story pointer as the bound object); any other value arrives as nil, so the
// stack always grows by one.
TEST_F(StoryBinding, HeldValuesArePushedByTheirType)
{
    cGameWorld::Instance().level = 12;
    Story* story = &Story::Instance();
    const struct {
        std::any value;
        const char* check; // holds for the global "pushed"
        bool warns;
    } cases[] = {
        { story, "type(pushed) == 'userdata' and pushed:GetLevel() == 12", false },
        { 12, "pushed == nil", true },
        { std::string("Story"), "pushed == nil", true },
        { static_cast<const Story*>(story), "pushed == nil", true },
        { std::any(), "pushed == nil", true },
    };
    lua_State* L = State();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.check);
        ASSERT_TRUE(Run("pushed = 'before'"));
        TakeLog();
        const int top = lua_gettop(L);
        PushAnyValue(L, c.value);
        ASSERT_EQ(lua_gettop(L), top + 1);
        lua_setglobal(L, "pushed");
        EXPECT_TRUE(Holds(c.check));
        EXPECT_EQ(TakeLog().size(), c.warns ? 1u : 0u);
    }
    // The registry's reset forgets the pushers with the globals; the next
    // export brings both back.
    ClearScriptRegistry();
    PushAnyValue(L, std::any(story));
    EXPECT_TRUE(lua_isnil(L, -1));
    lua_pop(L, 1);
    ASSERT_TRUE(ExportStory());
    PushAnyValue(L, std::any(story));
    lua_setglobal(L, "pushed");
    EXPECT_TRUE(Holds("pushed:GetLevel() == 12"));
}

} // namespace
