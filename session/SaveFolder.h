#pragma once

#include "platform/SystemError.h"

// The folder a confirmed save writes into, "savedata" in the client folder.
// The saved file's name in the name table spells it "SaveData", as the
// client's reader does: two spellings of one folder, since Windows compares
// file names without regard to case; HostPath makes both reach the one
// folder on a host that does not. Each keeps its spelling because the
// player reads both in the tool's messages.
extern const char* const kSaveFolder;

// Makes sure the save folder is there, creating it when nothing of that
// name exists. Returns why it is not a folder (kNoError when it is): a
// plain file of that name is left alone and reported.
//
// One confirmed OK calls it twice: the System page, as the player says yes,
// so that the folder is there from then on; then the save, which setupctl
// runs without a page and which alone reports a failure. The second call
// finds the folder and does nothing.
SystemError MakeSaveFolder();
