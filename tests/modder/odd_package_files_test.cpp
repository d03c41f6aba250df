// Package files of unusual make: UTF-16 with its mark, LF-only lines, no final line end, 50 MB,
// NUL bytes, an install.ini that is a folder or a link, a read-only INF. Each one is either
// modded correctly (everything outside the written sections stays byte for byte) or refused with
// a clear message and nothing changed.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>

#include "inf_section_plan.h"
#include "modding_run.h"
#include "ordinary_user.h"
#include "package_fixture.h"
#include "recording_host.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

const std::string kWrongFolder =
    "This directory does not contain the correct files, please check the directory and try again";

// A run on the disk with a profile directory of its own and no installer started.
struct DiskRun {
    TempDir profileDir;
    ProfileEditor editor{profileDir.path()};

    RunOutcome operator()(RecordingHost& host) {
        RunEnvironment env;
        env.editor = &editor;
        env.startProgram = [](const std::string&) {};
        return runModding(host, env);
    }
    RunOutcome operator()(const fs::path& folder) {
        RecordingHost host(folder.string());
        return (*this)(host);
    }
};

// One piece of a profile text: the lines before the first header, or a header line and its body.
// Shown as name, size and a hash, so that a failure on a 50 MB file stays readable.
struct Piece {
    std::string name;  // empty for the lines before the first header
    std::size_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Piece& p) {
    return out << "[" << p.name << "] " << p.size << " bytes, hash " << std::hex << p.hash << std::dec;
}

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

std::string lowered(std::string s) {
    for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return s;
}

std::vector<Piece> piecesOf(const std::string& text) {
    std::vector<Piece> pieces;
    std::string name;
    std::size_t begin = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
        const std::string_view line(text.data() + pos, end - pos);
        const std::size_t first = line.find_first_not_of(" \t");
        const std::size_t close = line.find(']');
        if (first != std::string_view::npos && line[first] == '[' && close != std::string_view::npos && close > first) {
            if (pos > begin) pieces.push_back({name, pos - begin, fnv1a(std::string_view(text).substr(begin, pos - begin))});
            name = std::string(line.substr(first + 1, close - first - 1));
            begin = pos;
        }
        pos = end;
    }
    if (text.size() > begin) pieces.push_back({name, text.size() - begin, fnv1a(std::string_view(text).substr(begin))});
    return pieces;
}

// The pieces that the run does not write: neither one of the 41 sections nor [WIN2K], [WINXP].
std::vector<Piece> untouchedPieces(const std::string& text) {
    std::set<std::string> written = {"win2k", "winxp"};
    for (const InfSection& s : buildInfSections()) written.insert(lowered(s.name));
    std::vector<Piece> out;
    for (const Piece& p : piecesOf(text)) {
        if (!written.count(lowered(p.name))) out.push_back(p);
    }
    return out;
}

// The run appends sections to both INF files, which first ends an unended last line.
std::string ended(const std::string& text) { return !text.empty() && text.back() != '\n' ? text + "\r\n" : text; }

std::string utf16WithMark(const std::string& eightBit) {
    std::string out = "\xFF\xFE";
    for (const char c : eightBit) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

// Everything below a folder: files with their bytes, links with their targets, folders.
std::map<std::string, std::string> treeOf(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string key = entry.path().lexically_relative(root).string();
        if (entry.is_symlink()) {
            tree[key] = "link to " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            tree[key] = "folder";
        } else {
            tree[key] = readBytes(entry.path());
        }
    }
    return tree;
}

}  // namespace

TEST(OddPackageFiles, Utf16InfsWithTheirMarkAreModdedAsUtf16) {
    const std::string c2 = realData("wdk6001-r200sample-inf/x86/r200.inf");
    const std::string cx = realData("catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
    TempDir eightBitDir, utf16Dir;
    const SamplePackage eightBit = writePackage(eightBitDir.path(), c2, cx);
    const SamplePackage utf16 = writePackage(utf16Dir.path(), utf16WithMark(c2), utf16WithMark(cx));

    DiskRun run;
    ASSERT_EQ(run(eightBitDir.path()), RunOutcome::Modded);
    ASSERT_EQ(run(utf16Dir.path()), RunOutcome::Modded);
    // The very same edits, each character a UTF-16 unit.
    EXPECT_EQ(readBytes(utf16.c2Inf), utf16WithMark(readBytes(eightBit.c2Inf)));
    EXPECT_EQ(readBytes(utf16.cxInf), utf16WithMark(readBytes(eightBit.cxInf)));
    EXPECT_EQ(readBytes(utf16.installIni), readBytes(eightBit.installIni));

    // The check reads the UTF-16 file as well.
    const PackageFiles modded = contentsOf(utf16);
    RecordingHost again(utf16Dir.str());
    EXPECT_EQ(run(again), RunOutcome::Refused);
    EXPECT_EQ(again.messages, std::vector<std::string>{"This set is already modified"});
    EXPECT_EQ(contentsOf(utf16), modded);
}

TEST(OddPackageFiles, LfOnlyInfsKeepEveryUntouchedLineAsItWas) {
    const std::string c2 = realData("catalyst-10.2-xp-CX_95952_opsi/CX_95952.embedded-in-opsi-File.py.INF.lf");
    const std::string cx = realData("catalyst-10.2-xp-CX_95952_opsi/inf_testdata_1.inf");
    ASSERT_EQ(c2.find('\r'), std::string::npos);
    TempDir dir;
    const SamplePackage p = writePackage(dir.path(), c2, cx);
    DiskRun run;
    ASSERT_EQ(run(dir.path()), RunOutcome::Modded);
    EXPECT_EQ(untouchedPieces(readBytes(p.c2Inf)), untouchedPieces(ended(c2)));
    EXPECT_EQ(untouchedPieces(readBytes(p.cxInf)), untouchedPieces(ended(cx)));  // this one has no final line end
    EXPECT_EQ(run(dir.path()), RunOutcome::Refused);
}

TEST(OddPackageFiles, InfWithoutFinalLineEndGetsItBeforeTheAppendedSections) {
    std::string c2 = realData("wdk6001-r200sample-inf/x86/r200.inf");
    while (!c2.empty() && (c2.back() == '\n' || c2.back() == '\r')) c2.pop_back();
    ASSERT_EQ(c2.back(), ' ');  // the file's last line is all blanks
    TempDir dir;
    const SamplePackage p = writePackage(dir.path(), c2, c2);
    DiskRun run;
    ASSERT_EQ(run(dir.path()), RunOutcome::Modded);

    const std::string after = readBytes(p.c2Inf);
    std::vector<Piece> expected = untouchedPieces(c2);
    const std::string lastPiece = c2.substr(c2.rfind("[Strings]"));
    expected.back() = {"Strings", lastPiece.size() + 2, fnv1a(lastPiece + "\r\n")};
    EXPECT_EQ(untouchedPieces(after), expected);
    // The first appended section starts on a line of its own.
    EXPECT_EQ(after.substr(after.find(lastPiece) + lastPiece.size(), 9), "\r\n[WIN2K]");
}

TEST(OddPackageFiles, FiftyMegabyteInfIsModdedLikeItsSmallSelf) {
    const std::string base = realData("catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
    // 50 MB of a section nobody writes, right after [Version].
    std::string filler = "[Quillmere.Filler]\r\n";
    const std::string line = "HKR,, FillerValue,%REG_SZ%,\"" + std::string(960, 'x') + "\"\r\n";
    while (filler.size() < 50u * 1024 * 1024) filler += line;
    const std::size_t cut = base.find("[DestinationDirs]");
    const std::string big = base.substr(0, cut) + filler + base.substr(cut);

    TempDir smallDir, bigDir;
    const SamplePackage small = writePackage(smallDir.path(), base, base);
    const SamplePackage large = writePackage(bigDir.path(), big, base);
    DiskRun run;
    ASSERT_EQ(run(smallDir.path()), RunOutcome::Modded);
    ASSERT_EQ(run(bigDir.path()), RunOutcome::Modded);

    std::vector<Piece> bigAfter = piecesOf(readBytes(large.c2Inf));
    const Piece fillerPiece{"Quillmere.Filler", filler.size(), fnv1a(filler)};
    const auto at = std::find(bigAfter.begin(), bigAfter.end(), fillerPiece);
    ASSERT_NE(at, bigAfter.end());
    bigAfter.erase(at);
    EXPECT_EQ(bigAfter, piecesOf(readBytes(small.c2Inf)));
    EXPECT_EQ(run(bigDir.path()), RunOutcome::Refused);
}

TEST(OddPackageFiles, NulBytesAnywhereStayAndDoNotConfuseTheCheck) {
    using namespace std::string_literals;
    // A NUL before the marker's quote: the check must not take this body for a modded one.
    const std::string inf = "; made\0by hand\r\n"
                            "[Version]\r\nSignature=\"$Windows NT$\"\0\0\r\n"
                            "[ATI.Mfg]\r\n\0\"Mobility\" = ati2mtag_M6\r\n"
                            "[Strings]\r\nATI=\"A\0TI\"\r\n\0\r\n"s;
    TempDir dir;
    const SamplePackage p = writePackage(dir.path(), inf, inf);
    DiskRun run;
    ASSERT_EQ(run(dir.path()), RunOutcome::Modded);
    EXPECT_EQ(untouchedPieces(readBytes(p.c2Inf)), untouchedPieces(inf));
    EXPECT_EQ(untouchedPieces(readBytes(p.cxInf)), untouchedPieces(inf));
    EXPECT_EQ(run(dir.path()), RunOutcome::Refused);
}

TEST(OddPackageFiles, InstallIniThatIsAFolderOrABrokenLinkIsNotFoundAndNothingChanges) {
    TempDir folderCase, linkCase;
    const SamplePackage a = writeSamplePackage(folderCase.path());
    fs::remove(a.installIni);
    fs::create_directory(a.installIni);
    writeBytes(a.installIni / "inside.txt", filler(3000));
    const SamplePackage b = writeSamplePackage(linkCase.path());
    fs::remove(b.installIni);
    std::error_code ec;
    fs::create_symlink(linkCase.path() / "gone" / "install.ini", b.installIni, ec);
    const bool links = !ec;

    for (const TempDir* dir : {&folderCase, &linkCase}) {
        if (dir == &linkCase && !links) continue;
        const auto before = treeOf(dir->path());
        DiskRun run;
        RecordingHost host(dir->str());
        EXPECT_EQ(run(host), RunOutcome::Refused);
        EXPECT_EQ(host.messages, std::vector<std::string>{kWrongFolder});
        EXPECT_EQ(treeOf(dir->path()), before);
        EXPECT_TRUE(fs::is_empty(run.profileDir.path()));
    }
    if (!links) GTEST_SKIP() << "this system makes no symbolic links: only the folder case ran";
}

TEST(OddPackageFiles, InstallIniThatIsALinkIsModdedThroughTheLink) {
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path());
    // Inside the package, under a name the scan does not take for an install.ini.
    const fs::path elsewhere = dir.path() / "kept" / "install-kept.ini";
    fs::create_directories(elsewhere.parent_path());
    fs::rename(p.installIni, elsewhere);
    std::error_code ec;
    fs::create_symlink(elsewhere, p.installIni, ec);
    if (ec) GTEST_SKIP() << "this system makes no symbolic links";

    DiskRun run;
    RecordingHost host(dir.str());
    ASSERT_EQ(run(host), RunOutcome::Modded);
    EXPECT_TRUE(fs::is_symlink(p.installIni));
    EXPECT_EQ(readBytes(elsewhere), testData("expected/install.ini"));
}

TEST(OddPackageFiles, AReadOnlyInfOrInfFolderIsRefusedForAnOrdinaryUser) {
    TempDir fileCase, folderCase;
    const SamplePackage a = writeSamplePackage(fileCase.path());
    const SamplePackage b = writeSamplePackage(folderCase.path());
    openToEveryone(fileCase.path());
    openToEveryone(folderCase.path());
    fs::permissions(a.c2Inf, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // The INF folder takes no new file, so no atomic replace could happen there.
    const fs::path infFolder = b.cxInf.parent_path();
    fs::permissions(infFolder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const auto beforeA = treeOf(fileCase.path());
    const auto beforeB = treeOf(folderCase.path());

    const auto messages = asOrdinaryUser([&] {
        std::string out;
        for (const TempDir* dir : {&fileCase, &folderCase}) {
            DiskRun run;
            RecordingHost host(dir->str());
            out += std::to_string(static_cast<int>(run(host))) + ":";
            for (const std::string& m : host.messages) out += m + "|";
            out += "\n";
        }
        return out;
    });
    if (!messages) GTEST_SKIP() << "no unprivileged user to run as, and as root permission bits stop nothing";
    const std::string refused = std::to_string(static_cast<int>(RunOutcome::Refused)) + ":";
    EXPECT_EQ(*messages, refused + "Cannot write to " + a.c2Inf.string() + " (Permission denied). Nothing was changed.|\n" +
                             refused + "Cannot write to " + b.c2Inf.string() + " (Permission denied). Nothing was changed.|\n");
    EXPECT_EQ(treeOf(fileCase.path()), beforeA);
    EXPECT_EQ(treeOf(folderCase.path()), beforeB);
}

TEST(OddPackageFiles, AReadOnlyInfIsModdedForRootAndStaysReadOnly) {
    if (!runningAsRoot()) GTEST_SKIP() << "only root may write a file whose write bits are off";
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path());
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(p.c2Inf, readOnly);
    DiskRun run;
    ASSERT_EQ(run(dir.path()), RunOutcome::Modded);
    EXPECT_EQ(readBytes(p.c2Inf), testData("expected/C2_59642.INF"));
    EXPECT_EQ(fs::status(p.c2Inf).permissions() & fs::perms::all, readOnly);
}
