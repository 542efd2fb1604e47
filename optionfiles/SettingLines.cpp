#include <cstdarg>
#include <cstdio>

#include "optionfiles/FormatText.h"
#include "optionfiles/OptionScript.h"
#include "settings/SettingNames.h"

std::string FormatText(const char* format, ...)
{
    char workArea[4096];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(workArea, sizeof workArea, format, arguments);
    va_end(arguments);
    return length < 0 ? std::string() : std::string(workArea);
}

std::string OptionScript::SettingLine(const char* tableName, const char* key, int32_t value)
{
    return tableName + FormatText("[\"%s\"] = %d\r\n", key, static_cast<int>(value));
}

std::string OptionScript::OptionLine(const char* key, int32_t value)
{
    return SettingLine(SettingName(kOptionInfoList), key, value);
}

std::string OptionScript::CommandLine(const char* key, int32_t value)
{
    return SettingLine(SettingName(kCmdOnOffList), key, value);
}
