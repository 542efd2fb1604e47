#include "cli/Failure.h"

#include <cstdio>

#include "cli/Commands.h"
#include "cli/Json.h"

namespace {

// What this run has told so far: one process, one run.
struct Told {
    bool asJson = false;
    unsigned codePage = 0;
    bool jsonPrinted = false;
    std::string message;
};

Told& TheRun()
{
    static Told told;
    return told;
}

// value's first limit bytes, control characters escaped; the cut said.
std::string Escaped(std::string_view value, size_t limit)
{
    std::string out;
    for (size_t i = 0; i < value.size() && i < limit; ++i) {
        const unsigned char byte = static_cast<unsigned char>(value[i]);
        if (byte >= 0x20 && byte != 0x7F) {
            out += value[i];
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        out += byte == '\n' ? "\\n" : byte == '\t' ? "\\t" : escaped;
    }
    if (value.size() > limit)
        out += "... (" + std::to_string(value.size()) + " bytes, cut at " + std::to_string(limit) + ")";
    return out;
}

constexpr size_t kLongestLine = 4 * kEchoedBytes;

}  // namespace

std::string Echo(std::string_view value)
{
    return Escaped(value, kEchoedBytes);
}

int Fail(int code, const std::string& message)
{
    Told& told = TheRun();
    // Every line of it is setupctl's, so that a log that mixes programs tells them apart.
    size_t start = 0;
    do {
        const size_t end = message.find('\n', start);
        // The tool's own text around echoed values, which are safe already;
        // this keeps a stray byte of the platform's texts safe too, and no
        // line longer than a terminal takes in.
        const std::string line =
            Escaped(std::string_view(message).substr(start, end == std::string::npos ? end : end - start), kLongestLine);
        if (!line.empty()) {
            std::fprintf(stderr, "setupctl: %s\n", line.c_str());
            told.message += (told.message.empty() ? "" : "\n") + line;
        }
        start = end == std::string::npos ? end : end + 1;
    } while (start != std::string::npos);
    return code;
}

void TellFailuresAsJson(unsigned codePage)
{
    TheRun().asJson = true;
    TheRun().codePage = codePage;
}

void PrintJsonDocument(const std::string& line)
{
    TheRun().jsonPrinted = true;
    std::fputs(line.c_str(), stdout);
}

int EndRun(int code)
{
    const Told& told = TheRun();
    if (code == kExitDone || !told.asJson || told.jsonPrinted)
        return code;
    JsonWriter json(told.codePage);
    json.BeginObject().Key("error").BeginObject().Key("code").Number(code).Key("message").String(told.message);
    PrintJsonDocument(json.EndObject().EndObject().Line());
    return code;
}
