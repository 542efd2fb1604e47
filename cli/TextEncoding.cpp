#include "cli/TextEncoding.h"

#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

constexpr size_t kLongestCharacter = 4;  // bytes, in any code page the client uses
const char kReplacement[] = "\xEF\xBF\xBD";

// The length of the UTF-8 sequence at text[at], or 0 when none begins there:
// no overlong forms, no surrogates, nothing above U+10FFFF.
size_t Utf8SequenceAt(std::string_view text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                                 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    const unsigned char second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

#ifdef _WIN32

class Converter {
public:
    explicit Converter(unsigned codePage) : codePage_(codePage == 0 ? CP_ACP : codePage) {}

    // The character of the code page that bytes spell whole, as UTF-8; false
    // when they spell none.
    bool Convert(std::string_view bytes, std::string& out) const
    {
        wchar_t wide[4];
        const int count = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), wide, 4);
        if (count <= 0)
            return false;
        char utf8[16];
        const int length = WideCharToMultiByte(CP_UTF8, 0, wide, count, utf8, sizeof utf8, nullptr, nullptr);
        if (length <= 0)
            return false;
        out.append(utf8, static_cast<size_t>(length));
        return true;
    }

private:
    UINT codePage_;
};

#else

class Converter {
public:
    explicit Converter(unsigned codePage)
        : handle_(iconv_open("UTF-8", codePage == 0 ? "CP949" : ("CP" + std::to_string(codePage)).c_str()))
    {
    }
    ~Converter()
    {
        if (handle_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Convert(std::string_view bytes, std::string& out) const
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            return false;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string input(bytes);
        char utf8[16];
        char* in = input.data();
        char* to = utf8;
        size_t inLeft = input.size();
        size_t outLeft = sizeof utf8;
        if (iconv(handle_, &in, &inLeft, &to, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
            to == utf8)
            return false;
        out.append(utf8, static_cast<size_t>(to - utf8));
        return true;
    }

private:
    iconv_t handle_;
};

#endif

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8SequenceAt(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

Utf8Text ToUtf8(std::string_view text, unsigned codePage)
{
    Utf8Text result;
    if (IsValidUtf8(text)) {
        result.text = std::string(text);
        return result;
    }
    const Converter converter(codePage);
    for (size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            result.text += text[at++];
            continue;
        }
        // The shortest run of bytes that spells one character.
        size_t length = 1;
        while (length <= kLongestCharacter && at + length <= text.size() &&
               !converter.Convert(text.substr(at, length), result.text))
            ++length;
        if (length > kLongestCharacter || at + length > text.size()) {
            result.text += kReplacement;
            ++result.replacedBytes;
            length = 1;
        }
        at += length;
    }
    return result;
}
