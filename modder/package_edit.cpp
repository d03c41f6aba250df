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
    FileStore& store = editor_.store();
    struct Replaced {
        std::string file;
        bool held;  // the original has a second name: putting it back needs no space
    };
    std::vector<Replaced> replaced;
    for (const std::string& file : order_) {
        const bool held = !store.holdOriginal(editor_.resolve(file));
        if (auto ec = editor_.save(file, files_.at(file).edited)) {
            if (held) store.releaseOriginal(editor_.resolve(file));
            CommitFailure failure{file, ec, {}};
            for (const Replaced& done : replaced) {
                if (auto restoreEc = restore(done.file, done.held))
                    failure.notRestored.emplace_back(done.file, restoreEc);
            }
            return failure;
        }
        replaced.push_back({file, held});
    }
    for (const Replaced& done : replaced) {
        if (done.held) store.releaseOriginal(editor_.resolve(done.file));
    }
    return std::nullopt;
}

std::error_code PackageEdit::restore(const std::string& file, bool held) {
    FileStore& store = editor_.store();
    const auto path = editor_.resolve(file);
    if (held && !store.restoreOriginal(path)) return {};
    // No second name, or it could not be renamed back: write the original bytes anew.
    const std::error_code ec = editor_.save(file, files_.at(file).original);
    if (held && !ec) store.releaseOriginal(path);
    return ec;
}

}  // namespace quillmere
