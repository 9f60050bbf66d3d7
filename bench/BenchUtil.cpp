#include "BenchUtil.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "corpus/Corpus.h"
#include "corpus/CorpusFiles.h"
#include "corpus/Normalizers.h"

namespace fs = std::filesystem;

namespace korvelin::bench {

std::string SharedCorpora() {
  const fs::path p = fs::path(KV_SOURCE_DIR) / ".." / "shared" / "corpora";
  return fs::is_directory(p) ? fs::canonical(p).string() : std::string();
}

std::string RepeatCorpus(const std::string& source, const std::string& target, int copies) {
  char part[32];
  for (int i = 1; i <= copies; ++i) {
    std::snprintf(part, sizeof part, "part%02d", i);
    const fs::path dir = fs::path(target) / part;
    if (fs::is_directory(dir)) continue;
    fs::create_directories(dir);
    for (const auto& e : fs::directory_iterator(source))
      if (e.is_regular_file() && e.path().extension() == ".txt") fs::copy_file(e.path(), dir / e.path().filename());
  }
  return target;
}

std::unique_ptr<TCorpus> LoadPrepared(const std::string& folder, int64_t* bytes) {
  TStrList files;
  const int64_t total = FindCorpusFiles(folder, files, true, ".txt");
  if (bytes) *bytes = total;
  auto corpus = std::make_unique<TCorpus>(files);
  PrepareCorpusLines(*corpus);
  return corpus;
}

double Seconds(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double BestSeconds(int n, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < n; ++i) {
    const double s = Seconds(work);
    if (s < best) best = s;
  }
  return best;
}

int64_t ChildPeakBytes(const std::function<void()>& work, double* seconds) {
  std::fflush(nullptr);
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    try {
      work();
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  struct rusage ru {};
  ::wait4(pid, &status, 0, &ru);
  if (seconds) *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("child failed");
  return static_cast<int64_t>(ru.ru_maxrss) * 1024;
}

double ShellSeconds(const std::string& command) {
  return Seconds([&] {
    if (std::system(command.c_str()) != 0) throw std::runtime_error("command failed: " + command);
  });
}

}  // namespace korvelin::bench
