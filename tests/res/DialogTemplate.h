#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// An extended dialog template (DLGTEMPLATEEX) as the resource compiler laid
// it out, read field by field so a test can compare every byte that matters.
namespace dlg {

struct Rect {
    int16_t x, y, cx, cy;
    bool operator==(const Rect& o) const
    {
        return x == o.x && y == o.y && cx == o.cx && cy == o.cy;
    }
};

struct Item {
    uint32_t exStyle;
    uint32_t style;
    Rect rect;
    int32_t id;
    std::string className;  // predefined classes by name: "BUTTON", "STATIC", ...
    std::u16string text;
};

struct Template {
    uint32_t exStyle;
    uint32_t style;
    Rect rect;
    std::u16string title;
    uint16_t pointSize;
    std::u16string fontName;
    std::vector<Item> items;
};

// Empty when the bytes are not a complete extended template.
std::optional<Template> Parse(const void* bytes, size_t size);

// The ASCII subset of a template text; anything else becomes '?'.
std::string Narrow(const std::u16string& text);

}  // namespace dlg
