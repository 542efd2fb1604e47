#pragma once

#include <gtest/gtest.h>

#include "display/DisplayDevice.h"

// Each case starts from the zero list a new process has.
class DisplayListTest : public ::testing::Test {
protected:
    void SetUp() override { ClearList(); }
    void TearDown() override { ClearList(); }

    static void ClearList()
    {
        FreeDisplayDevices();
        DisplayDeviceList = DisplayDeviceTable{};
    }

    static const DisplayDevice& Kept(uint32_t i) { return GetDisplayDevices()[i]; }
};

inline int32_t AcceptAll(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

inline int32_t RejectAll(const DriverCaps&, const DeviceCaps&)
{
    return -1;
}
