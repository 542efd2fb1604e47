#pragma once

// Lua 5.1 is a C library; its headers carry no linkage of their own.
extern "C" {
#include <lauxlib.h>
#include <lua.h>
}
