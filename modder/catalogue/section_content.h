#pragma once
// The text handed to a section write: each line followed by one NUL, then a closing text of
// line breaks that ends the last entry.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

inline constexpr std::string_view kCrLf = "\r\n";

class SectionContentBuilder {
  public:
    // Appends the line and its NUL separator; the line itself may hold CR LF.
    void addLine(std::string_view line);
    // Appends the closing text and hands over the content; the builder is left empty.
    std::string finish(std::string_view closing);

  private:
    std::string content_;
};

std::string buildSectionContent(std::initializer_list<std::string_view> lines, std::string_view closing);

// A line of a table whose rows are named by labels numbered from 1 (I1, I2, ... or S1, S2, ...),
// so that the table in the code reads like the table it was taken from.
template <typename Label>
struct LabelledLine {
    Label label;
    std::string_view text;
};

// True when row i holds label i + 1, so that a label can index its row.
template <typename Label, std::size_t N>
constexpr bool labelsInOrder(const std::array<LabelledLine<Label>, N>& lines) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(lines[i].label) != i + 1) return false;
    }
    return true;
}

// The content of the labelled lines in the given order, then the closing text.
template <typename Label, std::size_t N>
std::string buildLabelledContent(const std::array<LabelledLine<Label>, N>& lines,
                                 const std::vector<Label>& labels, std::string_view closing) {
    SectionContentBuilder builder;
    for (const Label label : labels) builder.addLine(lines.at(static_cast<std::size_t>(label) - 1).text);
    return builder.finish(closing);
}

}  // namespace quillmere
