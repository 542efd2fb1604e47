// setupctl check: why anything the tool read was not used, one finding a line.
#include <cstdio>

#include "app/SettingsCheck.h"
#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "settings/Findings.h"

namespace {

void PrintText(const Findings& findings)
{
    for (const Finding& f : findings.all()) {
        if (f.line > 0)
            std::printf("%s:%d: %s\n", f.place.c_str(), f.line, f.message.c_str());
        else
            std::printf("%s: %s\n", f.place.c_str(), f.message.c_str());
    }
}

void PrintJson(const Findings& findings)
{
    std::printf("{\"findings\": [");
    const char* separator = "";
    for (const Finding& f : findings.all()) {
        std::printf("%s{\"place\": %s", separator, JsonString(f.place).c_str());
        if (f.line > 0)
            std::printf(", \"line\": %d", f.line);
        std::printf(", \"message\": %s}", JsonString(f.message).c_str());
        separator = ", ";
    }
    std::printf("]}\n");
}

}  // namespace

int RunCheck(const Arguments& arguments)
{
    Findings findings;
    {
        ClientSettings client;
        std::string error;
        WatchedRead watch(findings);
        if (!client.Read(SetupSession::Access::kReadOnly, error))
            return Fail(kExitFailed, error);
        CheckSettings(findings);
    }
    if (arguments.json)
        PrintJson(findings);
    else
        PrintText(findings);
    return findings.empty() ? kExitDone : kExitFailed;
}
