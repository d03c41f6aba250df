// The PE reader on programs that mingw-w64 really linked: the probes built beside this test and
// the project's own .exe files, named by scripts/test-windows.sh in XP_CHECK_PE32 and
// XP_CHECK_PE32PLUS (':' between paths). binutils' objdump is the second opinion.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "pe_image.h"

using namespace xpcheck;

namespace {

struct Program {
    std::string path;
    bool pe32Plus;
};

std::vector<Program> programs() {
    std::vector<Program> all;
    for (const auto& [variable, pe32Plus] :
         {std::pair{"XP_CHECK_PE32", false}, std::pair{"XP_CHECK_PE32PLUS", true}}) {
        const char* list = std::getenv(variable);
        std::string rest = list ? list : "";
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            all.push_back({rest.substr(0, colon), pe32Plus});
            rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
        }
    }
    const std::string probes = XP_CHECK_PROBES_DIR;
    for (const char* probe : {"hello-i686.exe", "tick64-i686.exe", "subsystem52-i686.exe"}) {
        all.push_back({probes + "/" + probe, false});
    }
    for (const char* probe :
         {"hello-x86_64.exe", "posix-x86_64.exe", "bcrypt-x86_64.exe", "ordinal-x86_64.exe"}) {
        all.push_back({probes + "/" + probe, true});
    }
    return all;
}

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "dll: f1 f2 ..." per DLL of the load-time imports; ordinals as "#n".
std::vector<std::string> summary(const PeImage& image) {
    std::vector<std::string> lines;
    for (const ImportedDll& dll : image.imports) {
        if (dll.delayLoaded) continue;
        std::string line = dll.name + ":";
        for (const ImportedFunction& f : dll.functions) {
            line += " " + (f.ordinal ? "#" + std::to_string(*f.ordinal) : f.name);
        }
        lines.push_back(line);
    }
    return lines;
}

struct ObjdumpView {
    std::string format;
    std::string subsystemVersion;
    std::vector<std::string> imports;
};

// What `objdump -p` says of the same file.
ObjdumpView objdump(const std::string& path) {
    const std::string command = std::string(XP_CHECK_OBJDUMP) + " -p '" + path + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    ::pclose(pipe);

    ObjdumpView view;
    std::smatch m;
    if (std::regex_search(text, m, std::regex("file format (\\S+)"))) view.format = m[1];
    std::string major, minor;
    if (std::regex_search(text, m, std::regex("MajorSubsystemVersion\\s+(\\d+)"))) major = m[1];
    if (std::regex_search(text, m, std::regex("MinorSubsystemVersion\\s+(\\d+)"))) minor = m[1];
    view.subsystemVersion = major + "." + minor;
    const std::regex dllLine("^\\s*DLL Name: (\\S+)$");
    const std::regex named("^\\s+[0-9a-f]+\\s+\\d+\\s+(\\S+)$");
    const std::regex ordinal("^\\s+[0-9a-f]+\\s+([0-9a-f]+)\\s+<none>$");  // the ordinal in hex
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_match(line, m, dllLine)) {
            view.imports.push_back(m[1].str() + ":");
        } else if (!view.imports.empty() && std::regex_match(line, m, ordinal)) {
            view.imports.back() += " #" + std::to_string(std::stoul(m[1].str(), nullptr, 16));
        } else if (!view.imports.empty() && std::regex_match(line, m, named)) {
            view.imports.back() += " " + m[1].str();
        } else if (line.find("There is an export table") != std::string::npos ||
                   line.find("PE File Base Relocations") != std::string::npos) {
            break;
        }
    }
    return view;
}

}  // namespace

TEST(RealPrograms, TheBuildNamesItsPrograms) {
    // Only the probes without the project's programs means the script did not hand them in.
    EXPECT_GT(programs().size(), 7u)
        << "set XP_CHECK_PE32 and XP_CHECK_PE32PLUS (scripts/test-windows.sh does)";
}

TEST(RealPrograms, ReaderAgreesWithObjdump) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.path);
        const PeImage image = readPeFile(program.path);
        const ObjdumpView other = objdump(program.path);
        EXPECT_EQ(image.pe32Plus, program.pe32Plus);
        EXPECT_EQ(other.format, program.pe32Plus ? "pei-x86-64" : "pei-i386");
        EXPECT_EQ(std::to_string(image.subsystemMajor) + "." + std::to_string(image.subsystemMinor),
                  other.subsystemVersion);
        EXPECT_EQ(summary(image), other.imports);
        EXPECT_FALSE(image.imports.empty());
    }
}

TEST(RealPrograms, ATruncatedCopyIsAnErrorOrReadsTheSame) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.path);
        const std::vector<std::uint8_t> bytes = readAll(program.path);
        const std::vector<std::string> whole = summary(readPeImage(bytes));
        const std::size_t step = std::max<std::size_t>(1, bytes.size() / 997);
        for (std::size_t size = 0; size < bytes.size(); size += step) {
            try {
                EXPECT_EQ(summary(readPeImage(std::span(bytes.data(), size))), whole) << size;
            } catch (const PeError&) {
            }
        }
    }
}
