// Every method of the Lua interface is bound under its name with the argument
// count and types that level scripts rely on: luabind refuses a call whose
// arguments do not match, so a changed signature breaks scripts.
#include <string>

#include <gtest/gtest.h>
#include <lua.hpp>

#include "scripting/script_fixture.h"
#include "scripting/script_host.h"

namespace {

using StoryBinding = test::ScriptTest;

struct Method {
    const char* name;
    const char* arguments; // i int, n number with a fraction, b boolean, s text
};

// In registration order.
const Method kMethods[] = {
    { "SetFlag", "s" },
    { "RemoveFlag", "s" },
    { "FlagPresent", "s" },
    { "LastFlag", "" },
    { "Log", "s" },
    { "GetMoney", "" },
    { "SetMoney", "i" },
    { "StartMusic", "s" },
    { "MusicPlay", "" },
    { "StopMusic", "" },
    { "StartSound", "i" },
    { "GetCurrentTimerForLevel", "" },
    { "SetTimeForLevel", "i" },
    { "Pause", "" },
    { "AddTransportToAutobahn", "ii" },
    { "AddToStack", "ii" },
    { "SetStackCoordinateAndDirection", "iiii" },
    { "StackFree", "i" },
    { "CreatePlace", "iiii" },
    { "CreatePlace111", "iiiii" },
    { "CreateFundament", "iiiii" },
    { "PlaceTexture", "is" },
    { "AddAuto", "iis" },
    { "GetAutoFromStack", "i" },
    { "MouseAsAuto", "" },
    { "StartSmoke", "i" },
    { "ActiveEffects", "i" },
    { "GetWorkingAuto", "" },
    { "GetWorkingPlace", "" },
    { "GetNeededPlace", "" },
    { "SetState", "i" },
    { "SaveCounter", "ii" },
    { "GetCurrentStack", "" },
    { "CreateEffects", "isiii" },
    { "CreateMyEffects", "iiinii" },
    { "AddBody", "is" },
    { "AddMyBody", "iii" },
    { "AddOver", "is" },
    { "AddMyOver", "iii" },
    { "AddSuperOver", "iii" },
    { "GetX", "" },
    { "GetY", "" },
    { "SetOffsetForAuto", "iiii" },
    { "AddPlace", "isi" },
    { "AddFundament", "issi" },
    { "SetSpeedIcon", "n" },
    { "GetPlace", "" },
    { "ExistWorkPlace", "i" },
    { "SetMessage", "iii" },
    { "SetAutoBahn", "ini" },
    { "SetAutoBahnSpeed", "ini" },
    { "SetAutoBahnPoints", "iiiii" },
    { "SetPlaceProperty", "ii" },
    { "GetPlaceProperty", "i" },
    { "GetLanguage", "" },
    { "StartSnow", "iii" },
    { "StartRain", "i" },
    { "AddSnow", "i" },
    { "StopSnow", "" },
    { "StopRain", "" },
    { "SpeedAnimationProcess", "n" },
    { "SetSpeedSnow", "n" },
    { "SetSpeedRain", "n" },
    { "EffectTextureExt", "is" },
    { "GetStatePlace", "i" },
    { "SetStatePlace", "ii" },
    { "DeleteMyEffects", "i" },
    { "GetTotalTimerForLevel", "" },
    { "GetDifficult", "" },
    { "MaxPoints", "i" },
    { "GetCurrentTask", "" },
    { "GetCurrentService", "" },
    { "SetAutoParameters", "iii" },
    { "GetRandomAuto", "i" },
    { "SetProcessTimeInStack", "n" },
    { "SetProcessTimeInStation", "n" },
    { "ActivateMessageStatus", "i" },
    { "SetToStackCoordinate", "iii" },
    { "SetFromStackCoordinate", "iii" },
    { "EnableAutoForStack", "i" },
    { "EnableAutoTypForStack", "i" },
    { "EnableAutoForAutobahn", "iii" },
    { "DisableAutoForAutobahn", "ii" },
    { "TakeFromStack", "i" },
    { "TakeFromAutobahn", "i" },
    { "SetAutoClass", "iii" },
    { "GetAutoClass", "i" },
    { "GetModus", "" },
    { "SetObjectOffsets", "iiii" },
    { "CounterNotBadStation", "" },
    { "GetCurrentUpgrade", "" },
    { "GetPatience", "" },
    { "GetCurrentPoints", "" },
    { "SetSpeedForPoints", "n" },
    { "GetXSuperBonus", "" },
    { "GetXBonus", "" },
    { "GetCurrTime", "" },
    { "GetTimeForLevel", "" },
    { "MinusSnow", "i" },
    { "GetPlaceCounter", "i" },
    { "GetRandomAutoByTyp", "i" },
    { "GetPlaceForRepaire", "" },
    { "GetLevel", "" },
    { "GetRandomAutoAutobahn", "i" },
    { "GetProcessTimeInStation", "" },
    { "GetProcessTimeInStack", "" },
    { "SetAutobahnDelay", "n" },
    { "GetMessageStatus", "i" },
    { "GetMessageTarget", "i" },
    { "GetMessageReal", "i" },
    { "GetActive", "" },
    { "GetActiveParam", "" },
    { "GetTimeLimit", "" },
    { "AddAward", "i" },
    { "GetParameters", "i" },
    { "AddToParameters", "ii" },
    { "Brutal", "" },
    { "SetAwards", "ii" },
    { "StartFog", "" },
    { "StackParameterToTask", "iiii" },
    { "StackCounter", "iii" },
    { "GameOver", "" },
    { "AddBalon", "iiiiii" },
    { "AddTextureBalon", "is" },
    { "AddCloud", "iiiiii" },
    { "AddTextureCloud", "isn" },
    { "DeleteEffect", "iiii" },
    { "Exist3", "" },
    { "SetParkingLot", "i" },
    { "GetTypeBonus", "" },
    { "GetClassAutoBonus", "" },
    { "Message", "i" },
    { "SetPoints", "i" },
    { "ExistPlaceForBuild", "" },
    { "GetBonusList", "" },
    { "GetStationBonus", "i" },
    { "AddIcon", "is" },
    { "DeleteIcon", "i" },
    { "AddSpecAuto", "ii" },
    { "SetLevelColor", "si" },
    { "SetCounterBonusForSpecAuto", "ii" },
    { "GetLevelColor", "si" },
    { "StartDunkler", "" },
    { "StartHeller", "" },
    { "IsDunkel", "" },
    { "StartClouds", "i" },
    { "StopClouds", "" },
    { "SetWind", "i" },
    { "ExistInAutobahn", "i" },
    { "IHaveSpecAuto", "i" },
    { "ICreateSpecAuto", "i" },
    { "GetMyCombo", "ii" },
    { "EnableClassAutoForAutobahn", "ii" },
    { "SetDistanceAutobahn", "i" },
    { "SetProcentAnotherCarsAutobahn", "i" },
    { "SetStepAutobahn", "i" },
    { "StopFog", "" },
    { "IsEnableClassAutoForAutobahn", "i" },
    { "SaveParam", "ii" },
    { "SetMenuCorner", "s" },
    { "SetCloudStop", "b" },
    { "SetCloudAlpha", "ii" },
    { "GetLeftRight", "" },
    { "SetColor", "iii" },
    { "MouseAuto", "" },
    { "Transfer", "" },
    { "SetLimitForColorChange", "i" },
    { "SetManager", "i" },
    { "GetManager", "" },
    { "GetBeton", "" },
    { "SetBeton", "" },
    { "GetModern53", "" },
    { "GetCrane", "" },
    { "SetCrane", "" },
    { "GetAntifog", "" },
    { "GetAntiCloud", "" },
    { "SetUpdate", "i" },
    { "SetDamage", "i" },
    { "GetNotDamage", "" },
    { "SetHelpAuto", "i" },
    { "GetUpdateColor", "" },
    { "SetFogAlpha", "i" },
    { "GetConsultant", "" },
    { "GetProfi", "" },
    { "SetProfi", "i" },
    { "SetParkingAutos", "i" },
    { "GetParkingAutos", "" },
    { "GetAddParkingAutos", "i" },
    { "GetDamage", "" },
    { "GetBuild", "" },
    { "GetUpdate", "" },
    { "GetParkingLot", "" },
    { "GetEntertainment", "" },
    { "GetWerbung", "" },
    { "ClearUpgrades", "" },
    { "SetJoker", "i" },
    { "GetJoker", "" },
    { "SetDrawStation", "i" },
    { "AddAutoToFundament", "iii" },
    { "GetAutoByTyp", "" },
    { "SetAutoByTyp", "b" },
    { "GetCounterEnableAuto", "" },
    { "GetElementEnableAuto", "i" },
    { "SetTuv", "i" },
    { "GetCounterEnableClassAuto", "" },
    { "GetElementEnableClassAuto", "i" },
    { "SetGamePlayMode", "i" },
    { "SetBonusConfiguration", "i" },
    { "GetTakeFromStack", "" },
    { "GetXAutobahn", "" },
    { "GetYAutobahn", "" },
    { "Console", "s" },
    { "SetActiveUnactivePlace", "iiiii" },
    { "GetUpdateX", "" },
    { "GetUpdateY", "" },
    { "SetBonusSystem", "s" },
    { "GetBonusSystem", "" },
    { "GetJokerList", "i" },
    { "SetLotForBuild", "ii" },
    { "GetFreeLot", "" },
    { "GetFreePlace", "" },
    { "IfJoker", "" },
    { "GetOnlyAutobahn", "" },
    { "SetOnlyAutobahn", "i" },
    { "SetAutobahnAutosPerType", "i" },
    { "ChoiceAutobahnAutos", "i" },
    { "ChangeNumberInOver", "iiii" },
    { "AddJoker", "i" },
    { "SetTypOver", "ii" },
    { "CreateLot", "iiiiiii" },
    { "AddPlaceLot", "isiii" },
    { "SetBuildingStatus", "iii" },
    { "GetBuildingStatus", "ii" },
    { "SetBuild", "i" },
    { "MinusPoints", "i" },
    { "GetMinusPoints", "" },
    { "GetColorPlace", "ii" },
    { "SetAutoBahnPointsCity", "iiiiiii" },
    { "AddTransportToCity", "iiii" },
    { "INTRO", "" },
    { "GetProcentBuilding", "" },
    { "PlaceIsBuild", "i" },
    { "NoMinusPoints", "b" },
    { "AddToLink", "iiii" },
};

std::string Argument(char kind)
{
    switch (kind) {
    case 'i':
        return "0";
    case 'n':
        return "0.5";
    case 'b':
        return "false";
    default:
        return "'x'";
    }
}

std::string Call(const Method& m, size_t count, const char* extra = nullptr)
{
    std::string call = std::string("Story:") + m.name + "(";
    for (size_t i = 0; i < count; ++i)
        call += (i ? ", " : "") + Argument(m.arguments[i]);
    if (extra)
        call += (count ? ", " : "") + std::string(extra);
    return call + ")";
}

// A chunk that makes the call and asserts how it went.
std::string Accepted(const std::string& call)
{
    return "local ok, message = pcall(function() " + call + " end) assert(ok, tostring(message))";
}

std::string Refused(const std::string& call)
{
    const std::string check = "assert(not ok and message:find('No matching overload', 1, true), [[" + call + "]])";
    return "local ok, message = pcall(function() " + call + " end) " + check;
}

TEST_F(StoryBinding, EveryMethodTakesExactlyItsArguments)
{
    EXPECT_EQ(std::size(kMethods), 244u);
    const int handle = Scripting::AllocateContext();
    lua_State* L = Scripting::GetContextState(handle);
    for (const Method& m : kMethods) {
        SCOPED_TRACE(m.name);
        const size_t count = std::char_traits<char>::length(m.arguments);
        ASSERT_TRUE(RunChunk(L, std::string("assert(type(Story.") + m.name + ") == 'function')"));

        EXPECT_TRUE(RunChunk(L, Accepted(Call(m, count))));
        // One argument short, and one too many, are both refused.
        if (count > 0) {
            EXPECT_TRUE(RunChunk(L, Refused(Call(m, count - 1))));
        }
        EXPECT_TRUE(RunChunk(L, Refused(Call(m, count, "{}"))));
    }
    Scripting::FreeContext(handle);
}

} // namespace
