# Build-wide flags and the helpers that make the project's libraries.

if(VANDREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VANDREL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Our own code builds without warnings; third-party headers come in as system
# headers through their imported targets.
function(vandrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# luabind (Debian, over Lua 5.2) places its object records in Lua userdata,
# which Lua aligns to 8 bytes while the records ask for 16. The accesses are
# harmless on x86-64, so the alignment check is switched off for code that
# instantiates luabind templates (the scripting folders).
function(vandrel_luabind_sources)
  if(VANDREL_SANITIZE OR VANDREL_FUZZ)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "-fno-sanitize=alignment")
  endif()
endfunction()

function(vandrel_standin name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
  vandrel_warnings(${name})
endfunction()

function(vandrel_game_library name)
  set(all)
  foreach(folder IN LISTS ARGN)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
    list(APPEND all ${sources})
  endforeach()
  list(REMOVE_ITEM all ${PROJECT_SOURCE_DIR}/src/app/main.cpp)
  file(GLOB_RECURSE scripting CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/scripting/*.cpp)
  vandrel_luabind_sources(${scripting})
  add_library(${name} STATIC ${all})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC vandrel_platform vandrel_engine vandrel_sound
    PkgConfig::LUABIND PkgConfig::LUA PkgConfig::TINYXML2 ZLIB::ZLIB Threads::Threads)
  vandrel_warnings(${name})
endfunction()
