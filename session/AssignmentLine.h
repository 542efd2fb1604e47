#pragma once

#include <functional>
#include <string>
#include <string_view>

// One line of an option script or the saved option file that gives a key a
// value, in any of the forms the client's files use:
//   OptionInfoList["WIDTH"] = 800      OptionInfoList.WIDTH = 800
//   ["WIDTH"] = 800,                   WIDTH = 800,   (inside a table)
struct Assignment {
    std::string table;  // the table named on the line; empty inside a table's braces
    std::string key;
    std::string value;  // as written: no comment, no trailing comma or semicolon
};

// False when the line gives no key a value (a comment, a table's opening or
// closing, anything else).
bool ParseAssignment(std::string_view line, Assignment& found);

// Whether value, as written, is the decimal integer number.
bool WrittenAs(const std::string& value, long long number);

// Calls each with the line number (1-based) and the assignment of every line
// of a source file that ParseAssignment reads, in order; none when the file
// is a precompiled chunk or cannot be read. A link in the save folder is
// never followed.
void ForEachAssignment(const std::string& file,
                       const std::function<void(int number, const Assignment& a)>& each);

// The line number (1-based) of the last line of a source file that gives key
// its value, and that value as written; 0 when the file is a precompiled
// chunk, cannot be read, or has no such line.
struct SourceLine {
    int number = 0;
    std::string value;
};
SourceLine FindAssignment(const std::string& file, const std::string& key);
