#include "cli/JsonReader.h"

#include <cstdlib>
#include <new>
#include <set>

#include "cli/TextEncoding.h"

namespace {

// A recursive descent whose depth the limits bound, so that no document can
// exhaust the stack.
class Reader {
public:
    Reader(std::string_view text, const JsonLimits& limits) : text_(text), limits_(limits) {}

    bool Document(JsonValue& value)
    {
        SkipSpace();
        if (!Value(value, 0))
            return false;
        SkipSpace();
        return at_ == text_.size() || Stop("text after the value");
    }

    std::string Why() const { return "line " + std::to_string(Line()) + ": " + why_; }

private:
    bool Stop(const std::string& why)
    {
        if (why_.empty())
            why_ = why;
        return false;
    }

    size_t Line() const
    {
        size_t line = 1;
        for (size_t i = 0; i < at_ && i < text_.size(); ++i)
            line += text_[i] == '\n' ? 1 : 0;
        return line;
    }

    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }

    void SkipSpace()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n'))
            ++at_;
    }

    bool Take(char c)
    {
        if (Peek() != c || AtEnd())
            return false;
        ++at_;
        return true;
    }

    bool Word(std::string_view word)
    {
        if (text_.substr(at_, word.size()) != word)
            return Stop("not a JSON value");
        at_ += word.size();
        return true;
    }

    bool Value(JsonValue& value, int depth)
    {
        switch (Peek()) {
        case '{': return Object(value, depth + 1);
        case '[': return Array(value, depth + 1);
        case '"': value.kind = JsonValue::Kind::kString; return String(value.text);
        case 't': value.kind = JsonValue::Kind::kBool; value.boolean = true; return Word("true");
        case 'f': value.kind = JsonValue::Kind::kBool; return Word("false");
        case 'n': return Word("null");
        default: return Number(value);
        }
    }

    bool Open(int depth)
    {
        ++at_;
        SkipSpace();
        return depth <= limits_.maxDepth || Stop("nested deeper than " + std::to_string(limits_.maxDepth));
    }

    // After an item: true to read another, false at the closing bracket or
    // on an error (why_ set).
    bool Next(char close, bool& more)
    {
        SkipSpace();
        if (Take(',')) {
            SkipSpace();
            more = true;
            return true;
        }
        more = false;
        return Take(close) || Stop(std::string("',' or '") + close + "' expected");
    }

    bool Array(JsonValue& value, int depth)
    {
        value.kind = JsonValue::Kind::kArray;
        if (!Open(depth))
            return false;
        if (Take(']'))
            return true;
        for (bool more = true; more;) {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth) || !Next(']', more))
                return false;
        }
        return true;
    }

    bool Object(JsonValue& value, int depth)
    {
        value.kind = JsonValue::Kind::kObject;
        if (!Open(depth))
            return false;
        if (Take('}'))
            return true;
        std::set<std::string> seen;
        for (bool more = true; more;) {
            std::string key;
            if (Peek() != '"')
                return Stop("a key in quotes expected");
            if (!String(key))
                return false;
            if (!seen.insert(key).second)
                return Stop("\"" + key + "\" is there twice");
            SkipSpace();
            if (!Take(':'))
                return Stop("':' expected after \"" + key + "\"");
            SkipSpace();
            value.keys.push_back(key);
            value.items.emplace_back();
            if (!Value(value.items.back(), depth) || !Next('}', more))
                return false;
        }
        return true;
    }

    bool Digits()
    {
        const size_t start = at_;
        while (Peek() >= '0' && Peek() <= '9' && !AtEnd())
            ++at_;
        return at_ > start;
    }

    bool Number(JsonValue& value)
    {
        const size_t start = at_;
        Take('-');
        if (Peek() == '0')
            ++at_;
        else if (!Digits())
            return Stop("not a JSON value");
        bool integral = true;
        if (Take('.')) {
            integral = false;
            if (!Digits())
                return Stop("a digit expected after '.'");
        }
        if (Take('e') || Take('E')) {
            integral = false;
            if (!Take('+'))
                Take('-');
            if (!Digits())
                return Stop("a digit expected in the exponent");
        }
        value.kind = JsonValue::Kind::kNumber;
        value.text = std::string(text_.substr(start, at_ - start));
        // 18 digits always fit a long long.
        value.isInteger = integral && value.text.size() <= 18;
        value.integer = value.isInteger ? std::strtoll(value.text.c_str(), nullptr, 10) : 0;
        return true;
    }

    bool Hex4(unsigned& code)
    {
        code = 0;
        for (int i = 0; i < 4; ++i, ++at_) {
            const char c = Peek();
            const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                             : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0 || AtEnd())
                return Stop("four hex digits expected after \\u");
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return true;
    }

    static void Append(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // \uXXXX, with its low surrogate when it is a high one.
    bool Unicode(std::string& out)
    {
        unsigned code = 0;
        if (!Hex4(code))
            return false;
        if (code >= 0xDC00 && code <= 0xDFFF)
            return Stop("a lone surrogate in a string");
        if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low = 0;
            if (!Take('\\') || !Take('u') || !Hex4(low) || low < 0xDC00 || low > 0xDFFF)
                return Stop("a lone surrogate in a string");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        Append(out, code);
        return true;
    }

    bool Escape(std::string& out)
    {
        const char c = Peek();
        ++at_;
        const char* const from = "\"\\/bfnrt";
        const char* const to = "\"\\/\b\f\n\r\t";
        for (int i = 0; from[i] != '\0'; ++i)
            if (c == from[i]) {
                out += to[i];
                return true;
            }
        return c == 'u' ? Unicode(out) : Stop("an unknown escape in a string");
    }

    // The whole text was found to be UTF-8 before, so bytes pass as they are.
    bool String(std::string& out)
    {
        ++at_;
        while (!AtEnd()) {
            const char c = text_[at_++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return Stop("a control character in a string");
            if (c != '\\')
                out += c;
            else if (!Escape(out))
                return false;
        }
        return Stop("a string without its closing quote");
    }

    std::string_view text_;
    const JsonLimits& limits_;
    size_t at_ = 0;
    std::string why_;
};

}  // namespace

const JsonValue* JsonValue::Member(const std::string& key) const
{
    for (size_t i = 0; i < keys.size() && i < items.size(); ++i)
        if (keys[i] == key)
            return &items[i];
    return nullptr;
}

bool ReadJson(std::string_view text, JsonValue& value, std::string& why, const JsonLimits& limits)
{
    value = JsonValue{};
    if (text.size() > limits.maxBytes) {
        why = "longer than " + std::to_string(limits.maxBytes) + " bytes";
        return false;
    }
    if (!IsValidUtf8(text)) {
        why = "not UTF-8 text";
        return false;
    }
    try {
        Reader reader(text, limits);
        if (reader.Document(value))
            return true;
        why = reader.Why();
    } catch (const std::bad_alloc&) {
        why = "too large to read";
    }
    value = JsonValue{};
    return false;
}

const char* JsonKindName(JsonValue::Kind kind)
{
    switch (kind) {
    case JsonValue::Kind::kBool: return "true or false";
    case JsonValue::Kind::kNumber: return "a number";
    case JsonValue::Kind::kString: return "a string";
    case JsonValue::Kind::kArray: return "an array";
    case JsonValue::Kind::kObject: return "an object";
    case JsonValue::Kind::kNull: break;
    }
    return "null";
}
