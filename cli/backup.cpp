#include "backup.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "file_replace.h"
#include "package_boundary.h"
#include "package_lock.h"
#include "path_status.h"
#include "platform.h"
#include "preview_run.h"
#include "sha256.h"

namespace quillmere::cli {
namespace fs = std::filesystem;
namespace {

// Version 1 wrote names as they were, so a newline in one broke its list; version 2 escapes them.
constexpr const char* kHeaderRaw = "quillmere-mod backup 1";
constexpr const char* kHeader = "quillmere-mod backup 2";

// How long a restore waits for a run that holds the package.
constexpr auto kLockWait = std::chrono::seconds(10);

struct Listed {
    std::string originalDigest, writtenDigest;
    std::string relative;  // 8-bit engine text
};

std::string describe(const std::error_code& ec) {
    return ec.message();
}

std::error_code writeFlushed(const fs::path& file, const std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(platform::openFile(file, "wb"), std::fclose);
    if (!out) return {errno, std::generic_category()};
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size())
        return {errno, std::generic_category()};
    if (auto ec = platform::flushToDisk(out.get())) return ec;
    if (std::fclose(out.release()) != 0) return {errno, std::generic_category()};
    return {};
}

// Whether `inner` is `outer` or lies below it, compared name by name.
bool within(const fs::path& outer, const fs::path& inner) {
    auto innerPart = inner.begin();
    for (auto outerPart = outer.begin(); outerPart != outer.end(); ++outerPart) {
        if (outerPart->empty()) continue;  // the empty last part of a path that ends in a separator
        if (innerPart == inner.end() || *outerPart != *innerPart) return false;
        ++innerPart;
    }
    return true;
}

}  // namespace

std::string escapeListName(const std::string& name) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescapeListName(const std::string& text) {
    const auto hex = [](char h) {
        return h >= '0' && h <= '9'   ? h - '0'
               : h >= 'A' && h <= 'F' ? h - 'A' + 10
               : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                      : -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size() || hex(text[i + 1]) < 0 || hex(text[i + 2]) < 0) return std::nullopt;
        out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
        i += 2;
    }
    return out;
}

std::optional<std::string> backupInsidePackage(const fs::path& dir, const std::string& folder) {
    std::error_code ec;
    const fs::path root = platform::realPath(platform::toPath(folder), ec);
    if (ec) return std::nullopt;
    // The backup folder need not exist yet: its real path is that of its deepest existing part.
    const fs::path place = fs::weakly_canonical(fs::absolute(platform::plainPath(dir), ec), ec);
    if (ec || !within(root, place)) return std::nullopt;
    return "The backup folder " + platform::fromPath(dir) + " lies inside " + folder +
           ": a later run would find the copies there and mod them. Nothing was changed.";
}

std::optional<std::string> writeBackup(const fs::path& dir, const std::string& folder,
                                       const PackageEdit& edit, ProfileEditor& editor) {
    const std::string where = platform::fromPath(dir);
    const std::string refused = ". Nothing was changed.";
    std::error_code ec;
    const fs::path list = dir / kBackupListName;
    if (fs::exists(list, ec))
        return "A backup is already in " + where + "; it is never overwritten" + refused;

    if (auto inside = backupInsidePackage(dir, folder)) return inside;
    std::string listing =
        std::string(kHeader) + "\nfolder " +
        escapeListName(platform::fromPath(fs::absolute(platform::plainPath(platform::toPath(folder)), ec))) +
        "\n";
    std::vector<std::pair<fs::path, std::string>> copies;  // backup file, bytes
    for (const std::string& file : edit.files()) {
        const fs::path source = editor.resolve(file);
        const auto relative = relativeTo(platform::toPath(folder), source);
        const std::string relativeText = relative ? platform::fromPath(*relative) : std::string();
        if (!relative) return "Cannot back up " + file + ": it has no plain path below " + folder + refused;
        const fs::path copy = dir / *relative;
        if (fs::exists(copy, ec)) return "A backup of " + file + " is already in " + where + refused;
        std::string bytes;
        if ((ec = editor.store().read(source, bytes)))
            return "Cannot back up " + file + " (" + describe(ec) + ")" + refused;
        listing += "file " + sha256Hex(bytes) + " " + sha256Hex(profile::encodeProfile(edit.edited(file))) +
                   " " + escapeListName(relativeText) + "\n";
        copies.emplace_back(copy, std::move(bytes));
    }

    // A refused run leaves nothing of its own: what this backup made goes again when it fails.
    std::vector<fs::path> made;  // files and folders, in the order made
    const auto makeFolders = [&](const fs::path& wanted) {
        std::vector<fs::path> missing;
        std::error_code existsEc;
        for (fs::path at = wanted; !at.empty() && !fs::exists(at, existsEc); at = at.parent_path()) {
            missing.push_back(at);
            if (at == at.parent_path()) break;
        }
        std::error_code madeEc;
        fs::create_directories(wanted, madeEc);
        if (!madeEc) made.insert(made.end(), missing.rbegin(), missing.rend());
        return madeEc;
    };
    const auto undo = [&](std::string why) {
        std::error_code ignored;
        for (auto it = made.rbegin(); it != made.rend(); ++it) fs::remove(*it, ignored);
        return why + refused;
    };
    std::set<fs::path> folders{dir};
    if ((ec = makeFolders(dir)))
        return undo("Cannot create the backup folder " + where + " (" + describe(ec) + ")");
    for (const auto& [copy, bytes] : copies) {
        ec = makeFolders(copy.parent_path());
        if (!ec) {
            made.push_back(copy);
            ec = writeFlushed(copy, bytes);
        }
        if (ec)
            return undo("Cannot write the backup " + platform::fromPath(copy) + " (" + describe(ec) + ")");
        folders.insert(copy.parent_path());
    }
    // The list goes last: a backup without it is incomplete, and a restore refuses it.
    made.push_back(list);
    if ((ec = writeFlushed(list, listing)))
        return undo("Cannot write " + platform::fromPath(list) + " (" + describe(ec) + ")");
    for (const fs::path& written : folders) {
        if ((ec = platform::flushFolderToDisk(written)))
            return undo("Cannot flush the backup folder " + platform::fromPath(written) + " (" +
                        describe(ec) + ")");
    }
    return std::nullopt;
}

RestoreResult restoreBackup(const fs::path& dir, const std::string& packageFolder) {
    RestoreResult result;
    DiskFileStore disk;
    const fs::path listFile = dir / kBackupListName;
    const std::string listName = platform::fromPath(listFile);
    const std::string nothing = ". Nothing was restored.";
    std::string listing;
    std::error_code ec;
    // Never read anything but a regular file: a pipe planted in a backup would hang the restore.
    if (!fs::is_regular_file(fs::symlink_status(listFile, ec))) {
        result.message = "No backup in " + platform::fromPath(dir) + " (" + listName + " is missing or " +
                         "not a regular file)";
        return result;
    }
    if ((ec = disk.read(listFile, listing))) {
        result.message =
            "No backup in " + platform::fromPath(dir) + " (" + listName + ": " + describe(ec) + ")";
        return result;
    }
    std::istringstream lines(listing);
    std::string line;
    std::optional<std::string> folder;
    std::vector<Listed> listed;
    bool headerSeen = false, escaped = false, valid = true;
    const auto name = [&](const std::string& text) {
        return escaped ? unescapeListName(text) : std::optional<std::string>(text);
    };
    while (valid && std::getline(lines, line)) {
        if (!headerSeen) {
            escaped = line == kHeader;
            headerSeen = escaped || line == kHeaderRaw;
            valid = headerSeen;
        } else if (line.rfind("folder ", 0) == 0 && !folder) {
            folder = name(line.substr(7));
            valid = folder.has_value();
        } else if (line.rfind("file ", 0) == 0 && line.size() > 5 + 64 + 1 + 64 + 1) {
            const auto relative = name(line.substr(135));
            valid = relative.has_value();
            if (valid) listed.push_back({line.substr(5, 64), line.substr(70, 64), *relative});
        } else {
            valid = false;
        }
    }
    if (!valid || !headerSeen || !folder || folder->empty() || listed.empty()) {
        result.message = listName + " is not a backup list of quillmere-mod";
        return result;
    }

    // The list says where its originals belong, but a list can be edited or brought from
    // elsewhere: only the package that the user names is written, and only if it is that one.
    const fs::path root = platform::toPath(packageFolder);
    std::error_code listedEc, namedEc;
    const fs::path listedReal = platform::realPath(platform::toPath(*folder), listedEc);
    const fs::path namedReal = platform::realPath(root, namedEc);
    if (namedEc) {
        result.message = "Cannot open " + packageFolder + " (" + describe(namedEc) + ")" + nothing;
        return result;
    }
    if (listedEc || listedReal != namedReal) {
        result.message =
            platform::fromPath(dir) + " holds a backup of " + *folder + ", not of " + packageFolder + nothing;
        return result;
    }

    // Everything is checked before the first file is put back.
    std::vector<std::pair<fs::path, std::string>> restores;
    std::vector<fs::path> folders;
    for (const Listed& entry : listed) {
        // A list that someone edited must not reach outside the package folder.
        const fs::path relative = platform::toPath(entry.relative);
        bool plain = !relative.empty() && relative.is_relative() && !relative.has_root_name();
        for (const fs::path& part : relative) plain = plain && part != "..";
        if (!plain) {
            result.message = listName + " names a file outside the package: " + entry.relative;
            return result;
        }
        const fs::path target = root / relative;
        const std::string targetText = platform::fromPath(target);
        // The run's own boundary: no link that leads out, and only a regular file.
        if (leadsOutside(packageFolder, targetText)) {
            result.message =
                "Cannot write to " + targetText + " (it leads outside " + packageFolder + ")" + nothing;
            return result;
        }
        if (!fs::is_regular_file(fs::status(target, ec))) {
            result.message = targetText + " is not a regular file" + nothing;
            return result;
        }
        const fs::path copy = dir / relative;
        if (!fs::is_regular_file(fs::symlink_status(copy, ec))) {
            result.message = "The backup of " + targetText + " in " + platform::fromPath(dir) +
                             " is missing or not a regular file" + nothing;
            return result;
        }
        std::string original, current;
        if (ec = disk.read(copy, original); ec || sha256Hex(original) != entry.originalDigest) {
            result.message = "The backup of " + targetText + " in " + platform::fromPath(dir) +
                             " is missing or damaged" + nothing;
            return result;
        }
        if (ec = disk.read(target, current); ec || sha256Hex(current) != entry.writtenDigest) {
            result.message = targetText + " has changed since the run (it is not what the run wrote" +
                             (ec ? ": " + describe(ec) : std::string()) + ")" + nothing;
            return result;
        }
        fs::path real = platform::realPath(target, ec);
        folders.push_back((ec ? target : real).parent_path());
        restores.emplace_back(target, std::move(original));
    }
    // A run on the package at the same time would undo or be undone: keep it out meanwhile.
    platform::PackageLock lock;
    if ((ec = lock.lock(folders, kLockWait))) {
        result.message = "Another run holds " + packageFolder + " (" + describe(ec) + ")" + nothing;
        return result;
    }
    for (const auto& [target, bytes] : restores) {
        if ((ec = disk.replace(target, bytes))) {
            result.status = RestoreResult::Status::Failed;
            result.message = "Restoring " + platform::fromPath(target) + " failed (" + describe(ec) + ").";
            return result;
        }
        result.restored.push_back(platform::fromPath(target));
    }
    result.status = RestoreResult::Status::Restored;
    return result;
}

}  // namespace quillmere::cli
