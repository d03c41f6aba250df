// --restore writes only into the package the user names and only as a run would: never where an
// edited list points, never through a link that leads out, never from a copy that is not a
// regular file; any name round-trips through the list. --backup never goes inside the package.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>

#include "cli_runner.h"
#include "package_fixture.h"
#include "temp_dir.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

struct Backed {
    TempDir tree, backups;
    SamplePackage p;
    fs::path dir;
    PackageFiles modded;

    explicit Backed(const std::string& folderName = "pkg") {
        p = writeSamplePackage(tree.path() / folderName);
        dir = backups.path() / "b";
        const ToolResult run = runTool({"-n", "-q", "--backup", dir.string(), p.root.string()});
        EXPECT_EQ(run.status, cli::kModded) << run.err;
        modded = contentsOf(p);
    }
    fs::path list() const { return dir / "quillmere-backup.txt"; }
};

std::string replaceFirst(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST(RestoreSafety, AListThatNamesAnotherFolderIsRefusedAndWritesNothingThere) {
    Backed b;
    // Elsewhere, a file that is what the run wrote: a list pointed at it must not restore it.
    TempDir other;
    const fs::path victim = other.write("Driver/install.ini", b.modded.installIni);
    const std::string list = readBytes(b.list());
    writeBytes(b.list(),
               replaceFirst(list, "folder " + b.p.root.string() + "\n", "folder " + other.str() + "\n"));
    const ToolResult restore = runTool({"--restore", b.dir.string(), b.p.root.string()});
    EXPECT_EQ(restore.status, cli::kRefused);
    EXPECT_NE(restore.err.find("holds a backup of " + other.str() + ", not of " + b.p.root.string()),
              std::string::npos)
        << restore.err;
    EXPECT_EQ(readBytes(victim), b.modded.installIni);
    EXPECT_EQ(contentsOf(b.p), b.modded);

    // Without FOLDER there is nothing to compare the list with: a usage error.
    EXPECT_EQ(runTool({"--restore", b.dir.string()}).status, cli::kUsage);
}

TEST(RestoreSafety, APackageFileOrFolderThatBecameALinkOutsideIsRefused) {
    for (const bool wholeFolder : {false, true}) {
        SCOPED_TRACE(wholeFolder ? "the INF folder a link" : "install.ini a link");
        Backed b;
        TempDir outside;
        std::error_code ec;
        fs::path victim;
        if (wholeFolder) {
            victim = outside.write("C2_59642.INF", b.modded.c2);
            outside.write("CX_59642.INF", b.modded.cx);
            fs::remove_all(b.p.c2Inf.parent_path());
            fs::create_directory_symlink(outside.path(), b.p.c2Inf.parent_path(), ec);
        } else {
            victim = outside.write("install.ini", b.modded.installIni);
            fs::remove(b.p.installIni);
            fs::create_symlink(victim, b.p.installIni, ec);
        }
        if (ec) GTEST_SKIP() << "cannot make links here: " << ec.message();
        const ToolResult restore = runTool({"--restore", b.dir.string(), b.p.root.string()});
        EXPECT_EQ(restore.status, cli::kRefused);
        EXPECT_NE(restore.err.find("leads outside"), std::string::npos) << restore.err;
        EXPECT_EQ(readBytes(victim), wholeFolder ? b.modded.c2 : b.modded.installIni);
    }
}

#ifndef _WIN32
TEST(RestoreSafety, ABackupCopyThatIsAPipeIsRefusedNotRead) {
    Backed b;
    const fs::path copy = b.dir / "Driver" / "install.ini";
    fs::remove(copy);
    ASSERT_EQ(::mkfifo(copy.c_str(), 0600), 0);
    auto restore = std::async(std::launch::async, [&] {
        return runTool({"--restore", b.dir.string(), b.p.root.string()});
    });
    if (restore.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
        // A reader stuck in open() is freed by a writer; then fail.
        const int fd = ::open(copy.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
        restore.wait();
        FAIL() << "the restore waited on the pipe";
    }
    const ToolResult result = restore.get();
    EXPECT_EQ(result.status, cli::kRefused);
    EXPECT_NE(result.err.find("is missing or not a regular file"), std::string::npos) << result.err;
    EXPECT_EQ(contentsOf(b.p), b.modded);
}

TEST(RestoreSafety, AFolderNameWithANewlineRoundTripsAndAnOldListStillRestores) {
    Backed odd("pkg\nwith a second line %41 %");
    const PackageFiles originals{readBytes(odd.dir / "Driver" / "install.ini"),
                                 readBytes(odd.dir / "Driver" / "2KXP_INF" / "C2_59642.INF"),
                                 readBytes(odd.dir / "Driver" / "2KXP_INF" / "CX_59642.INF")};
    const ToolResult restore = runTool({"--restore", odd.dir.string(), odd.p.root.string()});
    EXPECT_EQ(restore.status, cli::kModded) << restore.err;
    EXPECT_EQ(contentsOf(odd.p), originals);

    // A list of the first version (no escapes) as an earlier release wrote it.
    Backed old;
    writeBytes(old.list(),
               replaceFirst(readBytes(old.list()), "quillmere-mod backup 2\n", "quillmere-mod backup 1\n"));
    const ToolResult oldRestore = runTool({"--restore", old.dir.string(), old.p.root.string()});
    EXPECT_EQ(oldRestore.status, cli::kModded) << oldRestore.err;
    EXPECT_NE(contentsOf(old.p), old.modded);
}
#endif

TEST(BackupPlace, ABackupFolderInsideThePackageIsRefusedAndNothingChanges) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    for (const fs::path& inside : {p.c2Inf.parent_path() / "aa", tree.path()}) {
        const auto before = treeSnapshot(tree.path());
        const ToolResult run = runTool({"-n", "--backup", inside.string(), tree.str()});
        EXPECT_EQ(run.status, cli::kRefused);
        EXPECT_NE(run.out.find("The backup folder " + inside.string() + " lies inside " + tree.str()),
                  std::string::npos)
            << run.out;
        EXPECT_EQ(treeSnapshot(tree.path()), before);
    }
}

TEST(BackupPlace, ABackupThatCannotBeCompletedTakesBackWhatItWrote) {
    TempDir tree, backups;
    const SamplePackage p = writeSamplePackage(tree.path());
    const PackageFiles before = contentsOf(p);
    // The copy of install.ini can be written, that of the INF files cannot: a file stands where
    // their folder would go.
    backups.write("b/Driver/2KXP_INF", "in the way");
    const auto names = [&] {
        std::vector<std::string> all;
        for (const auto& entry : fs::recursive_directory_iterator(backups.path()))
            all.push_back(entry.path().string());
        std::sort(all.begin(), all.end());
        return all;
    };
    const auto backupsBefore = names();
    const ToolResult run = runTool({"-n", "--backup", (backups.path() / "b").string(), tree.str()});
    EXPECT_EQ(run.status, cli::kRefused);
    EXPECT_NE(run.out.find("Cannot write the backup "), std::string::npos) << run.out;
    EXPECT_EQ(names(), backupsBefore);
    EXPECT_EQ(contentsOf(p), before);
}
