// Face generation speed per style and size, against a memset of the same
// bitmap bytes measured in the same run: these machines are shared, so the
// ratio is the figure to compare, not the absolute time.
//
// "Generate" times the style's generator alone (the per-pixel work);
// "SetShadeProps" the whole regeneration: new block, palette, tint, generator.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PaletteDib.h"
#include "Shade.h"
#include "ShadeProps.h"
#include "ShadeRows.h"

namespace {

struct Size {
  unsigned w, h;
};
const Size kSizes[] = {{75, 23}, {640, 480}, {1920, 1080}};

const char* const kStyleNames[] = {"",          "Noise",    "Diagonal",     "HorzShade",    "VertShade",
                                   "HorzBump",  "VertBump", "SoftBump",     "HardBump",     "Metal",
                                   "HorzGradient", "VertGradient", "DiagGradient"};

class BenchShade : public Shade {
 public:
  void Generate(int style) {
    switch (style) {
      case 1: CreateNoiseShade(); break;
      case 2: CreateDiagonalShade(); break;
      case 3: CreateHorzShade(); break;
      case 4: CreateVertShade(); break;
      case 5: CreateHorzBumpShade(); break;
      case 6: CreateVertBumpShade(); break;
      case 7: CreateSoftBumpShade(); break;
      case 8: CreateHardBumpShade(); break;
      case 9: CreateMetalShade(); break;
      case 10: CreateHorzGradient(); break;
      case 11: CreateVertGradient(); break;
      case 12: CreateDiagGradient(); break;
      default: break;
    }
  }
  std::size_t ImageBytes() const { return static_cast<std::size_t>(m_dib.GetStride()) * m_nHeight; }
};

ShadeProps Props(int style) {
  ShadeProps props;
  props.SetStyle(static_cast<ShadeProps::Style>(style));
  props.SetGranularity(12);
  props.SetColoring(20);
  return props;
}

// Nanoseconds of one memset over nBytes, the reference of the same run.
double MemsetNanoseconds(std::size_t nBytes) {
  std::vector<unsigned char> buffer(nBytes);
  const auto budget = std::chrono::milliseconds(20);
  std::size_t nReps = 0;
  const auto start = std::chrono::steady_clock::now();
  auto now = start;
  do {
    for (int i = 0; i < 16; ++i) {
      std::memset(buffer.data(), static_cast<int>(nReps + i), nBytes);
      benchmark::DoNotOptimize(buffer.data());
      benchmark::ClobberMemory();
    }
    nReps += 16;
    now = std::chrono::steady_clock::now();
  } while (now - start < budget);
  return std::chrono::duration<double, std::nano>(now - start).count() / static_cast<double>(nReps);
}

// Counters of a face benchmark: time per pixel, the memset reference of the
// same bytes and the ratio of the two, from the loop's own wall time.
void Report(benchmark::State& state, std::chrono::steady_clock::duration elapsed, double dPixels,
            std::size_t nBytes) {
  const double dIterations = static_cast<double>(state.iterations());
  const double dNs = std::chrono::duration<double, std::nano>(elapsed).count() / dIterations;
  const double dMemsetNs = MemsetNanoseconds(nBytes);
  state.counters["ns_per_pixel"] = dNs / dPixels;
  state.counters["memset_ns_per_pixel"] = dMemsetNs / dPixels;
  state.counters["ratio_to_memset"] = dNs / dMemsetNs;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(nBytes));
}

void BM_Generate(benchmark::State& state) {
  const int style = static_cast<int>(state.range(0));
  const Size size = kSizes[state.range(1)];
  BenchShade shade;
  shade.SetSize(size.w, size.h);
  shade.SetShadeProps(Props(style));
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    shade.Generate(style);
    benchmark::ClobberMemory();
  }
  Report(state, std::chrono::steady_clock::now() - start, static_cast<double>(size.w) * size.h, shade.ImageBytes());
}

void BM_SetShadeProps(benchmark::State& state) {
  const int style = static_cast<int>(state.range(0));
  const Size size = kSizes[state.range(1)];
  BenchShade shade;
  shade.SetSize(size.w, size.h);
  const ShadeProps props = Props(style);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    shade.SetShadeProps(props);
    benchmark::ClobberMemory();
  }
  Report(state, std::chrono::steady_clock::now() - start, static_cast<double>(size.w) * size.h, shade.ImageBytes());
}

void BM_Memset(benchmark::State& state) {
  const Size size = kSizes[state.range(0)];
  const std::size_t nBytes = static_cast<std::size_t>(PaletteDib::StrideFor(size.w)) * size.h;
  std::vector<unsigned char> buffer(nBytes);
  int n = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    std::memset(buffer.data(), ++n, nBytes);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  const double dNs = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
                     static_cast<double>(state.iterations());
  state.counters["ns_per_pixel"] = dNs / (static_cast<double>(size.w) * size.h);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(nBytes));
}

void RegisterAll() {
  for (int s = 0; s < 3; ++s) {
    const std::string size = std::to_string(kSizes[s].w) + "x" + std::to_string(kSizes[s].h);
    benchmark::RegisterBenchmark(("Memset/" + size).c_str(), BM_Memset)->Arg(s);
    for (int style = 1; style <= 12; ++style) {
      benchmark::RegisterBenchmark((std::string("Generate/") + kStyleNames[style] + "/" + size).c_str(), BM_Generate)
          ->Args({style, s});
    }
    for (int style = 1; style <= 12; ++style) {
      benchmark::RegisterBenchmark((std::string("SetShadeProps/") + kStyleNames[style] + "/" + size).c_str(),
                                   BM_SetShadeProps)
          ->Args({style, s});
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // --unit=sse2|avx2 runs the generators on that vector unit instead of the
  // one the library chooses.
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--unit=", 0) != 0) continue;
    const std::string unit = arg.substr(7);
    const auto e = unit == "sse2" ? qor::shade::VectorUnit::Sse2 : qor::shade::VectorUnit::Avx2;
    if (!qor::shade::SelectVectorUnit(e)) {
      std::fprintf(stderr, "this processor has no %s\n", unit.c_str());
      return 1;
    }
    for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
    --argc;
    break;
  }
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
