#include "optionfiles/ChunkText.h"

#include <algorithm>
#include <string_view>

#include "optionfiles/ByteOrderMark.h"

namespace {

constexpr char kChunkEscape = '\x1b';  // the first byte of a precompiled chunk

#ifdef _WIN32
constexpr char kTextEnd = '\x1a';  // Ctrl-Z

std::string AsTextModeReadsIt(const std::string& bytes)
{
    const std::string_view file(bytes.data(), std::min(bytes.find(kTextEnd), bytes.size()));
    std::string text;
    text.reserve(file.size());
    std::size_t from = 0;
    for (std::size_t cr; (cr = file.find("\r\n", from)) != std::string_view::npos; from = cr + 1)
        text.append(file, from, cr - from);  // the CR left out, its LF kept
    text.append(file, from);
    return text;
}
#endif

}  // namespace

ChunkText ChunkTextOf(std::string fileBytes)
{
    if (StartsWithByteOrderMark(fileBytes))
        fileBytes.erase(0, kUtf8ByteOrderMark.size());
#ifdef _WIN32
    std::string text = AsTextModeReadsIt(fileBytes);
#else
    std::string& text = fileBytes;
#endif
    ChunkText chunk;
    std::size_t start = 0;
    if (!text.empty() && text[0] == '#') {
        const std::size_t lineEnd = text.find('\n');
        start = lineEnd == std::string::npos ? text.size() : lineEnd + 1;
        chunk.skippedFirstLine = true;
    }
    if (start < text.size() && text[start] == kChunkEscape) {
        chunk.precompiled = true;
        chunk.skippedFirstLine = false;
        fileBytes.erase(0, fileBytes.find(kChunkEscape));
        chunk.bytes = std::move(fileBytes);
        return chunk;
    }
    text.erase(0, start);
    chunk.bytes = std::move(text);
    return chunk;
}
