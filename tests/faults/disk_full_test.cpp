// The writes on a file system that fills up, swept over every amount of free space from none to
// enough, on a package whose INF files are the large ones: each run either completes or puts
// every file back, without needing room for a copy, and says which write failed. On a
// small tmpfs where the system lets the test mount one (root), else through a file store that
// keeps the same books as a full disk. Also a file system that is mounted read-only.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <array>
#include <cstring>
#include <map>
#include <sstream>

#include "cli_app.h"
#include "large_package.h"
#include "ordinary_user.h"
#include "package_fixture.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

// A tmpfs of a fixed size over a fresh folder, unmounted at the end.
class SmallTmpfs {
public:
    explicit SmallTmpfs(std::size_t bytes) {
        if (!runningAsRoot()) {
            why_ = "only root may mount";
            return;
        }
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
            why_ = std::string("mount failed: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallTmpfs() {
        if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    const fs::path& path() const { return dir_.path(); }

    std::uint64_t freeBytes() const {
        struct statvfs st {};
        ::statvfs(dir_.path().c_str(), &st);
        return static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
    }
    bool makeReadOnly() {
        return ::mount(nullptr, dir_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    TempDir dir_;
    bool mounted_ = false;
    std::string why_;
};

// A disk of `free` bytes for systems where the test cannot mount one: a replace needs room for
// the whole new file beside the old one; the old file's room comes back once nothing holds it
// (neither its name nor a second name that keeps it for a rollback).
class SmallDiskStore : public DiskFileStore {
public:
    explicit SmallDiskStore(std::uint64_t free) : free_(free) {}
    std::error_code replace(const fs::path& file, const std::string& bytes) override {
        if (bytes.size() > free_) return std::make_error_code(std::errc::no_space_on_device);
        std::error_code ec;
        const auto oldSize = fs::exists(file, ec) ? fs::file_size(file, ec) : 0;
        if (auto failed = DiskFileStore::replace(file, bytes)) return failed;
        free_ = free_ - bytes.size() + (held_.count(file) ? 0 : oldSize);
        return {};
    }
    std::error_code holdOriginal(const fs::path& file) override {
        if (auto ec = DiskFileStore::holdOriginal(file)) return ec;
        held_[file] = fs::file_size(file);
        return {};
    }
    std::error_code restoreOriginal(const fs::path& file) override {
        const auto dropped = fs::file_size(file);
        if (auto ec = DiskFileStore::restoreOriginal(file)) return ec;
        free_ += dropped;
        held_.erase(file);
        return {};
    }
    void releaseOriginal(const fs::path& file) override {
        DiskFileStore::releaseOriginal(file);
        if (held_.count(file)) free_ += held_[file];
        held_.erase(file);
    }

private:
    std::uint64_t free_;
    std::map<fs::path, std::uint64_t> held_;  // file -> size of its held original
};

// INF files of 100 KB against an install.ini of 2.5 KB: putting a replaced INF back by writing
// it anew would need that much room again, just when the disk has run out.
constexpr std::size_t kInfSize = 100'000;

SamplePackage writeRealPackage(const fs::path& root) {
    return writePackage(
        root, grownInf(realData("wdk6001-r200sample-inf/x86/r200.inf"), kInfSize),
        grownInf(realData("catalyst-win9x-C9_11774-C8_11774_oerg866/C8_11774.INF"), kInfSize));
}

struct CliResult {
    int status = 0;
    std::string out;
};

CliResult runTool(const fs::path& folder, const RunEnvironment& env = {}) {
    std::ostringstream out, err;
    std::istringstream in;
    const int status = cli::runCli({"--no", folder.string()}, {out, err, in, false, false}, env);
    return {status, out.str() + err.str()};
}

bool temporariesLeft(const SamplePackage& p) {
    for (const fs::path& folder : {p.installIni.parent_path(), p.c2Inf.parent_path()}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename().string().find(".quillmere-") != std::string::npos) return true;
        }
    }
    return false;
}

// The three files' inode numbers: a file put back by renaming its kept original keeps its own.
using Inodes = std::array<ino_t, 3>;
Inodes inodesOf(const SamplePackage& p) {
    Inodes inodes{};
    for (std::size_t i = 0; i < 3; ++i) {
        struct stat st {};
        ::stat((i == 0 ? p.installIni : i == 1 ? p.cxInf : p.c2Inf).c_str(), &st);
        inodes[i] = st.st_ino;
    }
    return inodes;
}

struct SweepRun {
    CliResult result;
    SamplePackage package;
    Inodes before;  // taken right before the run
};

// One run with `free` bytes left.
using RunWithFree = std::function<SweepRun(std::uint64_t free)>;

std::map<std::string, int> sweep(const RunWithFree& runWithFree, std::uint64_t upTo, std::uint64_t step) {
    TempDir reference;
    const SamplePackage r = writeRealPackage(reference.path());
    const PackageFiles original = contentsOf(r);
    EXPECT_EQ(runTool(reference.path()).status, cli::kModded);
    const PackageFiles modded = contentsOf(r);

    std::map<std::string, int> outcomes;
    for (std::uint64_t free = 0; free <= upTo; free += step) {
        const auto [result, p, inodesBefore] = runWithFree(free);
        const PackageFiles now = contentsOf(p);
        EXPECT_FALSE(temporariesLeft(p)) << free << " bytes free";
        if (result.status == cli::kModded) {
            EXPECT_EQ(now, modded) << free << " bytes free";
            ++outcomes["modded"];
            continue;
        }
        EXPECT_EQ(result.status, cli::kError) << free << " bytes free: " << result.out;
        EXPECT_EQ(now, original) << free << " bytes free: " << result.out;
        // Put back without a copy: the very files that were there, not rewrites of them.
        EXPECT_EQ(inodesOf(p), inodesBefore) << free << " bytes free: " << result.out;
        bool named = false;
        for (const auto& [name, path] : {std::pair{"install.ini", p.installIni}, {"C2 INF", p.c2Inf}, {"CX INF", p.cxInf}}) {
            const std::string message = "Modding failed while writing " + path.string() + " (" +
                                        std::make_error_code(std::errc::no_space_on_device).message() +
                                        "). Nothing was changed.\n";
            if (result.out == message) {
                ++outcomes[name];
                named = true;
            }
        }
        EXPECT_TRUE(named) << free << " bytes free: " << result.out;
    }
    return outcomes;
}

}  // namespace

TEST(DiskFull, EveryWriteThatFindsTheDiskFullPutsEverythingBack) {
    SmallTmpfs disk(4 * 1024 * 1024);
    // More than the three modded files need together while the originals are still held.
    constexpr std::uint64_t kUpTo = 384 * 1024;
    std::map<std::string, int> outcomes;
    if (disk.mounted()) {
        outcomes = sweep(
            [&](std::uint64_t free) {
                for (const auto& entry : fs::directory_iterator(disk.path())) fs::remove_all(entry.path());
                const SamplePackage p = writeRealPackage(disk.path() / "pkg");
                // Ballast takes all but `free` bytes (the tmpfs counts whole pages, and so do we).
                writeBytes(disk.path() / "ballast", std::string(disk.freeBytes() - free, 'b'));
                EXPECT_EQ(disk.freeBytes(), free);
                const Inodes before = inodesOf(p);
                return SweepRun{runTool(disk.path() / "pkg"), p, before};
            },
            kUpTo, 4096);
    } else {
        std::cout << "[ disk full ] no tmpfs (" << disk.why() << "): a store that counts free bytes stands in\n";
        TempDir dir;
        outcomes = sweep(
            [&](std::uint64_t free) {
                fs::remove_all(dir.path() / "pkg");
                const SamplePackage p = writeRealPackage(dir.path() / "pkg");
                SmallDiskStore store(free);
                ProfileEditor editor(dir.path(), store);
                RunEnvironment env;
                env.editor = &editor;
                const Inodes before = inodesOf(p);
                return SweepRun{runTool(dir.path() / "pkg", env), p, before};
            },
            kUpTo, 4096);
    }
    std::cout << "[ disk full ] outcomes:";
    for (const auto& [what, count] : outcomes) std::cout << ' ' << what << ' ' << count;
    std::cout << '\n';
    // The sweep reaches every write: each of the three fails somewhere, and enough room succeeds.
    EXPECT_GT(outcomes["install.ini"], 0);
    EXPECT_GT(outcomes["CX INF"], 0);
    EXPECT_GT(outcomes["C2 INF"], 0);
    EXPECT_GT(outcomes["modded"], 0);
}

TEST(DiskFull, AReadOnlyFileSystemIsRefusedBeforeAnythingChanges) {
    SmallTmpfs disk(4 * 1024 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs to make read-only (" << disk.why() << ")";
    const SamplePackage p = writeRealPackage(disk.path() / "pkg");
    const PackageFiles before = contentsOf(p);
    ASSERT_TRUE(disk.makeReadOnly());
    const CliResult result = runTool(disk.path() / "pkg");
    EXPECT_EQ(result.status, cli::kRefused);
    EXPECT_EQ(result.out, "Cannot write to " + p.installIni.string() + " (" +
                              std::make_error_code(std::errc::read_only_file_system).message() +
                              "). Nothing was changed.\n");
    EXPECT_EQ(contentsOf(p), before);
}
