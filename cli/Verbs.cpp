#include "cli/Verbs.h"

#include <cstdio>

#include "cli/Commands.h"

namespace {

const Verb kVerbs[] = {
    {"show", RunShow, Verb::kJson | Verb::kValue, Verb::Operands::kAny, "[NAME...]",
     "every setting, its value and where the value came from", nullptr},
    {"check", RunCheck, Verb::kJson, Verb::Operands::kNone, "",
     "why anything the tool read was not used, one finding a line", nullptr},
    {"set", RunSet, Verb::kDryRun | Verb::kJson | Verb::kForce, Verb::Operands::kAtLeastOne,
     "NAME=VALUE...", "change settings and save them as Setup's OK does:", SetValuesHelp},
    {"reset", RunReset, Verb::kDryRun | Verb::kJson | Verb::kForce, Verb::Operands::kNone, "",
     "the defaults, saved as Setup's DEFAULT and then OK do", nullptr},
    {"devices", RunDevices, Verb::kJson, Verb::Operands::kNone, "",
     "the display drivers and 3D devices, and each one's screen modes", nullptr},
    {"export", RunExport, 0, Verb::Operands::kAny, "[FILE] [NAME...]",
     "the settings as a profile for another seat, to FILE or standard output;\n"
     "            only the settings NAME... (mode and device among them) when named", nullptr},
    {"import", RunImport, Verb::kDryRun | Verb::kJson | Verb::kForce | Verb::kDefaultDevice, Verb::Operands::kOne,
     "FILE", "apply a profile as set does, all or nothing (FILE - is standard input)", nullptr},
    {"diff", RunDiff, Verb::kJson, Verb::Operands::kOne, "FILE",
     "whether this seat still holds a profile's settings, writing nothing:\n"
     "            exit 0 when it does, 1 listing each that differs", nullptr},
    {"help", RunHelp, 0, Verb::Operands::kAtMostOne, "[COMMAND]", "this text, or one command's", nullptr},
};

const VerbFlag kFlags[] = {
    {Verb::kJson, "--json", &Arguments::json, "one JSON object on standard output, for scripts"},
    {Verb::kDryRun, "--dry-run", &Arguments::dryRun, "print the changes, write nothing"},
    {Verb::kForce, "--force", &Arguments::force,
     "save into a folder that has neither System\\LuaFiles514 nor a save folder"},
    {Verb::kValue, "--value", &Arguments::valueOnly, "print only the values, one a line"},
    {Verb::kDefaultDevice, "--device=default", &Arguments::defaultDevice,
     "the first line of the Device list when the profile's device is not here"},
};

std::string Padded(const std::string& text, size_t width)
{
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

// "setupctl [-C DIR] show [--json] [NAME...]"
std::string Synopsis(const Verb& verb)
{
    std::string line = std::string("setupctl [-C DIR] ") + verb.name;
    for (const VerbFlag& flag : kFlags)
        if ((verb.flags & flag.flag) != 0)
            line += std::string(" [") + flag.name + "]";
    if (verb.operandText[0] != '\0')
        line += std::string(" ") + verb.operandText;
    return line;
}

std::string FlagLines(unsigned flags)
{
    std::string text;
    for (const VerbFlag& flag : kFlags)
        if ((flags & flag.flag) != 0)
            text += "  " + Padded(flag.name, 18) + flag.help + "\n";
    return text;
}

}  // namespace

const Verb* FindVerb(const std::string& name)
{
    for (const Verb& verb : kVerbs)
        if (name == verb.name)
            return &verb;
    return nullptr;
}

const VerbFlag* FindFlag(const Verb& verb, const std::string& name)
{
    for (const VerbFlag& flag : kFlags)
        if ((verb.flags & flag.flag) != 0 && name == flag.name)
            return &flag;
    return nullptr;
}

std::string VerbHelp(const Verb& verb)
{
    std::string text = "usage: " + Synopsis(verb) + "\n\n  " + verb.help + "\n";
    if (verb.moreHelp != nullptr)
        text += verb.moreHelp();
    const std::string flags = FlagLines(verb.flags);
    return flags.empty() ? text : text + "\n" + flags;
}

std::string UsageText()
{
    std::string text;
    const char* lead = "usage: ";
    for (const Verb& verb : kVerbs) {
        text += lead + Synopsis(verb) + "\n";
        lead = "       ";
    }
    text += lead + std::string("setupctl --help | /? | --version\n");
    text += "\n"
            "The settings of the Korvane client, as Setup shows and saves them.\n"
            "DIR is the client folder, where Setup.exe runs (default: the current folder).\n"
            "--codepage N reads the client's texts in code page N (default: the system's;\n"
            "949 where there is none).\n"
            "\n";
    for (const Verb& verb : kVerbs) {
        text += "  " + Padded(verb.name, 10) + verb.help + "\n";
        if (verb.moreHelp != nullptr)
            text += verb.moreHelp();
    }
    text += "\n" + FlagLines(~0u);
    text += "\n"
            "Exit codes: 0 done, 1 findings, a drifted seat or a failed save, 2 a usage\n"
            "error or a refused setting (nothing written).\n";
    return text;
}
