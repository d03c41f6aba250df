#include "section_content.h"

#include <utility>

namespace quillmere {

void SectionContentBuilder::addLine(std::string_view line) {
    content_.append(line);
    content_.push_back('\0');
}

std::string SectionContentBuilder::finish(std::string_view closing) {
    content_.append(closing);
    return std::exchange(content_, std::string());
}

std::string buildSectionContent(std::initializer_list<std::string_view> lines, std::string_view closing) {
    SectionContentBuilder builder;
    for (std::string_view line : lines) {
        builder.addLine(line);
    }
    return builder.finish(closing);
}

}  // namespace quillmere
