#pragma once

#include <cstdint>

// The platform records the enumeration reads. On Windows they are the
// DirectDraw 7 / Direct3D 7 records themselves; elsewhere they are reduced
// to the fields this program reads, under the same names, so the enumeration
// is written once for both.

#ifdef _WIN32

#include <windows.h>
#include <ddraw.h>
#include <d3d.h>

using DisplayMode = DDSURFACEDESC2;
using DeviceCaps = D3DDEVICEDESC7;
using DriverCaps = DDCAPS;

static_assert(sizeof(DriverCaps) == 380, "DirectDraw 7 expects 380-byte DDCAPS records");

#else

struct DisplayMode {
    uint32_t dwSize;
    uint32_t dwWidth;
    uint32_t dwHeight;
    struct {
        uint32_t dwRGBBitCount;
    } ddpfPixelFormat;
    struct {
        uint32_t dwCaps2;
    } ddsCaps;
};

struct DeviceCaps {
    uint32_t dwDevCaps;
    uint32_t dwDeviceRenderBitDepth;
    uint8_t deviceGUID[16];
};

struct DriverCaps {
    uint32_t dwSize;
    uint32_t dwCaps;
    uint32_t dwCaps2;
};

#endif

// Capability bits, with the platform's values.
constexpr uint32_t kHardwareRasterization = 0x00080000;  // DeviceCaps::dwDevCaps
constexpr uint32_t kCanRenderWindowed = 0x00080000;      // DriverCaps::dwCaps2
constexpr uint32_t kStereoSurfaceLeft = 0x00080000;      // DisplayMode::ddsCaps.dwCaps2
constexpr uint32_t kRenderDepth16 = 0x400;               // DeviceCaps::dwDeviceRenderBitDepth
constexpr uint32_t kRenderDepth24 = 0x200;
constexpr uint32_t kRenderDepth32 = 0x100;

#ifdef _WIN32
static_assert(kHardwareRasterization == D3DDEVCAPS_HWRASTERIZATION, "");
static_assert(kCanRenderWindowed == DDCAPS2_CANRENDERWINDOWED, "");
static_assert(kStereoSurfaceLeft == DDSCAPS2_STEREOSURFACELEFT, "");
static_assert(kRenderDepth16 == DDBD_16 && kRenderDepth24 == DDBD_24 && kRenderDepth32 == DDBD_32, "");
static_assert(sizeof(DeviceCaps::deviceGUID) == 16, "");
#endif
