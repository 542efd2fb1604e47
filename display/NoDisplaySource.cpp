#include "display/DisplaySource.h"

// Hosts without DirectDraw have no display driver to offer.
namespace {

class NoDisplaySource final : public DisplaySource {
public:
    void EnumerateDrivers(DriverSink&) override {}
    DriverObject* OpenDriver(const RawGuid*) override { return nullptr; }
    Direct3DObject* QueryDirect3D(DriverObject*) override { return nullptr; }
    void GetCaps(DriverObject*, DriverCaps&, DriverCaps&) override {}
    void EnumDisplayModes(DriverObject*, ModeSink&) override {}
    void EnumDevices(Direct3DObject*, DeviceSink&) override {}
    void Release(Direct3DObject*) override {}
    void Release(DriverObject*) override {}
};

}  // namespace

DisplaySource& PlatformDisplaySource()
{
    static NoDisplaySource source;
    return source;
}
