#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/TextEncoding.h"

// One JSON document, as --json prints it: members and items separated by
// ", ", keys followed by ": ", all on one line. Every text comes out as
// UTF-8: one that is not already is read in the client's code page, and the
// bytes that cannot be converted become U+FFFD and are counted in the
// outermost object's last member, "replacedBytes". It throws nothing of its
// own; an End without its Begin is ignored.
class JsonWriter {
public:
    // codePage: the client's texts' code page.
    explicit JsonWriter(unsigned codePage = kClientCodePage) : codePage_(codePage) {}

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
    std::string Quoted(const std::string& text);

    std::string text_;
    std::vector<bool> hasItems_;  // of each open object or array, innermost last
    bool afterKey_ = false;
    unsigned codePage_;
    size_t replacedBytes_ = 0;
};
