// What a run must never do to a user's files: write through a link to outside the chosen folder,
// start a program that merely carries the placeholder's name, leave copies of its own behind, or
// take a file it cannot read or decode for an empty one.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#ifndef _WIN32
#include <thread>  // the Windows builds' thread model has no std::thread
#endif

#include "modding_run.h"
#include "ordinary_user.h"
#include "package_fixture.h"
#include "recording_host.h"
#include "side_files.h"
#include "system_abilities.h"
#include "temp_dir.h"

using namespace std::string_literals;
using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

struct DiskRun {
    TempDir profileDir;
    ProfileEditor editor{profileDir.path()};
    std::vector<std::string> started;

    RunOutcome operator()(RecordingHost& host) {
        RunEnvironment env;
        env.editor = &editor;
        env.startProgram = [this](const std::string& path) { started.push_back(path); };
        return runModding(host, env);
    }
};

std::map<std::string, std::string> filesBelow(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string key = entry.path().lexically_relative(root).string();
        files[key] = entry.is_symlink()     ? "link to " + fs::read_symlink(entry.path()).string()
                     : entry.is_directory() ? "folder"
                                            : readBytes(entry.path());
    }
    return files;
}

std::string cannotRead(const fs::path& file, const std::string& reason) {
    return "Cannot read " + file.string() + " (" + reason + "). Nothing was changed.";
}

}  // namespace

TEST(RunSafety, AFileThatLeadsOutsideTheChosenFolderIsRefusedAndALinkInsideIsModded) {
    TempDir outside;
    const fs::path users = outside.write("my-own.ini", testData("sample-package/install.ini"));
    const fs::path usersInf = outside.write("my-own.inf", testData("sample-package/CX_59642.INF"));
    if (!canCreateSymlinks(outside.path())) GTEST_SKIP() << "this system makes no symbolic links";

    // install.ini, and in a second package the CX INF, are links to the user's own files.
    for (const bool cx : {false, true}) {
        TempDir dir;
        const SamplePackage p = writeSamplePackage(dir.path());
        const fs::path link = cx ? p.cxInf : p.installIni;
        fs::remove(link);
        fs::create_symlink(cx ? usersInf : users, link);
        const auto before = filesBelow(dir.path());
        const auto outsideBefore = filesBelow(outside.path());
        DiskRun run;
        RecordingHost host(dir.str());
        EXPECT_EQ(run(host), RunOutcome::Refused);
        EXPECT_EQ(host.messages,
                  std::vector<std::string>{"Cannot write to " + link.string() +
                                           " (it leads outside the chosen folder). Nothing was changed."});
        EXPECT_EQ(filesBelow(dir.path()), before);
        EXPECT_EQ(filesBelow(outside.path()), outsideBefore);
    }

    // The chosen folder may itself be a link: what counts is where the files really are.
    TempDir real, links;
    const SamplePackage p = writeSamplePackage(real.path() / "pkg");
    fs::create_directory_symlink(real.path() / "pkg", links.path() / "ati");
    DiskRun run;
    RecordingHost host((links.path() / "ati").string());
    EXPECT_EQ(run(host), RunOutcome::Modded);
    EXPECT_EQ(readBytes(p.installIni), testData("expected/install.ini"));
}

TEST(RunSafety, YesWithoutASetupProgramStartsNothingWhateverIsCalledLabel5) {
#ifdef _WIN32
    GTEST_SKIP() << "tests/windows/ holds the Windows form of this test";
#else
    TempDir tree, workDir, pathDir;
    const SamplePackage p = writeSamplePackage(tree.path());
    fs::remove(p.setup);
    // A program named after the empty slot, in the working folder and on the search path.
    const fs::path marker = workDir.path() / "label5-ran";
    for (const fs::path& folder : {workDir.path(), pathDir.path()}) {
        writeBytes(folder / "Label5", "#!/bin/sh\necho ran >" + marker.string() + "\n");
        fs::permissions(folder / "Label5", fs::perms::owner_all);
    }
    const fs::path oldCwd = fs::current_path();
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    fs::current_path(workDir.path());
    ::setenv("PATH", (pathDir.str() + ":" + oldPath).c_str(), 1);

    TempDir profileDir;
    ProfileEditor editor(profileDir.path());
    RecordingHost host(tree.str(), Answer::Yes);
    RunEnvironment env;
    env.editor = &editor;  // the real start
    std::string error = "<no error>";
    try {
        runModding(host, env);
    } catch (const StartError& e) {
        error = e.what();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // time for a wrongly started program
    fs::current_path(oldCwd);
    ::setenv("PATH", oldPath.c_str(), 1);

    EXPECT_EQ(error, "Cannot start Label5: no setup program was found");
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_EQ(readBytes(p.installIni), testData("expected/install.ini"));  // every write was made
    EXPECT_EQ(host.messages.back(), "Modding complete, thanks for using the modder!");
#endif
}

TEST(RunSafety, LeftoversOfAStoppedRunGoBeforeTheNextRunWritesEvenWhenItRefuses) {
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path());
    std::vector<fs::path> ours;
    for (const fs::path& file : {p.installIni, p.c2Inf, p.cxInf}) {
        ours.push_back(sideFileName(file, SideFile::Temporary));
        ours.push_back(sideFileName(file, SideFile::Original));
    }
    for (const fs::path& leftover : ours) writeBytes(leftover, "a copy a killed run left");
    const fs::path notOurs = p.installIni.parent_path() / ".install.ini.quillmere-7.tmp~";
    writeBytes(notOurs, "someone else's");

    DiskRun run;
    RecordingHost host(dir.str());
    ASSERT_EQ(run(host), RunOutcome::Modded);
    for (const fs::path& leftover : ours) EXPECT_FALSE(fs::exists(leftover)) << leftover.string();
    EXPECT_EQ(readBytes(notOurs), "someone else's");

    // A run killed after its last replace leaves a modded package: the next run refuses it, and
    // still takes the copies away.
    for (const fs::path& leftover : ours) writeBytes(leftover, "a copy a killed run left");
    RecordingHost again(dir.str());
    ASSERT_EQ(run(again), RunOutcome::Refused);
    EXPECT_EQ(again.messages, std::vector<std::string>{"This set is already modified"});
    for (const fs::path& leftover : ours) EXPECT_FALSE(fs::exists(leftover)) << leftover.string();
}

TEST(RunSafety, AUtf8MarkedInfIsModdedOnceAndBigEndianUtf16IsRefused) {
    const std::string mark = "\xEF\xBB\xBF";
    TempDir dir;
    const SamplePackage p = writePackage(dir.path(), mark + "[ATI.Mfg]\r\n\"Radeon\" = x\r\n[Version]\r\n",
                                         testData("sample-package/CX_59642.INF"));
    DiskRun run;
    RecordingHost host(dir.str());
    ASSERT_EQ(run(host), RunOutcome::Modded);
    const std::string c2 = readBytes(p.c2Inf);
    EXPECT_EQ(c2.substr(0, 15), mark + "[ATI.Mfg]\r\n\"");
    EXPECT_EQ(c2.find("[ATI.Mfg]", mark.size() + 1), std::string::npos);  // not appended a second time
    RecordingHost again(dir.str());
    EXPECT_EQ(run(again), RunOutcome::Refused);
    EXPECT_EQ(again.messages, std::vector<std::string>{"This set is already modified"});

    const std::string bigEndian = "\xFE\xFF\0[\0A\0T\0I\0.\0M\0f\0g\0]\0\r\0\n"s;
    for (const bool c2Case : {true, false}) {
        TempDir beDir;
        const SamplePackage q =
            c2Case ? writePackage(beDir.path(), bigEndian, testData("sample-package/CX_59642.INF"))
                   : writePackage(beDir.path(), testData("sample-package/C2_59642.INF"), bigEndian);
        const PackageFiles before = contentsOf(q);
        RecordingHost be(beDir.str());
        EXPECT_EQ(run(be), RunOutcome::Refused);
        EXPECT_EQ(be.messages, std::vector<std::string>{cannotRead(
                                   c2Case ? q.c2Inf : q.cxInf, "UTF-16 big-endian text is not supported")});
        EXPECT_EQ(contentsOf(q), before);
    }
}

TEST(RunSafety, AC2InfThatCannotBeReadIsSaidSoAndNotTakenForAnEmptyOne) {
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path());
    if (!keepsPosixPermissions(dir.path())) GTEST_SKIP() << "this file system keeps no permission bits";
    const PackageFiles before = contentsOf(p);
    openToEveryone(dir.path());
    // Writable, not readable: the probe alone would call it a file that cannot be written.
    fs::permissions(p.c2Inf, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    const auto messages = asOrdinaryUser([&] {
        DiskRun run;
        RecordingHost host(dir.str());
        std::string out = std::to_string(static_cast<int>(run(host))) + ":";
        for (const std::string& m : host.messages) out += m + "|";
        return out;
    });
    if (!messages) GTEST_SKIP() << "no unprivileged user to run as, and as root permission bits stop nothing";
    EXPECT_EQ(*messages,
              std::to_string(static_cast<int>(RunOutcome::Refused)) + ":" +
                  cannotRead(p.c2Inf, std::make_error_code(std::errc::permission_denied).message()) + "|");
    EXPECT_EQ(contentsOf(p), before);
}
