#include "session/WatchedRead.h"

#include "optionfiles/OptionScript.h"

WatchedRead::WatchedRead(Findings& findings)
{
    g_optionScript.SetFindings(&findings);
}

WatchedRead::~WatchedRead()
{
    g_optionScript.SetFindings(nullptr);
}
