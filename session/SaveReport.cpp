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
    for (const std::string& note : report.notes)
        text += "\n\n" + note;
    return text;
}

std::string SaveReportText(const SaveReport& report, const std::string& failedHeading)
{
    if (!report.Saved())
        return SaveFailureText(report, failedHeading);
    std::string text;
    for (const std::string& note : report.notes)
        text += (text.empty() ? "Your settings were saved.\n\n" : "\n\n") + note;
    return text;
}
