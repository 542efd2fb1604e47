#pragma once

#include "platform/SystemError.h"

// The folder a confirmed save writes into, "savedata" in the client folder.
extern const char* const kSaveFolder;

// Makes sure the save folder is there, creating it when nothing of that
// name exists. Returns why it is not a folder (kNoError when it is): a
// plain file of that name is left alone and reported.
SystemError MakeSaveFolder();
