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
# Copied and patched afresh only when the sources or a patch changed (cmake
# runs again when a patch does): a patched file is stamped anew, and every
# Lua source includes luaconf.h, so a copy made at each configure would
# compile all of Lua again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lua_patches})
file(GLOB lua_originals LIST_DIRECTORIES false "${LUA_ORIGINAL_DIR}/*")
set(lua_inputs "")
foreach(lua_input IN LISTS lua_originals lua_patches)
  file(SHA256 "${lua_input}" lua_sum)
  string(APPEND lua_inputs "${lua_input} ${lua_sum}\n")
endforeach()
set(lua_stamp "${CMAKE_BINARY_DIR}/lua5.1/inputs.txt")
set(lua_copied "")
if(EXISTS "${lua_stamp}")
  file(READ "${lua_stamp}" lua_copied)
endif()
if(NOT lua_copied STREQUAL lua_inputs)
  file(REMOVE_RECURSE "${CMAKE_BINARY_DIR}/lua5.1")
  file(COPY "${LUA_ORIGINAL_DIR}/" DESTINATION "${LUA_SOURCE_DIR}")
  foreach(lua_patch IN LISTS lua_patches)
    execute_process(COMMAND "${PATCH_PROGRAM}" -s -p1 -d "${LUA_SOURCE_DIR}" -i "${lua_patch}"
                    RESULT_VARIABLE patched)
    if(NOT patched EQUAL 0)
      message(FATAL_ERROR "${lua_patch} does not apply to ${LUA_ORIGINAL_DIR}")
    endif()
  endforeach()
  file(WRITE "${lua_stamp}" "${lua_inputs}")
endif()

file(GLOB lua_sources "${LUA_SOURCE_DIR}/*.c")
list(FILTER lua_sources EXCLUDE REGEX "/(lua|luac|print)\\.c$")
add_library(lua51 STATIC ${lua_sources})
target_include_directories(lua51 SYSTEM PUBLIC "${LUA_SOURCE_DIR}")
target_compile_options(lua51 PRIVATE -w)
if(NOT WIN32)
  target_compile_definitions(lua51 PRIVATE LUA_USE_POSIX)
endif()
