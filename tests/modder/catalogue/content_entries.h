#pragma once
// Splits a text at a separator, keeping every piece, so contents can be checked line by line.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::content_check {

// "a\0b\0\r\n" at '\0' gives {"a", "b", "\r\n"}: the lines, then the closing text.
inline std::vector<std::string> splitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    for (std::size_t at; (at = text.find(separator)) != std::string_view::npos;
         text.remove_prefix(at + separator.size())) {
        pieces.emplace_back(text.substr(0, at));
    }
    pieces.emplace_back(text);
    return pieces;
}

inline std::vector<std::string> linesOf(std::string_view content) {
    std::vector<std::string> pieces = splitAt(content, std::string_view("\0", 1));
    pieces.pop_back();
    return pieces;
}

inline std::ptrdiff_t countChar(std::string_view text, char c) {
    return std::ranges::count(text, c);
}

}  // namespace quillmere::content_check
