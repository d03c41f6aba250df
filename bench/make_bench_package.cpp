// Writes the package the whole-run figures use (2,000 files, INF files grown from the maker's
// 2010 INF to a given size) into DIR/package, and its three files once more into DIR/originals,
// so that a shell command can put them back before each timed run of a mod.
//   make_bench_package DIR [INF_BYTES]     (default 600000)

#include <filesystem>
#include <iostream>
#include <string>

#include "large_package.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using namespace quillmere::testing;
    if (argc < 2) {
        std::cerr << "usage: make_bench_package DIR [INF_BYTES]\n";
        return 2;
    }
    const fs::path dir = argv[1];
    const std::size_t size = argc > 2 ? std::stoul(argv[2]) : 600000;
    const fs::path realdata = QUILLMERE_REALDATA;
    const std::string c2 = grownInf(slurp(realdata / "catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF"), size);
    const std::string cx =
        grownInf(slurp(realdata / "catalyst-10.2-xp-CX_95952_opsi/inf_testdata_1.inf"), size);
    const std::string installIni = slurp(fs::path(QUILLMERE_TEST_DATA) / "sample-package/install.ini");
    fs::remove_all(dir);
    const LargePackage p = writeLargePackage(dir / "package", installIni, c2, cx, 2000 - 4);
    const fs::path originals = dir / "originals" / "Driver" / "2KXP_INF";
    fs::create_directories(originals);
    spill(dir / "originals" / "Driver" / "install.ini", installIni);
    spill(originals / "C2_59642.INF", c2);
    spill(originals / "CX_59642.INF", cx);
    std::cout << p.root.string() << "\n";
    return 0;
}
