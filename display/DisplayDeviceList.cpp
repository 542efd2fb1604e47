#include "display/DisplayDevice.h"

#include <algorithm>
#include <cstring>

#include "display/DescriptionText.h"
#include "display/DisplaySource.h"
#include "display/ModeOrder.h"

DisplayDeviceTable DisplayDeviceList;

namespace {

// A driver or Direct3D object released through its source when it goes.
template <typename Object>
class Held {
public:
    Held(DisplaySource& source, Object* object) : source_(source), object_(object) {}
    ~Held()
    {
        if (object_)
            source_.Release(object_);
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    Object* get() const { return object_; }

private:
    DisplaySource& source_;
    Object* object_;
};

void CopyGuid(RawGuid& to, const void* from)
{
    std::memcpy(to.bytes, from, sizeof to.bytes);
}

bool KeepsBitCount(uint32_t bits, uint32_t renderDepths)
{
    switch (bits) {
    case 32: return (renderDepths & kRenderDepth32) != 0;
    case 24: return (renderDepths & kRenderDepth24) != 0;
    case 16: return (renderDepths & kRenderDepth16) != 0;
    default: return false;
    }
}

bool IsFullScreenMode(const DisplayMode& mode)
{
    return mode.dwWidth == 640 && mode.dwHeight == 480 && mode.ddpfPixelFormat.dwRGBBitCount == 16;
}

// Collects a driver's modes, unfiltered, into its scratch record. The array
// doubles when full; a mode that finds no room is left out.
class ModeCollector final : public ModeSink {
public:
    explicit ModeCollector(DisplayDevice& driver) : driver_(driver) {}

    void OnMode(const DisplayMode& mode) override
    {
        if (driver_.modeCount == driver_.modes.capacity() && !Grow())
            return;
        driver_.modes[driver_.modeCount++] = mode;
    }

private:
    bool Grow()
    {
        const uint32_t capacity = driver_.modes.capacity();
        if (capacity > UINT32_MAX / 2)
            return false;
        ModeArray larger;
        if (!larger.Allocate(std::max<uint32_t>(16, capacity * 2)))
            return false;
        std::copy(driver_.modes.data(), driver_.modes.data() + driver_.modeCount, larger.data());
        driver_.modes = std::move(larger);
        return true;
    }

    DisplayDevice& driver_;
};

// Turns each 3D device of one driver into an entry of the list, or rejects it.
class DeviceCollector final : public DeviceSink {
public:
    DeviceCollector(DisplayDeviceTable& list, const DisplayDevice& driver) : list_(list), driver_(driver) {}

    void OnDevice(const char* description, const char* name, const DeviceCaps& caps) override
    {
        (void)description;
        ++list_.offeredCount;
        if (list_.keptCount == DisplayDeviceTable::kCapacity)
            return;
        DisplayDevice& device = list_.devices[list_.keptCount];
        if (Describe(device, name, caps) && KeepUsableModes(device)) {
            NoteFullScreenMode(device);
            device.isWindowed = device.isDesktopCompatible;
            ++list_.keptCount;
            return;
        }
        device.modes.Release();
    }

private:
    // Fills the device's identity and capabilities; false when it is rejected.
    bool Describe(DisplayDevice& device, const char* name, const DeviceCaps& caps)
    {
        device.Reset();
        device.isHardware = (caps.dwDevCaps & kHardwareRasterization) != 0;
        device.deviceCaps = caps;
        device.isDesktopCompatible = driver_.isDesktopCompatible;
        device.driverCaps = driver_.driverCaps;
        device.emulationCaps = driver_.emulationCaps;
        CopyGuid(device.deviceGuid, &caps.deviceGUID);
        device.deviceGuidRef = &device.deviceGuid;
        if (!device.modes.Allocate(driver_.modeCount))
            return false;
        if (driver_.driverGuidRef) {
            device.driverGuid = driver_.driverGuid;
            device.driverGuidRef = &device.driverGuid;
            CopyDescription(device.description, driver_.description);
        } else {
            CopyDescription(device.description, name);
        }
        // A secondary driver contributes only hardware-rasterizing devices.
        if (device.driverGuidRef && !device.isHardware)
            return false;
        return !list_.acceptTest || list_.acceptTest(device.driverCaps, device.deviceCaps) >= 0;
    }

    // Copies the driver's modes that the device renders into; false when none.
    bool KeepUsableModes(DisplayDevice& device)
    {
        const uint32_t depths = device.deviceCaps.dwDeviceRenderBitDepth;
        for (uint32_t i = 0; i < driver_.modeCount; ++i) {
            const DisplayMode& mode = driver_.modes[i];
            if (!KeepsBitCount(mode.ddpfPixelFormat.dwRGBBitCount, depths))
                continue;
            device.modes[device.modeCount++] = mode;
            if (mode.ddsCaps.dwCaps2 & kStereoSurfaceLeft)
                device.hasStereoModes = 1;
        }
        return device.modeCount > 0;
    }

    static void NoteFullScreenMode(DisplayDevice& device)
    {
        for (uint32_t i = 0; i < device.modeCount; ++i) {
            if (IsFullScreenMode(device.modes[i])) {
                device.fullScreenMode = device.modes[i];
                device.currentMode = i;
            }
        }
    }

    DisplayDeviceTable& list_;
    const DisplayDevice& driver_;
};

// Opens each driver and hands its 3D devices to the list.
class DriverCollector final : public DriverSink {
public:
    DriverCollector(DisplayDeviceTable& list, DisplaySource& source) : list_(list), source_(source) {}

    void OnDriver(const RawGuid* guid, const char* description, const char* name) override
    {
        (void)name;
        Held<DriverObject> driver(source_, source_.OpenDriver(guid));
        if (!driver.get())
            return;
        Held<Direct3DObject> direct3D(source_, source_.QueryDirect3D(driver.get()));
        if (!direct3D.get())
            return;
        // Declared last, so its modes go before the Direct3D and driver objects.
        DisplayDevice scratch{};
        DescribeDriver(scratch, driver.get(), guid, description);
        ModeCollector modes(scratch);
        source_.EnumDisplayModes(driver.get(), modes);
        std::sort(scratch.modes.data(), scratch.modes.data() + scratch.modeCount, ModeOrder);
        DeviceCollector devices(list_, scratch);
        source_.EnumDevices(direct3D.get(), devices);
    }

private:
    void DescribeDriver(DisplayDevice& scratch, DriverObject* driver, const RawGuid* guid, const char* description)
    {
        CopyDescription(scratch.description, description);
        scratch.driverCaps.dwSize = sizeof(DriverCaps);
        scratch.emulationCaps.dwSize = sizeof(DriverCaps);
        source_.GetCaps(driver, scratch.driverCaps, scratch.emulationCaps);
        if (guid) {
            scratch.driverGuid = *guid;
            scratch.driverGuidRef = &scratch.driverGuid;
        }
        if ((scratch.driverCaps.dwCaps2 & kCanRenderWindowed) && !scratch.driverGuidRef)
            scratch.isDesktopCompatible = 1;
    }

    DisplayDeviceTable& list_;
    DisplaySource& source_;
};

}  // namespace

int32_t BuildDisplayDeviceList(DeviceAcceptTest acceptTest, DisplaySource& source)
{
    DisplayDeviceList.acceptTest = acceptTest;
    DriverCollector drivers(DisplayDeviceList, source);
    source.EnumerateDrivers(drivers);
    if (DisplayDeviceList.offeredCount == 0)
        return kNoDeviceOffered;
    if (DisplayDeviceList.keptCount == 0)
        return kNoDeviceKept;
    return kDevicesListed;
}

int32_t BuildDisplayDeviceList(DeviceAcceptTest acceptTest)
{
    return BuildDisplayDeviceList(acceptTest, PlatformDisplaySource());
}

const DisplayDevice* GetDisplayDevices()
{
    return DisplayDeviceList.devices;
}

uint32_t GetOfferedDeviceCount()
{
    return DisplayDeviceList.offeredCount;
}

uint32_t GetKeptDeviceCount()
{
    return DisplayDeviceList.keptCount;
}

void FreeDisplayDevices()
{
    for (uint32_t i = 0; i < DisplayDeviceList.keptCount && i < DisplayDeviceTable::kCapacity; ++i)
        DisplayDeviceList.devices[i].modes.Release();
}
