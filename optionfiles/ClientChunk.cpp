#include "optionfiles/ClientChunk.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "optionfiles/LuaHeaders.h"

// The translation writes ints and numbers in their client sizes.
static_assert(sizeof(int) == 4, "Lua's int must have 4 bytes, as in the client's chunks");
static_assert(sizeof(lua_Number) == 8, "Lua's numbers must have 8 bytes, as in the client's chunks");

namespace {

// Places in the header.
enum HeaderByte : std::size_t {
    kSignatureEnd = 4,
    kVersion = 4,
    kFormat = 5,
    kEndianness = 6,
    kIntSize = 7,
    kSizeTSize = 8,
    kInstructionSize = 9,
    kNumberSize = 10,
    kIntegralNumbers = 11,
};

// Lua's own limit on nested functions (LUAI_MAXCCALLS).
constexpr int kMaxNesting = 200;
// The fewest bytes of a function in the client's form: its source's
// length, two lines, four bytes and six counts.
constexpr std::size_t kSmallestFunction = 4 + 8 + 4 + 6 * 4;

enum ConstantType : unsigned char { kNil = 0, kBoolean = 1, kNumber = 3, kString = 4 };

bool HostIsLittleEndian()
{
    const std::uint16_t one = 1;
    return *reinterpret_cast<const unsigned char*>(&one) == 1;
}

// Reads a function of the client's form and writes it in this build's
// form: the same fields in the same order, with each string's length
// widened to this build's size_t and every word in this host's byte order.
// Every count and length is checked against the bytes that remain, so
// that nothing is read past the end or reserved for bytes that are not
// there. Failures use Lua's own words.
class Translator {
public:
    Translator(std::string_view in, std::string& out) : in_(in), out_(out) {}

    bool Function(int depth)
    {
        if (depth > kMaxNesting)
            return Fail("code too deep");
        std::uint64_t ignored;
        if (!String() || !Word(4, ignored) || !Word(4, ignored) || !Bytes(4))
            return false;  // source, first and last line, upvalues to stack size
        return Words(4) && Constants(depth) && Debug();  // instructions first
    }

    const char* why() const { return why_; }

private:
    bool Fail(const char* why)
    {
        why_ = why;
        return false;
    }

    std::size_t Left() const { return in_.size() - pos_; }

    bool Bytes(std::size_t count)
    {
        if (Left() < count)
            return Fail("unexpected end");
        out_.append(in_.data() + pos_, count);
        pos_ += count;
        return true;
    }

    bool Read(std::size_t size, std::uint64_t& value)
    {
        if (Left() < size)
            return Fail("unexpected end");
        value = 0;
        for (std::size_t i = size; i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(in_[pos_ + i]);
        pos_ += size;
        return true;
    }

    void Put(std::uint64_t value, std::size_t size)
    {
        char bytes[8];
        for (std::size_t i = 0; i < size; ++i)
            bytes[little_ ? i : size - 1 - i] = static_cast<char>(value >> (8 * i));
        out_.append(bytes, size);
    }

    bool Word(std::size_t size, std::uint64_t& value)
    {
        if (!Read(size, value))
            return false;
        Put(value, size);
        return true;
    }

    // An int that counts the items that follow, each at least eachSize
    // bytes long.
    bool Count(std::size_t eachSize, std::uint32_t& count)
    {
        std::uint64_t value;
        if (!Word(4, value))
            return false;
        if (value & 0x80000000u)
            return Fail("bad integer");
        count = static_cast<std::uint32_t>(value);
        if (count > Left() / eachSize)
            return Fail("unexpected end");
        return true;
    }

    // A count, then that many words of size bytes.
    bool Words(std::size_t size)
    {
        std::uint32_t count;
        if (!Count(size, count))
            return false;
        std::uint64_t ignored;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!Word(size, ignored))
                return false;
        }
        return true;
    }

    bool String()
    {
        std::uint64_t length;
        if (!Read(4, length))
            return false;
        Put(length, sizeof(std::size_t));
        return Bytes(length);
    }

    bool Constants(int depth)
    {
        std::uint32_t count;
        if (!Count(1, count))
            return false;
        std::uint64_t value;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!Word(1, value))
                return false;
            switch (value) {
            case kNil: break;
            case kBoolean: if (!Bytes(1)) return false; break;
            case kNumber: if (!Word(8, value)) return false; break;
            case kString: if (!String()) return false; break;
            default: return Fail("bad constant");
            }
        }
        if (!Count(kSmallestFunction, count))
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!Function(depth + 1))
                return false;
        }
        return true;
    }

    // Line numbers, locals (name, first and last instruction), upvalue names.
    bool Debug()
    {
        if (!Words(4))
            return false;
        std::uint32_t count;
        std::uint64_t ignored;
        if (!Count(4 + 4 + 4, count))
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!String() || !Word(4, ignored) || !Word(4, ignored))
                return false;
        }
        if (!Count(4, count))
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!String())
                return false;
        }
        return true;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::string& out_;
    const bool little_ = HostIsLittleEndian();
    const char* why_ = "";
};

std::string HexBytes(std::string_view bytes)
{
    std::string text;
    for (const char byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(byte));
        text += text.empty() ? "" : " ";
        text += hex;
    }
    return text;
}

std::string SizeDifference(std::string_view header, std::size_t at, const char* what)
{
    if (header[at] == kClientChunkHeader[at])
        return {};
    return std::string(what) + " of " + std::to_string(static_cast<unsigned char>(header[at])) +
           " bytes";
}

}  // namespace

std::string NativeChunkHeader()
{
    std::string header(kClientChunkHeader);
    header[kEndianness] = HostIsLittleEndian() ? 1 : 0;
    header[kIntSize] = static_cast<char>(sizeof(int));
    header[kSizeTSize] = static_cast<char>(sizeof(std::size_t));
    header[kInstructionSize] = static_cast<char>(sizeof(std::uint32_t));
    header[kNumberSize] = static_cast<char>(sizeof(lua_Number));
    header[kIntegralNumbers] = static_cast<lua_Number>(0.5) == 0 ? 1 : 0;
    return header;
}

bool ToNativeChunk(std::string& chunk, std::string& why)
{
    if (chunk.compare(0, kClientChunkHeader.size(), kClientChunkHeader) != 0) {
        why = DescribeForeignHeader(chunk);
        return false;
    }
    std::string native = NativeChunkHeader();
    if (native == kClientChunkHeader)
        return true;  // this build reads the client's form as it is
    native.reserve(chunk.size() + chunk.size() / 2);
    Translator translator(std::string_view(chunk).substr(kClientChunkHeader.size()), native);
    if (!translator.Function(1)) {
        why = std::string(translator.why()) + " in precompiled chunk";
        return false;
    }
    chunk = std::move(native);
    return true;
}

std::string DescribeForeignHeader(std::string_view chunk)
{
    const std::string_view header = chunk.substr(0, kClientChunkHeader.size());
    const std::string_view signature = kClientChunkHeader.substr(0, kSignatureEnd);
    const std::size_t present = std::min(header.size(), signature.size());
    if (header.substr(0, present) != signature.substr(0, present))
        return "not a Lua chunk, though it begins like one (" + HexBytes(header) + ")";
    if (header.size() > kVersion && header[kVersion] != kClientChunkHeader[kVersion]) {
        const int version = static_cast<unsigned char>(header[kVersion]);
        return "precompiled for Lua " + std::to_string(version >> 4) + "." +
               std::to_string(version & 15) + ", not 5.1";
    }
    if (header.size() < kClientChunkHeader.size())
        return "a precompiled chunk cut short in its header";

    std::vector<std::string> differences;
    if (header[kFormat] != kClientChunkHeader[kFormat])
        differences.push_back("format " +
                              std::to_string(static_cast<unsigned char>(header[kFormat])));
    if (header[kEndianness] != kClientChunkHeader[kEndianness])
        differences.push_back(header[kEndianness] == 0 ? "big-endian" : "unknown byte order");
    differences.push_back(SizeDifference(header, kIntSize, "int"));
    differences.push_back(SizeDifference(header, kSizeTSize, "size_t"));
    differences.push_back(SizeDifference(header, kInstructionSize, "instructions"));
    differences.push_back(SizeDifference(header, kNumberSize, "numbers"));
    if (header[kIntegralNumbers] != kClientChunkHeader[kIntegralNumbers])
        differences.push_back("integer numbers");

    std::string listed;
    for (const std::string& difference : differences) {
        if (!difference.empty())
            listed += (listed.empty() ? "" : ", ") + difference;
    }
    if (listed.empty())
        return "precompiled with an unknown header (" + HexBytes(header) + ")";
    return "precompiled for another Lua build (" + listed + ")";
}
