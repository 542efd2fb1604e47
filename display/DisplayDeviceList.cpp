#include "display/DisplayDevice.h"

#include <algorithm>
#include <cstring>

#include "display/DescriptionText.h"
#include "display/DisplaySource.h"
#include "display/EnumerationLog.h"
#include "display/ModeOrder.h"
#include "settings/ScreenModeTable.h"

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
    DeviceCollector(DisplayDeviceTable& list, const DisplayDevice& driver, EnumerationLog* log)
        : list_(list), driver_(driver), log_(log)
    {
    }

    void OnDevice(const char* description, const char* name, const DeviceCaps& caps) override
    {
        (void)description;
        ++list_.offeredCount;
        if (list_.keptCount == DisplayDeviceTable::kCapacity) {
            Note(name, caps, -1, "the list holds 20 devices already");
            return;
        }
        DisplayDevice& device = list_.devices[list_.keptCount];
        const char* passedOver = Describe(device, name, caps);
        if (passedOver == nullptr && !KeepUsableModes(device))
            passedOver = "it renders into none of the driver's screen modes";
        Note(device.description, caps, passedOver ? -1 : static_cast<int>(list_.keptCount),
             passedOver);
        if (passedOver == nullptr) {
            NoteFullScreenMode(device);
            device.isWindowed = device.isDesktopCompatible;
            ++list_.keptCount;
            return;
        }
        device.modes.Release();
    }

private:
    void Note(const char* name, const DeviceCaps& caps, int listIndex, const char* passedOver)
    {
        if (log_ == nullptr)
            return;
        DeviceSeen seen;
        seen.driver = driver_.description;
        seen.name = name != nullptr ? name : "";
        seen.hardware = (caps.dwDevCaps & kHardwareRasterization) != 0;
        seen.listIndex = listIndex;
        seen.passedOver = passedOver != nullptr ? passedOver : "";
        log_->devices.push_back(std::move(seen));
    }

    // Fills the device's identity and capabilities; says why it is rejected,
    // or null when it is not.
    const char* Describe(DisplayDevice& device, const char* name, const DeviceCaps& caps)
    {
        device.Reset();
        device.isHardware = (caps.dwDevCaps & kHardwareRasterization) != 0;
        device.deviceCaps = caps;
        device.isDesktopCompatible = driver_.isDesktopCompatible;
        device.driverCaps = driver_.driverCaps;
        device.emulationCaps = driver_.emulationCaps;
        CopyGuid(device.deviceGuid, &caps.deviceGUID);
        device.deviceGuidRef = &device.deviceGuid;
        if (driver_.driverGuidRef) {
            device.driverGuid = driver_.driverGuid;
            device.driverGuidRef = &device.driverGuid;
            CopyDescription(device.description, driver_.description);
        } else {
            CopyDescription(device.description, name);
        }
        if (!device.modes.Allocate(driver_.modeCount))
            return "there was no memory for its screen modes";
        // A secondary driver contributes only hardware-rasterizing devices.
        if (device.driverGuidRef && !device.isHardware)
            return "a secondary driver's software device";
        if (list_.acceptTest && list_.acceptTest(device.driverCaps, device.deviceCaps) < 0)
            return "the accept test refused it";
        return nullptr;
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
            if (IsDefaultMode(device.modes[i])) {
                device.fullScreenMode = device.modes[i];
                device.currentMode = i;
            }
        }
    }

    DisplayDeviceTable& list_;
    const DisplayDevice& driver_;
    EnumerationLog* log_;
};

// Opens each driver and hands its 3D devices to the list.
class DriverCollector final : public DriverSink {
public:
    DriverCollector(DisplayDeviceTable& list, DisplaySource& source, EnumerationLog* log)
        : list_(list), source_(source), log_(log)
    {
    }

    void OnDriver(const RawGuid* guid, const char* description, const char* name) override
    {
        (void)name;
        Held<DriverObject> driver(source_, source_.OpenDriver(guid));
        if (!driver.get())
            return Note(description, "it could not be opened");
        Held<Direct3DObject> direct3D(source_, source_.QueryDirect3D(driver.get()));
        if (!direct3D.get())
            return Note(description, "it offers no Direct3D 7");
        Note(description, nullptr);
        // Declared last, so its modes go before the Direct3D and driver objects.
        DisplayDevice scratch{};
        DescribeDriver(scratch, driver.get(), guid, description);
        ModeCollector modes(scratch);
        source_.EnumDisplayModes(driver.get(), modes);
        std::sort(scratch.modes.data(), scratch.modes.data() + scratch.modeCount, ModeOrder);
        DeviceCollector devices(list_, scratch, log_);
        source_.EnumDevices(direct3D.get(), devices);
    }

private:
    void Note(const char* description, const char* problem)
    {
        if (log_ == nullptr)
            return;
        DriverSeen seen;
        seen.description = description != nullptr ? description : "";
        seen.opened = problem == nullptr;
        seen.problem = problem != nullptr ? problem : "";
        log_->drivers.push_back(std::move(seen));
    }

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
    EnumerationLog* log_;
};

}  // namespace

bool IsDefaultMode(const DisplayMode& mode)
{
    return mode.dwWidth == uint32_t(kDefaultScreenMode.width) &&
           mode.dwHeight == uint32_t(kDefaultScreenMode.height) &&
           mode.ddpfPixelFormat.dwRGBBitCount == uint32_t(kDefaultScreenMode.bitsPerPixel);
}

int32_t BuildDisplayDeviceList(DeviceAcceptTest acceptTest, DisplaySource& source,
                               EnumerationLog* log)
{
    DisplayDeviceList.acceptTest = acceptTest;
    DriverCollector drivers(DisplayDeviceList, source, log);
    source.EnumerateDrivers(drivers);
    if (DisplayDeviceList.offeredCount == 0)
        return kNoDeviceOffered;
    if (DisplayDeviceList.keptCount == 0)
        return kNoDeviceKept;
    return kDevicesListed;
}

int32_t BuildDisplayDeviceList(DeviceAcceptTest acceptTest, EnumerationLog* log)
{
    return BuildDisplayDeviceList(acceptTest, PlatformDisplaySource(), log);
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
