#pragma once

#include "display/DisplayRecords.h"
#include "settings/RawGuid.h"

// Where the enumeration learns about display drivers, their 3D devices and
// their screen modes: the seven operations it needs of DirectDraw 7 and
// Direct3D 7. Each enumeration calls its sink synchronously, once per item,
// before it returns. Driver and Direct3D objects are opaque handles that
// belong to the source that made them.
struct DriverObject;
struct Direct3DObject;

class DriverSink {
public:
    // guid is null for the primary display driver.
    virtual void OnDriver(const RawGuid* guid, const char* description, const char* name) = 0;

protected:
    ~DriverSink() = default;
};

class ModeSink {
public:
    virtual void OnMode(const DisplayMode& mode) = 0;

protected:
    ~ModeSink() = default;
};

class DeviceSink {
public:
    virtual void OnDevice(const char* description, const char* name, const DeviceCaps& caps) = 0;

protected:
    ~DeviceSink() = default;
};

class DisplaySource {
public:
    virtual ~DisplaySource() = default;

    // Every display driver: the primary, attached and detached secondary
    // ones and non-display devices.
    virtual void EnumerateDrivers(DriverSink& sink) = 0;
    // The driver's object, or null when it cannot be opened.
    virtual DriverObject* OpenDriver(const RawGuid* guid) = 0;
    // The driver's Direct3D object, or null when it has none.
    virtual Direct3DObject* QueryDirect3D(DriverObject* driver) = 0;
    // Fills both records; their dwSize must be set. Failure is not reported.
    virtual void GetCaps(DriverObject* driver, DriverCaps& hardware, DriverCaps& emulation) = 0;
    // Every screen mode once per size and pixel format.
    virtual void EnumDisplayModes(DriverObject* driver, ModeSink& sink) = 0;
    virtual void EnumDevices(Direct3DObject* direct3D, DeviceSink& sink) = 0;
    virtual void Release(Direct3DObject* direct3D) = 0;
    virtual void Release(DriverObject* driver) = 0;
};

// DirectDraw on Windows; elsewhere a source without any driver.
DisplaySource& PlatformDisplaySource();
