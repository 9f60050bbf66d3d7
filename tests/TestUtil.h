#pragma once
// Helpers shared by the tests: temporary folders and files, and the shared
// real corpora when they are present.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "foundation/Error.h"

namespace korvelin::test {

// A fresh folder under the system's temporary folder, removed afterwards.
class TTempDir {
 public:
  TTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvelin-test-XXXXXX").string();
    path_ = ::mkdtemp(tmpl.data());
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

  // Writes bytes to a file below the folder, creating its parent folders.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string p = *this / name;
    std::filesystem::create_directories(std::filesystem::path(p).parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }

 private:
  std::string path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The folder of a shared real corpus, or empty when the corpora are absent.
inline std::string SharedCorpus(std::string_view name) {
  const std::string p = std::string(KV_CORPORA) + "/" + std::string(name);
  return std::filesystem::is_directory(p) ? p : std::string();
}

}  // namespace korvelin::test

// Expects statement to raise EKorvelinError with exactly this message.
#define EXPECT_KV_ERROR(statement, message)                              \
  do {                                                                   \
    try {                                                                \
      statement;                                                         \
      ADD_FAILURE() << "no error raised, expected: " << (message);       \
    } catch (const ::korvelin::EKorvelinError& e_) {                     \
      EXPECT_EQ(std::string(e_.what()), std::string(message));           \
    }                                                                    \
  } while (0)
