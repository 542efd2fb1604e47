#include "DialogTemplate.h"

#include <cctype>
#include <cstring>

namespace dlg {
namespace {

constexpr uint32_t kDsSetFont = 0x40;
constexpr uint32_t kDsShellFont = 0x48;

// Reads little-endian fields, failing (not overrunning) at the end.
class Reader {
public:
    Reader(const void* bytes, size_t size)
        : bytes_(static_cast<const unsigned char*>(bytes)), size_(size) {}

    bool ok() const { return ok_; }

    template <typename T>
    T Read()
    {
        T value{};
        if (!Need(sizeof(T)))
            return value;
        std::memcpy(&value, bytes_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }

    std::u16string ReadString()
    {
        std::u16string text;
        for (char16_t c = Read<char16_t>(); ok_ && c != 0; c = Read<char16_t>())
            text += c;
        return text;
    }

    // A name that is either a string or 0xFFFF followed by an ordinal.
    std::u16string ReadNameOrOrdinal(uint16_t* ordinal)
    {
        *ordinal = 0;
        const char16_t first = Read<char16_t>();
        if (first == 0xFFFF) {
            *ordinal = Read<uint16_t>();
            return {};
        }
        std::u16string text;
        for (char16_t c = first; ok_ && c != 0; c = Read<char16_t>())
            text += c;
        return text;
    }

    void Skip(size_t count) { if (Need(count)) pos_ += count; }
    void AlignToDword() { Skip((4 - pos_ % 4) % 4); }

private:
    bool Need(size_t count)
    {
        if (size_ - pos_ < count)
            ok_ = false;
        return ok_;
    }

    const unsigned char* bytes_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

std::string PredefinedClass(uint16_t ordinal)
{
    switch (ordinal) {
    case 0x80: return "BUTTON";
    case 0x81: return "EDIT";
    case 0x82: return "STATIC";
    case 0x83: return "LISTBOX";
    case 0x84: return "SCROLLBAR";
    case 0x85: return "COMBOBOX";
    default: return "#" + std::to_string(ordinal);
    }
}

Rect ReadRect(Reader& in)
{
    Rect r{};
    r.x = in.Read<int16_t>();
    r.y = in.Read<int16_t>();
    r.cx = in.Read<int16_t>();
    r.cy = in.Read<int16_t>();
    return r;
}

Item ReadItem(Reader& in)
{
    in.AlignToDword();
    Item item{};
    in.Read<uint32_t>();  // help id
    item.exStyle = in.Read<uint32_t>();
    item.style = in.Read<uint32_t>();
    item.rect = ReadRect(in);
    item.id = in.Read<int32_t>();
    uint16_t ordinal = 0;
    const std::u16string className = in.ReadNameOrOrdinal(&ordinal);
    item.className = ordinal ? PredefinedClass(ordinal) : Narrow(className);
    item.text = in.ReadNameOrOrdinal(&ordinal);
    in.Skip(in.Read<uint16_t>());  // creation data
    return item;
}

}  // namespace

std::optional<Template> Parse(const void* bytes, size_t size)
{
    Reader in(bytes, size);
    if (in.Read<uint16_t>() != 1 || in.Read<uint16_t>() != 0xFFFF)
        return std::nullopt;
    Template t{};
    in.Read<uint32_t>();  // help id
    t.exStyle = in.Read<uint32_t>();
    t.style = in.Read<uint32_t>();
    const uint16_t count = in.Read<uint16_t>();
    t.rect = ReadRect(in);
    uint16_t ordinal = 0;
    in.ReadNameOrOrdinal(&ordinal);  // menu
    in.ReadNameOrOrdinal(&ordinal);  // window class
    t.title = in.ReadString();
    if ((t.style & kDsSetFont) || (t.style & kDsShellFont) == kDsShellFont) {
        t.pointSize = in.Read<uint16_t>();
        in.Read<uint16_t>();  // weight
        in.Read<uint8_t>();   // italic
        in.Read<uint8_t>();   // character set
        t.fontName = in.ReadString();
    }
    for (uint16_t i = 0; i < count && in.ok(); ++i)
        t.items.push_back(ReadItem(in));
    if (!in.ok())
        return std::nullopt;
    return t;
}

std::string Narrow(const std::u16string& text)
{
    std::string narrow;
    for (char16_t c : text)
        narrow += (c < 0x80) ? static_cast<char>(c) : '?';
    return narrow;
}

}  // namespace dlg
