#pragma once

#include <string>

// Whether the current folder is a client's: it has the client's script
// folder (System\LuaFiles514, as a fresh install does) or a save folder.
bool IsClientFolder();

// The script folder as the tool names it: "System\LuaFiles514".
std::string ScriptFolderName();

// Why a save could not make its save folder here; empty when it is there
// or can be made.
std::string WhySaveFolderCannotBeMade();
