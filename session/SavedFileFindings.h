#pragma once

#include "settings/Findings.h"

// After the start-up read: notes when the saved option file's values were
// read line by line (Lua could not run it) and which keys had no usable
// line, and which kept lines a save would set aside as comments.
void CheckSavedFileLines(Findings& findings);
