// setupctl check: why anything the tool read was not used, one finding a line.
#include <cstdio>

#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Failure.h"
#include "cli/Json.h"
#include "session/SetupSession.h"
#include "session/WatchedRead.h"
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

void PrintJson(const Findings& findings, unsigned codePage)
{
    JsonWriter json(codePage);
    json.BeginObject().Key("findings").BeginArray();
    for (const Finding& f : findings.all()) {
        json.BeginObject().Key("place").String(f.place);
        if (f.line > 0)
            json.Key("line").Number(f.line);
        json.Key("message").String(f.message).EndObject();
    }
    json.EndArray().EndObject();
    PrintJsonDocument(json.Line());
}

}  // namespace

int RunCheck(const Arguments& arguments)
{
    Findings findings;
    {
        ClientSettings client;
        WatchedRead watch(findings);
        if (const int failed = ReadClientSettings(client))
            return failed;
        SetupSession::CheckSettings(findings);
    }
    if (arguments.json)
        PrintJson(findings, arguments.codePage);
    else
        PrintText(findings);
    return findings.empty() ? kExitDone : kExitFailed;
}
