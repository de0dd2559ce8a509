// Story methods: the stack. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

void Story::SetStackCoordinateAndDirection(int /*slot*/, int /*x*/, int /*y*/, int /*direction*/) { }

void Story::SetToStackCoordinate(int /*slot*/, int /*x*/, int /*y*/) { }

void Story::SetFromStackCoordinate(int /*slot*/, int /*x*/, int /*y*/) { }

void Story::AddToStack(int /*slot*/, int /*car*/) { }

int Story::GetAutoFromStack(int /*slot*/)
{
    return 0;
}

int Story::StackFree(int /*slot*/)
{
    return 0;
}

int Story::GetCurrentStack()
{
    return 0;
}

void Story::EnableAutoForStack(int /*autoClass*/) { }

void Story::EnableAutoTypForStack(int /*type*/) { }

int Story::GetCounterEnableAuto()
{
    return 0;
}

int Story::GetElementEnableAuto(int /*i*/)
{
    return 0;
}

int Story::GetCounterEnableClassAuto()
{
    return 0;
}

int Story::GetElementEnableClassAuto(int /*i*/)
{
    return 0;
}

void Story::TakeFromStack(int /*value*/) { }

int Story::GetTakeFromStack()
{
    return 0;
}

void Story::StackParameterToTask(int /*a*/, int /*b*/, int /*c*/, int /*d*/) { }

void Story::StackCounter(int /*count*/, int /*limit*/, int /*flag*/) { }
