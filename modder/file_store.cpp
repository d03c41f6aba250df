#include "file_store.h"

#include <cerrno>
#include <memory>
#include <string>

#include "file_replace.h"
#include "path_status.h"
#include "platform.h"
#include "rename_check.h"
#include "side_files.h"

namespace quillmere {
namespace fs = std::filesystem;

namespace {

std::error_code errnoCode() {
    return {errno, std::generic_category()};
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openFile(const fs::path& file, const char* mode) {
    return FilePtr(platform::openFile(file, mode));
}

// Writes go to the file a link points at, so that replacing it keeps the link.
fs::path realTarget(const fs::path& file) {
    std::error_code ec;
    if (fs::is_symlink(file, ec)) {
        auto target = fs::canonical(file, ec);
        if (!ec) return target;
    }
    return file;
}

// A new file beside `target` under a name of ours that nobody else holds.
FilePtr createSideFile(const fs::path& target, SideFile kind, fs::path& name, std::error_code& ec) {
    for (;;) {
        name = sideFileName(target, kind);
        FilePtr file(platform::createExclusive(name, ec));
        if (file || ec != std::errc::file_exists) return file;
    }
}

// The file opens for writing without being truncated: nothing of it changes.
std::error_code probeExistingFile(const fs::path& file) {
    std::error_code ec;
    const platform::PathStatus status = platform::pathStatus(file, ec);
    if (!status.exists) return {};
    if (status.directory) return std::make_error_code(std::errc::is_a_directory);
    if (!openFile(file, "r+b")) return errnoCode();
    return {};
}

}  // namespace

std::error_code FileStore::holdOriginal(const fs::path& /*file*/) {
    return std::make_error_code(std::errc::operation_not_supported);
}

std::error_code FileStore::restoreOriginal(const fs::path& /*file*/) {
    return std::make_error_code(std::errc::operation_not_supported);
}

void FileStore::releaseOriginal(const fs::path& /*file*/) {}

std::size_t FileStore::removeLeftovers(const fs::path& /*file*/) {
    return 0;
}

std::error_code FileStore::replaceTelling(const fs::path& file, const std::string& bytes, bool& landed) {
    replaceLanded_ = false;
    const std::error_code ec = replace(file, bytes);
    landed = ec && replaceLanded_;
    return ec;
}

std::error_code DiskFileStore::putInPlace(const fs::path& temporary, const fs::path& target) {
    return platform::replaceFile(temporary, target);
}

std::size_t DiskFileStore::writeBytes(std::FILE* file, const char* data, std::size_t size) {
    return std::fwrite(data, 1, size, file);
}

std::error_code DiskFileStore::read(const fs::path& file, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (platform::pathStatus(file, ec).directory) return std::make_error_code(std::errc::is_a_directory);
    FilePtr in = openFile(file, "rb");
    if (!in) return errnoCode();
    // One allocation of the file's size: a string grown chunk by chunk is copied and faulted in
    // anew at every doubling, which dominated runs on multi-megabyte INF files.
    const auto expected = fs::file_size(file, ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(expected));
    char chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, in.get());
        bytes.append(chunk, n);
        if (n < sizeof chunk) break;
    }
    if (std::ferror(in.get())) return errnoCode();
    return {};
}

std::error_code DiskFileStore::replace(const fs::path& file, const std::string& bytes) {
    replaceLanded_ = false;
    const fs::path target = realTarget(file);
    if (auto ec = probeExistingFile(target)) return ec;

    fs::path temporary;
    std::error_code ec;
    FilePtr out = createSideFile(target, SideFile::Temporary, temporary, ec);
    if (!out) return ec;
    if (!bytes.empty()) {
        errno = 0;
        // A short write that sets no errno is still a short write: never let a cut copy through.
        if (writeBytes(out.get(), bytes.data(), bytes.size()) != bytes.size())
            ec = errno != 0 ? errnoCode() : std::make_error_code(std::errc::io_error);
    }
    // The bytes reach the file before its rights do: a write by an ordinary user clears the
    // set-group-ID bit that the attributes bring.
    if (!ec && std::fflush(out.get()) != 0) ec = errnoCode();
    std::error_code existsEc;
    if (!ec && platform::pathStatus(target, existsEc).exists)
        ec = platform::copyFileAttributes(target, temporary, out.get());
    if (!ec) ec = platform::flushToDisk(out.get());
    if (std::fclose(out.release()) != 0 && !ec) ec = errnoCode();
    if (!ec) {
        ec = putInPlace(temporary, target);
        // The temporary name gone means the rename was made and only what came after it (the
        // folder's flush) failed: the file holds the new bytes.
        std::error_code statusEc;
        replaceLanded_ = ec && !platform::pathStatus(temporary, statusEc).exists && !statusEc;
        if (replaceLanded_) return ec;
    }
    if (ec) {
        std::error_code ignored;
        platform::removeFile(temporary, ignored);
    }
    return ec;
}

std::error_code DiskFileStore::probeWritable(const fs::path& file) {
    const fs::path target = realTarget(file);
    if (auto ec = probeExistingFile(target)) return ec;
    // Asked of the system, not tried: a test file could be created in a folder that then will not
    // let it go again (append-only), and a refused run must leave nothing behind.
    if (auto ec = platform::checkReplaceable(target)) return ec;
    return platform::checkRenamesAllowed(target);
}

std::error_code DiskFileStore::holdOriginal(const fs::path& file) {
    const fs::path target = realTarget(file);
    std::error_code ec;
    if (!platform::pathStatus(target, ec).regularFile)
        return ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory);
    for (;;) {
        const fs::path second = sideFileName(target, SideFile::Original);
        ec = platform::linkFile(target, second);
        if (ec == std::errc::file_exists) continue;
        if (!ec) held_[target] = second;
        return ec;
    }
}

std::error_code DiskFileStore::restoreOriginal(const fs::path& file) {
    const auto it = held_.find(realTarget(file));
    if (it == held_.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (auto ec = platform::moveOver(it->second, it->first)) return ec;
    held_.erase(it);
    return {};
}

void DiskFileStore::releaseOriginal(const fs::path& file) {
    const auto it = held_.find(realTarget(file));
    if (it == held_.end()) return;
    std::error_code ignored;
    platform::removeFile(it->second, ignored);
    held_.erase(it);
}

std::size_t DiskFileStore::removeLeftovers(const fs::path& file) {
    return removeSideFiles(realTarget(file));
}

FileStore& diskFileStore() {
    static DiskFileStore store;
    return store;
}

}  // namespace quillmere
