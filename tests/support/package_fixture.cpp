#include "package_fixture.h"

#include "temp_dir.h"

namespace quillmere::testing {
namespace fs = std::filesystem;

std::string filler(std::size_t size) {
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) text.push_back(static_cast<char>('a' + i % 26));
    return text;
}

std::string testData(const fs::path& relative) {
    return readBytes(fs::path(QUILLMERE_TEST_DATA) / relative);
}

std::string realData(const fs::path& relative) {
    return readBytes(fs::path(QUILLMERE_REALDATA) / relative);
}

PackageFiles contentsOf(const SamplePackage& package) {
    return {readBytes(package.installIni), readBytes(package.c2Inf), readBytes(package.cxInf)};
}

SamplePackage writePackage(const fs::path& root, std::string_view c2Text, std::string_view cxText) {
    SamplePackage package;
    package.root = root;
    fs::create_directories(root / "Driver" / "2KXP_INF");
    package.installIni = root / "Driver" / "install.ini";
    package.setup = root / "Driver" / "setup.exe";
    package.c2Inf = root / "Driver" / "2KXP_INF" / "C2_59642.INF";
    package.cxInf = root / "Driver" / "2KXP_INF" / "CX_59642.INF";
    writeBytes(package.installIni, testData("sample-package/install.ini"));
    writeBytes(package.setup, filler(150000));
    writeBytes(package.c2Inf, c2Text);
    writeBytes(package.cxInf, cxText);
    return package;
}

SamplePackage writeSamplePackage(const fs::path& root) {
    return writePackage(root, testData("sample-package/C2_59642.INF"),
                        testData("sample-package/CX_59642.INF"));
}

}  // namespace quillmere::testing
