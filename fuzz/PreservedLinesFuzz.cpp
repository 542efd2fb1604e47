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

    const TextLines kept = PreservedLinesOf(std::string(reinterpret_cast<const char*>(data), size));
    std::string written;
    for (std::size_t at = 0; at < kept.size(); ++at) {
        const std::string_view line = kept[at];
        if (line.empty() || line.find('\n') != std::string_view::npos || IsDroppedLine(line))
            std::abort();
        written += std::string(line) + "\r\n";
    }
    if (PreservedLinesOf(written) != kept)
        std::abort();
    return 0;
}
