#include "text/format.h"
#include "text/line_parser.h"
#include "text/number_text.h"
#include "text/text_routines.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FormatFixed(benchmark::State& state)
{
    double value = 101.325;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantor::Format("%0.3f", {value}));
        value += 0.001;
    }
}
BENCHMARK(BM_FormatFixed);

void BM_FormatGeneral(benchmark::State& state)
{
    double value = 0.394716;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantor::Format("%0.4g", {value}));
        value *= 1.0001;
    }
}
BENCHMARK(BM_FormatGeneral);

void BM_ParseDouble(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(vantor::ParseDouble("101.325"));
}
BENCHMARK(BM_ParseDouble);

void BM_CleanNumberText(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(vantor::CleanNumberText("24.0/17.0"));
}
BENCHMARK(BM_CleanNumberText);

void BM_LineParserDesignation(benchmark::State& state)
{
    vantor::TLineParser parser;
    parser.SetDelimiters(" ");
    for (auto _ : state) {
        parser.SetText("544 720 4r 12f 7c");
        for (int i = 0; i < 5; ++i) benchmark::DoNotOptimize(parser.NextToken());
    }
}
BENCHMARK(BM_LineParserDesignation);

}  // namespace
