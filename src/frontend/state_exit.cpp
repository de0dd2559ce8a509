#include "frontend/state_exit.h"

bool cStateExit::Update(void* /*application*/)
{
    return false;
}
