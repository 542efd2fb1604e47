#include "support/Command.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace command {

namespace {

HANDLE InheritableFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_TEMPORARY, nullptr);
}

// What the program printed, its text-mode CR LF line ends read back as LF.
std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string text;
    for (auto c = std::istreambuf_iterator<char>(in); c != std::istreambuf_iterator<char>(); ++c)
        if (*c != '\r')
            text += *c;
    return text;
}

std::string Quote(const std::string& argument)
{
    return "\"" + argument + "\"";
}

}  // namespace

Result Run(const std::string& program, const std::vector<std::string>& arguments,
           const std::string& folder)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // A name of each run's own: a process the program started (Wine's
    // desktop, say) may keep the files of an earlier run open.
    static int runs = 0;
    const std::string base = std::string(temp) + "command-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(++runs);
    const std::string outName = base + ".out";
    const std::string errName = base + ".err";
    HANDLE out = InheritableFile(outName);
    HANDLE err = InheritableFile(errName);

    std::string line = Quote(program);
    for (const std::string& argument : arguments)
        line += " " + Quote(argument);
    std::vector<char> mutableLine(line.begin(), line.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process = {};
    Result result;
    if (CreateProcessA(program.c_str(), mutableLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &code))
            result.exitCode = static_cast<long>(code);
        else
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    result.out = Slurp(outName);
    result.err = Slurp(errName);
    DeleteFileA(outName.c_str());
    DeleteFileA(errName.c_str());
    return result;
}

}  // namespace command
