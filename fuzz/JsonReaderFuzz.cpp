// The profile reader on arbitrary bytes: it returns, refuses with a reason,
// or gives a value no deeper than its limit whose every text is UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/JsonReader.h"
#include "cli/TextEncoding.h"

namespace {

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

void CheckValue(const JsonValue& value, int depth)
{
    Require(depth <= JsonLimits{}.maxDepth + 1);
    Require(IsValidUtf8(value.text));
    for (const std::string& key : value.keys)
        Require(IsValidUtf8(key));
    Require(value.kind != JsonValue::Kind::kObject || value.keys.size() == value.items.size());
    for (const JsonValue& item : value.items)
        CheckValue(item, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    JsonValue value;
    std::string why;
    if (ReadJson(text, value, why))
        CheckValue(value, 0);
    else
        Require(!why.empty());
    return 0;
}
