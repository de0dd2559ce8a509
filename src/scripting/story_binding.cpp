#include "scripting/story_binding.h"

#include "scripting/luabind_include.h"

#include "scripting/story.h"

namespace {

// Names reserved for scripted classes; only "Story" is bound.
const char* const g_scriptClassNames[6] = { "Story", "Map", "MapScroller", "Me", "Movement", "Behavior" };

// luabind answers an operator on a bound object through one dispatcher that
// asserts the left operand is such an object; a script writing `1 < Story`
// would end the program. Story has no operators, so each one is refused as a
// script error instead.
int NoOperator(lua_State* L)
{
    return luaL_error(L, "No such operator defined");
}

int SameObject(lua_State* L)
{
    lua_pushboolean(L, lua_rawequal(L, 1, 2));
    return 1;
}

const char* const g_operatorEvents[]
    = { "__add", "__sub", "__mul", "__div", "__mod", "__pow", "__unm", "__concat", "__len", "__lt", "__le", "__call" };

} // namespace

void GuardStoryOperators(lua_State* L)
{
    lua_getglobal(L, g_scriptClassNames[0]);
    if (!lua_getmetatable(L, -1)) {
        lua_pop(L, 1);
        return;
    }
    for (const char* event : g_operatorEvents) {
        lua_getfield(L, -1, event);
        const bool present = !lua_isnil(L, -1);
        lua_pop(L, 1);
        if (present) {
            lua_pushcfunction(L, NoOperator);
            lua_setfield(L, -2, event);
        }
    }
    lua_getfield(L, -1, "__eq");
    const bool hasEq = !lua_isnil(L, -1);
    lua_pop(L, 1);
    if (hasEq) {
        lua_pushcfunction(L, SameObject);
        lua_setfield(L, -2, "__eq");
    }
    lua_pop(L, 2);
}

bool RegisterStory(lua_State* L)
{
    luabind::open(L);
    // Every method under its own name; scripts call them with the exact
    // argument count and types declared here.
    // clang-format off
    luabind::module(L)[luabind::class_<Story>(g_scriptClassNames[0])
        .def("SetFlag", &Story::SetFlag)
        .def("RemoveFlag", &Story::RemoveFlag)
        .def("FlagPresent", &Story::FlagPresent)
        .def("LastFlag", &Story::LastFlag)
        .def("Log", &Story::Log)
        .def("GetMoney", &Story::GetMoney)
        .def("SetMoney", &Story::SetMoney)
        .def("StartMusic", &Story::StartMusic)
        .def("MusicPlay", &Story::MusicPlay)
        .def("StopMusic", &Story::StopMusic)
        .def("StartSound", &Story::StartSound)
        .def("GetCurrentTimerForLevel", &Story::GetCurrentTimerForLevel)
        .def("SetTimeForLevel", &Story::SetTimeForLevel)
        .def("Pause", &Story::Pause)
        .def("AddTransportToAutobahn", &Story::AddTransportToAutobahn)
        .def("AddToStack", &Story::AddToStack)
        .def("SetStackCoordinateAndDirection", &Story::SetStackCoordinateAndDirection)
        .def("StackFree", &Story::StackFree)
        .def("CreatePlace", &Story::CreatePlace)
        .def("CreatePlace111", &Story::CreatePlace111)
        .def("CreateFundament", &Story::CreateFundament)
        .def("PlaceTexture", &Story::PlaceTexture)
        .def("AddAuto", &Story::AddAuto)
        .def("GetAutoFromStack", &Story::GetAutoFromStack)
        .def("MouseAsAuto", &Story::MouseAsAuto)
        .def("StartSmoke", &Story::StartSmoke)
        .def("ActiveEffects", &Story::ActiveEffects)
        .def("GetWorkingAuto", &Story::GetWorkingAuto)
        .def("GetWorkingPlace", &Story::GetWorkingPlace)
        .def("GetNeededPlace", &Story::GetNeededPlace)
        .def("SetState", &Story::SetState)
        .def("SaveCounter", &Story::SaveCounter)
        .def("GetCurrentStack", &Story::GetCurrentStack)
        .def("CreateEffects", &Story::CreateEffects)
        .def("CreateMyEffects", &Story::CreateMyEffects)
        .def("AddBody", &Story::AddBody)
        .def("AddMyBody", &Story::AddMyBody)
        .def("AddOver", &Story::AddOver)
        .def("AddMyOver", &Story::AddMyOver)
        .def("AddSuperOver", &Story::AddSuperOver)
        .def("GetX", &Story::GetX)
        .def("GetY", &Story::GetY)
        .def("SetOffsetForAuto", &Story::SetOffsetForAuto)
        .def("AddPlace", &Story::AddPlace)
        .def("AddFundament", &Story::AddFundament)
        .def("SetSpeedIcon", &Story::SetSpeedIcon)
        .def("GetPlace", &Story::GetPlace)
        .def("ExistWorkPlace", &Story::ExistWorkPlace)
        .def("SetMessage", &Story::SetMessage)
        .def("SetAutoBahn", &Story::SetAutoBahn)
        .def("SetAutoBahnSpeed", &Story::SetAutoBahnSpeed)
        .def("SetAutoBahnPoints", &Story::SetAutoBahnPoints)
        .def("SetPlaceProperty", &Story::SetPlaceProperty)
        .def("GetPlaceProperty", &Story::GetPlaceProperty)
        .def("GetLanguage", &Story::GetLanguage)
        .def("StartSnow", &Story::StartSnow)
        .def("StartRain", &Story::StartRain)
        .def("AddSnow", &Story::AddSnow)
        .def("StopSnow", &Story::StopSnow)
        .def("StopRain", &Story::StopRain)
        .def("SpeedAnimationProcess", &Story::SpeedAnimationProcess)
        .def("SetSpeedSnow", &Story::SetSpeedSnow)
        .def("SetSpeedRain", &Story::SetSpeedRain)
        .def("EffectTextureExt", &Story::EffectTextureExt)
        .def("GetStatePlace", &Story::GetStatePlace)
        .def("SetStatePlace", &Story::SetStatePlace)
        .def("DeleteMyEffects", &Story::DeleteMyEffects)
        .def("GetTotalTimerForLevel", &Story::GetTotalTimerForLevel)
        .def("GetDifficult", &Story::GetDifficult)
        .def("MaxPoints", &Story::MaxPoints)
        .def("GetCurrentTask", &Story::GetCurrentTask)
        .def("GetCurrentService", &Story::GetCurrentService)
        .def("SetAutoParameters", &Story::SetAutoParameters)
        .def("GetRandomAuto", &Story::GetRandomAuto)
        .def("SetProcessTimeInStack", &Story::SetProcessTimeInStack)
        .def("SetProcessTimeInStation", &Story::SetProcessTimeInStation)
        .def("ActivateMessageStatus", &Story::ActivateMessageStatus)
        .def("SetToStackCoordinate", &Story::SetToStackCoordinate)
        .def("SetFromStackCoordinate", &Story::SetFromStackCoordinate)
        .def("EnableAutoForStack", &Story::EnableAutoForStack)
        .def("EnableAutoTypForStack", &Story::EnableAutoTypForStack)
        .def("EnableAutoForAutobahn", &Story::EnableAutoForAutobahn)
        .def("DisableAutoForAutobahn", &Story::DisableAutoForAutobahn)
        .def("TakeFromStack", &Story::TakeFromStack)
        .def("TakeFromAutobahn", &Story::TakeFromAutobahn)
        .def("SetAutoClass", &Story::SetAutoClass)
        .def("GetAutoClass", &Story::GetAutoClass)
        .def("GetModus", &Story::GetModus)
        .def("SetObjectOffsets", &Story::SetObjectOffsets)
        .def("CounterNotBadStation", &Story::CounterNotBadStation)
        .def("GetCurrentUpgrade", &Story::GetCurrentUpgrade)
        .def("GetPatience", &Story::GetPatience)
        .def("GetCurrentPoints", &Story::GetCurrentPoints)
        .def("SetSpeedForPoints", &Story::SetSpeedForPoints)
        .def("GetXSuperBonus", &Story::GetXSuperBonus)
        .def("GetXBonus", &Story::GetXBonus)
        .def("GetCurrTime", &Story::GetCurrTime)
        .def("GetTimeForLevel", &Story::GetTimeForLevel)
        .def("MinusSnow", &Story::MinusSnow)
        .def("GetPlaceCounter", &Story::GetPlaceCounter)
        .def("GetRandomAutoByTyp", &Story::GetRandomAutoByTyp)
        .def("GetPlaceForRepaire", &Story::GetPlaceForRepaire)
        .def("GetLevel", &Story::GetLevel)
        .def("GetRandomAutoAutobahn", &Story::GetRandomAutoAutobahn)
        .def("GetProcessTimeInStation", &Story::GetProcessTimeInStation)
        .def("GetProcessTimeInStack", &Story::GetProcessTimeInStack)
        .def("SetAutobahnDelay", &Story::SetAutobahnDelay)
        .def("GetMessageStatus", &Story::GetMessageStatus)
        .def("GetMessageTarget", &Story::GetMessageTarget)
        .def("GetMessageReal", &Story::GetMessageReal)
        .def("GetActive", &Story::GetActive)
        .def("GetActiveParam", &Story::GetActiveParam)
        .def("GetTimeLimit", &Story::GetTimeLimit)
        .def("AddAward", &Story::AddAward)
        .def("GetParameters", &Story::GetParameters)
        .def("AddToParameters", &Story::AddToParameters)
        .def("Brutal", &Story::Brutal)
        .def("SetAwards", &Story::SetAwards)
        .def("StartFog", &Story::StartFog)
        .def("StackParameterToTask", &Story::StackParameterToTask)
        .def("StackCounter", &Story::StackCounter)
        .def("GameOver", &Story::GameOver)
        .def("AddBalon", &Story::AddBalon)
        .def("AddTextureBalon", &Story::AddTextureBalon)
        .def("AddCloud", &Story::AddCloud)
        .def("AddTextureCloud", &Story::AddTextureCloud)
        .def("DeleteEffect", &Story::DeleteEffect)
        .def("Exist3", &Story::Exist3)
        .def("SetParkingLot", &Story::SetParkingLot)
        .def("GetTypeBonus", &Story::GetTypeBonus)
        .def("GetClassAutoBonus", &Story::GetClassAutoBonus)
        .def("Message", &Story::Message)
        .def("SetPoints", &Story::SetPoints)
        .def("ExistPlaceForBuild", &Story::ExistPlaceForBuild)
        .def("GetBonusList", &Story::GetBonusList)
        .def("GetStationBonus", &Story::GetStationBonus)
        .def("AddIcon", &Story::AddIcon)
        .def("DeleteIcon", &Story::DeleteIcon)
        .def("AddSpecAuto", &Story::AddSpecAuto)
        .def("SetLevelColor", &Story::SetLevelColor)
        .def("SetCounterBonusForSpecAuto", &Story::SetCounterBonusForSpecAuto)
        .def("GetLevelColor", &Story::GetLevelColor)
        .def("StartDunkler", &Story::StartDunkler)
        .def("StartHeller", &Story::StartHeller)
        .def("IsDunkel", &Story::IsDunkel)
        .def("StartClouds", &Story::StartClouds)
        .def("StopClouds", &Story::StopClouds)
        .def("SetWind", &Story::SetWind)
        .def("ExistInAutobahn", &Story::ExistInAutobahn)
        .def("IHaveSpecAuto", &Story::IHaveSpecAuto)
        .def("ICreateSpecAuto", &Story::ICreateSpecAuto)
        .def("GetMyCombo", &Story::GetMyCombo)
        .def("EnableClassAutoForAutobahn", &Story::EnableClassAutoForAutobahn)
        .def("SetDistanceAutobahn", &Story::SetDistanceAutobahn)
        .def("SetProcentAnotherCarsAutobahn", &Story::SetProcentAnotherCarsAutobahn)
        .def("SetStepAutobahn", &Story::SetStepAutobahn)
        .def("StopFog", &Story::StopFog)
        .def("IsEnableClassAutoForAutobahn", &Story::IsEnableClassAutoForAutobahn)
        .def("SaveParam", &Story::SaveParam)
        .def("SetMenuCorner", &Story::SetMenuCorner)
        .def("SetCloudStop", &Story::SetCloudStop)
        .def("SetCloudAlpha", &Story::SetCloudAlpha)
        .def("GetLeftRight", &Story::GetLeftRight)
        .def("SetColor", &Story::SetColor)
        .def("MouseAuto", &Story::MouseAuto)
        .def("Transfer", &Story::Transfer)
        .def("SetLimitForColorChange", &Story::SetLimitForColorChange)
        .def("SetManager", &Story::SetManager)
        .def("GetManager", &Story::GetManager)
        .def("GetBeton", &Story::GetBeton)
        .def("SetBeton", &Story::SetBeton)
        .def("GetModern53", &Story::GetModern53)
        .def("GetCrane", &Story::GetCrane)
        .def("SetCrane", &Story::SetCrane)
        .def("GetAntifog", &Story::GetAntifog)
        .def("GetAntiCloud", &Story::GetAntiCloud)
        .def("SetUpdate", &Story::SetUpdate)
        .def("SetDamage", &Story::SetDamage)
        .def("GetNotDamage", &Story::GetNotDamage)
        .def("SetHelpAuto", &Story::SetHelpAuto)
        .def("GetUpdateColor", &Story::GetUpdateColor)
        .def("SetFogAlpha", &Story::SetFogAlpha)
        .def("GetConsultant", &Story::GetConsultant)
        .def("GetProfi", &Story::GetProfi)
        .def("SetProfi", &Story::SetProfi)
        .def("SetParkingAutos", &Story::SetParkingAutos)
        .def("GetParkingAutos", &Story::GetParkingAutos)
        .def("GetAddParkingAutos", &Story::GetAddParkingAutos)
        .def("GetDamage", &Story::GetDamage)
        .def("GetBuild", &Story::GetBuild)
        .def("GetUpdate", &Story::GetUpdate)
        .def("GetParkingLot", &Story::GetParkingLot)
        .def("GetEntertainment", &Story::GetEntertainment)
        .def("GetWerbung", &Story::GetWerbung)
        .def("ClearUpgrades", &Story::ClearUpgrades)
        .def("SetJoker", &Story::SetJoker)
        .def("GetJoker", &Story::GetJoker)
        .def("SetDrawStation", &Story::SetDrawStation)
        .def("AddAutoToFundament", &Story::AddAutoToFundament)
        .def("GetAutoByTyp", &Story::GetAutoByTyp)
        .def("SetAutoByTyp", &Story::SetAutoByTyp)
        .def("GetCounterEnableAuto", &Story::GetCounterEnableAuto)
        .def("GetElementEnableAuto", &Story::GetElementEnableAuto)
        .def("SetTuv", &Story::SetTuv)
        .def("GetCounterEnableClassAuto", &Story::GetCounterEnableClassAuto)
        .def("GetElementEnableClassAuto", &Story::GetElementEnableClassAuto)
        .def("SetGamePlayMode", &Story::SetGamePlayMode)
        .def("SetBonusConfiguration", &Story::SetBonusConfiguration)
        .def("GetTakeFromStack", &Story::GetTakeFromStack)
        .def("GetXAutobahn", &Story::GetXAutobahn)
        .def("GetYAutobahn", &Story::GetYAutobahn)
        .def("Console", &Story::Console)
        .def("SetActiveUnactivePlace", &Story::SetActiveUnactivePlace)
        .def("GetUpdateX", &Story::GetUpdateX)
        .def("GetUpdateY", &Story::GetUpdateY)
        .def("SetBonusSystem", &Story::SetBonusSystem)
        .def("GetBonusSystem", &Story::GetBonusSystem)
        .def("GetJokerList", &Story::GetJokerList)
        .def("SetLotForBuild", &Story::SetLotForBuild)
        .def("GetFreeLot", &Story::GetFreeLot)
        .def("GetFreePlace", &Story::GetFreePlace)
        .def("IfJoker", &Story::IfJoker)
        .def("GetOnlyAutobahn", &Story::GetOnlyAutobahn)
        .def("SetOnlyAutobahn", &Story::SetOnlyAutobahn)
        .def("SetAutobahnAutosPerType", &Story::SetAutobahnAutosPerType)
        .def("ChoiceAutobahnAutos", &Story::ChoiceAutobahnAutos)
        .def("ChangeNumberInOver", &Story::ChangeNumberInOver)
        .def("AddJoker", &Story::AddJoker)
        .def("SetTypOver", &Story::SetTypOver)
        .def("CreateLot", &Story::CreateLot)
        .def("AddPlaceLot", &Story::AddPlaceLot)
        .def("SetBuildingStatus", &Story::SetBuildingStatus)
        .def("GetBuildingStatus", &Story::GetBuildingStatus)
        .def("SetBuild", &Story::SetBuild)
        .def("MinusPoints", &Story::MinusPoints)
        .def("GetMinusPoints", &Story::GetMinusPoints)
        .def("GetColorPlace", &Story::GetColorPlace)
        .def("SetAutoBahnPointsCity", &Story::SetAutoBahnPointsCity)
        .def("AddTransportToCity", &Story::AddTransportToCity)
        .def("INTRO", &Story::INTRO)
        .def("GetProcentBuilding", &Story::GetProcentBuilding)
        .def("PlaceIsBuild", &Story::PlaceIsBuild)
        .def("NoMinusPoints", &Story::NoMinusPoints)
        .def("AddToLink", &Story::AddToLink)];
    // clang-format on
    luabind::module(L)[luabind::def("DebugPrint", &DebugPrint)];
    return true;
}

void DebugPrint(const char*) { }
