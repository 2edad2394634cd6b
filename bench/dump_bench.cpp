// How fast the engine turns bytes into the dump text, alone and after reading a file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "dump.h"

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t n) {
  std::mt19937 generator(1234);  // NOLINT(cert-msc32-c,cert-msc51-cpp): the same bytes every run, so runs compare
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<std::uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(generator));
  return bytes;
}

void BM_DumpText(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const quorvex::ByteBuffer buffer(RandomBytes(n));
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): Benchmark's loop counts through it
    auto text = quorvex::DumpText(buffer);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(n));
}
BENCHMARK(BM_DumpText)->Arg(1)->Arg(4096)->Arg(32760)->Unit(benchmark::kMicrosecond);

// A file of its own in the temporary folder, removed afterwards.
class BenchFile {
 public:
  explicit BenchFile(const std::vector<std::uint8_t>& bytes)
      : path_(std::filesystem::temp_directory_path() /
              ("quorvex-bench-" + std::to_string(std::random_device{}()) + ".bin")) {
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  BenchFile(const BenchFile&) = delete;
  BenchFile& operator=(const BenchFile&) = delete;
  ~BenchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  const std::filesystem::path& Path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
};

void BM_ReadWholeFileAndDumpText(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const BenchFile file(RandomBytes(n));
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): Benchmark's loop counts through it
    auto text = quorvex::DumpText(quorvex::ReadWholeFile(file.Path()));
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(n));
}
BENCHMARK(BM_ReadWholeFileAndDumpText)->Arg(32760)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
