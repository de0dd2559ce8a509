// Story methods: places, lots and building. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

void Story::AddPlace(int /*id*/, const std::string& /*name*/, int /*value*/) { }

void Story::AddPlaceLot(int /*id*/, const std::string& /*name*/, int /*a*/, int /*b*/, int /*c*/) { }

void Story::AddFundament(int /*id*/, const std::string& /*texture*/, const std::string& /*texture2*/, int /*value*/) { }

void Story::CreatePlace(int /*type*/, int /*row*/, int /*column*/, int /*direction*/) { }

void Story::CreatePlace111(int /*type*/, int /*row*/, int /*column*/, int /*direction*/, int /*extra*/) { }

void Story::CreateFundament(int /*texture*/, int /*row*/, int /*column*/, int /*direction*/, int /*value*/) { }

void Story::CreateLot(int /*a*/, int /*b*/, int /*c*/, int /*d*/, int /*e*/, int /*f*/, int /*g*/) { }

void Story::PlaceTexture(int /*number*/, const std::string& /*name*/) { }

void Story::SetLotForBuild(int /*row*/, int /*column*/) { }

void Story::AddToLink(int /*a*/, int /*b*/, int /*c*/, int /*d*/) { }

int Story::GetPlaceCounter(int /*type*/)
{
    return 0;
}

int Story::GetFreePlace()
{
    return 0;
}

int Story::CounterNotBadStation()
{
    return 0;
}

int Story::GetPlaceForRepaire()
{
    return 0;
}

int Story::ExistWorkPlace(int /*type*/)
{
    return 0;
}

int Story::GetPlaceProperty(int /*type*/)
{
    return 0;
}

int Story::GetPlace()
{
    return 0;
}

void Story::SetPlaceProperty(int /*index*/, int /*value*/) { }

int Story::GetStatePlace(int /*index*/)
{
    return 0;
}

void Story::SetStatePlace(int /*index*/, int /*state*/) { }

void Story::SetActiveUnactivePlace(int /*type*/, int /*x*/, int /*y*/, int /*a*/, int /*b*/) { }

void Story::ChangeNumberInOver(int /*ignored*/, int /*x*/, int /*y*/, int /*code*/) { }

int Story::GetColorPlace(int /*row*/, int /*column*/)
{
    return 0;
}

void Story::AddAutoToFundament(int /*row*/, int /*column*/, int /*car*/) { }

void Story::SetBuildingStatus(int /*row*/, int /*column*/, int /*status*/) { }

int Story::GetBuildingStatus(int /*row*/, int /*column*/)
{
    return 0;
}

bool Story::PlaceIsBuild(int /*kind*/)
{
    return false;
}

bool Story::ExistPlaceForBuild()
{
    return false;
}

int Story::GetFreeLot()
{
    return 0;
}

int Story::GetProcentBuilding()
{
    return 0;
}

int Story::GetBuild()
{
    return 0;
}

void Story::SetBuild(int /*value*/) { }

void Story::SetDrawStation(int /*on*/) { }

int Story::GetX()
{
    return 0;
}

int Story::GetY()
{
    return 0;
}

int Story::GetWorkingPlace()
{
    return 0;
}

int Story::GetNeededPlace()
{
    return 0;
}
