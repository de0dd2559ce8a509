// luabind and the Lua headers, for the scripting files. Debian builds luabind
// in its C++11 mode (unique_ptr where older code had auto_ptr); the headers
// must be read in the same mode or the library's symbols do not match.
// luabind still uses Boost's global bind placeholders; asking for them keeps
// Boost from announcing their deprecation in every file that binds.
#pragma once

#ifndef LUABIND_USE_CXX11
#define LUABIND_USE_CXX11
#endif
#ifndef BOOST_BIND_GLOBAL_PLACEHOLDERS
#define BOOST_BIND_GLOBAL_PLACEHOLDERS
#endif
// Debian builds the library with its C++11 interface (unique_ptr where older
// releases took auto_ptr); the headers must agree or the binding will not link.
#ifndef LUABIND_USE_CXX11
#define LUABIND_USE_CXX11
#endif
#include <luabind/luabind.hpp>
