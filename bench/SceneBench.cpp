#include "scene/SGCylinder.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_ChipCylinderConstruction(benchmark::State& state)
{
    for (auto _ : state)
    {
        CSGCylinder chip(0.35, 0.15);
        benchmark::DoNotOptimize(chip.m_polygons.data());
    }
}
BENCHMARK(BM_ChipCylinderConstruction)->Unit(benchmark::kMicrosecond);

} // namespace
