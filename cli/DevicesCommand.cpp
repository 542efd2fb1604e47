// setupctl devices: the display drivers and 3D devices as the tool sees them.
#include <cstdio>

#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "display/EnumerationLog.h"
#include "display/ListedModes.h"
#include "display/ModeLine.h"
#include "settings/SettingsRecord.h"

namespace {

// One device as the report shows it.
struct DeviceLine {
    const DeviceSeen* seen = nullptr;
    int position = -1;  // in the Device list; -1 when it is not there
    bool chosen = false;
    std::string passedOver;
    std::vector<std::string> modes;
};

int PositionInDeviceList(int listIndex)
{
    for (int position = 0; const DisplayDevice* device = FindUsableDevice(position); ++position)
        if (device == GetDisplayDevices() + listIndex)
            return position;
    return -1;
}

std::vector<DeviceLine> DeviceLines(const EnumerationLog& log)
{
    std::vector<DeviceLine> lines;
    for (const DeviceSeen& seen : log.devices) {
        DeviceLine line;
        line.seen = &seen;
        line.passedOver = seen.passedOver;
        if (seen.listIndex >= 0)
            line.position = PositionInDeviceList(seen.listIndex);
        if (line.position < 0 && line.passedOver.empty())
            line.passedOver = "not a hardware device, so not in the Device list";
        if (line.position >= 0) {
            line.chosen = line.position == SetupSettings->DEVICECNT;
            ScreenMode listed[ScreenModeList::kSize];
            const int count = ListModes(GetDisplayDevices()[seen.listIndex], listed);
            for (int i = 0; i < count; ++i)
                line.modes.push_back(ModeLineText(listed[i]));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void PrintText(int32_t result, const EnumerationLog& log, const std::vector<DeviceLine>& lines)
{
    std::printf("result: 0x%08lx\n", static_cast<unsigned long>(static_cast<uint32_t>(result)));
    for (const DriverSeen& driver : log.drivers) {
        std::printf("driver: %s", driver.description.c_str());
        std::printf(driver.opened ? "\n" : " (%s)\n", driver.problem.c_str());
        for (const DeviceLine& line : lines) {
            if (line.seen->driver != driver.description)
                continue;
            std::printf("  %s, %s", line.seen->name.c_str(),
                        line.seen->hardware ? "hardware" : "software");
            if (line.position >= 0)
                std::printf(", Device list line %d%s\n", line.position, line.chosen ? ", chosen" : "");
            else
                std::printf(", passed over: %s\n", line.passedOver.c_str());
            for (const std::string& mode : line.modes)
                std::printf("    %s\n", mode.c_str());
        }
    }
}

std::string JsonList(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i > 0 ? ", " : "") + JsonString(items[i]);
    return out + "]";
}

void PrintJson(int32_t result, const std::vector<DeviceLine>& lines)
{
    std::printf("{\"result\": %ld, \"devices\": [", static_cast<long>(result));
    for (size_t i = 0; i < lines.size(); ++i) {
        const DeviceLine& line = lines[i];
        std::printf("%s{\"name\": %s, \"driver\": %s, \"hardware\": %s, \"usable\": %s, "
                    "\"chosen\": %s, \"modes\": %s",
                    i > 0 ? ", " : "", JsonString(line.seen->name).c_str(),
                    JsonString(line.seen->driver).c_str(), line.seen->hardware ? "true" : "false",
                    line.position >= 0 ? "true" : "false", line.chosen ? "true" : "false",
                    JsonList(line.modes).c_str());
        if (line.position >= 0)
            std::printf(", \"position\": %d}", line.position);
        else
            std::printf(", \"passedOver\": %s}", JsonString(line.passedOver).c_str());
    }
    std::printf("]}\n");
}

}  // namespace

int RunDevices(const Arguments& arguments)
{
    EnumerationLog log;
    ClientSettings client;
    std::string error;
    if (!client.Read(SetupSession::Access::kReadOnly, error, &log))
        return Fail(kExitFailed, error);
    const std::vector<DeviceLine> lines = DeviceLines(log);
    if (arguments.json)
        PrintJson(client.displayResult(), lines);
    else
        PrintText(client.displayResult(), log, lines);
    return kExitDone;
}
