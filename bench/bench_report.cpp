// Writes the benchmark report (Markdown) to standard output: the scan of 50,000 files in 5,000
// folders beside find(1) on the same tree, and whole command-line runs on a package of 2,000
// files with INF files of 150 KB, 600 KB and 2.4 MB, with their peak memory and how the time
// splits between scan, reads, in-memory work and writes. Every ratio compares figures taken in
// this one run, round by round, so that the machine's load touches both sides alike.
//   quillmere_bench_report [WORK_FOLDER] [ROUNDS]

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>

#include "bench_timing.h"
#include "large_package.h"
#include "modding_run.h"
#include "package_scanner.h"

using namespace quillmere;
using namespace quillmere::bench;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

constexpr int kTreeFolders = 5000;
constexpr int kFilesPerFolder = 10;
constexpr int kPackageFiles = 2000;

// 50 folders of 99 subfolders each (5,000 folders with the top one's 50), ten files in each.
std::size_t makeScanTree(const fs::path& root) {
    std::size_t files = 0;
    int folders = 0;
    for (int g = 0; folders < kTreeFolders; ++g) {
        const fs::path group = root / ("group" + std::to_string(g));
        fs::create_directories(group);
        ++folders;
        for (int s = 0; s < 99 && folders < kTreeFolders; ++s, ++folders) fs::create_directory(group / ("sub" + std::to_string(s)));
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) continue;
        for (int f = 0; f < kFilesPerFolder; ++f, ++files) {
            spill(entry.path() / ("file" + std::to_string(f) + ".bin"), std::string(files % 200, 'q'));
        }
    }
    return files;
}

class CountingReporter : public ScanReporter {
public:
    void showScanPath(const std::string&) override { ++files; }
    void addFoundFile(const std::string&, const std::string&) override {}
    void setSlotText(FoundSlot, const std::string&) override {}
    std::size_t files = 0;
};

// What the run needs of a window, silently.
class QuietHost : public ModdingHost {
public:
    explicit QuietHost(std::string folder) : folder_(std::move(folder)) {}
    std::string chosenFolder() override { return folder_; }
    void showScanPath(const std::string&) override {}
    void addFoundFile(const std::string&, const std::string&) override {}
    void setSlotText(FoundSlot slot, const std::string& text) override { slots_.set(slot, text); }
    std::string slotText(FoundSlot slot) override { return slots_.text(slot); }
    void showMessage(const std::string&) override {}
    Answer askYesNo(const std::string&, const std::string&) override { return Answer::No; }
    void endProgram() override {}

private:
    std::string folder_;
    FoundSlots slots_;
};

std::string ms(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000);
    return text;
}

std::string ratio(double a, double b) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2fx", a / b);
    return text;
}

std::string megabytes(long kilobytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", kilobytes / 1024.0);
    return text;
}

std::string percent(double part, double whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%%", 100 * part / whole);
    return text;
}

void reportScan(const fs::path& work, int rounds) {
    const fs::path tree = work / "tree";
    fs::remove_all(tree);
    const std::size_t files = makeScanTree(tree);

    std::vector<double> find, cli, inProcess;
    std::size_t seen = 0;
    for (int r = -1; r < rounds; ++r) {  // round -1 warms the caches and is not counted
        const ProcessRun f = runProcess({"find", tree.string(), "-type", "f", "-printf", "%s\n"});
        // The tool scans the whole tree, then refuses it (no install.ini): a scan and nothing else.
        const ProcessRun c = runProcess({QUILLMERE_CLI, "--no", "--quiet", tree.string()});
        if (f.status != 0 || c.status != 1) throw std::runtime_error("find or the tool failed on the tree");
        FileSystemAccessor fso;
        CountingReporter reporter;
        const auto start = Clock::now();
        scanPackageFolder(fso, reporter, tree.string());
        const double scanned = secondsSince(start);
        seen = reporter.files;
        if (r < 0) continue;
        find.push_back(f.seconds);
        cli.push_back(c.seconds);
        inProcess.push_back(scanned);
    }
    if (seen != files) throw std::runtime_error("the scan saw " + std::to_string(seen) + " files of " + std::to_string(files));
    fs::remove_all(tree);

    std::cout << "### Scan of " << files << " files in " << kTreeFolders << " folders (median of " << rounds << " rounds)\n\n"
              << "| | time | against find |\n|---|---|---|\n"
              << "| `find TREE -type f -printf '%s\\n'` | " << ms(median(find)) << " | 1.00x |\n"
              << "| `quillmere-mod --no --quiet TREE` (scan, then refuses) | " << ms(median(cli)) << " | "
              << ratio(median(cli), median(find)) << " |\n"
              << "| `scanPackageFolder` in process | " << ms(median(inProcess)) << " | "
              << ratio(median(inProcess), median(find)) << " |\n\n";
}

struct RunFigures {
    double wall = 0;
    long peakKb = 0;
    double scan = 0, reads = 0, writes = 0, total = 0;
};

RunFigures measureRuns(const fs::path& work, std::size_t infSize, int rounds) {
    const fs::path root = work / ("package-" + std::to_string(infSize));
    fs::remove_all(root);
    const std::string base = slurp(fs::path(QUILLMERE_REALDATA) / "catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
    const std::string lfOnly = slurp(fs::path(QUILLMERE_REALDATA) / "catalyst-10.2-xp-CX_95952_opsi/inf_testdata_1.inf");
    const std::string installIni = slurp(fs::path(QUILLMERE_TEST_DATA) / "sample-package/install.ini");
    const std::string c2 = grownInf(base, infSize), cx = grownInf(lfOnly, infSize);
    const LargePackage p = writeLargePackage(root, installIni, c2, cx, kPackageFiles - 4);
    const auto restore = [&] {
        spill(p.installIni, installIni);
        spill(p.c2Inf, c2);
        spill(p.cxInf, cx);
    };

    std::vector<double> wall, scan, reads, writes, total;
    long peakKb = 0;
    for (int r = -1; r < rounds; ++r) {
        restore();
        const ProcessRun run = runProcess({QUILLMERE_CLI, "--no", "--quiet", root.string()});
        if (run.status != 0) throw std::runtime_error("the tool did not mod the package");

        // The same run in process, with the file system's share timed.
        restore();
        double scanSeconds = 0;
        TimingStore store;
        const fs::path profileDir = work / "profile";
        fs::create_directories(profileDir);
        ProfileEditor editor(profileDir, store);
        RunEnvironment env;
        env.editor = &editor;
        env.makeAccessor = [&] { return std::make_unique<TimingAccessor>(scanSeconds); };
        QuietHost host(root.string());
        const auto start = Clock::now();
        if (runModding(host, env) != RunOutcome::Modded) throw std::runtime_error("the run did not mod the package");
        const double whole = secondsSince(start);
        if (r < 0) continue;
        wall.push_back(run.seconds);
        peakKb = std::max(peakKb, run.peakKb);
        scan.push_back(scanSeconds);
        reads.push_back(store.reads);
        writes.push_back(store.writes);
        total.push_back(whole);
    }
    fs::remove_all(root);
    return {median(wall), peakKb, median(scan), median(reads), median(writes), median(total)};
}

void reportRuns(const fs::path& work, int rounds) {
    std::cout << "### Whole runs: `quillmere-mod --no --quiet PACKAGE`, " << kPackageFiles
              << " files, 87 profile operations (median of " << rounds << " rounds)\n\n"
              << "| INF size | wall | peak memory | against 600 KB | in process: scan | reads | in-memory work | writes |\n"
              << "|---|---|---|---|---|---|---|---|\n";
    std::map<std::size_t, RunFigures> figures;
    for (const std::size_t size : {150'000u, 600'000u, 2'400'000u}) figures[size] = measureRuns(work, size, rounds);
    for (const auto& [size, f] : figures) {
        const double memory = f.total - f.scan - f.reads - f.writes;
        std::cout << "| " << size / 1000 << " KB | " << ms(f.wall) << " | " << megabytes(f.peakKb) << " | "
                  << ratio(f.wall, figures.at(600'000).wall) << " | " << ms(f.scan) << " (" << percent(f.scan, f.total)
                  << ") | " << ms(f.reads) << " (" << percent(f.reads, f.total) << ") | " << ms(memory) << " ("
                  << percent(memory, f.total) << ") | " << ms(f.writes) << " (" << percent(f.writes, f.total) << ") |\n";
    }
    std::cout << "\nTargets for 600 KB: under 150 ms wall and under 20 MB peak memory.\n\n";
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "quillmere-bench";
        const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
        fs::create_directories(work);
        reportScan(work, rounds);
        reportRuns(work, rounds);
        fs::remove_all(work);
    } catch (const std::exception& error) {
        std::cerr << "quillmere_bench_report: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
