// Building the image catalogue over large folders: 100,000 pictures in one
// folder, and the same number spread over 100 folders. Goal: under 1 s each.
// The same for the look of --print-settings into those folders, which opens
// up to its budget of files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "raster/FolderCensus.h"
#include "raster/ImageCatalogue.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFiles = 100000;

std::string folderName(int f) {
  std::string name = "f";
  name += std::to_string(f);
  return name;
}

// Generated once at start-up; removed when the program ends.
class Fixture {
 public:
  Fixture() {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("warpix-bench-" + std::to_string(rd()));
    const char* ext[] = {".jpg", ".JPG", ".jpeg", ".png", ".bmp", ".txt"};
    make(root_ / "one", 1, ext);
    make(root_ / "many", 100, ext);
  }
  ~Fixture() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::vector<std::string> one() const { return {(root_ / "one").string()}; }
  std::vector<std::string> many() const {
    std::vector<std::string> folders;
    for (int f = 0; f < 100; ++f) folders.push_back((root_ / "many" / folderName(f)).string());
    return folders;
  }

 private:
  static void make(const fs::path& base, int folders, const char* const (&ext)[6]) {
    for (int i = 0; i < kFiles; ++i) {
      const fs::path dir = folders == 1 ? base : base / folderName(i % folders);
      if (i < folders) fs::create_directories(dir);
      std::string name = "IMG_";
      name += std::to_string(i);
      name += ext[i % 6];
      std::ofstream(dir / name);
    }
  }
  fs::path root_;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_CatalogueOneFolder(benchmark::State& state) {
  const auto folders = fixture().one();
  for (auto _ : state) {
    warpix::ImageCatalogue c;
    c.build(folders);
    benchmark::DoNotOptimize(c.files().data());
    state.counters["images"] = static_cast<double>(c.files().size());
  }
}
BENCHMARK(BM_CatalogueOneFolder)->Unit(benchmark::kMillisecond);

void BM_CatalogueHundredFolders(benchmark::State& state) {
  const auto folders = fixture().many();
  for (auto _ : state) {
    warpix::ImageCatalogue c;
    c.build(folders);
    benchmark::DoNotOptimize(c.files().data());
    state.counters["images"] = static_cast<double>(c.files().size());
  }
}
BENCHMARK(BM_CatalogueHundredFolders)->Unit(benchmark::kMillisecond);

void BM_CensusOf(benchmark::State& state, const std::vector<std::string>& folders) {
  for (auto _ : state) {
    warpix::FolderCensus census;
    int looked = 0;
    for (const std::string& folder : folders) looked += census.count(folder).looked;
    state.counters["opened"] = looked;
  }
}
void BM_CensusOneFolder(benchmark::State& state) { BM_CensusOf(state, fixture().one()); }
void BM_CensusHundredFolders(benchmark::State& state) { BM_CensusOf(state, fixture().many()); }
BENCHMARK(BM_CensusOneFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CensusHundredFolders)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
