#pragma once

#include <windows.h>

// When a launched program's sheet counts as visible: its top-level window
// with the caption is shown, its thread is back in its message loop (it
// answers a message sent to it), and neither the sheet nor any window on it
// still waits to be painted. That is the moment a player can see the whole
// sheet and use it.
namespace launch {

// The sheet of the process once it is visible in that sense; null when the
// process ended first or timeoutMs passed.
HWND WaitForVisibleSheet(HANDLE process, DWORD processId, const char* caption, DWORD timeoutMs);

// Presses the sheet's Cancel button (closes the sheet when it has none).
void CancelSheet(HWND sheet);

}  // namespace launch
