// Start-up of the window against a bare Qt Widgets window, on the display in DISPLAY: each round
// starts the bare window and each tool given, one after the other, in turns. Measured from just before
// the spawn to the first paint the program reports (QUILLMERE_STARTUP_PROBE, see
// ui/qt/startup_probe.h), and the peak resident memory of the process (wait4). Then the time
// from the help window's link click to the web-help window's first paint, in the tool itself.
// The bare window also runs with one label (--label), a second yardstick that draws text; the
// targets stay against the bare window without it, read two ways: the ratio of the medians, and
// the median of the round-by-round ratios (the tool's start over the bare window's next to it).
// Every program gets the same environment, the caller's with DBUS_SESSION_BUS_ADDRESS=disabled:,
// so that whether a session bus runs here (and whether libdbus forks to start one where none
// does) weighs on neither side.
//   quillmere_bench_startup ROUNDS BARE_WINDOW TOOL [BASELINE_TOOL]
// Writes Markdown tables to standard output.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct ProbeRun {
    std::map<std::string, std::int64_t> markers;  // marker name -> monotonic ns
    std::int64_t spawnedNs = 0;
    double peakMb = 0;
};

// Starts `program` with QUILLMERE_STARTUP_PROBE=mode, reads its markers until it ends (killed
// after 120 s), and reaps it.
ProbeRun runProbe(const std::string& program, const std::vector<std::string>& args, const std::string& mode) {
    // Lets what the last program left behind settle first: the display server tidying up after
    // it, the browser engine's helper processes ending.
    usleep(500 * 1000);
    std::vector<std::string> env = {"QUILLMERE_STARTUP_PROBE=" + mode, "DBUS_SESSION_BUS_ADDRESS=disabled:"};
    for (char** e = environ; *e; ++e) {
        const std::string variable(*e);
        if (variable.rfind("QUILLMERE_STARTUP_PROBE=", 0) != 0 &&
            variable.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0)
            env.push_back(variable);
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ProbeRun run;
    pid_t pid = -1;
    run.spawnedNs = nowNs();
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) throw std::runtime_error("cannot start " + program);

    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (;;) {
        pollfd fd{out[0], POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        char buffer[512];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(program + " (" + mode + ") did not end normally: " + text);
    }
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        const std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        const std::size_t blank = line.find(' ');
        if (blank != std::string::npos)
            run.markers[line.substr(0, blank)] = std::stoll(line.substr(blank + 1));
        pos = end == std::string::npos ? text.size() : end + 1;
    }
    return run;
}

std::int64_t marker(const ProbeRun& run, const std::string& name, const std::string& program) {
    const auto found = run.markers.find(name);
    if (found == run.markers.end()) throw std::runtime_error(program + " printed no " + name + " marker");
    return found->second;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// The value below which a share `q` of the values lies (nearest rank).
double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    if (v.empty()) return 0.0;
    const auto rank = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(rank, v.size() - 1)];
}

// Round by round, the tool's figure over the bare window's: both started within a second of each
// other, so a machine that slows down or speeds up over the run moves both.
std::vector<double> pairedRatios(const std::vector<double>& tool, const std::vector<double>& bare) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < tool.size() && i < bare.size(); ++i) ratios.push_back(tool[i] / bare[i]);
    return ratios;
}

struct Series {
    std::string label;
    std::string program;
    std::vector<std::string> args;
    bool tool = false;  // the web help is timed too
    std::vector<double> paintMs, peakMb, webHelpMs, webHelpPeakMb;
};

void measureStart(Series& series) {
    const ProbeRun start = runProbe(series.program, series.args, "first-paint");
    series.paintMs.push_back(
        static_cast<double>(marker(start, "first-paint", series.program) - start.spawnedNs) / 1e6);
    series.peakMb.push_back(start.peakMb);
}

void measureWebHelp(Series& series) {
    if (!series.tool) return;
    const ProbeRun web = runProbe(series.program, series.args, "web-help");
    const std::int64_t clicked = marker(web, "web-help-click", series.program);
    series.webHelpMs.push_back(static_cast<double>(marker(web, "web-help-shown", series.program) - clicked) /
                               1e6);
    series.webHelpPeakMb.push_back(web.peakMb);
}

const char* verdict(bool met) {
    return met ? "met" : "**missed**";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: %s ROUNDS BARE_WINDOW TOOL [BASELINE_TOOL]\n", argv[0]);
        return 2;
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "DISPLAY is not set: start Xvfb first (scripts/bench.sh does)\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    std::vector<Series> all = {
        {"bare Qt Widgets window", argv[2], {}, false, {}, {}, {}, {}},
        {"`quillmere-mod-tool`", argv[3], {}, true, {}, {}, {}, {}},
        {"bare Qt Widgets window with one label", argv[2], {"--label"}, false, {}, {}, {}, {}}};
    if (argc == 5)
        all.push_back({"`quillmere-mod-tool` before (baseline)", argv[4], {}, true, {}, {}, {}, {}});
    try {
        // One warm-up round fills the page cache and the font cache. The order turns round each
        // round, so that neither side always follows the other. The web help's rounds come after
        // all start-up rounds: a start right after the browser engine ran would be slowed by it.
        for (void (*measure)(Series&) : {measureStart, measureWebHelp}) {
            for (int round = 0; round <= rounds; ++round) {
                std::vector<Series> scratch = all;
                std::vector<Series>& into = round == 0 ? scratch : all;
                for (std::size_t k = 0; k < into.size(); ++k) {
                    const std::size_t i = round % 2 == 0 ? k : into.size() - 1 - k;
                    measure(into[i]);
                }
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startup benchmark: %s\n", e.what());
        return 1;
    }

    const double barePaint = median(all[0].paintMs), bareMb = median(all[0].peakMb);
    std::printf("### Start-up: spawn to first paint on an Xvfb display (median of %d rounds)\n\n", rounds);
    std::printf(
        "| program | start to first paint | against the bare window | peak memory | against the bare window "
        "|\n");
    std::printf("|---|---|---|---|---|\n");
    for (const Series& s : all) {
        std::printf("| %s | %.1f ms | %.2fx | %.1f MB | %.2fx |\n", s.label.c_str(), median(s.paintMs),
                    median(s.paintMs) / barePaint, median(s.peakMb), median(s.peakMb) / bareMb);
    }
    const std::vector<double> timeRatios = pairedRatios(all[1].paintMs, all[0].paintMs);
    const std::vector<double> memoryRatios = pairedRatios(all[1].peakMb, all[0].peakMb);
    const double toolPaint = median(all[1].paintMs) / barePaint, toolMb = median(all[1].peakMb) / bareMb;
    const double pairedPaint = median(timeRatios), pairedMb = median(memoryRatios);
    std::printf(
        "\nRound by round, `quillmere-mod-tool` against the bare window started next to it: time "
        "%.2fx (median; half the rounds between %.2fx and %.2fx), memory %.2fx.\n",
        pairedPaint, quantile(timeRatios, 0.25), quantile(timeRatios, 0.75), pairedMb);
    // Both readings must be within a target: the medians' ratio and the round-by-round median.
    std::printf(
        "\nTargets for `quillmere-mod-tool`, by both the ratio of the medians and the round-by-round "
        "median: at most 1.5x the bare window's time (%s: %.2fx and %.2fx) and 1.5x its memory (%s: "
        "%.2fx and %.2fx).\n\n",
        verdict(toolPaint <= 1.5 && pairedPaint <= 1.5), toolPaint, pairedPaint,
        verdict(toolMb <= 1.5 && pairedMb <= 1.5), toolMb, pairedMb);
    std::printf(
        "Against the bare window with one label, which starts the fonts as any text does: %.2fx its time, "
        "%.2fx its memory (for comparison only).\n\n",
        median(all[1].paintMs) / median(all[2].paintMs), median(all[1].peakMb) / median(all[2].peakMb));

    std::printf(
        "### Web help: the link's click to the web-help window's first paint (median of %d rounds)\n\n",
        rounds);
    std::printf(
        "| program | click to window painted | peak memory with the web help open |\n|---|---|---|\n");
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (!all[i].tool) continue;
        std::printf("| %s | %.1f ms | %.1f MB |\n", all[i].label.c_str(), median(all[i].webHelpMs),
                    median(all[i].webHelpPeakMb));
    }
    std::printf("\n");
    return 0;
}
