#include "package_edit.h"

#include "profile_text.h"

namespace quillmere {

std::error_code PackageEdit::load(const std::string& file) {
    if (files_.count(file)) return {};
    profile::DecodedProfile profile;
    if (auto ec = editor_.load(file, profile)) return ec;
    order_.push_back(file);
    files_.emplace(file, Entry{profile, std::move(profile)});
    return {};
}

void PackageEdit::writeKey(const std::string& file, std::string_view section, std::string_view key,
                           std::string_view value) {
    auto& edited = files_.at(file).edited;
    const auto as = [&](std::string_view text8) { return profile::toEditText(edited.encoding, text8); };
    profile::writeKey(edited.text, as(section), as(key), as(value));
}

void PackageEdit::writeSection(const std::string& file, std::string_view section, std::string_view content) {
    auto& edited = files_.at(file).edited;
    const auto as = [&](std::string_view text8) { return profile::toEditText(edited.encoding, text8); };
    profile::writeSection(edited.text, as(section), as(content));
}

std::optional<PackageEdit::CommitFailure> PackageEdit::commit() {
    std::vector<std::string> replaced;
    for (const std::string& file : order_) {
        if (auto ec = editor_.save(file, files_.at(file).edited)) {
            CommitFailure failure{file, ec, {}};
            for (const std::string& done : replaced) {
                if (auto restoreEc = editor_.save(done, files_.at(done).original)) {
                    failure.notRestored.emplace_back(done, restoreEc);
                }
            }
            return failure;
        }
        replaced.push_back(file);
    }
    return std::nullopt;
}

}  // namespace quillmere
