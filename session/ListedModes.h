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

// The Mode list line to show as chosen, among the count listed modes: the
// line of the mode the client starts in (WIDTH x HEIGHT x BITPERPIXEL), so
// that the line shown is the mode OK saves. When the line at MODECNT shows
// that mode it stays, even where another line shows the same; otherwise the
// first line that shows it is taken and MODECNT set to it. Returns -1, and
// leaves MODECNT alone, when no line shows that mode. A result other than
// the MODECNT it was called with means the two disagreed.
int ReconcileModeCount(const ScreenMode (&listed)[ScreenModeList::kSize], int count);

// What showing the Mode list does to the settings: the usable device at
// DEVICECNT becomes the chosen one (TakeDevice) and MODECNT follows the mode
// the client starts in (ReconcileModeCount). Its listed modes go to listed
// and their number to count (0 when DEVICECNT names no usable device);
// returns the line to show as chosen, -1 for none.
int TakeChosenDevice(ScreenMode (&listed)[ScreenModeList::kSize], int& count);
// The same for a caller that shows no list, such as setupctl, which changes
// the settings as showing the page would.
void TakeChosenDevice();

// The player's choice of the Mode list line at line: MODECNT takes it, and
// WIDTH, HEIGHT and BITPERPIXEL the entry of ScreenModeTable behind it.
void ChooseModeLine(int line);
