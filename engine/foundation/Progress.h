#pragma once
// The progress hook of long loops. Loops hold a TProgress and call Step() once
// per file, line, hit or row; the hook itself is reached only every few
// thousand steps (and at every file), so a loop over a hundred million tokens
// pays one decrement and one branch per step. The window implements the hook
// by processing its events and moving the busy indicator, the CLI by drawing
// a bar on the terminal, tests by passing nothing.
#include <cstdint>
#include <string_view>

namespace korvelin {

class TProgressHook {
 public:
  virtual ~TProgressHook() = default;
  // A long operation starts; total is the number of steps when known, else 0.
  virtual void Begin(std::string_view /*task*/, int64_t /*total*/) {}
  // Called now and then while it runs; done counts the steps so far.
  virtual void Tick(int64_t done) = 0;
  // The operation has ended (normally or by an error).
  virtual void End() {}
};

class TProgress {
 public:
  static constexpr uint32_t kInterval = 4096;

  TProgress(TProgressHook* hook, std::string_view task, int64_t total) : hook_(hook) {
    if (hook_) hook_->Begin(task, total);
  }
  ~TProgress() {
    if (hook_) hook_->End();
  }
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  // One unit of work done.
  void Step() {
    ++done_;
    if (hook_ && --countdown_ == 0) Report();
  }
  // Several units at once (for example the lines of a file).
  void Advance(int64_t n) {
    done_ += n;
    if (hook_) Report();
  }
  // Reach the hook now, for example at a file boundary.
  void Report() {
    countdown_ = kInterval;
    if (hook_) hook_->Tick(done_);
  }
  int64_t Done() const { return done_; }

 private:
  TProgressHook* hook_;
  int64_t done_ = 0;
  uint32_t countdown_ = kInterval;
};

}  // namespace korvelin
