#pragma once

#include <string>

class CRegistry;
struct DisplayDevice;

// How a line of the Device list is named across seats. Its position and
// its name differ between machines and repeat, but the pair of its driver
// ("primary" for the primary display driver, else the driver's description)
// and its 3D device's GUID (its kind: T&L HAL, HAL, RGB) is the same on
// every seat with the same kind of adapter.
struct DeviceIdentity {
    std::string driver;
    std::string type;  // "{GUID}"
    std::string name;  // as the Device list shows it; for people only
};

DeviceIdentity IdentityOf(const DisplayDevice& device);
// The device the settings name: DEVICENAME, GUIDDRIVER and GUIDDEVICE.
DeviceIdentity ChosenIdentity(const CRegistry& s);

// "DRIVER/{GUID}"
std::string IdentityText(const DeviceIdentity& identity);

// The position in the Device list that text names: a position, a name that
// exactly one line bears, or DRIVER/{GUID}. -1, with why and the lines the
// list has, when it names none or more than one.
int FindDeviceLine(const std::string& text, unsigned codePage, std::string& why);
