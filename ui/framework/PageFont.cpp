#include "ui/framework/PageFont.h"

#include <cstring>
#include <cwchar>

namespace {

// Layout of an extended dialog template (DLGTEMPLATEEX): a fixed part, then
// menu, class, title, and with DS_SETFONT the font: point size, weight,
// italic, charset and face. The items follow, aligned to DWORDs.
constexpr size_t kSignatureOffset = 2;
constexpr size_t kStyleOffset = 12;
constexpr size_t kFixedPartSize = 26;
constexpr size_t kFontFixedPartSize = 6;

size_t AlignToDword(size_t offset) { return (offset + 3) & ~size_t(3); }

uint16_t WordAt(const uint8_t* data, size_t offset)
{
    uint16_t value;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

// Moves offset past a NUL-terminated UTF-16 string; false when it runs out.
bool SkipWideString(const uint8_t* data, size_t size, size_t& offset)
{
    while (offset + 2 <= size) {
        uint16_t unit = WordAt(data, offset);
        offset += 2;
        if (unit == 0)
            return true;
    }
    return false;
}

// Moves offset past a name-or-ordinal field.
bool SkipNameOrOrdinal(const uint8_t* data, size_t size, size_t& offset)
{
    if (offset + 2 > size)
        return false;
    if (WordAt(data, offset) == 0xFFFF) {
        offset += 4;
        return offset <= size;
    }
    return SkipWideString(data, size, offset);
}

void AppendBytes(std::vector<uint8_t>& out, const void* bytes, size_t count)
{
    const auto* begin = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), begin, begin + count);
}

}  // namespace

std::vector<uint8_t> WithFont(const uint8_t* data, size_t size, WORD points, const wchar_t* face)
{
    if (data == nullptr || size < kFixedPartSize || WordAt(data, kSignatureOffset) != 0xFFFF)
        return {};
    DWORD style;
    std::memcpy(&style, data + kStyleOffset, sizeof style);
    if ((style & DS_SETFONT) == 0)
        return {};

    size_t offset = kFixedPartSize;
    if (!SkipNameOrOrdinal(data, size, offset) || !SkipNameOrOrdinal(data, size, offset) ||
        !SkipWideString(data, size, offset))
        return {};
    const size_t fontStart = offset;
    offset += kFontFixedPartSize;
    if (offset > size || !SkipWideString(data, size, offset))
        return {};
    const size_t itemsStart = AlignToDword(offset);
    if (itemsStart > size)
        return {};

    std::vector<uint8_t> out(data, data + fontStart);
    AppendBytes(out, &points, sizeof points);
    AppendBytes(out, data + fontStart + 2, kFontFixedPartSize - 2);  // weight, italic, charset
    AppendBytes(out, face, (std::wcslen(face) + 1) * sizeof(wchar_t));
    out.resize(AlignToDword(out.size()), 0);
    AppendBytes(out, data + itemsStart, size - itemsStart);
    return out;
}
