#include "package_edit.h"

#include "file_replace.h"
#include "profile_text.h"

namespace quillmere {
namespace fs = std::filesystem;

std::error_code PackageEdit::load(const std::string& file,
                                  std::optional<profile::DecodedProfile> alreadyRead) {
    if (keyOf_.count(file)) return {};
    const fs::path path = editor_.resolve(file);
    std::error_code ec;
    const auto identity = platform::fileIdentity(path, ec);
    fs::path real = platform::realPath(path, ec);
    if (ec) real = path;
    if (joinsLoaded(file, identity, real)) return {};
    profile::DecodedProfile profile;
    if (alreadyRead) {
        profile = std::move(*alreadyRead);
    } else if (auto loadEc = editor_.load(file, profile)) {
        return loadEc;
    }
    order_.push_back(file);
    keyOf_[file] = file;
    if (identity) byIdentity_[*identity] = file;
    files_.emplace(file, Entry{profile, std::move(profile), {file}, {real}});
    return {};
}

bool PackageEdit::joinsLoaded(const std::string& file, const std::optional<platform::FileIdentity>& identity,
                              const fs::path& real) {
    if (!identity) return false;
    const auto known = byIdentity_.find(*identity);
    if (known == byIdentity_.end()) return false;
    Entry& shared = files_.at(known->second);
    keyOf_[file] = known->second;
    bool sameName = false;
    for (const fs::path& name : shared.realNames) sameName = sameName || name == real;
    if (!sameName) {
        shared.names.push_back(file);
        shared.realNames.push_back(real);
    }
    return true;
}

void PackageEdit::writeKey(const std::string& file, std::string_view section, std::string_view key,
                           std::string_view value) {
    auto& edited = entry(file).edited;
    const auto as = [&](std::string_view text8) { return profile::toEditText(edited.encoding, text8); };
    profile::writeKey(edited.text, as(section), as(key), as(value));
}

void PackageEdit::writeSection(const std::string& file, std::string_view section, std::string_view content) {
    auto& edited = entry(file).edited;
    const auto as = [&](std::string_view text8) { return profile::toEditText(edited.encoding, text8); };
    profile::writeSection(edited.text, as(section), as(content));
}

std::optional<PackageEdit::CommitFailure> PackageEdit::commit() {
    struct Replaced {
        std::string name;
        bool held;  // the original has a second name: putting it back needs no space
    };
    std::vector<Replaced> replaced;
    for (const std::string& key : order_) {
        const Entry& file = files_.at(key);
        for (const std::string& name : file.names) {
            const bool held = !editor_.holdOriginal(name);
            bool landed = false;
            if (auto ec = editor_.save(name, file.edited, &landed)) {
                if (landed) {
                    replaced.push_back({name, held});
                } else if (held) {
                    editor_.releaseOriginal(name);
                }
                CommitFailure failure{name, ec, {}};
                // Newest first: the C2 INF, which marks the package as modified, goes back first.
                for (auto done = replaced.rbegin(); done != replaced.rend(); ++done) {
                    if (auto restoreEc = restore(done->name, done->held))
                        failure.notRestored.emplace_back(done->name, restoreEc);
                }
                return failure;
            }
            replaced.push_back({name, held});
        }
    }
    for (const Replaced& done : replaced) {
        if (done.held) editor_.releaseOriginal(done.name);
    }
    return std::nullopt;
}

std::error_code PackageEdit::restore(const std::string& name, bool held) {
    if (held && !editor_.restoreOriginal(name)) return {};
    // No second name, or it could not be renamed back: write the original bytes anew.
    const std::error_code ec = editor_.save(name, entry(name).original);
    if (held && !ec) editor_.releaseOriginal(name);
    return ec;
}

}  // namespace quillmere
