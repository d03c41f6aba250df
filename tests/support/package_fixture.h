#pragma once
// Builds driver-package trees in a temporary folder: the sample package of tests/data and
// single files of a chosen size.

#include <filesystem>
#include <string>
#include <string_view>

namespace quillmere::testing {

struct SamplePackage {
    std::filesystem::path root;
    std::filesystem::path installIni;
    std::filesystem::path c2Inf;
    std::filesystem::path cxInf;
    std::filesystem::path setup;
};

// The bytes of a package's three files, to compare before and after a run.
struct PackageFiles {
    std::string installIni, c2, cx;
    bool operator==(const PackageFiles&) const = default;
};

PackageFiles contentsOf(const SamplePackage& package);

// install.ini and the two INF files of tests/data/sample-package plus a 150000-byte setup.exe,
// below `root`, in the usual layout (INF files in a driver subfolder).
SamplePackage writeSamplePackage(const std::filesystem::path& root);

// The same layout with the INF texts given.
SamplePackage writePackage(const std::filesystem::path& root, std::string_view c2Text,
                           std::string_view cxText);

// `size` bytes of printable filler.
std::string filler(std::size_t size);

std::string testData(const std::filesystem::path& relative);
std::string realData(const std::filesystem::path& relative);

}  // namespace quillmere::testing
