#include "settings/TextLines.h"

TextLines::TextLines(std::initializer_list<std::string_view> lines)
{
    std::size_t size = 0;
    for (const std::string_view line : lines)
        size += line.size();
    text_.reserve(size);
    for (const std::string_view line : lines)
        text_ += line;
    std::size_t offset = 0;
    for (const std::string_view line : lines) {
        Add(std::string_view(text_).substr(offset, line.size()));
        offset += line.size();
    }
}

TextLines::TextLines(std::string text) : text_(std::move(text)) {}

void TextLines::Add(std::string_view line)
{
    const auto offset = static_cast<std::uint32_t>(line.data() - text_.data());
    spans_.push_back(Span{offset, static_cast<std::uint32_t>(line.size()), 0});
}

void TextLines::clear()
{
    text_.clear();
    text_.shrink_to_fit();
    spans_.clear();
    spans_.shrink_to_fit();
}

std::string_view TextLines::operator[](std::size_t index) const
{
    return std::string_view(text_).substr(spans_[index].offset, spans_[index].size);
}

bool operator==(const TextLines& a, const TextLines& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (a[at] != b[at] || a.IsSetAside(at) != b.IsSetAside(at))
            return false;
    }
    return true;
}
