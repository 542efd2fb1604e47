#pragma once

#include <cstdint>

#include "display/DisplayRecords.h"
#include "display/ModeArray.h"
#include "settings/RawGuid.h"

class DisplaySource;
struct EnumerationLog;

// One 3D device of a display driver, with the screen modes it can render
// into. The guid references point into the record itself, so a record is
// never copied; it is only reset in place.
struct DisplayDevice {
    char description[40];
    RawGuid* deviceGuidRef;
    DeviceCaps deviceCaps;
    uint32_t isHardware;
    RawGuid* driverGuidRef;  // null for the primary display driver
    DriverCaps driverCaps;
    DriverCaps emulationCaps;
    DisplayMode fullScreenMode;  // the default mode (IsDefaultMode), or all zero
    uint32_t isWindowed;
    RawGuid deviceGuid;
    RawGuid driverGuid;  // all zero for the primary display driver
    ModeArray modes;     // ascending by width, height, bits per pixel
    uint32_t modeCount;
    uint32_t currentMode;  // index of the default mode, else 0
    uint32_t isDesktopCompatible;
    uint32_t hasStereoModes;

    void Reset() { *this = DisplayDevice{}; }
};

// Whether a platform mode is the default mode, kDefaultScreenMode: the mode
// a device notes as fullScreenMode, and the one its Mode list always keeps.
bool IsDefaultMode(const DisplayMode& mode);

// Asked about every device before its modes are examined; a negative result
// rejects the device.
using DeviceAcceptTest = int32_t (*)(const DriverCaps& driverCaps, const DeviceCaps& deviceCaps);

struct DisplayDeviceTable {
    static constexpr uint32_t kCapacity = 20;

    DisplayDevice devices[kCapacity];
    DeviceAcceptTest acceptTest;
    uint32_t offeredCount;  // 3D devices reported over all drivers, kept or not
    uint32_t keptCount;     // entries of devices in use
};

extern DisplayDeviceTable DisplayDeviceList;

constexpr int32_t kDevicesListed = 0;
constexpr int32_t kNoDeviceOffered = int32_t(0x81000002u);
constexpr int32_t kNoDeviceKept = int32_t(0x81000003u);

// Fills DisplayDeviceList, once per process, from the platform's display
// drivers (or from the given source). Returns kDevicesListed when at least
// one device was kept, kNoDeviceOffered when no 3D device was reported at
// all, kNoDeviceKept when every reported device was rejected.
//
// The list holds at most 20 devices. A device offered while 20 are kept is
// counted and dropped: the platform offers the primary driver's devices
// first, and the first hardware device is the one the defaults take.
// With a log, every driver and device it saw is noted there too.
int32_t BuildDisplayDeviceList(DeviceAcceptTest acceptTest, EnumerationLog* log = nullptr);
int32_t BuildDisplayDeviceList(DeviceAcceptTest acceptTest, DisplaySource& source,
                               EnumerationLog* log = nullptr);

const DisplayDevice* GetDisplayDevices();
uint32_t GetOfferedDeviceCount();
uint32_t GetKeptDeviceCount();
// Releases the kept devices' mode arrays; the counts stay as they are.
void FreeDisplayDevices();
