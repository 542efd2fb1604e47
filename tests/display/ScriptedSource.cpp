#include "ScriptedSource.h"

#include <cstring>

namespace scripted {

namespace {

RawGuid GuidOf(uint8_t byte)
{
    RawGuid guid;
    std::memset(guid.bytes, byte, sizeof guid.bytes);
    return guid;
}

Driver* AsDriver(DriverObject* object)
{
    return reinterpret_cast<Driver*>(object);
}

Driver* AsDriver(Direct3DObject* object)
{
    return reinterpret_cast<Driver*>(object);
}

}  // namespace

DisplayMode Mode(uint32_t width, uint32_t height, uint32_t bits, uint32_t caps2)
{
    DisplayMode mode{};
    mode.dwSize = sizeof mode;
    mode.dwWidth = width;
    mode.dwHeight = height;
    mode.ddpfPixelFormat.dwRGBBitCount = bits;
    mode.ddsCaps.dwCaps2 = caps2;
    return mode;
}

DeviceCaps Device::Caps() const
{
    DeviceCaps caps{};
    caps.dwDevCaps = devCaps;
    caps.dwDeviceRenderBitDepth = renderDepths;
    std::memset(&caps.deviceGUID, guidByte, sizeof caps.deviceGUID);
    return caps;
}

Device Software(const std::string& name, uint8_t guidByte)
{
    return Device{"Software rasterizer", name, 0, kRenderDepth16 | kRenderDepth24 | kRenderDepth32, guidByte};
}

Device Hardware(const std::string& name, uint8_t guidByte)
{
    return Device{"Hardware rasterizer", name, kHardwareRasterization,
                  kRenderDepth16 | kRenderDepth24 | kRenderDepth32, guidByte};
}

void Source::EnumerateDrivers(DriverSink& sink)
{
    for (const Driver& driver : drivers_) {
        const RawGuid guid = GuidOf(driver.guidByte);
        sink.OnDriver(driver.secondary ? &guid : nullptr, driver.description.c_str(), driver.name.c_str());
    }
}

Driver* Source::Find(const RawGuid* guid)
{
    for (Driver& driver : drivers_) {
        if (!driver.secondary && !guid)
            return &driver;
        if (driver.secondary && guid && guid->bytes[0] == driver.guidByte)
            return &driver;
    }
    return nullptr;
}

DriverObject* Source::OpenDriver(const RawGuid* guid)
{
    Driver* driver = Find(guid);
    if (!driver || !driver->opens)
        return nullptr;
    calls_.push_back("open " + driver->name);
    return reinterpret_cast<DriverObject*>(driver);
}

Direct3DObject* Source::QueryDirect3D(DriverObject* object)
{
    Driver* driver = AsDriver(object);
    if (!driver->hasDirect3D)
        return nullptr;
    calls_.push_back("direct3d " + driver->name);
    return reinterpret_cast<Direct3DObject*>(driver);
}

void Source::GetCaps(DriverObject* object, DriverCaps& hardware, DriverCaps& emulation)
{
    capsSizes[0] = hardware.dwSize;
    capsSizes[1] = emulation.dwSize;
    hardware.dwCaps2 = AsDriver(object)->caps2;
}

void Source::EnumDisplayModes(DriverObject* object, ModeSink& sink)
{
    for (const DisplayMode& mode : AsDriver(object)->modes)
        sink.OnMode(mode);
}

void Source::EnumDevices(Direct3DObject* object, DeviceSink& sink)
{
    for (const Device& device : AsDriver(object)->devices) {
        const DeviceCaps caps = device.Caps();
        sink.OnDevice(device.description.c_str(), device.name.c_str(), caps);
    }
}

void Source::Release(Direct3DObject* object)
{
    calls_.push_back("release direct3d " + AsDriver(object)->name);
}

void Source::Release(DriverObject* object)
{
    calls_.push_back("release " + AsDriver(object)->name);
}

}  // namespace scripted
