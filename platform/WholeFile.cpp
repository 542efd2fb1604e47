#include "platform/WholeFile.h"

#include "platform/FileHandle.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0 || std::ferror(file))
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

SystemError MoveOver(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? kNoError
               : LastSystemError();
#else
    return std::rename(from.c_str(), to.c_str()) == 0 ? kNoError : LastFileError();
#endif
}

SystemError ReplaceWhole(const std::string& path, const std::string& bytes)
{
    const std::string side = path + ".new";
    ResetFileError();
    FileHandle file = OpenFile(side.c_str(), "wb");
    if (!file)
        return LastFileError();
    SystemError error = kNoError;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        !FlushToDisk(file.get()))
        error = LastFileError();
    if (std::fclose(file.release()) != 0 && error == kNoError)
        error = LastFileError();
    if (error == kNoError)
        error = MoveOver(side, path);
    if (error != kNoError)
        std::remove(side.c_str());
    return error;
}
