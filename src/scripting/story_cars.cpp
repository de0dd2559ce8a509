// Story methods: cars and the road. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

void Story::AddAuto(int /*type*/, int /*variant*/, const std::string& /*name*/) { }

void Story::SetAutoParameters(int /*type*/, int /*colourGroup*/, int /*value*/) { }

void Story::SetAutoClass(int /*type*/, int /*autoClass*/, int /*secondClass*/) { }

int Story::GetAutoClass(int /*type*/)
{
    return 0;
}

int Story::GetRandomAuto(int /*kind*/)
{
    return 0;
}

int Story::GetRandomAutoByTyp(int /*autoClass*/)
{
    return 0;
}

bool Story::GetAutoByTyp()
{
    return false;
}

void Story::SetAutoByTyp(bool /*on*/) { }

void Story::SetOffsetForAuto(int /*a*/, int /*b*/, int /*c*/, int /*d*/) { }

void Story::SetObjectOffsets(int /*a*/, int /*b*/, int /*c*/, int /*d*/) { }

bool Story::IHaveSpecAuto(int /*type*/)
{
    return false;
}

bool Story::ICreateSpecAuto(int /*type*/)
{
    return false;
}

void Story::AddSpecAuto(int /*ignored*/, int /*type*/) { }

void Story::SetColor(int /*row*/, int /*column*/, int /*colour*/) { }

bool Story::MouseAuto()
{
    return false;
}

bool Story::MouseAsAuto()
{
    return false;
}

void Story::SetHelpAuto(int /*on*/) { }

void Story::SetDamage(int /*mode*/) { }

int Story::GetDamage()
{
    return 0;
}

int Story::GetNotDamage()
{
    return 0;
}

int Story::GetWorkingAuto()
{
    return 0;
}

bool Story::Transfer()
{
    return false;
}

void Story::SetParkingAutos(int /*count*/) { }

int Story::GetParkingAutos()
{
    return 0;
}

int Story::GetAddParkingAutos(int /*i*/)
{
    return 0;
}

void Story::SetParkingLot(int /*value*/) { }

int Story::GetParkingLot()
{
    return 0;
}

void Story::SetAutoBahn(int /*id*/, double /*speed*/, int /*a*/) { }

void Story::SetAutoBahnSpeed(int /*id*/, double /*speed*/, int /*a*/) { }

void Story::SetAutoBahnPoints(int /*id*/, int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) { }

void Story::SetAutoBahnPointsCity(int /*a*/, int /*b*/, int /*c*/, int /*d*/, int /*e*/, int /*f*/, int /*g*/) { }

int Story::GetXAutobahn()
{
    return 0;
}

int Story::GetYAutobahn()
{
    return 0;
}

void Story::SetDistanceAutobahn(int /*d*/) { }

void Story::SetProcentAnotherCarsAutobahn(int /*percent*/) { }

void Story::SetStepAutobahn(int /*step*/) { }

void Story::SetAutobahnDelay(double /*seconds*/) { }

int Story::GetOnlyAutobahn()
{
    return 0;
}

void Story::SetOnlyAutobahn(int /*ignored*/) { }

void Story::TakeFromAutobahn(int /*on*/) { }

void Story::EnableAutoForAutobahn(int /*a*/, int /*b*/, int /*flag*/) { }

void Story::DisableAutoForAutobahn(int /*a*/, int /*b*/) { }

void Story::EnableClassAutoForAutobahn(int /*a*/, int /*autoClass*/) { }

bool Story::IsEnableClassAutoForAutobahn(int /*autoClass*/)
{
    return false;
}

bool Story::ExistInAutobahn(int /*type*/)
{
    return false;
}

int Story::GetRandomAutoAutobahn(int /*road*/)
{
    return 0;
}

void Story::AddTransportToAutobahn(int /*road*/, int /*count*/) { }

void Story::AddTransportToCity(int /*a*/, int /*b*/, int /*c*/, int /*d*/) { }

void Story::SetAutobahnAutosPerType(int /*ignored*/) { }

void Story::ChoiceAutobahnAutos(int /*type*/) { }

int Story::GetLeftRight()
{
    return 0;
}

int Story::GetAutoColor(int /*type*/)
{
    return -1;
}
