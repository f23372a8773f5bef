// Reading a picture's EXIF data: the camera reference and the whole listing of a
// 10 MB camera JPEG (the test camera file's segments, then 10 MB of image data),
// beside a plain read of the whole file as the baseline. The reader walks only the
// segments before the image data, so both should take a small fraction of the read.

#include <benchmark/benchmark.h>

#include "bench_support.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "images/exif_listing.h"
#include "images/image_state.h"

namespace {

std::string picturePath() {
  return (std::filesystem::temp_directory_path() / "qv_exif_bench.jpg").string();
}

// The camera file with 10 MB of scan data before its end marker.
void writeCameraJpeg() {
  const auto fixture = std::filesystem::path(__FILE__).parent_path() / "../tests/data/exif/intel/input.jpg";
  std::ifstream in(fixture, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  std::string bytes = s.str();
  if (bytes.size() < 4) std::abort();
  std::string scan(10u << 20, '\0');
  std::mt19937 rng(10);
  for (char& c : scan) c = static_cast<char>(rng() % 255);   // no FF marker byte
  bytes.insert(bytes.size() - 2, scan);
  std::ofstream(picturePath(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void BM_ReadWholeFile(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream f(picturePath(), std::ios::binary);
    std::string bytes(std::filesystem::file_size(picturePath()), '\0');
    f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMicrosecond);

void BM_CameraReference(benchmark::State& state) {
  for (auto _ : state) {
    Ref_Appareil(picturePath());
    benchmark::DoNotOptimize(Ref_APN(1).data());
  }
  if (Ref_APN(1) != "Lumo\\S9") state.SkipWithError("camera reference not read");
}
BENCHMARK(BM_CameraReference)->Unit(benchmark::kMicrosecond);

void BM_Listing(benchmark::State& state) {
  std::string listing;
  for (auto _ : state) {
    listing = Liste_Exif_Fichier(picturePath());
    benchmark::DoNotOptimize(listing.data());
  }
  if (listing.empty()) state.SkipWithError("listing empty");
}
BENCHMARK(BM_Listing)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, writeCameraJpeg,
                              [] { std::filesystem::remove(picturePath()); });
}
