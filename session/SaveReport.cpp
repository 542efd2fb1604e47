#include "session/SaveReport.h"

const char* const kSaveFailedHeading = "Setup could not save all of your settings.";

std::string SaveFailureText(const SaveReport& report, const std::string& heading)
{
    std::string text = heading.empty() ? kSaveFailedHeading : heading;
    for (const SaveFailure& failure : report.failures) {
        text += "\n\n" + failure.what + "\n" + failure.reason;
        if (failure.previousFileKept)
            text += "\nThe previous file was left as it was.";
    }
    return text;
}
