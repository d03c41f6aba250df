#include "file_store.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "platform.h"

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

fs::path folderOf(const fs::path& file) {
    const auto parent = file.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// A new, not yet existing name beside `file` for the temporary copy.
fs::path temporaryBeside(const fs::path& file) {
    static std::mt19937_64 random{std::random_device{}()};
    for (;;) {
        // Built as a path, so that a name the 8-bit code page cannot hold stays intact.
        fs::path name(".");
        name += file.filename().native();
        name += ".quillmere-" + std::to_string(random() % 1000000000) + ".tmp";
        auto candidate = folderOf(file) / name;
        std::error_code ec;
        if (!fs::exists(candidate, ec)) return candidate;
    }
}

// The file opens for writing without being truncated: nothing of it changes.
std::error_code probeExistingFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return {};
    if (fs::is_directory(file, ec)) return std::make_error_code(std::errc::is_a_directory);
    if (!openFile(file, "r+b")) return errnoCode();
    return {};
}

std::error_code writeAll(const fs::path& file, const std::string& bytes) {
    FilePtr out = openFile(file, "wb");
    if (!out) return errnoCode();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size())
        return errnoCode();
    if (auto ec = platform::flushToDisk(out.get())) return ec;
    if (std::fclose(out.release()) != 0) return errnoCode();
    return {};
}

}  // namespace

std::error_code DiskFileStore::read(const fs::path& file, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (fs::is_directory(file, ec)) return std::make_error_code(std::errc::is_a_directory);
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
    const fs::path target = realTarget(file);
    if (auto ec = probeExistingFile(target)) return ec;

    const fs::path temporary = temporaryBeside(target);
    std::error_code ec = writeAll(temporary, bytes);
    std::error_code existsEc;
    if (!ec && fs::exists(target, existsEc)) ec = platform::copyFileAttributes(target, temporary);
    if (!ec) fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return ec;
}

std::error_code DiskFileStore::probeWritable(const fs::path& file) {
    const fs::path target = realTarget(file);
    if (auto ec = probeExistingFile(target)) return ec;
    // The replace needs a new file in the same folder. Creating one is the test; flushing it to
    // the disk would only cost a wait on the journal for a file that goes at once.
    const fs::path temporary = temporaryBeside(target);
    if (!openFile(temporary, "wb")) return errnoCode();
    std::error_code ec;
    fs::remove(temporary, ec);
    return ec;
}

FileStore& diskFileStore() {
    static DiskFileStore store;
    return store;
}

}  // namespace quillmere
