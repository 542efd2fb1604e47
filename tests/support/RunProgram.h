#pragma once

#include <string>

// Windows programs of the build, started from a test under Wine.
namespace run {

// A path of the Linux build tree as Wine names it (drive Z: is the root).
std::string WinePath(const std::string& unixPath);

// Runs the program in folder and waits at most timeoutMs; returns its exit
// code, or -1 when it could not start or did not end in time (it is then
// ended).
long Program(const std::string& program, const std::string& folder, unsigned long timeoutMs);

}  // namespace run
