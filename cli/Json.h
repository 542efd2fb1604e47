#pragma once

#include <string>
#include <vector>

// One JSON document, as --json prints it: members and items separated by
// ", ", keys followed by ": ", all on one line. Texts are 8-bit texts of
// the system code page and pass through as their bytes, except control
// characters and the two that must be escaped. It throws nothing of its
// own; an End without its Begin is ignored.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The key of the object member whose value comes next.
    JsonWriter& Key(const std::string& name);

    JsonWriter& String(const std::string& text);
    JsonWriter& Number(long long number);
    JsonWriter& Bool(bool value);
    JsonWriter& Strings(const std::vector<std::string>& texts);

    // The document so far, with a line end.
    std::string Line() const { return text_ + "\n"; }

private:
    void StartValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string text_;
    std::vector<bool> hasItems_;  // of each open object or array, innermost last
    bool afterKey_ = false;
};
