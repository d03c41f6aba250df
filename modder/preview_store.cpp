#include "preview_store.h"

#include "platform.h"

namespace quillmere {
namespace fs = std::filesystem;

std::error_code PreviewFileStore::read(const fs::path& file, std::string& bytes) {
    // A replaced file reads back as what was written, as it would after a real replace.
    if (const auto it = replaced_.find(file); it != replaced_.end()) {
        bytes = it->second;
        return {};
    }
    auto it = read_.find(file);
    if (it == read_.end()) {
        Read fresh;
        fresh.ec = reads_.read(file, fresh.bytes);
        it = read_.emplace(file, std::move(fresh)).first;
    }
    bytes = it->second.bytes;
    return it->second.ec;
}

std::error_code PreviewFileStore::replace(const fs::path& file, const std::string& bytes) {
    if (auto ec = probeWritable(file)) return ec;
    if (keepWrites_) replaced_[file] = bytes;
    return {};
}

std::error_code PreviewFileStore::takeOriginal(const fs::path& file, std::string& bytes) {
    const auto it = read_.find(file);
    if (it == read_.end()) return reads_.read(file, bytes);
    bytes = std::move(it->second.bytes);
    const std::error_code ec = it->second.ec;
    read_.erase(it);
    return ec;
}

std::error_code PreviewFileStore::probeWritable(const fs::path& file) {
    // The disk store writes through a link to the file it points at; its rights are the ones asked.
    std::error_code ec;
    fs::path target = file;
    if (fs::is_symlink(file, ec)) {
        const auto resolved = fs::canonical(file, ec);
        if (!ec) target = resolved;
    }
    return platform::checkReplaceable(target);
}

}  // namespace quillmere
