# Lua 5.1.5, one for every build: compiled here from Debian's lua5.1 source
# package, which scripts/setup.sh unpacks into .deps, with the project's own
# changes (cmake/lua-patches/*.patch, in name order) applied to a copy in the
# build folder; .deps itself is never changed. So the tests, the fuzzer and
# the programs that ship all run the same Lua.
set(LUA_ORIGINAL_DIR "${CMAKE_SOURCE_DIR}/.deps/lua5.1/src" CACHE PATH "Lua 5.1 sources")
if(NOT EXISTS "${LUA_ORIGINAL_DIR}/lua.h")
  message(FATAL_ERROR "No Lua sources in ${LUA_ORIGINAL_DIR}; run scripts/setup.sh")
endif()
find_program(PATCH_PROGRAM patch REQUIRED)

set(LUA_SOURCE_DIR "${CMAKE_BINARY_DIR}/lua5.1/src")
file(GLOB lua_patches "${CMAKE_SOURCE_DIR}/cmake/lua-patches/*.patch")
list(SORT lua_patches)
# Copied and patched afresh whenever a patch changes (cmake runs again).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lua_patches})
file(REMOVE_RECURSE "${CMAKE_BINARY_DIR}/lua5.1")
file(COPY "${LUA_ORIGINAL_DIR}/" DESTINATION "${LUA_SOURCE_DIR}")
foreach(lua_patch IN LISTS lua_patches)
  execute_process(COMMAND "${PATCH_PROGRAM}" -s -p1 -d "${LUA_SOURCE_DIR}" -i "${lua_patch}"
                  RESULT_VARIABLE patched)
  if(NOT patched EQUAL 0)
    message(FATAL_ERROR "${lua_patch} does not apply to ${LUA_ORIGINAL_DIR}")
  endif()
endforeach()

file(GLOB lua_sources "${LUA_SOURCE_DIR}/*.c")
list(FILTER lua_sources EXCLUDE REGEX "/(lua|luac|print)\\.c$")
add_library(lua51 STATIC ${lua_sources})
target_include_directories(lua51 SYSTEM PUBLIC "${LUA_SOURCE_DIR}")
target_compile_options(lua51 PRIVATE -w)
if(NOT WIN32)
  target_compile_definitions(lua51 PRIVATE LUA_USE_POSIX)
endif()
