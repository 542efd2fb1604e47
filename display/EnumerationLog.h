#pragma once

#include <string>
#include <vector>

// What one enumeration saw, for a report of the display hardware: every
// driver the platform offered and every 3D device, with why any of them was
// passed over. The list itself keeps only the devices it kept.
struct DriverSeen {
    std::string description;
    bool opened = false;
    std::string problem;  // why it offered no devices; empty when opened
};

struct DeviceSeen {
    std::string driver;  // the driver's description
    std::string name;    // as the Device list would show it
    bool hardware = false;
    int listIndex = -1;      // its entry in the device list; -1 when passed over
    std::string passedOver;  // why it was not kept; empty when kept
};

struct EnumerationLog {
    std::vector<DriverSeen> drivers;
    std::vector<DeviceSeen> devices;
};
