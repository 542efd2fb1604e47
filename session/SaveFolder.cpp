#include "session/SaveFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>

#include "platform/HostPath.h"
#endif

const char* const kSaveFolder = "savedata";

#ifdef _WIN32

SystemError MakeSaveFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(kSaveFolder, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);  // something of that name is there already
        return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? kNoError
                                                                         : ERROR_ALREADY_EXISTS;
    }
    return CreateDirectoryA(kSaveFolder, nullptr) ? kNoError : LastSystemError();
}

#else

SystemError MakeSaveFolder()
{
    const std::string folder = HostPath(kSaveFolder);
    struct stat found;
    if (stat(folder.c_str(), &found) == 0)
        return S_ISDIR(found.st_mode) ? kNoError : EEXIST;
    return mkdir(folder.c_str(), 0777) == 0 ? kNoError : LastSystemError();
}

#endif
