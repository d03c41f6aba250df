#include "backup.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "path_status.h"
#include "platform.h"
#include "preview_run.h"
#include "sha256.h"

namespace quillmere::cli {
namespace fs = std::filesystem;
namespace {

constexpr const char* kHeader = "quillmere-mod backup 1";

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

}  // namespace

std::optional<std::string> writeBackup(const fs::path& dir, const std::string& folder,
                                       const PackageEdit& edit, ProfileEditor& editor) {
    const std::string where = platform::fromPath(dir);
    const std::string refused = ". Nothing was changed.";
    std::error_code ec;
    const fs::path list = dir / kBackupListName;
    if (fs::exists(list, ec))
        return "A backup is already in " + where + "; it is never overwritten" + refused;

    std::string listing =
        std::string(kHeader) + "\nfolder " +
        platform::fromPath(fs::absolute(platform::plainPath(platform::toPath(folder)), ec)) + "\n";
    std::vector<std::pair<fs::path, std::string>> copies;  // backup file, bytes
    for (const std::string& file : edit.files()) {
        const fs::path source = editor.resolve(file);
        const auto relative = relativeTo(platform::toPath(folder), source);
        const std::string relativeText = relative ? platform::fromPath(*relative) : std::string();
        if (!relative || relativeText.find_first_of("\r\n") != std::string::npos)
            return "Cannot back up " + file + ": it has no plain path below " + folder + refused;
        const fs::path copy = dir / *relative;
        if (fs::exists(copy, ec)) return "A backup of " + file + " is already in " + where + refused;
        std::string bytes;
        if ((ec = editor.store().read(source, bytes)))
            return "Cannot back up " + file + " (" + describe(ec) + ")" + refused;
        listing += "file " + sha256Hex(bytes) + " " + sha256Hex(profile::encodeProfile(edit.edited(file))) +
                   " " + relativeText + "\n";
        copies.emplace_back(copy, std::move(bytes));
    }

    std::set<fs::path> folders{dir};
    fs::create_directories(dir, ec);
    if (ec) return "Cannot create the backup folder " + where + " (" + describe(ec) + ")" + refused;
    for (const auto& [copy, bytes] : copies) {
        fs::create_directories(copy.parent_path(), ec);
        if (!ec) ec = writeFlushed(copy, bytes);
        if (ec)
            return "Cannot write the backup " + platform::fromPath(copy) + " (" + describe(ec) + ")" +
                   refused;
        folders.insert(copy.parent_path());
    }
    // The list goes last: a backup without it is incomplete, and a restore refuses it.
    if ((ec = writeFlushed(list, listing)))
        return "Cannot write " + platform::fromPath(list) + " (" + describe(ec) + ")" + refused;
    for (const fs::path& made : folders) {
        if ((ec = platform::flushFolderToDisk(made)))
            return "Cannot flush the backup folder " + platform::fromPath(made) + " (" + describe(ec) + ")" +
                   refused;
    }
    return std::nullopt;
}

RestoreResult restoreBackup(const fs::path& dir) {
    RestoreResult result;
    DiskFileStore disk;
    const fs::path listFile = dir / kBackupListName;
    std::string listing;
    if (auto ec = disk.read(listFile, listing)) {
        result.message = "No backup in " + platform::fromPath(dir) + " (" + platform::fromPath(listFile) +
                         ": " + describe(ec) + ")";
        return result;
    }
    std::istringstream lines(listing);
    std::string line;
    std::string folder;
    std::vector<Listed> listed;
    bool headerSeen = false;
    while (std::getline(lines, line)) {
        if (!headerSeen) {
            headerSeen = line == kHeader;
            if (!headerSeen) break;
        } else if (line.rfind("folder ", 0) == 0) {
            folder = line.substr(7);
        } else if (line.rfind("file ", 0) == 0 && line.size() > 5 + 64 + 1 + 64 + 1) {
            listed.push_back({line.substr(5, 64), line.substr(70, 64), line.substr(135)});
        } else {
            headerSeen = false;
            break;
        }
    }
    if (!headerSeen || folder.empty() || listed.empty()) {
        result.message = platform::fromPath(listFile) + " is not a backup list of quillmere-mod";
        return result;
    }

    // Everything is checked before the first file is put back.
    std::vector<std::pair<fs::path, std::string>> restores;
    for (const Listed& entry : listed) {
        // A list that someone edited must not reach outside the package folder.
        const fs::path relative = platform::toPath(entry.relative);
        bool plain = !relative.empty() && relative.is_relative() && !relative.has_root_name();
        for (const fs::path& part : relative) plain = plain && part != "..";
        if (!plain) {
            result.message =
                platform::fromPath(listFile) + " names a file outside the package: " + entry.relative;
            return result;
        }
        const fs::path target = platform::toPath(folder) / platform::toPath(entry.relative);
        const std::string targetText = platform::fromPath(target);
        std::string original, current;
        if (auto ec = disk.read(dir / platform::toPath(entry.relative), original);
            ec || sha256Hex(original) != entry.originalDigest) {
            result.message = "The backup of " + targetText + " in " + platform::fromPath(dir) +
                             " is missing or damaged. Nothing was restored.";
            return result;
        }
        if (auto ec = disk.read(target, current); ec || sha256Hex(current) != entry.writtenDigest) {
            result.message = targetText + " has changed since the run (it is not what the run wrote" +
                             (ec ? ": " + describe(ec) : std::string()) + "). Nothing was restored.";
            return result;
        }
        restores.emplace_back(target, std::move(original));
    }
    for (const auto& [target, bytes] : restores) {
        if (auto ec = disk.replace(target, bytes)) {
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
