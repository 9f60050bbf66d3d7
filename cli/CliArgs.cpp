#include "CliArgs.h"

#include <charconv>

namespace korvelin::cli {

TArgs::TArgs(const std::vector<std::string>& argv, const std::set<std::string>& flags,
             const std::set<std::string>& valued) {
  bool onlyPositional = false;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (onlyPositional || a.size() < 3 || a.compare(0, 2, "--") != 0) {
      if (a == "--") {
        onlyPositional = true;
        continue;
      }
      positional_.push_back(a);
      continue;
    }
    std::string name = a.substr(2);
    std::string value;
    bool hasValue = false;
    if (const size_t eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      hasValue = true;
    }
    if (flags.count(name)) {
      if (hasValue) throw TUsageError{"option --" + name + " takes no value"};
      values_[name] = "";
    } else if (valued.count(name)) {
      if (!hasValue) {
        if (i + 1 >= argv.size()) throw TUsageError{"option --" + name + " needs a value"};
        value = argv[++i];
      }
      values_[name] = value;
    } else {
      throw TUsageError{"unknown option --" + name};
    }
  }
}

std::string TArgs::Value(const std::string& name, const std::string& fallback) const {
  auto it = values_.find(name);
  return it == values_.end() ? fallback : it->second;
}

int TArgs::IntValue(const std::string& name, int fallback, int lo, int hi) const {
  auto it = values_.find(name);
  if (it == values_.end()) return fallback;
  int v = 0;
  const auto* b = it->second.data();
  const auto* e = b + it->second.size();
  auto [p, ec] = std::from_chars(b, e, v);
  if (ec != std::errc() || p != e || v < lo || v > hi)
    throw TUsageError{"option --" + name + " needs a whole number from " + std::to_string(lo) + " to " +
                      std::to_string(hi)};
  return v;
}

}  // namespace korvelin::cli
