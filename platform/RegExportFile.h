#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SystemError.h"

// Registry keys and values under HKEY_LOCAL_MACHINE in the registry editor's
// export format ("REGEDIT4", 8-bit text), as the store of hosts without a
// registry. The file may hold more than the store reads: comments, default
// values (@=), keys of other roots, lines it cannot parse. Those are kept
// byte for byte, line ends included; only the line of a value that is set
// here is written anew (with CR LF). Key paths and value names compare
// without regard to case, as on Windows.
struct RegValue {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

struct RegKey {
    std::string path;  // below HKEY_LOCAL_MACHINE, backslash-separated
    std::vector<RegValue> values;
};

class RegExportFile {
public:
    // Reads path. A missing file gives an empty store. A file that cannot be
    // read, or is no REGEDIT4 export (a UTF-16 "Version 5.00" export, say),
    // gives a store whose error() says why: it reads as empty, ignores
    // changes and is never saved, so that the file stays as it is.
    static RegExportFile Load(const std::string& path);
    static RegExportFile Parse(std::string_view text);

    // Why the file cannot be used; kNoError when it can.
    SystemError error() const { return error_; }

    // The file's bytes: what was read, with the changes made since.
    std::string Format() const;
    // Replaces the file at path whole or not at all: the bytes go to a side
    // file (path + ".new"), flushed to disk, which is then renamed over the
    // file. On failure the side file is removed and the reason returned.
    SystemError Save(const std::string& path) const;

    bool HasKey(std::string_view path) const;
    // Adds an empty key block at the end of the file when the key is missing.
    void AddKey(const std::string& path);
    // The value the registry editor would import: the last of that name.
    const RegValue* FindValue(std::string_view keyPath, std::string_view name) const;
    // Rewrites that value's line in place (keeping the name's spelling), or
    // adds a line at the end of the key's block, adding the key when missing.
    void SetValue(const std::string& keyPath, RegValue value);
    // Removes every line of that value, so that the registry editor would
    // import none.
    void RemoveValue(std::string_view keyPath, std::string_view name);

    // Every key with its values, as the registry editor would import them.
    std::vector<RegKey> Keys() const;

private:
    // One line of the file with its continuation lines, if any.
    struct Line {
        enum class Kind { kText, kOtherRootKey, kKey, kValue };
        Kind kind = Kind::kText;
        std::string text;  // its bytes, line ends included
        std::string key;   // kKey, kValue: the key's path
        RegValue value;    // kValue
        // It ends in a backslash at the end of the file: a line added after
        // it would be taken as its continuation.
        bool joinsNext = false;

        // Gives it a line end, so that a line can follow.
        void End();
    };

    static Line TextLine(std::string text);

    const Line* LastValueLine(std::string_view keyPath, std::string_view name) const;
    size_t LastKeyLine(std::string_view path) const;
    size_t EndOfBlock(size_t keyLine) const;

    std::vector<Line> lines_;
    SystemError error_ = kNoError;
};
