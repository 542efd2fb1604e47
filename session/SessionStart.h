#pragma once

#include <cstdint>

#include "session/SetupSession.h"

struct EnumerationLog;

// What both programs say when the settings record cannot be created.
extern const char* const kRecordNotCreated;  // "fail CRegistry::CrateInstance()"

// The start of either program, in the order in which each step needs the
// one before it:
//   1. the settings record, SetupSettings; when it cannot be created,
//      nothing else is done and the result is false;
//   2. the name table, which every later step looks its names up in;
//   3. the display devices, since the start-up read's defaults take the
//      first usable one; without one the read goes on with no device;
//   4. the start-up read into the record (SetupSession::ReadStartupSettings).
// displayResult, when given, receives the enumeration's result and log
// notes every driver and device it saw.
bool StartSession(SetupSession::Access access, int32_t* displayResult = nullptr,
                  EnumerationLog* log = nullptr);

// The end of either program: the record, then the device list, released.
void EndSession();
