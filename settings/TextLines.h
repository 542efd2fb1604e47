#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// An ordered list of text lines held in one buffer, the text they were
// read from: a line costs its place in the buffer, not a string of its own,
// so a file of many short lines costs little more than the file. A line
// may be set aside: it is then written as a comment.
class TextLines {
public:
    TextLines() = default;
    // Each line copied into a buffer of the list's own.
    TextLines(std::initializer_list<std::string_view> lines);
    // The list takes text as its buffer, with no lines yet: Add them.
    explicit TextLines(std::string text);

    // line must lie within text().
    void Add(std::string_view line);
    void SetAside(std::size_t index) { spans_[index].setAside = true; }
    bool IsSetAside(std::size_t index) const { return spans_[index].setAside; }

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    void clear();
    std::string_view operator[](std::size_t index) const;
    const std::string& text() const { return text_; }

    friend bool operator==(const TextLines& a, const TextLines& b);
    friend bool operator!=(const TextLines& a, const TextLines& b) { return !(a == b); }

private:
    // Offsets, not views: a copied or moved list stays right.
    struct Span {
        std::uint32_t offset;
        std::uint32_t size : 31;
        std::uint32_t setAside : 1;
    };
    std::string text_;
    std::vector<Span> spans_;
};
