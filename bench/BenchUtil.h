#pragma once
// Shared by the benchmarks: building a large corpus folder from the shared
// real corpora, timing, and peak memory of a child process.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace korvelin {
class TCorpus;
}

namespace korvelin::bench {

// Every ".txt" file under folder, loaded and prepared; *bytes gets their size.
std::unique_ptr<TCorpus> LoadPrepared(const std::string& folder, int64_t* bytes = nullptr);

// The shared corpora folder (beside the repository), or "" when absent.
std::string SharedCorpora();

// Copies every ".txt" file of source into copies subfolders of target
// (part01, part02, ...) unless target already holds them; returns target.
std::string RepeatCorpus(const std::string& source, const std::string& target, int copies);

double Seconds(const std::function<void()>& work);
// Best of n runs.
double BestSeconds(int n, const std::function<void()>& work);

// Runs work in a child process; returns the child's peak resident memory in
// bytes and its wall time in *seconds.
int64_t ChildPeakBytes(const std::function<void()>& work, double* seconds);

// Runs a shell command, returning its wall time.
double ShellSeconds(const std::string& command);

}  // namespace korvelin::bench
