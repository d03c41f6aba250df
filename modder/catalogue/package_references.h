#pragma once
// What the written install, service and software-settings lines name but the run does not write:
// sections and files that the package's INF files must already hold for the modded package to
// install.

#include <array>
#include <string_view>

namespace quillmere {

// The 22 sections, in the order the lines first name them.
extern const std::array<std::string_view, 22> kReferencedSections;

// The two files: msdv.inf (which Windows itself ships) and FGL_OGL.sys.
extern const std::array<std::string_view, 2> kReferencedFiles;

}  // namespace quillmere
