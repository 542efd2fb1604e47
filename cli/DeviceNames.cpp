#include "cli/DeviceNames.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "cli/Failure.h"
#include "cli/SettingTable.h"
#include "cli/TextEncoding.h"
#include "session/ListedModes.h"
#include "settings/SettingsRecord.h"

namespace {

const char kPrimaryDriver[] = "primary";

bool IsZero(const RawGuid& guid)
{
    const RawGuid zero = {};
    return std::memcmp(&guid, &zero, sizeof guid) == 0;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A name as the person who typed it sees it, so that names compare as
// seen, without regard to the case of its letters.
std::string Seen(const std::string& name, unsigned codePage)
{
    return Upper(ToUtf8(name, codePage).text);
}

bool IsPosition(const std::string& text)
{
    return !text.empty() && text.size() <= 6 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

std::string ListLines()
{
    std::string lines;
    for (int position = 0; const DisplayDevice* device = FindUsableDevice(position); ++position) {
        const DeviceIdentity identity = IdentityOf(*device);
        lines += "\n  " + std::to_string(position) + ": " + IdentityText(identity) + " \"" + identity.name + "\"";
    }
    return lines.empty() ? "; this seat lists no display device" : ". The Device list has:" + lines;
}

DeviceIdentity Identity(const char (&description)[40], const RawGuid& driverGuid, const RawGuid& deviceGuid)
{
    DeviceIdentity identity;
    identity.name = std::string(description, strnlen(description, sizeof description));
    // A secondary driver's devices bear that driver's description.
    identity.driver = IsZero(driverGuid) ? kPrimaryDriver : identity.name;
    identity.type = GuidText(deviceGuid);
    return identity;
}

}  // namespace

DeviceIdentity IdentityOf(const DisplayDevice& device)
{
    return Identity(device.description, device.driverGuid, device.deviceGuid);
}

DeviceIdentity ChosenIdentity(const CRegistry& s)
{
    return Identity(s.DEVICENAME, s.GUIDDRIVER, s.GUIDDEVICE);
}

std::string IdentityText(const DeviceIdentity& identity)
{
    return identity.driver + "/" + identity.type;
}

int FindDeviceLine(const std::string& text, unsigned codePage, std::string& why)
{
    if (IsPosition(text)) {
        const int position = std::stoi(text);
        if (FindUsableDevice(position) != nullptr)
            return position;
        why = "the Device list has no line " + text + ListLines();
        return -1;
    }
    // NAME, or DRIVER/{GUID}.
    const size_t slash = text.rfind("/{");
    const bool byName = slash == std::string::npos;
    const std::string name = Seen(byName ? text : text.substr(0, slash), codePage);
    const std::string type = byName ? std::string() : Upper(text.substr(slash + 1));
    std::vector<int> found;
    for (int position = 0; const DisplayDevice* device = FindUsableDevice(position); ++position) {
        const DeviceIdentity identity = IdentityOf(*device);
        const bool named = byName ? Seen(identity.name, codePage) == name
                                  : Seen(identity.driver, codePage) == name && Upper(identity.type) == type;
        if (named)
            found.push_back(position);
    }
    if (found.size() == 1)
        return found[0];
    why = found.empty() ? "no line of the Device list is " + Echo(text)
                        : std::to_string(found.size()) + " lines of the Device list bear that name; name one by DRIVER/{GUID} or position";
    why += ListLines();
    return -1;
}
