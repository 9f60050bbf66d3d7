#pragma once
// The CLI's progress hook: a one-line bar on stderr, drawn only when stderr
// is a terminal and at most ten times a second.
#include <chrono>
#include <string>

#include "foundation/Progress.h"

namespace korvelin::cli {

class TProgressBar : public TProgressHook {
 public:
  TProgressBar();
  ~TProgressBar() override;
  void Begin(std::string_view task, int64_t total) override;
  void Tick(int64_t done) override;
  void End() override;

 private:
  void Draw(int64_t done, bool force);
  bool enabled_;
  std::string task_;
  int64_t total_ = 0;
  int depth_ = 0;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace korvelin::cli
