#include "support/Command.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace command {

namespace {

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

Result Run(const std::string& program, const std::vector<std::string>& arguments,
           const std::string& folder)
{
    char outName[] = "/tmp/command-out-XXXXXX";
    char errName[] = "/tmp/command-err-XXXXXX";
    const int out = mkstemp(outName);
    const int err = mkstemp(errName);
    Result result;
    const pid_t child = fork();
    if (child == 0) {
        dup2(out, 1);
        dup2(err, 2);
        if (!folder.empty() && chdir(folder.c_str()) != 0)
            _exit(127);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    close(out);
    close(err);
    result.out = Slurp(outName);
    result.err = Slurp(errName);
    std::remove(outName);
    std::remove(errName);
    return result;
}

}  // namespace command
