#pragma once
// A unified diff of two texts, line by line (a line keeps its LF, and a CR before it, so that
// `patch` gives back the exact bytes). The line matching is Myers' O(ND) algorithm in linear
// space (middle snake, divide and conquer), after the common head and tail are set aside: fast
// on INF files of thousands of lines whose edits are a few sections.

#include <string>
#include <string_view>

namespace quillmere::cli {

// Empty when the texts are equal; else the "---" and "+++" lines with the labels given, then
// the hunks with `context` lines of context around each change.
std::string unifiedDiff(std::string_view oldLabel, std::string_view newLabel, std::string_view before,
                        std::string_view after, int context = 3);

}  // namespace quillmere::cli
