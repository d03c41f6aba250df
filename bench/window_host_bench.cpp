// Times a whole run driven through the main window's host (offscreen, the window on screen)
// against the same run through the command line's host, in one process, on the same package:
// what the window does per file must not dominate the run.
//   quillmere_bench_window [WORK_FOLDER] [ROUNDS]

#include <QApplication>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "bench_timing.h"
#include "console_host.h"
#include "form1.h"
#include "large_package.h"
#include "modding_run.h"

using namespace quillmere;
using namespace quillmere::bench;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

constexpr int kPackageFiles = 2000;
constexpr std::size_t kInfSize = 600'000;

// Answers every box at once, as a user who clicks OK and No would.
class AnsweringBoxes : public ui::MessageBoxes {
  public:
    void inform(QWidget*, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

double timedRun(ModdingHost& host, ProfileEditor& editor) {
    RunEnvironment env;
    env.editor = &editor;
    const auto start = Clock::now();
    if (runModding(host, env) != RunOutcome::Modded) throw std::runtime_error("the run did not mod the package");
    return secondsSince(start);
}

std::string milliseconds(double seconds) {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(1);
    text << seconds * 1000 << " ms";
    return text.str();
}

std::string times(double ratio) {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(2);
    text << ratio << "x";
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "quillmere-bench-window";
        const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
        fs::remove_all(work);
        fs::create_directories(work / "profile");
        const std::string base = slurp(fs::path(QUILLMERE_REALDATA) / "catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
        const std::string installIni = slurp(fs::path(QUILLMERE_TEST_DATA) / "sample-package/install.ini");
        const std::string inf = grownInf(base, kInfSize);
        const LargePackage p = writeLargePackage(work / "package", installIni, inf, inf, kPackageFiles - 4);
        const auto restore = [&] {
            spill(p.installIni, installIni);
            spill(p.c2Inf, inf);
            spill(p.cxInf, inf);
        };
        ProfileEditor editor(work / "profile");
        AnsweringBoxes boxes;

        std::vector<double> cliTimes, windowTimes;
        for (int r = -1; r < rounds; ++r) {  // round -1 warms the caches and is not counted
            restore();
            std::ostringstream out, err;
            std::istringstream in;
            cli::CliOptions options;
            options.folder = p.root.string();
            options.answer = cli::InstallAnswer::No;
            options.quiet = true;
            cli::ConsoleHost console(options, {out, err, in, false, false});
            const double cliSeconds = timedRun(console, editor);

            restore();
            ui::Form1Setup setup = ui::Form1Setup::forThisMachine();
            setup.boxes = &boxes;
            setup.quit = [] {};
            ui::Form1 form(setup);
            form.start();
            form.dir1()->setPath(QString::fromStdString(p.root.string()));
            QApplication::processEvents();  // the window is on screen before the clock starts
            const double windowSeconds = timedRun(form.host(), editor);
            if (r < 0) continue;
            cliTimes.push_back(cliSeconds);
            windowTimes.push_back(windowSeconds);
        }
        fs::remove_all(work);

        std::cout << "### A whole run through the window's host against the command line's (in process, median of "
                  << rounds << " rounds)\n\n"
                  << "| host | time | against the command line |\n|---|---|---|\n"
                  << "| command line (`ConsoleHost`) | " << milliseconds(median(cliTimes)) << " | 1.00x |\n"
                  << "| main window (`WindowHost`, offscreen, window shown) | " << milliseconds(median(windowTimes))
                  << " | " << times(median(windowTimes) / median(cliTimes)) << " |\n\n"
                  << "Package: " << kPackageFiles << " files, INF files of " << kInfSize / 1000
                  << " KB. Target: the window within 1.5x of the command line.\n\n";
    } catch (const std::exception& error) {
        std::cerr << "quillmere_bench_window: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
