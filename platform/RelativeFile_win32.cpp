#include "platform/RelativeFile_win32.h"

#include <winternl.h>

#include <vector>

namespace {

using NtCreateFileCall = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                          PLARGE_INTEGER, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
using NtSetInformationFileCall = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);
using RtlNtStatusToDosErrorCall = ULONG(NTAPI*)(NTSTATUS);

constexpr ULONG kFileRenameInformation = 10;

// The native calls, found once in ntdll, which every process has loaded.
struct NativeCalls {
    NtCreateFileCall createFile = nullptr;
    NtSetInformationFileCall setInformation = nullptr;
    RtlNtStatusToDosErrorCall toWin32 = nullptr;

    NativeCalls()
    {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        if (ntdll == nullptr)
            return;
        createFile = reinterpret_cast<NtCreateFileCall>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "NtCreateFile")));
        setInformation = reinterpret_cast<NtSetInformationFileCall>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetInformationFile")));
        toWin32 = reinterpret_cast<RtlNtStatusToDosErrorCall>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlNtStatusToDosError")));
    }
    bool Found() const { return createFile != nullptr && setInformation != nullptr && toWin32 != nullptr; }
};

const NativeCalls& Native()
{
    static const NativeCalls calls;
    return calls;
}

SystemError ErrorOf(NTSTATUS status)
{
    const ULONG error = Native().toWin32(status);
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

// The name in the system's own characters; names are read in the ANSI code
// page, as every other name the tool passes.
std::wstring Wide(const std::string& name)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), &wide[0], length);
    return wide;
}

}  // namespace

HANDLE OpenRelative(HANDLE folder, const std::string& name, const RelativeOpen& how, SystemError& error)
{
    if (!Native().Found()) {
        error = ERROR_PROC_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    std::wstring wide = Wide(name);
    if (wide.empty() || wide.size() > 32767 || wide.find_first_of(L"\\/") != std::wstring::npos) {
        error = ERROR_INVALID_NAME;  // one name in the folder, never a way out of it
        return INVALID_HANDLE_VALUE;
    }
    UNICODE_STRING text;
    text.Buffer = &wide[0];
    text.Length = text.MaximumLength = static_cast<USHORT>(wide.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE file = INVALID_HANDLE_VALUE;
    const NTSTATUS status = Native().createFile(
        &file, how.access | SYNCHRONIZE, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, how.share,
        how.disposition, FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT,
        nullptr, 0);
    if (status < 0) {
        error = ErrorOf(status);
        return INVALID_HANDLE_VALUE;
    }
    error = kNoError;
    return file;
}

// The native call, not SetFileInformationByHandle: Wine's takes the name
// for a path from the current folder and so ignores RootDirectory.
SystemError RenameRelative(HANDLE file, HANDLE folder, const std::string& to)
{
    if (!Native().Found())
        return ERROR_PROC_NOT_FOUND;
    const std::wstring wide = Wide(to);
    if (wide.empty() || wide.find_first_of(L"\\/") != std::wstring::npos)
        return ERROR_INVALID_NAME;
    const std::size_t nameBytes = wide.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = folder;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    wide.copy(rename->FileName, wide.size());
    IO_STATUS_BLOCK io{};
    const NTSTATUS status = Native().setInformation(file, &io, buffer.data(), static_cast<ULONG>(buffer.size()),
                                                    kFileRenameInformation);
    return status < 0 ? ErrorOf(status) : kNoError;
}
