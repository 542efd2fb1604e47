#pragma once

#include <windows.h>

// Screen scale. The per-monitor functions of user32 exist only from Windows
// 8.1 and 10 on; they are looked up when called, never imported, so that
// the program still starts on Windows 7.

constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;  // 100 %

// Dots per inch of the monitor the window is on; the system's where the
// platform knows no per-monitor value.
UINT WindowDpi(HWND window);

// Keeps the dialog manager from resizing the dialog's controls and fonts on
// a change of monitor by itself: the window framework does it, once.
void KeepDpiChangesToOurselves(HWND dialog);

// A font's dialog base units (average character width, height), measured
// as the dialog manager measures them to turn dialog units into pixels.
SIZE DialogBaseUnits(HFONT font);

// Gives a drop-down list's closed part the height, through the height of
// its selection field.
void SetClosedHeight(HWND comboBox, int height);

// A combo box's window is its closed part: WindowHeight is that part's.
bool IsComboBox(HWND window);
int WindowHeight(HWND window);
