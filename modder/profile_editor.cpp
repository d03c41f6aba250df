#include "profile_editor.h"

#include "path_status.h"
#include "platform.h"

namespace quillmere {
namespace fs = std::filesystem;

namespace {

// A write needs the file's folder; it never creates one.
std::error_code folderMissing(const fs::path& file) {
    const fs::path folder = file.parent_path();
    std::error_code ec;
    if (!folder.empty() && !platform::pathStatus(folder, ec).directory)
        return std::make_error_code(std::errc::no_such_file_or_directory);
    return {};
}

}  // namespace

ProfileEditor::ProfileEditor(fs::path profileDirectory, FileStore& store)
    : profileDirectory_(std::move(profileDirectory)), store_(store) {}

ProfileEditor::ProfileEditor() : ProfileEditor(platform::defaultProfileDirectory()) {}

fs::path ProfileEditor::resolve(std::string_view fileName) const {
    if (platform::hasFolderPart(fileName)) return platform::toPath(fileName);
    return profileDirectory_ / platform::toPath(fileName);
}

std::error_code ProfileEditor::load(std::string_view fileName, profile::DecodedProfile& profile) {
    std::string bytes;
    const std::error_code ec = store_.read(resolve(fileName), bytes);
    if (ec && ec != std::errc::no_such_file_or_directory) return ec;
    if (auto unsupported = profile::checkEditable(bytes)) return unsupported;
    profile = profile::decodeProfile(std::move(bytes));
    return {};
}

std::error_code ProfileEditor::save(std::string_view fileName, const profile::DecodedProfile& profile,
                                    bool* landed) {
    bool landedHere = false;
    bool& result = landed ? *landed : landedHere;
    result = false;
    const fs::path file = resolve(fileName);
    if (auto ec = folderMissing(file)) return ec;
    // An 8-bit text is the file's bytes already: no copy of a multi-megabyte file to write it.
    if (profile.encoding == profile::FileEncoding::Bytes8)
        return store_.replaceTelling(file, profile.text, result);
    return store_.replaceTelling(file, profile::encodeProfile(profile), result);
}

std::error_code ProfileEditor::probeWritable(std::string_view fileName) {
    const fs::path file = resolve(fileName);
    if (auto ec = folderMissing(file)) return ec;
    return store_.probeWritable(file);
}

}  // namespace quillmere
