#pragma once
#include <string>
#include <vector>

namespace korvelin::cli {

// Each command takes the arguments after its name and returns the exit status.
int CmdInfo(const std::vector<std::string>& argv);
int CmdSearch(const std::vector<std::string>& argv);
int CmdConc(const std::vector<std::string>& argv);

}  // namespace korvelin::cli
