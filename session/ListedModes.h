#pragma once

#include "display/DisplayDevice.h"
#include "settings/ScreenModeTable.h"

// What the defaults and the System page offer of the device list: the
// usable devices (those whose isHardware is set) and their listed modes.

// The position-th kept device whose isHardware is set, or null.
const DisplayDevice* FindUsableDevice(int position);

// The device's listed modes, in the order of its modes: height at least 480
// and exactly 16 bits per pixel, each as width, height, 16. Returns how many
// were written to out, never more than ScreenModeList::kSize.
//
// When more than kSize modes qualify, the lowest ones are left out, except
// the default mode (IsDefaultMode): the player keeps the default
// and the highest resolutions, still in ascending order.
int ListModes(const DisplayDevice& device, ScreenMode (&out)[ScreenModeList::kSize]);

// Makes device the chosen one: its description and GUIDs go into
// SetupSettings, its listed modes into ScreenModeTable from position 0 and
// into listed. Returns how many modes it lists.
int TakeDevice(const DisplayDevice& device, ScreenMode (&listed)[ScreenModeList::kSize]);

// The Mode list line of the mode the client starts in (WIDTH x HEIGHT x
// BITPERPIXEL) among the count listed modes, so that the line shown is the
// mode OK saves: the line at MODECNT when it shows that mode, even where
// another line shows the same, else the first line that does; -1 when none
// does. Reads only.
int ChosenModeLine(const ScreenMode (&listed)[ScreenModeList::kSize], int count);

// ChosenModeLine, with MODECNT set to it when it is a line; MODECNT stays
// when it is -1. A result other than the MODECNT it was called with means
// the two disagreed.
int ReconcileModeCount(const ScreenMode (&listed)[ScreenModeList::kSize], int count);

// The device and mode choice: the usable device at DEVICECNT becomes the
// chosen one (TakeDevice) and MODECNT follows the mode the client starts in
// (ReconcileModeCount). Without a usable device there nothing changes.
// A step of every start that may save, after the start-up read (Setup.exe,
// setupctl's set, reset, import and export), and of the player's choice of
// a Device list line; DEFAULT makes its own (ApplyDefaults). Showing the
// lists afterwards only reads what it chose.
void TakeChosenDevice();

// The player's choice of the Mode list line at line: MODECNT takes it, and
// WIDTH, HEIGHT and BITPERPIXEL the entry of ScreenModeTable behind it.
void ChooseModeLine(int line);
