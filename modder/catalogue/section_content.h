#pragma once
// The text handed to a section write: each line followed by one NUL, then a closing text of
// line breaks that ends the last entry.

#include <initializer_list>
#include <string>
#include <string_view>

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

}  // namespace quillmere
