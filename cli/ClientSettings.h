#pragma once

#include <cstdint>
#include <string>

#include "session/SetupSession.h"

struct EnumerationLog;

// The settings of the client folder, read and released as Setup.exe reads
// and releases them (StartSession, EndSession).
class ClientSettings {
public:
    ClientSettings() = default;
    ~ClientSettings();
    ClientSettings(const ClientSettings&) = delete;
    ClientSettings& operator=(const ClientSettings&) = delete;

    // False, with the reason, when the record cannot be created.
    bool Read(SetupSession::Access access, std::string& error, EnumerationLog* log = nullptr);

    // What the display enumeration returned.
    int32_t displayResult() const { return displayResult_; }

private:
    bool created_ = false;
    int32_t displayResult_ = 0;
};

// The read every verb starts with, which leaves registry and folder
// untouched: kExitDone, or kExitFailed once it has said why.
int ReadClientSettings(ClientSettings& client, EnumerationLog* log = nullptr);

// Makes folder the current one, where every file of the client is named
// from; false with the reason when it cannot.
bool EnterClientFolder(const std::string& folder, std::string& error);

// The current folder; empty when it cannot be told.
std::string CurrentFolder();
