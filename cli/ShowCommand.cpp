// setupctl show: every setting, its value and where the value came from.
#include <algorithm>
#include <cstdio>

#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/SettingTable.h"
#include "settings/SettingsRecord.h"

namespace {

// The settings named, in the order asked; all when none are named.
bool Select(const std::vector<NamedSetting>& all, const std::vector<std::string>& names,
            std::vector<NamedSetting>& selected, std::string& unknown)
{
    if (names.empty()) {
        selected = all;
        return true;
    }
    for (const std::string& name : names) {
        const auto found = std::find_if(all.begin(), all.end(),
                                        [&](const NamedSetting& s) { return s.name == name; });
        if (found == all.end()) {
            unknown = name;
            return false;
        }
        selected.push_back(*found);
    }
    return true;
}

void PrintText(const std::vector<NamedSetting>& settings, size_t foreignLines)
{
    for (const NamedSetting& s : settings)
        std::printf("%-17s %-40s %s\n", s.name.c_str(), ValueText(s.value).c_str(),
                    OriginName(s.origin));
    std::printf("foreign lines: %zu\n", foreignLines);
}

void PrintJson(const std::vector<NamedSetting>& settings, size_t foreignLines)
{
    std::printf("{\"settings\": {");
    const char* separator = "";
    for (const NamedSetting& s : settings) {
        std::printf("%s%s: {\"value\": %s, \"source\": %s}", separator, JsonString(s.name).c_str(),
                    ValueJson(s.value).c_str(), JsonString(OriginName(s.origin)).c_str());
        separator = ", ";
    }
    std::printf("}, \"foreignLines\": %zu}\n", foreignLines);
}

}  // namespace

int RunShow(const Arguments& arguments)
{
    ClientSettings client;
    std::string error;
    if (!client.Read(SetupSession::Access::kReadOnly, error))
        return Fail(kExitFailed, error);

    std::vector<NamedSetting> settings;
    std::string unknown;
    if (!Select(SettingsOf(*SetupSettings), arguments.operands, settings, unknown))
        return Fail(kExitUsage, "no setting is named " + unknown);
    const size_t foreignLines = SetupSettings->preservedLines.size();
    if (arguments.json)
        PrintJson(settings, foreignLines);
    else
        PrintText(settings, foreignLines);
    return kExitDone;
}
