#include "display/DisplaySource.h"

#include <cstring>

// The display drivers as DirectDraw 7 and Direct3D 7 report them. Driver
// objects are IDirectDraw7 interfaces, Direct3D objects IDirect3D7 ones.
namespace {

constexpr DWORD kAllDrivers =
    DDENUM_ATTACHEDSECONDARYDEVICES | DDENUM_DETACHEDSECONDARYDEVICES | DDENUM_NONDISPLAYDEVICES;

IDirectDraw7* AsDirectDraw(DriverObject* driver)
{
    return reinterpret_cast<IDirectDraw7*>(driver);
}

IDirect3D7* AsDirect3D(Direct3DObject* direct3D)
{
    return reinterpret_cast<IDirect3D7*>(direct3D);
}

BOOL WINAPI OnDriver(GUID* guid, LPSTR description, LPSTR name, LPVOID context, HMONITOR)
{
    RawGuid raw;
    if (guid)
        std::memcpy(raw.bytes, guid, sizeof raw.bytes);
    static_cast<DriverSink*>(context)->OnDriver(guid ? &raw : nullptr, description, name);
    return TRUE;
}

HRESULT WINAPI OnMode(LPDDSURFACEDESC2 mode, LPVOID context)
{
    if (mode)
        static_cast<ModeSink*>(context)->OnMode(*mode);
    return DDENUMRET_OK;
}

HRESULT CALLBACK OnDevice(char* description, char* name, D3DDEVICEDESC7* caps, void* context)
{
    if (caps)
        static_cast<DeviceSink*>(context)->OnDevice(description, name, *caps);
    return D3DENUMRET_OK;
}

class DirectDrawSource final : public DisplaySource {
public:
    void EnumerateDrivers(DriverSink& sink) override
    {
        DirectDrawEnumerateExA(OnDriver, &sink, kAllDrivers);
    }

    DriverObject* OpenDriver(const RawGuid* guid) override
    {
        GUID driverGuid;
        if (guid)
            std::memcpy(&driverGuid, guid->bytes, sizeof driverGuid);
        void* driver = nullptr;
        if (FAILED(DirectDrawCreateEx(guid ? &driverGuid : nullptr, &driver, IID_IDirectDraw7, nullptr)))
            return nullptr;
        return static_cast<DriverObject*>(driver);
    }

    Direct3DObject* QueryDirect3D(DriverObject* driver) override
    {
        void* direct3D = nullptr;
        if (FAILED(AsDirectDraw(driver)->QueryInterface(IID_IDirect3D7, &direct3D)))
            return nullptr;
        return static_cast<Direct3DObject*>(direct3D);
    }

    void GetCaps(DriverObject* driver, DriverCaps& hardware, DriverCaps& emulation) override
    {
        AsDirectDraw(driver)->GetCaps(&hardware, &emulation);
    }

    void EnumDisplayModes(DriverObject* driver, ModeSink& sink) override
    {
        AsDirectDraw(driver)->EnumDisplayModes(0, nullptr, &sink, OnMode);
    }

    void EnumDevices(Direct3DObject* direct3D, DeviceSink& sink) override
    {
        AsDirect3D(direct3D)->EnumDevices(OnDevice, &sink);
    }

    void Release(Direct3DObject* direct3D) override { AsDirect3D(direct3D)->Release(); }
    void Release(DriverObject* driver) override { AsDirectDraw(driver)->Release(); }
};

}  // namespace

DisplaySource& PlatformDisplaySource()
{
    static DirectDrawSource source;
    return source;
}
