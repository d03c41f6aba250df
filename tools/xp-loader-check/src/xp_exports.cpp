#include "xp_exports.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace xpcheck {
namespace {

// Calls `row(first, second)` for every "first second" line of `path`.
template <typename Row>
void readPairs(const std::filesystem::path& path, Row row) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path.string());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        std::istringstream fields(line);
        std::string first, second, extra;
        if (!(fields >> first >> second) || (fields >> extra)) {
            throw std::runtime_error(path.string() + ":" + std::to_string(number) +
                                     ": expected two fields: " + line);
        }
        row(first, second);
    }
}

}  // namespace

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

XpExports XpExports::load(const std::filesystem::path& exportList, const std::filesystem::path& missingDlls) {
    XpExports lists;
    readPairs(exportList, [&](const std::string& dll, const std::string& function) {
        lists.exports_[lowerCase(dll)].insert(function);
    });
    readPairs(missingDlls, [&](const std::string& dll, const std::string& version) {
        lists.missing_[lowerCase(dll)] = version;
    });
    if (lists.exports_.empty()) throw std::runtime_error(exportList.string() + " lists no exports");
    return lists;
}

bool XpExports::hasDll(std::string_view dll) const {
    return exports_.contains(lowerCase(dll));
}

bool XpExports::exports(std::string_view dll, std::string_view function) const {
    const auto found = exports_.find(lowerCase(dll));
    return found != exports_.end() && found->second.contains(function);
}

std::optional<std::string> XpExports::missingSince(std::string_view dll) const {
    const auto found = missing_.find(lowerCase(dll));
    if (found == missing_.end()) return std::nullopt;
    return found->second;
}

std::size_t XpExports::functionCount() const {
    std::size_t count = 0;
    for (const auto& [dll, functions] : exports_) count += functions.size();
    return count;
}

}  // namespace xpcheck
