// The whole run on package trees in temporary folders: messages in order, refusals that leave
// every byte as it was, the written bytes, and the faults a run must survive.

#include "modding_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <stdexcept>

#include "device_catalogue.h"
#include "driver_path_value.h"
#include "faulty_file_store.h"
#include "inf_section_plan.h"
#include "package_fixture.h"
#include "profile_functions.h"
#include "recording_host.h"
#include "temp_dir.h"

using namespace std::string_literals;
using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kSuccessMessages = {"Modded the install.ini", "modded the C2xxxinf file",
                                                   "modded the CXxxxinf file",
                                                   "Modding complete, thanks for using the modder!"};

const std::string kWrongFolder =
    "This directory does not contain the correct files, please check the directory and try again";

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// The run with its profile directory and file store under the test's control.
struct RunFixture {
    TempDir tree;
    TempDir profileDir;
    FaultyFileStore store;
    ProfileEditor editor{profileDir.path(), store};
    std::vector<std::string> started;

    RunOutcome run(RecordingHost& host) {
        RunEnvironment env;
        env.editor = &editor;
        env.startProgram = [this](const std::string& path) { started.push_back(path); };
        return runModding(host, env);
    }
};

// What the run must produce: the package's files after the one-by-one on-disk operations,
// each of which reads and rewrites its file.
PackageFiles expectedByOnDiskSequence(const SamplePackage& original) {
    TempDir copy;
    const SamplePackage p = writePackage(copy.path(), readBytes(original.c2Inf), readBytes(original.cxInf));
    writeBytes(p.installIni, readBytes(original.installIni));
    ProfileFunctions editor(copy.path());
    const std::string r6 = buildDriverPathValue();
    editor.WritePrivateProfileStringA("WIN2K", "R6", r6, p.c2Inf.string());
    editor.WritePrivateProfileStringA("WINXP", "R6", r6, p.cxInf.string());
    editor.WritePrivateProfileStringA("WIN2K", "R6", r6, p.installIni.string());
    editor.WritePrivateProfileStringA("WINXP", "R6", r6, p.installIni.string());
    for (const fs::path& inf : {p.c2Inf, p.cxInf}) {
        for (const InfSection& s : buildInfSections())
            editor.WritePrivateProfileSectionA(s.name, s.content, inf.string());
    }
    return contentsOf(p);
}

}  // namespace

TEST(ModdingRun, ModsThePackageAndReportsEachStageInOrder) {
    RunFixture f;
    const SamplePackage p = writeSamplePackage(f.tree.path());
    fs::create_directories(f.tree.path() / "CPanel");
    writeBytes(f.tree.path() / "CPanel" / "Setup.exe",
               filler(200000));  // the control panel's, never the package's

    RecordingHost host(f.tree.str(), Answer::No);
    EXPECT_EQ(f.run(host), RunOutcome::Modded);

    std::vector<std::string> expectedMessages = kSuccessMessages;
    expectedMessages.push_back("You can always start the setup from --> " + p.setup.string());
    EXPECT_EQ(host.messages, expectedMessages);
    EXPECT_EQ(host.calls.back(), "endProgram");
    EXPECT_EQ(host.endProgramCalls, 1);
    EXPECT_EQ(host.calls.at(host.calls.size() - 3),
              "askYesNo: Do you want to install the drivers now? | Install now?");
    // Files of a folder come in listing order, before those of its subfolders.
    ASSERT_EQ(host.list1.size(), 4u);
    EXPECT_EQ(std::set<std::string>(host.list1.begin(), host.list1.begin() + 2),
              (std::set<std::string>{p.installIni.string(), p.setup.string()}));
    EXPECT_EQ(std::set<std::string>(host.list1.begin() + 2, host.list1.end()),
              (std::set<std::string>{p.c2Inf.string(), p.cxInf.string()}));
    const std::map<std::string, std::string> sizes = {{p.installIni.string(), "2577"},
                                                      {p.setup.string(), "150000"},
                                                      {p.c2Inf.string(), "1034"},
                                                      {p.cxInf.string(), "1032"}};
    for (std::size_t i = 0; i < host.list1.size(); ++i) EXPECT_EQ(host.list2.at(i), sizes.at(host.list1[i]));
    EXPECT_TRUE(f.started.empty());
    EXPECT_EQ(entriesIn(f.profileDir.path()), 0u);

    EXPECT_EQ(contentsOf(p), expectedByOnDiskSequence(writeSamplePackage(TempDir().path())));
    EXPECT_EQ(readBytes(p.installIni), testData("expected/install.ini"));
    EXPECT_EQ(readBytes(p.c2Inf), testData("expected/C2_59642.INF"));
    EXPECT_EQ(readBytes(p.cxInf), testData("expected/CX_59642.INF"));
}

TEST(ModdingRun, RealMakerFilesGetExactlyTheBytesOfTheOneByOneOperations) {
    // A 2003 display INF with [ATI.Mfg] spelled differently and a 2010 one without it.
    for (const auto& [c2, cx] :
         {std::pair{"wdk6001-r200sample-inf/x86/r200.inf", "catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF"},
          std::pair{"wdk6001-r200sample-inf/amd64/r200.inf.as-in-repo-LF",
                    "catalyst-10.2-xp-CX_95952_opsi/CX_95952.embedded-in-opsi-File.py.INF.lf"}}) {
        RunFixture f;
        const SamplePackage p = writePackage(f.tree.path(), realData(c2), realData(cx));
        const PackageFiles expected = expectedByOnDiskSequence(p);
        RecordingHost host(f.tree.str(), Answer::No);
        EXPECT_EQ(f.run(host), RunOutcome::Modded);
        EXPECT_EQ(contentsOf(p), expected) << c2;

        RecordingHost again(f.tree.str());
        EXPECT_EQ(f.run(again), RunOutcome::Refused);
        EXPECT_EQ(again.messages, std::vector<std::string>{"This set is already modified"});
        EXPECT_EQ(contentsOf(p), expected);
    }
}

TEST(ModdingRun, RefusalsLeaveEveryByteAndCreateNothing) {
    struct Case {
        const char* what;
        std::function<void(const SamplePackage&)> spoil;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"no install.ini", [](const SamplePackage& p) { fs::remove(p.installIni); }, kWrongFolder},
        {"install.ini of exactly 1000 bytes",
         [](const SamplePackage& p) { writeBytes(p.installIni, filler(1000)); }, kWrongFolder},
        {"no C2 INF", [](const SamplePackage& p) { fs::remove(p.c2Inf); }, kWrongFolder},
        {"no CX INF", [](const SamplePackage& p) { fs::rename(p.cxInf, p.cxInf.parent_path() / "CY_1.INF"); },
         kWrongFolder},
        {"already modified",
         [](const SamplePackage& p) {
             writeBytes(p.c2Inf, "[Version]\r\n[ati.MFG]\r\n  \"Mobility X\" = y\r\n");
         },
         "This set is already modified"},
    };
    for (const Case& c : cases) {
        RunFixture f;
        const SamplePackage p = writeSamplePackage(f.tree.path());
        c.spoil(p);
        std::map<fs::path, std::string> before;
        for (const auto& e : fs::recursive_directory_iterator(f.tree.path())) {
            if (e.is_regular_file()) before[e.path()] = readBytes(e.path());
        }
        RecordingHost host(f.tree.str());
        EXPECT_EQ(f.run(host), RunOutcome::Refused) << c.what;
        EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.what;
        EXPECT_EQ(host.calls.back(), "endProgram") << c.what;
        std::map<fs::path, std::string> after;
        for (const auto& e : fs::recursive_directory_iterator(f.tree.path())) {
            if (e.is_regular_file()) after[e.path()] = readBytes(e.path());
        }
        EXPECT_EQ(after, before) << c.what;
        EXPECT_EQ(entriesIn(f.profileDir.path()), 0u) << c.what;
        EXPECT_EQ(f.store.replaceCalls, 0) << c.what;
    }
}

TEST(ModdingRun, OnlyTheExactMarkerCountsAsModified) {
    for (const std::string body : {"\"MObility\" = x\r\n", "Mobility = x\r\n", ""}) {
        RunFixture f;
        const SamplePackage p = writePackage(f.tree.path(), "[ATI.Mfg]\r\n" + body, "[x]\r\n");
        RecordingHost host(f.tree.str());
        EXPECT_EQ(f.run(host), RunOutcome::Modded) << body;
        EXPECT_EQ(readBytes(p.c2Inf).substr(0, 14), "[ATI.Mfg]\r\n\"Mo");
    }
}

TEST(ModdingRun, ReadsEachPackageFileOnce) {
    // A modding run: the check of the C2 INF and the edits share one read.
    RunFixture f;
    const SamplePackage p = writeSamplePackage(f.tree.path());
    RecordingHost host(f.tree.str());
    EXPECT_EQ(f.run(host), RunOutcome::Modded);
    const std::map<std::string, int> once = {
        {p.installIni.string(), 1}, {p.c2Inf.string(), 1}, {p.cxInf.string(), 1}};
    EXPECT_EQ(f.store.reads, once);

    // A refused run reads the C2 INF alone.
    RunFixture g;
    const SamplePackage q = writeSamplePackage(g.tree.path());
    RecordingHost first(g.tree.str());
    ASSERT_EQ(g.run(first), RunOutcome::Modded);
    g.store.reads.clear();
    RecordingHost again(g.tree.str());
    EXPECT_EQ(g.run(again), RunOutcome::Refused);
    EXPECT_EQ(g.store.reads, (std::map<std::string, int>{{q.c2Inf.string(), 1}}));
}

TEST(ModdingRun, AFileThatCannotBeWrittenIsNamedBeforeAnythingChanges) {
    RunFixture f;
    const SamplePackage p = writeSamplePackage(f.tree.path());
    const PackageFiles before = contentsOf(p);
    f.store.failProbeOf.insert(p.cxInf.string());
    RecordingHost host(f.tree.str());
    EXPECT_EQ(f.run(host), RunOutcome::Refused);
    const std::string reason = std::make_error_code(std::errc::read_only_file_system).message();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Cannot write to " + p.cxInf.string() + " (" + reason +
                                                      "). Nothing was changed."});
    EXPECT_EQ(contentsOf(p), before);
    EXPECT_EQ(f.store.replaceCalls, 0);
}

TEST(ModdingRun, AReplaceThatFailsPutsBackWhatWasAlreadyReplaced) {
    // With originals held under a second name (hard links), putting them back is a rename that
    // no failing write can stop; without (FAT), each is written anew and may fail as well.
    for (const bool holds : {true, false}) {
        for (int failAt = 0; failAt < 3; ++failAt) {
            RunFixture f;
            const SamplePackage p = writeSamplePackage(f.tree.path());
            const PackageFiles before = contentsOf(p);
            f.store.failReplacesAfter = failAt;
            f.store.refuseHolds = !holds;
            RecordingHost host(f.tree.str());
            const bool restoresFail = !holds && failAt > 0;
            EXPECT_EQ(f.run(host), restoresFail ? RunOutcome::NotRestored : RunOutcome::Failed);
            const std::vector<fs::path> order = {p.installIni, p.cxInf, p.c2Inf};
            // From the failing replace on every replace fails, rewrites of originals included: the
            // message must then name what could not be put back instead of claiming that nothing changed.
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].rfind("Modding failed while writing " +
                                                 order[static_cast<std::size_t>(failAt)].string() + " (",
                                             0),
                      0u);
            EXPECT_EQ(host.messages[0].find("could not be put back") != std::string::npos, restoresFail);
            EXPECT_EQ(host.messages[0].find("Nothing was changed.") != std::string::npos, !restoresFail);
            EXPECT_EQ(host.calls.back(), "endProgram");
            if (!restoresFail) {
                EXPECT_EQ(contentsOf(p), before) << failAt;
            }
            EXPECT_EQ(std::distance(fs::directory_iterator(p.c2Inf.parent_path()), fs::directory_iterator()),
                      2)
                << "no second name or temporary file stays";
        }
    }
    // With restores allowed, every file is back as it was.
    for (const bool holds : {true, false}) {
        RunFixture f;
        const SamplePackage p = writeSamplePackage(f.tree.path());
        const PackageFiles before = contentsOf(p);
        f.store.failReplaceOf.insert(p.c2Inf.string());
        f.store.refuseHolds = !holds;
        RecordingHost host(f.tree.str());
        EXPECT_EQ(f.run(host), RunOutcome::Failed);
        const std::string reason = std::make_error_code(std::errc::no_space_on_device).message();
        EXPECT_EQ(host.messages, std::vector<std::string>{"Modding failed while writing " + p.c2Inf.string() +
                                                          " (" + reason + "). Nothing was changed."});
        EXPECT_EQ(contentsOf(p), before);
        std::vector<std::string> replaced = {p.installIni.string(), p.cxInf.string(), p.c2Inf.string()};
        // Put back newest first.
        if (!holds) replaced.insert(replaced.end(), {p.cxInf.string(), p.installIni.string()});
        EXPECT_EQ(f.store.replaced, replaced);
    }
}

TEST(ModdingRun, YesStartsTheSetupProgram) {
    RunFixture f;
    const SamplePackage p = writeSamplePackage(f.tree.path());
    RecordingHost host(f.tree.str(), Answer::Yes);
    EXPECT_EQ(f.run(host), RunOutcome::Modded);
    EXPECT_EQ(f.started, std::vector<std::string>{p.setup.string()});
    EXPECT_EQ(host.messages, kSuccessMessages);
    EXPECT_EQ(host.calls.back(), "endProgram");
}

TEST(ModdingRun, WithoutSetupProgramNoNamesThePlaceholderAndYesFails) {
    RunFixture f;
    const SamplePackage p = writeSamplePackage(f.tree.path());
    fs::remove(p.setup);
    RecordingHost no(f.tree.str(), Answer::No);
    EXPECT_EQ(f.run(no), RunOutcome::Modded);
    EXPECT_EQ(no.messages.back(), "You can always start the setup from --> Label5");

    RunFixture g;
    const SamplePackage q = writeSamplePackage(g.tree.path());
    fs::remove(q.setup);
    RecordingHost yes(g.tree.str(), Answer::Yes);
    RunEnvironment env;
    env.editor = &g.editor;  // the real start
    try {
        runModding(yes, env);
        FAIL() << "Yes without a setup program did not fail";
    } catch (const StartError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot start Label5: no setup program was found");
    }
    EXPECT_EQ(yes.messages, kSuccessMessages);

    // A setup program that is there but cannot be started is a start error too.
    RunFixture h;
    const SamplePackage r = writeSamplePackage(h.tree.path());
    RecordingHost failing(h.tree.str(), Answer::Yes);
    RunEnvironment refusing;
    refusing.editor = &h.editor;
    refusing.startProgram = [](const std::string& path) {
        throw std::system_error(std::make_error_code(std::errc::permission_denied), "Cannot start " + path);
    };
    EXPECT_THROW(runModding(failing, refusing), StartError);
    EXPECT_EQ(readBytes(r.c2Inf), testData("expected/C2_59642.INF"));
}

TEST(ModdingRun, AScanErrorEndsTheRunBeforeAnyChange) {
    class BrokenAccessor : public FileSystemAccessor {
      public:
        std::vector<std::string> listSubfolders(const std::string& folder) override {
            if (folder.find("Driver") != std::string::npos)
                throw ScanError("Cannot list the folder " + folder + ": Permission denied");
            return FileSystemAccessor::listSubfolders(folder);
        }
    };
    RunFixture f;
    const SamplePackage p = writeSamplePackage(f.tree.path());
    const PackageFiles before = contentsOf(p);
    RecordingHost host(f.tree.str());
    RunEnvironment env;
    env.editor = &f.editor;
    env.makeAccessor = [] { return std::make_unique<BrokenAccessor>(); };
    try {
        runModding(host, env);
        FAIL() << "the scan error did not reach the caller";
    } catch (const ScanError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot list the folder " + (f.tree.path() / "Driver").string() + ": Permission denied");
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(contentsOf(p), before);
    EXPECT_EQ(f.store.replaceCalls, 0);
}

TEST(ModdingRun, InAWindowAnErrorTheRunDoesNotHandleIsShownAndEndsTheProgram) {
    // A folder that cannot be listed is the run's own ScanError: the window names it and ends.
    RunFixture f;
    const SamplePackage p = writeSamplePackage(f.tree.path());
    const PackageFiles before = contentsOf(p);
    RecordingHost host((f.tree.path() / "missing").string());
    RunEnvironment env;
    env.editor = &f.editor;
    RecordingHost bare((f.tree.path() / "missing").string());
    EXPECT_THROW(runModding(bare, env), ScanError);  // what the window catches
    runModdingInWindow(host, env);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find((f.tree.path() / "missing").string()), std::string::npos)
        << host.messages[0];
    EXPECT_EQ(host.endProgramCalls, 1);
    EXPECT_EQ(contentsOf(p), before);
}
