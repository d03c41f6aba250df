// What Windows XP offers a program: the functions each of its DLLs exports by name, and the DLLs
// it does not ship at all. Read from the lists in lists/ (see lists/README.md).
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace xpcheck {

class XpExports {
  public:
    // Reads an export list ("dll function" a line) and the list of DLLs XP lacks ("dll version" a
    // line); '#' starts a comment line. Throws std::runtime_error naming the file and line of a
    // malformed line.
    static XpExports load(const std::filesystem::path& exportList, const std::filesystem::path& missingDlls);

    // DLL names compare without regard to case, as the loader compares them.
    bool hasDll(std::string_view dll) const;
    bool exports(std::string_view dll, std::string_view function) const;
    // The Windows version that first ships `dll` ("0x600" is Vista), when XP lacks it.
    std::optional<std::string> missingSince(std::string_view dll) const;
    std::size_t functionCount() const;

  private:
    std::map<std::string, std::set<std::string, std::less<>>, std::less<>> exports_;
    std::map<std::string, std::string, std::less<>> missing_;
};

std::string lowerCase(std::string_view text);

}  // namespace xpcheck
