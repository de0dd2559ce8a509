// luabind and the Lua headers, for the scripting files. luabind still uses
// Boost's global bind placeholders; asking for them keeps Boost from
// announcing their deprecation in every file that binds.
#pragma once

#ifndef BOOST_BIND_GLOBAL_PLACEHOLDERS
#define BOOST_BIND_GLOBAL_PLACEHOLDERS
#endif
#include <luabind/luabind.hpp>
