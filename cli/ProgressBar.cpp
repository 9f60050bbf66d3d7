#include "ProgressBar.h"

#include <unistd.h>

#include <cstdio>

namespace korvelin::cli {

TProgressBar::TProgressBar() : enabled_(::isatty(STDERR_FILENO) == 1) {}

TProgressBar::~TProgressBar() {
  if (drawn_) std::fputs("\r\033[K", stderr);
}

void TProgressBar::Begin(std::string_view task, int64_t total) {
  // Nested operations (a sort inside a search) keep the outer bar.
  if (depth_++ > 0) return;
  task_.assign(task);
  total_ = total;
  Draw(0, true);
}

void TProgressBar::Tick(int64_t done) {
  if (depth_ == 1) Draw(done, false);
}

void TProgressBar::End() {
  if (depth_ > 0 && --depth_ == 0 && drawn_) {
    std::fputs("\r\033[K", stderr);
    drawn_ = false;
  }
}

void TProgressBar::Draw(int64_t done, bool force) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && now - last_ < std::chrono::milliseconds(100)) return;
  last_ = now;
  char line[160];
  if (total_ > 0) {
    const int width = 30;
    int filled = static_cast<int>(done * width / total_);
    if (filled > width) filled = width;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(width, '.');
    std::snprintf(line, sizeof line, "\r%-20.20s [%s] %3d%%", task_.c_str(), bar.c_str(),
                  static_cast<int>(done * 100 / total_ > 100 ? 100 : done * 100 / total_));
  } else {
    std::snprintf(line, sizeof line, "\r%-20.20s %lld", task_.c_str(), static_cast<long long>(done));
  }
  std::fputs(line, stderr);
  std::fflush(stderr);
  drawn_ = true;
}

}  // namespace korvelin::cli
