#pragma once
// A small command-line reader: positional arguments and --name / --name=value
// / --name value options, with clear messages for unknown or missing ones.
#include <map>
#include <set>
#include <string>
#include <vector>

namespace korvelin::cli {

class TArgs {
 public:
  // flags take no value; valued options take one.
  TArgs(const std::vector<std::string>& argv, const std::set<std::string>& flags,
        const std::set<std::string>& valued);

  const std::vector<std::string>& Positional() const { return positional_; }
  bool Has(const std::string& name) const { return values_.count(name) > 0; }
  std::string Value(const std::string& name, const std::string& fallback = "") const;
  int IntValue(const std::string& name, int fallback, int lo, int hi) const;

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string> values_;
};

// Raised for a command line that cannot be understood; main prints the usage.
struct TUsageError {
  std::string message;
};

}  // namespace korvelin::cli
