#pragma once
// Driver packages of a chosen size for fault tests and benchmarks: INF files grown from the
// maker's real INF to a given size, and a package tree with as many other files as wanted.
// Header-only and free of GoogleTest, so that the benchmarks can use it too.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmere::testing {

inline std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void spill(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + file.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The real INF's text, then copies of its sections under numbered names ("[name.2]", ...) until
// the text reaches `size` bytes; cut at a line end, so that every line stays whole. The section
// count grows with the size, as in a real INF of that size.
inline std::string grownInf(const std::string& base, std::size_t size) {
    std::string text = base.substr(0, std::min(size, base.size()));
    if (text.size() < base.size()) return text.substr(0, text.rfind('\n') + 1);
    const std::size_t firstHeader = base.find("\n[") + 1;
    for (int copy = 2; text.size() < size; ++copy) {
        for (std::size_t pos = firstHeader; pos < base.size() && text.size() < size;) {
            const std::size_t lf = base.find('\n', pos);
            const std::size_t end = lf == std::string::npos ? base.size() : lf + 1;
            const std::string_view line(base.data() + pos, end - pos);
            const std::size_t close = line.find(']');
            if (line.front() == '[' && close != std::string_view::npos) {
                text.append(line.substr(0, close)).append("." + std::to_string(copy)).append(line.substr(close));
            } else {
                text.append(line);
            }
            pos = end;
        }
        if (text.back() != '\n') text.append("\r\n");
    }
    return text;
}

struct LargePackage {
    std::filesystem::path root, installIni, c2Inf, cxInf, setup;
};

// install.ini, setup.exe and the two INF files in the usual layout below `root`, plus
// `otherFiles` small files spread over folders of 20 (the rest of a real package: compressed
// drivers, control-panel files, documents).
inline LargePackage writeLargePackage(const std::filesystem::path& root, const std::string& installIni,
                                      const std::string& c2, const std::string& cx, std::size_t otherFiles = 0) {
    namespace fs = std::filesystem;
    LargePackage p{root, root / "Driver" / "install.ini", root / "Driver" / "2KXP_INF" / "C2_59642.INF",
                   root / "Driver" / "2KXP_INF" / "CX_59642.INF", root / "Driver" / "setup.exe"};
    fs::create_directories(p.c2Inf.parent_path());
    spill(p.installIni, installIni);
    spill(p.c2Inf, c2);
    spill(p.cxInf, cx);
    spill(p.setup, std::string(150000, 'S'));
    for (std::size_t i = 0; i < otherFiles; ++i) {
        const fs::path folder = root / ("B_" + std::to_string(i / 400)) / ("part" + std::to_string(i / 20));
        if (i % 20 == 0) fs::create_directories(folder);
        spill(folder / ("file" + std::to_string(i) + (i % 3 == 0 ? ".dl_" : ".sy_")), std::string(i % 7 * 100, 'z'));
    }
    return p;
}

}  // namespace quillmere::testing
