#pragma once
// The one exception type of the engine. Its message is the text a user sees;
// front ends show what() as it is. Messages are UTF-8.
#include <stdexcept>
#include <string>

namespace korvelin {

class EKorvelinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace korvelin
