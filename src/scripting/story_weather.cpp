// Story methods: weather, effects and light. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

void Story::StartSnow(int /*mode*/, int /*n*/, int /*c*/) { }

void Story::AddSnow(int /*n*/) { }

void Story::MinusSnow(int /*n*/) { }

void Story::StopSnow() { }

void Story::SetSpeedSnow(double /*speed*/) { }

void Story::StartRain(int /*n*/) { }

void Story::StopRain() { }

void Story::SetSpeedRain(double /*speed*/) { }

void Story::SetWind(int /*wind*/) { }

void Story::StartFog() { }

void Story::StopFog() { }

void Story::SetFogAlpha(int /*alpha*/) { }

void Story::StartClouds(int /*ignored*/) { }

void Story::StopClouds() { }

void Story::SetCloudStop(bool /*stop*/) { }

void Story::SetCloudAlpha(int /*a*/, int /*b*/) { }

void Story::AddCloud(int /*a*/, int /*b*/, int /*c*/, int /*d*/, int /*e*/, int /*f*/) { }

void Story::AddTextureCloud(int /*id*/, const std::string& /*texture*/, float /*alpha*/) { }

void Story::AddBalon(int /*a*/, int /*b*/, int /*c*/, int /*d*/, int /*e*/, int /*f*/) { }

void Story::AddTextureBalon(int /*id*/, const std::string& /*texture*/) { }

void Story::CreateEffects(int /*id*/, const std::string& /*texture*/, int /*a*/, int /*b*/, int /*c*/) { }

void Story::EffectTextureExt(int /*id*/, const std::string& /*texture*/) { }

void Story::CreateMyEffects(int /*place*/, int /*type*/, int /*a*/, float /*speed*/, int /*x*/, int /*y*/) { }

void Story::DeleteMyEffects(int /*id*/) { }

void Story::DeleteEffect(int /*type*/, int /*place*/, int /*x*/, int /*y*/) { }

int Story::ActiveEffects(int /*type*/)
{
    return 0;
}

void Story::StartSmoke(int /*place*/) { }

void Story::SetLevelColor(const std::string& /*component*/, int /*value*/) { }

int Story::GetLevelColor(const std::string& /*component*/, int /*ignored*/)
{
    return 0;
}

bool Story::IsDunkel()
{
    return false;
}

void Story::StartDunkler() { }

void Story::StartHeller() { }

void Story::SetLimitForColorChange(int /*limit*/) { }
