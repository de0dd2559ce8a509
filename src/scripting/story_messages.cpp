// Story methods: messages, tasks and GUI. Placeholders until this family is built: each
// does nothing and answers 0, so scripts that call them run on.
#include "scripting/story.h"

void Story::SetMessage(int /*n*/, int /*value*/, int /*target*/) { }

void Story::ActivateMessageStatus(int /*n*/) { }

bool Story::GetMessageStatus(int /*n*/)
{
    return false;
}

int Story::GetMessageReal(int /*n*/)
{
    return 0;
}

int Story::GetMessageTarget(int /*n*/)
{
    return 0;
}

int Story::GetActive()
{
    return 0;
}

int Story::GetActiveParam()
{
    return 0;
}

void Story::Message(int /*id*/) { }

int Story::GetCurrentTask()
{
    return 0;
}

int Story::GetCurrentService()
{
    return 0;
}

void Story::AddIcon(int /*id*/, const std::string& /*texture*/) { }

void Story::DeleteIcon(int /*id*/) { }

void Story::SetSpeedIcon(float /*speed*/) { }

void Story::AddBody(int /*id*/, const std::string& /*texture*/) { }

void Story::AddMyBody(int /*id*/, int /*x*/, int /*y*/) { }

void Story::AddOver(int /*id*/, const std::string& /*texture*/) { }

void Story::SetTypOver(int /*id*/, int /*type*/) { }

void Story::AddMyOver(int /*id*/, int /*x*/, int /*y*/) { }

void Story::AddSuperOver(int /*a*/, int /*b*/, int /*c*/) { }

void Story::SetMenuCorner(const std::string& /*corner*/) { }
