#include "cli/Json.h"

#include <cstdio>

#include "cli/TextEncoding.h"

std::string JsonWriter::Quoted(const std::string& original)
{
    const Utf8Text converted = ToUtf8(original, codePage_);
    replacedBytes_ += converted.replacedBytes;
    std::string out = "\"";
    for (const char c : converted.text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A value right after its key needs no separator; any other follows the
// items before it with one.
void JsonWriter::StartValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty())
        return;
    if (hasItems_.back())
        text_ += ", ";
    hasItems_.back() = true;
}

void JsonWriter::Open(char bracket)
{
    StartValue();
    text_ += bracket;
    hasItems_.push_back(false);
}

void JsonWriter::Close(char bracket)
{
    if (hasItems_.empty())
        return;
    if (hasItems_.size() == 1 && bracket == '}')
        Key("replacedBytes").Number(static_cast<long long>(replacedBytes_));
    hasItems_.pop_back();
    afterKey_ = false;
    text_ += bracket;
}

JsonWriter& JsonWriter::BeginObject()
{
    Open('{');
    return *this;
}

JsonWriter& JsonWriter::EndObject()
{
    Close('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    Open('[');
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::Key(const std::string& name)
{
    StartValue();
    text_ += Quoted(name) + ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(const std::string& text)
{
    StartValue();
    text_ += Quoted(text);
    return *this;
}

JsonWriter& JsonWriter::Number(long long number)
{
    StartValue();
    text_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    StartValue();
    text_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Strings(const std::vector<std::string>& texts)
{
    BeginArray();
    for (const std::string& text : texts)
        String(text);
    return EndArray();
}
