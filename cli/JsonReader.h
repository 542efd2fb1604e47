#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One JSON value as read from a document nobody vouches for.
struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };

    Kind kind = Kind::kNull;
    bool boolean = false;
    bool isInteger = false;  // a number without fraction or exponent that fits a long long
    long long integer = 0;
    std::string text;  // a string's UTF-8 text; a number as written
    std::vector<JsonValue> items;     // an array's items; an object's member values
    std::vector<std::string> keys;    // an object's keys, in order, each once

    // The member of that key; null when there is none or this is no object.
    const JsonValue* Member(const std::string& key) const;
};

// The limits a document is read within.
struct JsonLimits {
    size_t maxBytes = 1u << 20;
    int maxDepth = 16;  // arrays and objects inside each other
};

// Reads text, which must be exactly one JSON value in UTF-8 (surrounded by
// white space at most). False, with why and where ("line 3: ..."), for any
// text that is not: invalid UTF-8, a control character or a lone surrogate
// in a string, a key twice in one object, nesting deeper or text longer
// than the limits. It throws nothing.
bool ReadJson(std::string_view text, JsonValue& value, std::string& why, const JsonLimits& limits = {});

// "a string", "a number", ... as a refusal names a kind.
const char* JsonKindName(JsonValue::Kind kind);
