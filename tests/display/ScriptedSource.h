#pragma once

#include <string>
#include <vector>

#include "display/DisplaySource.h"

// Display drivers described by the test itself, offered through the same
// seven operations as DirectDraw. It notes every open and release.
namespace scripted {

DisplayMode Mode(uint32_t width, uint32_t height, uint32_t bits, uint32_t caps2 = 0);

struct Device {
    std::string description;
    std::string name;
    uint32_t devCaps = 0;
    uint32_t renderDepths = kRenderDepth16 | kRenderDepth24 | kRenderDepth32;
    uint8_t guidByte = 0;  // the device GUID is sixteen of these

    DeviceCaps Caps() const;
};

Device Software(const std::string& name, uint8_t guidByte = 1);
Device Hardware(const std::string& name, uint8_t guidByte = 2);

struct Driver {
    bool secondary = false;  // a secondary driver has a GUID
    uint8_t guidByte = 0;    // the driver GUID is sixteen of these
    std::string description = "Display driver";
    std::string name = "display";
    bool opens = true;
    bool hasDirect3D = true;
    uint32_t caps2 = 0;
    std::vector<DisplayMode> modes;
    std::vector<Device> devices;
};

class Source final : public DisplaySource {
public:
    explicit Source(std::vector<Driver> drivers) : drivers_(std::move(drivers)) {}

    void EnumerateDrivers(DriverSink& sink) override;
    DriverObject* OpenDriver(const RawGuid* guid) override;
    Direct3DObject* QueryDirect3D(DriverObject* driver) override;
    void GetCaps(DriverObject* driver, DriverCaps& hardware, DriverCaps& emulation) override;
    void EnumDisplayModes(DriverObject* driver, ModeSink& sink) override;
    void EnumDevices(Direct3DObject* direct3D, DeviceSink& sink) override;
    void Release(Direct3DObject* direct3D) override;
    void Release(DriverObject* driver) override;

    // "open <driver>", "direct3d <driver>", "release direct3d <driver>",
    // "release <driver>", in call order.
    const std::vector<std::string>& calls() const { return calls_; }
    // The size fields GetCaps was given, hardware then emulation.
    uint32_t capsSizes[2] = {};

private:
    Driver* Find(const RawGuid* guid);

    std::vector<Driver> drivers_;
    std::vector<std::string> calls_;
};

}  // namespace scripted
