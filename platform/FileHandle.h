#pragma once

#include <cstdio>
#include <memory>

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open C file, closed when it goes out of scope.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

inline FileHandle OpenFile(const char* name, const char* mode)
{
    return FileHandle(std::fopen(name, mode));
}
