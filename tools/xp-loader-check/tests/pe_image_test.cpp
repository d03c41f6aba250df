// The PE reader on hand-built images: both header widths, ordinals, bound and delay-load
// tables, and damaged files.

#include "pe_image.h"

#include <gtest/gtest.h>

#include "pe_builder.h"

using namespace xpcheck;
using namespace xpcheck::testing;

namespace {

// "dll[ delay][ bound]: f1 f2 #17" per DLL: what a failing comparison should show.
std::vector<std::string> summary(const PeImage& image) {
    std::vector<std::string> lines;
    for (const ImportedDll& dll : image.imports) {
        std::string line = dll.name + (dll.delayLoaded ? " delay" : "") + (dll.bound ? " bound" : "") + ":";
        for (const ImportedFunction& f : dll.functions) {
            line += " " + (f.ordinal ? "#" + std::to_string(*f.ordinal) : f.name);
        }
        lines.push_back(line);
    }
    return lines;
}

FakeImage everyForm(bool pe32Plus) {
    FakeImage fake;
    fake.pe32Plus = pe32Plus;
    fake.subsystemMajor = 5;
    fake.subsystemMinor = 1;
    fake.imports = {
        {.dll = "KERNEL32.dll", .functions = {"GetTickCount", "#17", "ExitProcess"}},
        {.dll = "USER32.dll", .functions = {"MessageBoxA"}, .bound = true},
        {.dll = "old.dll", .functions = {"Old"}, .withoutNameTable = true},
        {.dll = "shlwapi.dll", .functions = {"PathIsRootA", "#3"}, .delayLoaded = true},
        {.dll = "dwmapi.dll", .functions = {"DwmFlush"}, .delayLoaded = true, .delayAsAddresses = true},
    };
    return fake;
}

}  // namespace

TEST(PeReader, ReadsEveryImportFormInBothHeaderWidths) {
    const std::vector<std::string> expected = {
        "KERNEL32.dll: GetTickCount #17 ExitProcess", "USER32.dll bound: MessageBoxA", "old.dll: Old",
        "shlwapi.dll delay: PathIsRootA #3",          "dwmapi.dll delay: DwmFlush",
    };
    for (const bool pe32Plus : {false, true}) {
        SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
        const PeImage image = readPeImage(buildImage(everyForm(pe32Plus)));
        EXPECT_EQ(image.pe32Plus, pe32Plus);
        EXPECT_EQ(image.machine, pe32Plus ? kMachineAmd64 : kMachineI386);
        EXPECT_EQ(image.subsystem, 3);
        EXPECT_EQ(image.subsystemMajor, 5);
        EXPECT_EQ(image.subsystemMinor, 1);
        EXPECT_EQ(image.osMajor, 4);
        EXPECT_EQ(summary(image), expected);
    }
}

TEST(PeReader, ABoundImportWithoutNameTableCannotBeRead) {
    FakeImage fake;
    fake.imports = {
        {.dll = "USER32.dll", .functions = {"MessageBoxA"}, .bound = true, .withoutNameTable = true}};
    EXPECT_THROW(readPeImage(buildImage(fake)), PeError);
}

TEST(PeReader, EveryTruncationIsAnErrorNotAGuess) {
    for (const bool pe32Plus : {false, true}) {
        const std::vector<std::uint8_t> image = buildImage(everyForm(pe32Plus));
        for (std::size_t size = 0; size < image.size(); ++size) {
            EXPECT_THROW(readPeImage(std::span(image.data(), size)), PeError)
                << size << " of " << image.size();
        }
    }
}

TEST(PeReader, PointersOutOfTheFileAreErrors) {
    const std::vector<std::uint8_t> good = buildImage(everyForm(true));
    const std::size_t importDirectory = 0x44 + 20 + 112 + 8;
    const auto damaged = [&](std::size_t offset, std::uint32_t value) {
        std::vector<std::uint8_t> bytes = good;
        put32(bytes, offset, value);
        return bytes;
    };
    EXPECT_THROW(readPeImage(damaged(0x3c, 0x7fffffff)), PeError) << "PE header beyond the end";
    EXPECT_THROW(readPeImage(damaged(importDirectory, 0x9000)), PeError) << "import directory in no section";
    // The first descriptor's DLL name and name table, pointed past the section's data.
    EXPECT_THROW(readPeImage(damaged(kFakeSectionOffset + 12, 0x1000 + 0x8000)), PeError);
    EXPECT_THROW(readPeImage(damaged(kFakeSectionOffset, 0x1000 + static_cast<std::uint32_t>(good.size()))),
                 PeError);
    // The section's size, grown past the end of the file.
    EXPECT_THROW(readPeImage(damaged(0x44 + 20 + 240 + 16, 0x100000)), PeError);
    EXPECT_THROW(readPeImage(damaged(0, 0x905a4c)), PeError) << "no MZ";
}

TEST(PeReader, NoSingleDamagedByteMakesItReadOutsideTheFile) {
    // Under the sanitizers this shows every read is bounded; elsewhere it shows no crash.
    const std::vector<std::uint8_t> good = buildImage(everyForm(false));
    int errors = 0;
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (const std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xff}, std::uint8_t{0x80}}) {
            std::vector<std::uint8_t> bytes = good;
            bytes[at] = value;
            try {
                readPeImage(bytes);
            } catch (const PeError&) {
                ++errors;
            }
        }
    }
    EXPECT_GT(errors, 0);
}

TEST(PeReader, AFileThatIsMissingIsAnErrorNamingIt) {
    try {
        readPeFile("no/such/file.exe");
        FAIL() << "no error";
    } catch (const PeError& error) {
        EXPECT_NE(std::string(error.what()).find("no/such/file.exe"), std::string::npos) << error.what();
    }
}
