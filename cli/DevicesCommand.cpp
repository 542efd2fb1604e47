// setupctl devices: the display drivers and 3D devices as the tool sees them.
#include <cstdio>

#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/DeviceNames.h"
#include "cli/Failure.h"
#include "cli/Json.h"
#include "display/EnumerationLog.h"
#include "display/DisplayDevice.h"
#include "display/ModeLine.h"
#include "session/ListedModes.h"
#include "settings/SettingsRecord.h"

namespace {

// One device as the report shows it.
struct DeviceLine {
    const DeviceSeen* seen = nullptr;
    int position = -1;  // in the Device list; -1 when it is not there
    bool chosen = false;
    std::string passedOver;
    std::string identity;  // DRIVER/{GUID}, as set device= takes it; for a listed line
    std::vector<std::string> modes;
};

const char* ResultMeaning(int32_t result)
{
    switch (result) {
    case kDevicesListed: return "devices were listed";
    case kNoDeviceOffered: return "no display driver offered a 3D device";
    case kNoDeviceKept: return "every 3D device offered was passed over";
    default: return "a result the tool does not know";
    }
}

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
            const DisplayDevice& device = GetDisplayDevices()[seen.listIndex];
            line.identity = IdentityText(IdentityOf(device));
            ScreenMode listed[ScreenModeList::kSize];
            const int count = ListModes(device, listed);
            for (int i = 0; i < count; ++i)
                line.modes.push_back(CompactModeText(listed[i]));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

void PrintText(int32_t result, const EnumerationLog& log, const std::vector<DeviceLine>& lines)
{
    std::printf("result: 0x%08lx, %s\n", static_cast<unsigned long>(static_cast<uint32_t>(result)),
                ResultMeaning(result));
    for (const DriverSeen& driver : log.drivers) {
        std::printf("driver: %s", driver.description.c_str());
        std::printf(driver.opened ? "\n" : " (%s)\n", driver.problem.c_str());
        for (const DeviceLine& line : lines) {
            if (line.seen->driver != driver.description)
                continue;
            const char* kind = line.seen->hardware ? "hardware" : "software";
            if (line.position >= 0)
                std::printf("  %s \"%s\", %s, Device list line %d%s\n", line.identity.c_str(),
                            line.seen->name.c_str(), kind, line.position, line.chosen ? ", chosen" : "");
            else
                std::printf("  %s, %s, passed over: %s\n", line.seen->name.c_str(), kind, line.passedOver.c_str());
            for (const std::string& mode : line.modes)
                std::printf("    %s\n", mode.c_str());
        }
    }
}

void PrintJson(int32_t result, const std::vector<DeviceLine>& lines, unsigned codePage)
{
    JsonWriter json(codePage);
    json.BeginObject().Key("result").Number(result).Key("meaning").String(ResultMeaning(result));
    json.Key("devices").BeginArray();
    for (const DeviceLine& line : lines) {
        json.BeginObject()
            .Key("name").String(line.seen->name)
            .Key("driver").String(line.seen->driver)
            .Key("hardware").Bool(line.seen->hardware)
            .Key("usable").Bool(line.position >= 0)
            .Key("chosen").Bool(line.chosen)
            .Key("modes").Strings(line.modes);
        if (line.position >= 0)
            json.Key("position").Number(line.position).Key("device").String(line.identity);
        else
            json.Key("passedOver").String(line.passedOver);
        json.EndObject();
    }
    json.EndArray().EndObject();
    PrintJsonDocument(json.Line());
}

}  // namespace

int RunDevices(const Arguments& arguments)
{
    EnumerationLog log;
    ClientSettings client;
    if (const int failed = ReadClientSettings(client, &log))
        return failed;
    const std::vector<DeviceLine> lines = DeviceLines(log);
    if (arguments.json)
        PrintJson(client.displayResult(), lines, arguments.codePage);
    else
        PrintText(client.displayResult(), log, lines);
    return kExitDone;
}
