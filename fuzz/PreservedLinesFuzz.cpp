// The saved file's line reader on arbitrary bytes: it must not fail, and
// what it keeps must survive a save and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "optionfiles/PreservedLines.h"
#include "settings/SettingNames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool named = (InitSettingNames(), true);
    (void)named;

    const auto kept = PreservedLinesOf(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string written;
    for (const std::string& line : kept) {
        if (line.empty() || line.find('\n') != std::string::npos || IsDroppedLine(line))
            std::abort();
        written += line + "\r\n";
    }
    if (PreservedLinesOf(written) != kept)
        std::abort();
    return 0;
}
