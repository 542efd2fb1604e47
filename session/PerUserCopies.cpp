#include "session/PerUserCopies.h"

#include <cstring>

#include "optionfiles/SettingLineValues.h"
#include "platform/RegistryKey.h"
#include "session/ClientSavedFile.h"
#include "session/SessionSteps.h"
#include "session/StoredRegistryValue.h"
#include "settings/Findings.h"
#include "settings/RegistryValues.h"
#include "settings/SettingNames.h"

namespace {

std::string LineValueText(const SettingLineValue& value)
{
    return value.found ? std::to_string(value.value) : "not set";
}

// The copy's settings, on the lines of the tool's own form, against the
// saved file's: what a player changed in Setup and the game ignored.
void CheckFileCopy(Findings& findings)
{
    const ClientSavedFile client;
    if (!client.IsPerUserCopy())
        return;
    const std::string& place = client.CopyPath();
    const std::string saved = SetupSession::SavedFileName();
    findings.Add(place, 0, "a per-user copy of " + saved + ", which the game reads instead");
    const FileBytes copy = client.Read();
    if (copy.status != FileBytes::Status::kRead) {
        findings.Add(place, 0, "Setup cannot read this copy: " + DescribeSystemError(copy.error));
        return;
    }
    const FileBytes file = ReadUnlinkedFileBytes(SetupSession::SavedFileHostPath(), kMaxSavedFileBytes);
    const SettingLineValues here = ReadSettingLineValues(copy.bytes);
    const SettingLineValues there = ReadSettingLineValues(file.bytes);
    for (int key = kFirstOptionKey; key <= kLastCmdOnOffKey; ++key) {
        if (here[key].found == there[key].found && here[key].value == there[key].value)
            continue;
        findings.Add(place, 0, std::string(SettingName(key)) + " is " + LineValueText(here[key]) + " here and " +
                                   LineValueText(there[key]) + " in " + saved);
    }
}

std::string StoredText(const StoredRegistryValue& value)
{
    if (!value.exists)
        return "missing";
    if (value.type == RegistryKey::kDword && value.bytes.size() == 4) {
        uint32_t number = 0;
        std::memcpy(&number, value.bytes.data(), 4);  // the registry's DWORD is little-endian, as the tool's hosts
        return std::to_string(static_cast<int32_t>(number));
    }
    if (value.type == RegistryKey::kString)
        return "\"" + std::string(value.bytes.c_str()) + "\"";
    return std::to_string(value.bytes.size()) + " bytes of type " + std::to_string(value.type);
}

void CheckRegistryCopy(Findings& findings)
{
    const std::string place = PerUserProductKeyName();
    bool named = false;
    for (const RegistryValue& value : RegistryValues()) {
        const StoredRegistryValue copy = ReadPerUserRegistryValue(value.name);
        if (!copy.exists)
            continue;
        if (!named)
            findings.Add(place, 0, std::string("a per-user copy of ") + kProductKeyName +
                                       ", whose values the game reads instead of the key's");
        named = true;
        const StoredRegistryValue machine = ReadStoredRegistryValue(value.name);
        const bool same = SameStoredValue(machine, copy);
        findings.Add(place, 0, std::string(value.name) + " is " + StoredText(copy) + " here" +
                                   (same ? ", as in " : " and " + StoredText(machine) + " in ") +
                                   kProductKeyName);
    }
}

void Fail(SaveReport& report, std::string what, std::string place, SystemError why)
{
    report.failures.push_back(SaveFailure{std::move(what), std::move(place), DescribeSystemError(why), false});
}

void ResolveFileCopy(SaveReport& report, const ClientSavedFile& client)
{
    if (!client.IsPerUserCopy())
        return;
    const std::string saved = SetupSession::SavedFileName();
    if (const SystemError error = client.RemoveCopy()) {
        Fail(report,
             "The game reads a per-user copy of " + saved + " instead of it, and Setup could not remove that copy: "
             "the game does not read your options.",
             client.CopyPath(), error);
        return;
    }
    report.notes.push_back("The per-user copy of " + saved + " that the game read instead (" + client.CopyPath() +
                           ") was removed, so that the game reads your settings.");
}

// The names of the values that have a per-user copy, ", " between them.
std::string ValuesWithCopies()
{
    std::string names;
    for (const RegistryValue& value : RegistryValues())
        if (ReadPerUserRegistryValue(value.name).exists)
            names += (names.empty() ? "" : ", ") + std::string(value.name);
    return names;
}

// Removes the copies of the values a save writes; returns the names removed.
std::string ResolveValueCopies(SaveReport& report)
{
    std::string removed;
    for (const RegistryValue& value : RegistryValues()) {
        if (!ReadPerUserRegistryValue(value.name).exists)
            continue;
        if (const SystemError error = RemovePerUserRegistryValue(value.name)) {
            Fail(report,
                 std::string("The game reads a per-user copy of ") + value.name +
                     " instead of the saved value, and Setup could not remove that copy.",
                 PerUserProductKeyName(), error);
            continue;
        }
        removed += (removed.empty() ? "" : ", ") + std::string(value.name);
    }
    return removed;
}

}  // namespace

std::string PerUserCopyPlace(SettingOrigin origin)
{
    switch (origin) {
    case SettingOrigin::kPerUserFile: return SetupSettings->savedFileReadFrom;
    case SettingOrigin::kPerUserRegistry: return PerUserProductKeyName();
    default: return {};
    }
}

void CheckPerUserCopies(Findings& findings)
{
    CheckFileCopy(findings);
    CheckRegistryCopy(findings);
}

bool AnyPerUserCopy(const ClientSavedFile& client)
{
    return client.IsPerUserCopy() || !ValuesWithCopies().empty();
}

std::vector<std::string> PerUserCopiesASaveRemoves()
{
    std::vector<std::string> notes;
    const ClientSavedFile client;
    if (client.IsPerUserCopy())
        notes.push_back("The save removes the per-user copy of " + SetupSession::SavedFileName() +
                        " that the game reads instead (" + client.CopyPath() + ").");
    const std::string values = ValuesWithCopies();
    if (!values.empty())
        notes.push_back("The save removes the per-user copies of " + values + " that the game reads instead (" +
                        PerUserProductKeyName() + ").");
    return notes;
}

void ResolvePerUserCopies(SaveReport& report, const ClientSavedFile& client)
{
    ResolveFileCopy(report, client);
    const std::string removed = ResolveValueCopies(report);
    if (!removed.empty())
        report.notes.push_back("The per-user copies of " + removed + " that the game read instead (" +
                               PerUserProductKeyName() + ") were removed, so that the game reads your settings.");
}
