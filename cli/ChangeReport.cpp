#include "cli/ChangeReport.h"

#include <cstdio>

#include "cli/Commands.h"
#include "cli/Failure.h"
#include "cli/Elevation.h"
#include "cli/Json.h"
#include "session/SetupSession.h"
#include "session/StoredRegistryValue.h"
#include "settings/RegistryValues.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

bool IsRegistryName(const std::string& name)
{
    for (const RegistryValue& stored : RegistryValues())
        if (name == stored.name)
            return true;
    return false;
}

Change RegistryChange(const RegistryValue& stored, const StoredRegistryValue& held,
                      const CRegistry& after)
{
    Change change;
    change.name = stored.name;
    change.wasThere = held.exists;
    if (held.exists)
        change.from = HeldValue(stored, held);
    change.to = WrittenValue(stored, after);
    change.resetBySave = stored.readInto == nullptr && held.exists;
    return change;
}

bool FileFailed(const SaveReport& save)
{
    for (const SaveFailure& failure : save.failures)
        if (failure.place == SetupSession::SavedFileName())
            return true;
    return false;
}

std::string Shown(const SettingValue& value, bool there)
{
    return there ? ValueText(value) : "(missing)";
}

void PrintChangeLine(const char* prefix, const Change& change, bool dryRun)
{
    std::printf("%s%s: %s -> %s%s%s\n", prefix, change.name.c_str(),
                Shown(change.from, change.wasThere).c_str(), ValueText(change.to).c_str(),
                change.resetBySave ? " (every save resets it)" : "",
                dryRun || change.saved ? "" : " (not saved)");
}

void PrintText(const ChangeReport& report)
{
    if (report.nothingToChange)
        std::printf("nothing to change\n");
    for (const Change& change : report.settings)
        PrintChangeLine("", change, report.dryRun);
    for (const Change& change : report.registry)
        PrintChangeLine("registry: ", change, report.dryRun);
    for (const DroppedLine& line : report.droppedLines)
        std::printf("%s:%d: dropped by the save, because it mentions %s: %s\n",
                    SetupSession::SavedFileName().c_str(), line.number, line.mentioned.c_str(),
                    line.text.c_str());
    for (const SetAsideLine& line : report.setAsideLines)
        std::printf("%s:%d: set aside by the save as a comment (\"-- \"), because Lua cannot read the file "
                    "with it: %s\n",
                    SetupSession::SavedFileName().c_str(), line.number, line.text.c_str());
    for (const std::string& note : report.notes)
        std::printf("%s\n", note.c_str());
}

void AddChanges(JsonWriter& json, const char* key, const std::vector<Change>& changes, bool dryRun)
{
    json.Key(key).BeginArray();
    for (const Change& change : changes) {
        json.BeginObject().Key("name").String(change.name).Key("from");
        if (change.wasThere)
            AddValue(json, change.from);
        else
            json.String("(missing)");
        AddValue(json.Key("to"), change.to);
        if (change.resetBySave)
            json.Key("everySaveResetsIt").Bool(true);
        if (!dryRun)
            json.Key("saved").Bool(change.saved);
        json.EndObject();
    }
    json.EndArray();
}

void PrintJson(const ChangeReport& report, unsigned codePage)
{
    JsonWriter json(codePage);
    json.BeginObject().Key("dryRun").Bool(report.dryRun).Key("changed").Bool(!report.nothingToChange);
    AddChanges(json, "changes", report.settings, report.dryRun);
    AddChanges(json, "registry", report.registry, report.dryRun);
    json.Key("droppedLines").BeginArray();
    for (const DroppedLine& line : report.droppedLines)
        json.BeginObject()
            .Key("line").Number(line.number)
            .Key("text").String(line.text)
            .Key("mentions").String(line.mentioned)
            .EndObject();
    json.EndArray().Key("setAsideLines").BeginArray();
    for (const SetAsideLine& line : report.setAsideLines)
        json.BeginObject().Key("line").Number(line.number).Key("text").String(line.text).EndObject();
    json.EndArray().Key("notes").Strings(report.notes);
    if (!report.dryRun) {
        json.Key("saved").Bool(report.save.Saved()).Key("failures").BeginArray();
        for (const SaveFailure& failure : report.save.failures)
            json.BeginObject()
                .Key("what").String(failure.what)
                .Key("place").String(failure.place)
                .Key("reason").String(failure.reason)
                .EndObject();
        json.EndArray();
    }
    PrintJsonDocument(json.EndObject().Line());
}

}  // namespace

ChangeReport ReportChanges(const std::vector<NamedSetting>& before, const CRegistry& after)
{
    ChangeReport report;
    const std::vector<NamedSetting> now = SettingsOf(after);
    for (size_t i = 0; i < before.size() && i < now.size(); ++i)
        if (before[i].value != now[i].value && !IsRegistryName(now[i].name))
            report.settings.push_back(Change{now[i].name, true, before[i].value, now[i].value, false, false});
    for (const RegistryValue& stored : RegistryValues()) {
        const StoredRegistryValue held = ReadStoredRegistryValue(stored.name);
        if (!HoldsWhatASaveWrites(stored, held, after))
            report.registry.push_back(RegistryChange(stored, held, after));
    }
    report.droppedLines = LinesASaveDrops();
    report.setAsideLines = LinesASaveSetsAside();
    return report;
}

void NoteSaved(ChangeReport& report, const SaveReport& save)
{
    report.dryRun = false;
    report.save = save;
    // What the save itself has to tell, such as lines it set aside.
    report.notes.insert(report.notes.end(), save.notes.begin(), save.notes.end());
    const bool fileSaved = !FileFailed(save);
    for (Change& change : report.settings)
        change.saved = fileSaved;
    const CRegistry& s = *SetupSettings;
    for (Change& change : report.registry)
        for (const RegistryValue& stored : RegistryValues())
            if (change.name == stored.name)
                change.saved = HoldsWhatASaveWrites(stored, ReadStoredRegistryValue(stored.name), s);
}

void PrintReport(const ChangeReport& report, bool json, unsigned codePage)
{
    if (json)
        PrintJson(report, codePage);
    else
        PrintText(report);
    TellSaveFailures(report.save);
}

int TellSaveFailures(const SaveReport& save)
{
    for (const SaveFailure& failure : save.failures) {
        std::string text = "not saved: " + failure.what + "\n" + failure.reason;
        if (failure.previousFileKept)
            text += "\nThe previous file was left as it was.";
        const std::string advice = AdviceFor(failure);
        Fail(kExitFailed, advice.empty() ? text : text + "\n" + advice);
    }
    return save.failures.empty() ? kExitDone : kExitFailed;
}
