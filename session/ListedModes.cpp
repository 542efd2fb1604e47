#include "session/ListedModes.h"

#include <cstring>

#include "settings/SettingsRecord.h"

namespace {

bool IsListed(const DisplayMode& mode)
{
    return mode.dwHeight >= 480 && mode.ddpfPixelFormat.dwRGBBitCount == 16;
}

bool IsStartMode(const ScreenMode& line, const CRegistry& s)
{
    return line == ScreenMode{s.WIDTH, s.HEIGHT, s.BITPERPIXEL};
}

uint32_t CountListed(const DisplayDevice& device)
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < device.modeCount; ++i)
        count += IsListed(device.modes[i]) ? 1 : 0;
    return count;
}

}  // namespace

const DisplayDevice* FindUsableDevice(int position)
{
    if (position < 0)
        return nullptr;
    int usable = 0;
    for (uint32_t i = 0; i < GetKeptDeviceCount() && i < DisplayDeviceTable::kCapacity; ++i) {
        const DisplayDevice& device = GetDisplayDevices()[i];
        if (device.isHardware && usable++ == position)
            return &device;
    }
    return nullptr;
}

int ListModes(const DisplayDevice& device, ScreenMode (&out)[ScreenModeList::kSize])
{
    const uint32_t listed = CountListed(device);
    uint32_t toLeaveOut = listed > ScreenModeList::kSize ? listed - ScreenModeList::kSize : 0;
    int count = 0;
    for (uint32_t i = 0; i < device.modeCount && count < ScreenModeList::kSize; ++i) {
        const DisplayMode& mode = device.modes[i];
        if (!IsListed(mode))
            continue;
        if (toLeaveOut > 0 && !IsDefaultMode(mode)) {
            --toLeaveOut;
            continue;
        }
        out[count++] = ScreenMode{int32_t(mode.dwWidth), int32_t(mode.dwHeight), 16};
    }
    return count;
}

int TakeDevice(const DisplayDevice& device, ScreenMode (&listed)[ScreenModeList::kSize])
{
    CRegistry& s = *SetupSettings;
    size_t length = strnlen(device.description, sizeof device.description);
    if (length >= sizeof s.DEVICENAME)
        length = sizeof s.DEVICENAME - 1;
    std::memset(s.DEVICENAME, 0, sizeof s.DEVICENAME);
    std::memcpy(s.DEVICENAME, device.description, length);
    s.GUIDDEVICE = device.deviceGuid;
    s.GUIDDRIVER = device.driverGuid;

    const int count = ListModes(device, listed);
    for (int i = 0; i < count; ++i)
        ScreenModeTable.Store(i, listed[i].width, listed[i].height, listed[i].bitsPerPixel);
    return count;
}

int ChosenModeLine(const ScreenMode (&listed)[ScreenModeList::kSize], int count)
{
    const CRegistry& s = *SetupSettings;
    if (count > ScreenModeList::kSize)
        count = ScreenModeList::kSize;
    if (s.MODECNT >= 0 && s.MODECNT < count && IsStartMode(listed[s.MODECNT], s))
        return s.MODECNT;
    for (int line = 0; line < count; ++line)
        if (IsStartMode(listed[line], s))
            return line;
    return -1;
}

int ReconcileModeCount(const ScreenMode (&listed)[ScreenModeList::kSize], int count)
{
    const int line = ChosenModeLine(listed, count);
    if (line >= 0)
        SetupSettings->MODECNT = line;
    return line;
}

void TakeChosenDevice()
{
    ScreenMode listed[ScreenModeList::kSize];
    int count = 0;
    if (const DisplayDevice* device = FindUsableDevice(SetupSettings->DEVICECNT))
        count = TakeDevice(*device, listed);
    ReconcileModeCount(listed, count);
}

void ChooseModeLine(int line)
{
    CRegistry& s = *SetupSettings;
    s.MODECNT = line;
    if (const ScreenMode* mode = ScreenModeTable.At(s.MODECNT)) {
        s.BITPERPIXEL = mode->bitsPerPixel;
        s.WIDTH = mode->width;
        s.HEIGHT = mode->height;
    }
}
