// The editor's single operations on INF texts of growing size: how each one's cost grows with
// the file (every operation looks up its section from the top of the text).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "inf_section_plan.h"
#include "large_package.h"
#include "profile_text.h"

using namespace quillmere;
using namespace quillmere::testing;

namespace {

std::string infOfSize(std::size_t size) {
    static const std::string base =
        slurp(std::filesystem::path(QUILLMERE_REALDATA) / "catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
    return grownInf(base, size);
}

// A section the INF does not hold: found missing only at the end of the text, then appended.
void BM_WriteMissingSection(benchmark::State& state) {
    const std::string inf = infOfSize(static_cast<std::size_t>(state.range(0)));
    const InfSection section = buildInfSections().at(5);
    for (auto _ : state) {
        std::string text = inf;
        profile::writeSection(text, section.name, section.content);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_WriteMissingSection)->Arg(150'000)->Arg(600'000)->Arg(2'400'000);

// All 41 sections and the key, as the run applies them to one INF.
void BM_AllEditsOfOneInf(benchmark::State& state) {
    const std::string inf = infOfSize(static_cast<std::size_t>(state.range(0)));
    const auto sections = buildInfSections();
    for (auto _ : state) {
        std::string text = inf;
        profile::writeKey(text, "WIN2K", "R6", "value");
        for (const InfSection& s : sections) profile::writeSection(text, s.name, s.content);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_AllEditsOfOneInf)->Arg(150'000)->Arg(600'000)->Arg(2'400'000)->Unit(benchmark::kMillisecond);

void BM_ReadSectionIntoTheRunsBuffer(benchmark::State& state) {
    const std::string inf = infOfSize(static_cast<std::size_t>(state.range(0)));
    char buffer[1024];
    for (auto _ : state) benchmark::DoNotOptimize(profile::readSection(inf, "ATI.Mfg", buffer, sizeof buffer));
}
BENCHMARK(BM_ReadSectionIntoTheRunsBuffer)->Arg(150'000)->Arg(600'000)->Arg(2'400'000);

}  // namespace
