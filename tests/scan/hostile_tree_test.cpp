// Folder trees that try to break the walk: link loops, a folder that cannot be read deep down,
// names with bytes that are no ASCII and with line ends, a crowded folder, very deep trees, and
// the order of visits on random trees against the plain recursive walk.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <unordered_map>

#include "modding_run.h"
#include "ordinary_user.h"
#include "package_fixture.h"
#include "package_scanner.h"
#include "recording_host.h"
#include "stress.h"
#include "system_abilities.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

// A tree in memory whose folder paths are short ids, so that shapes too big for a disk (or for
// paths of full length) stay cheap. Listing order is the order of adding.
class MemoryTree : public FileSystemAccessor {
public:
    MemoryTree() { folders_["/r"]; }

    std::string addFolder(const std::string& parent) {
        const std::string path = "/f" + std::to_string(folders_.size());
        folders_.at(parent).subfolders.push_back(path);
        folders_[path];
        return path;
    }
    void addFile(const std::string& folder, const std::string& name, std::uint64_t size = 1) {
        folders_.at(folder).files.push_back({joinPath(folder, name), name, name, size, folder});
    }
    std::vector<ScannedFile> listFiles(const std::string& folder) override { return at(folder).files; }
    std::vector<std::string> listSubfolders(const std::string& folder) override { return at(folder).subfolders; }

private:
    struct Folder {
        std::vector<ScannedFile> files;
        std::vector<std::string> subfolders;
    };
    Folder& at(const std::string& folder) {
        const auto it = folders_.find(folder);
        if (it == folders_.end()) throw ScanError("Cannot list the folder " + folder);
        return it->second;
    }
    std::unordered_map<std::string, Folder> folders_;
};

// The walk as the scanner's rule states it, recursively: a folder's files, then each subfolder.
void recursiveWalk(FileSystemAccessor& fso, const std::string& folder, std::vector<std::string>& seen) {
    for (const ScannedFile& file : fso.listFiles(folder)) seen.push_back(file.path);
    for (const std::string& sub : fso.listSubfolders(folder)) recursiveWalk(fso, sub, seen);
}

std::vector<std::string> scanned(FileSystemAccessor& fso, const std::string& root) {
    RecordingHost host(root);
    scanPackageFolder(fso, host, root);
    return host.scanPaths;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// A run on the disk with a profile directory of its own and no installer started.
struct DiskRun {
    TempDir profileDir;
    ProfileEditor editor{profileDir.path()};

    RunOutcome operator()(RecordingHost& host, std::function<std::unique_ptr<FileSystemAccessor>()> accessor = {}) {
        RunEnvironment env;
        env.editor = &editor;
        env.startProgram = [](const std::string&) {};
        env.makeAccessor = std::move(accessor);
        return runModding(host, env);
    }
};

bool canMakeSymlinks(const fs::path& folder) {
    std::error_code ec;
    fs::create_symlink(folder / "probe-target", folder / "probe-link", ec);
    if (ec) return false;
    fs::remove(folder / "probe-link", ec);
    return true;
}

// The sample package with a chain of folders below the INF folder; returns the deepest one.
// Files of a folder come before its subfolders, so the walk has found all three package files
// by the time it reaches the chain.
fs::path packageWithDeepChain(const SamplePackage& p, int depth) {
    fs::path deep = p.c2Inf.parent_path();
    for (int i = 0; i < depth; ++i) deep /= "level" + std::to_string(i);
    fs::create_directories(deep);
    writeBytes(deep / "readme.txt", "deep");
    return deep;
}

}  // namespace

TEST(HostileTree, LinkLoopsAreNotFollowedAndEachFileIsSeenOnce) {
    TempDir dir;
    if (!canMakeSymlinks(dir.path())) GTEST_SKIP() << "this system makes no symbolic links here";
    const SamplePackage p = writeSamplePackage(dir.path());
    const fs::path inner = dir.path() / "Driver" / "2KXP_INF" / "loops";
    fs::create_directories(inner);
    fs::create_directory_symlink(dir.path(), inner / "to-root");  // a folder loop back to the top
    fs::create_symlink(inner / "self", inner / "self");           // a link to itself
    fs::create_symlink(inner / "b", inner / "a");                 // two links pointing at each other
    fs::create_symlink(inner / "a", inner / "b");
    fs::create_symlink(p.installIni, inner / "notes.txt");  // a link to a file counts as that file

    FileSystemAccessor fso;
    const auto seen = scanned(fso, dir.str());
    EXPECT_EQ(sorted(seen), sorted({p.installIni.string(), p.setup.string(), p.c2Inf.string(), p.cxInf.string(),
                                    (inner / "notes.txt").string()}));

    DiskRun run;
    RecordingHost host(dir.str());
    EXPECT_EQ(run(host), RunOutcome::Modded);
    EXPECT_TRUE(fs::is_symlink(inner / "to-root"));
}

TEST(HostileTree, AFolderThatCannotBeListedDeepDownEndsTheRunNamingItWithNothingChanged) {
    // Stands for a folder without read permission, which root could read all the same.
    class DenyingAccessor : public FileSystemAccessor {
    public:
        explicit DenyingAccessor(std::string denied) : denied_(std::move(denied)) {}
        std::vector<ScannedFile> listFiles(const std::string& folder) override {
            if (folder == denied_) {
                throw ScanError("Cannot list the folder " + folder + ": " +
                                std::make_error_code(std::errc::permission_denied).message());
            }
            return FileSystemAccessor::listFiles(folder);
        }

    private:
        std::string denied_;
    };
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path());
    const fs::path deep = packageWithDeepChain(p, 12);
    const PackageFiles before = contentsOf(p);

    DiskRun run;
    RecordingHost host(dir.str());
    try {
        run(host, [&] { return std::make_unique<DenyingAccessor>(deep.string()); });
        FAIL() << "the scan error did not reach the caller";
    } catch (const ScanError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot list the folder " + deep.string() + ": Permission denied");
    }
    EXPECT_EQ(host.slotText(FoundSlot::Label3), p.c2Inf.string());  // found before the error...
    EXPECT_EQ(contentsOf(p), before);                                // ...and still untouched
    EXPECT_TRUE(host.messages.empty());
}

TEST(HostileTree, AFolderWithoutReadPermissionIsNamedWithTheSystemsReason) {
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path());
    const fs::path deep = packageWithDeepChain(p, 12);
    openToEveryone(dir.path());
    fs::permissions(deep, fs::perms::none);
    const PackageFiles before = contentsOf(p);

    const auto result = asOrdinaryUser([&] {
        DiskRun run;
        RecordingHost host(dir.str());
        try {
            run(host);
            return std::string("no error; messages: ") + std::to_string(host.messages.size());
        } catch (const ScanError& error) {
            return std::string(error.what());
        }
    });
    if (!result) GTEST_SKIP() << "no unprivileged user to run as, and as root permission bits stop nothing";
    EXPECT_EQ(*result, "Cannot list the folder " + deep.string() + ": Permission denied");
    EXPECT_EQ(contentsOf(p), before);
}

TEST(HostileTree, NamesWithBytesBeyondAsciiAndLineEndsAreFoundAndModdedLikeAnyOther) {
    TempDir plainDir;
    TempDir oddDir;
    const fs::path oddRoot = oddDir.path() / "pkg \xE9\xFF\nsecond line";
    std::error_code ec;
    if (!fs::create_directory(oddRoot, ec) || ec) GTEST_SKIP() << "this file system refuses line ends in names";

    const SamplePackage plain = writeSamplePackage(plainDir.path());
    // The same files below folders and under INF names full of odd bytes.
    SamplePackage odd;
    const fs::path driver = oddRoot / "Dr\niver\xC3\xA9\x01";
    fs::create_directories(driver / "INF \x7F\xFE");
    odd.installIni = driver / "install.ini";
    odd.setup = driver / "setup.exe";
    odd.c2Inf = driver / "INF \x7F\xFE" / "C2\n\xE9\xFF x.INF";
    odd.cxInf = driver / "INF \x7F\xFE" / "CX\r\n\x80.inf";
    writeBytes(odd.installIni, readBytes(plain.installIni));
    writeBytes(odd.setup, readBytes(plain.setup));
    writeBytes(odd.c2Inf, readBytes(plain.c2Inf));
    writeBytes(odd.cxInf, readBytes(plain.cxInf));

    DiskRun run;
    RecordingHost oddHost(oddRoot.string());
    EXPECT_EQ(run(oddHost), RunOutcome::Modded);
    EXPECT_EQ(oddHost.slotText(FoundSlot::Label2), odd.installIni.string());
    EXPECT_EQ(oddHost.slotText(FoundSlot::Label3), odd.c2Inf.string());
    EXPECT_EQ(oddHost.slotText(FoundSlot::Label4), odd.cxInf.string());
    EXPECT_EQ(oddHost.messages.back(), "You can always start the setup from --> " + odd.setup.string());

    RecordingHost plainHost(plainDir.str());
    EXPECT_EQ(run(plainHost), RunOutcome::Modded);
    EXPECT_EQ(contentsOf(odd), contentsOf(plain));
}

TEST(HostileTree, TenThousandEntriesInOneFolder) {
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path());
    const fs::path crowded = p.installIni.parent_path();
    const int pairs = stressCount(5000, 500);  // a file and a folder each
    for (int i = 0; i < pairs; ++i) {
        writeBytes(crowded / ("file" + std::to_string(i) + ".dat"), "");
        fs::create_directory(crowded / ("folder" + std::to_string(i)));
    }
    // Counts the folders the walk opens for their files.
    class CountingAccessor : public FileSystemAccessor {
    public:
        std::vector<ScannedFile> listFiles(const std::string& folder) override {
            ++opened;
            return FileSystemAccessor::listFiles(folder);
        }
        int opened = 0;
    };
    CountingAccessor fso;
    const auto seen = scanned(fso, dir.str());
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(pairs) + 4);
    EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), seen.size());
    EXPECT_EQ(fso.opened, pairs + 3);  // the top, Driver, its crowd of folders and 2KXP_INF

    DiskRun run;
    RecordingHost host(dir.str());
    EXPECT_EQ(run(host), RunOutcome::Modded);
    EXPECT_EQ(host.slotText(FoundSlot::Label4), p.cxInf.string());
}

TEST(HostileTree, TwoHundredLevelsOnDiskAndAHundredThousandInMemory) {
    // Far deeper than a recursive walk's call stack would survive.
    MemoryTree tree;
    std::string folder = "/r";
    std::vector<std::string> expected;
    for (int i = 0; i < 100000; ++i) {
        tree.addFile(folder, "x.dat");
        expected.push_back(FileSystemAccessor::joinPath(folder, "x.dat"));
        folder = tree.addFolder(folder);
    }
    EXPECT_EQ(scanned(tree, "/r"), expected);

    TempDir dir;
    if (!canListLongPaths(dir.path())) {
        GTEST_SKIP() << "this system cannot list folders whose paths exceed MAX_PATH";
    }
    const SamplePackage p = writeSamplePackage(dir.path());
    fs::path bottom = dir.path();
    for (int i = 0; i < 200; ++i) bottom /= "d";
    fs::create_directories(bottom);
    // The last C2 INF of the walk is the one at the bottom.
    writeBytes(bottom / "C2_deep.INF", readBytes(p.c2Inf));
    DiskRun run;
    RecordingHost host(dir.str());
    EXPECT_EQ(run(host), RunOutcome::Modded);
    EXPECT_EQ(host.slotText(FoundSlot::Label3), (bottom / "C2_deep.INF").string());
    EXPECT_EQ(readBytes(bottom / "C2_deep.INF"), testData("expected/C2_59642.INF"));
    EXPECT_EQ(readBytes(p.c2Inf), testData("sample-package/C2_59642.INF"));
}

TEST(HostileTree, VisitsComeInTheOrderOfTheRecursiveWalk) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        MemoryTree tree;
        std::vector<std::string> folders = {"/r"};
        const int count = static_cast<int>(random() % 80);
        for (int i = 0; i < count; ++i) {
            // Attach to a recent folder most of the time, so that some branches grow deep.
            const std::size_t pick = random() % 3 == 0 ? random() % folders.size() : folders.size() - 1 - random() % std::min<std::size_t>(folders.size(), 3);
            folders.push_back(tree.addFolder(folders[pick]));
        }
        for (const std::string& f : folders) {
            for (unsigned n = random() % 4; n > 0; --n) tree.addFile(f, (random() % 5 == 0 ? "C2_" : "f") + std::to_string(random() % 1000) + ".INF");
        }
        std::vector<std::string> expected;
        recursiveWalk(tree, "/r", expected);
        ASSERT_EQ(scanned(tree, "/r"), expected) << "seed " << seed;
    }

    // And on the disk, in the order the file system lists.
    TempDir dir;
    std::mt19937 random(7);
    std::vector<fs::path> folders = {dir.path()};
    for (int i = 0; i < 300; ++i) {
        const fs::path folder = folders[random() % folders.size()] / ("d" + std::to_string(i));
        fs::create_directory(folder);
        folders.push_back(folder);
        for (unsigned n = random() % 3; n > 0; --n) writeBytes(folder / ("f" + std::to_string(random()) + ".txt"), "x");
    }
    FileSystemAccessor fso;
    std::vector<std::string> expected;
    recursiveWalk(fso, dir.str(), expected);
    EXPECT_EQ(scanned(fso, dir.str()), expected);
}
