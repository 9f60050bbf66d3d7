#include "corpus/CorpusFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/Progress.h"
#include "foundation/TextFile.h"

namespace korvelin {

namespace {

int64_t Walk(const std::string& folder, TStrList& files, bool recurse, std::string_view ext, TProgress& prog) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(dir)) {
      if (e->d_name[0] == '.') continue;  // ".", ".." and hidden entries
      names.emplace_back(e->d_name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  int64_t total = 0;
  for (const auto& name : names) {
    const std::string path = folder + "/" + name;
    struct stat lst {};
    if (::lstat(path.c_str(), &lst) != 0) continue;
    if (S_ISDIR(lst.st_mode)) {
      if (recurse) total += Walk(path, files, recurse, ext, prog);
      continue;
    }
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || std::string_view(name).substr(dot) != ext) continue;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;  // dangling or not a file
    files.Add(path);
    total += st.st_size;
    prog.Step();
  }
  return total;
}

class TInFile {
 public:
  explicit TInFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~TInFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  TInFile(const TInFile&) = delete;
  TInFile& operator=(const TInFile&) = delete;
  bool ok() const { return fd_ >= 0; }
  // Reads up to n bytes (fewer only at the end of the file).
  size_t Read(char* buf, size_t n, const std::string& path) {
    size_t got = 0;
    while (got < n) {
      const ssize_t r = ::read(fd_, buf + got, n - got);
      if (r < 0) {
        if (errno == EINTR) continue;
        throw EKorvelinError("Cannot read file \"" + path + "\". " + std::strerror(errno));
      }
      if (r == 0) break;
      got += static_cast<size_t>(r);
    }
    return got;
  }

 private:
  int fd_;
};

}  // namespace

int64_t FindCorpusFiles(const std::string& folder, TStrList& files, bool recurse, std::string_view ext,
                        TProgressHook* progress) {
  TProgress prog(progress, "Collecting files", 0);
  return Walk(folder, files, recurse, ext, prog);
}

bool IsAnsiFile(const std::string& path) {
  if (!FileExists(path)) return true;
  TInFile f(path);
  if (!f.ok()) throw EKorvelinError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  unsigned char b[2] = {0, 0};
  f.Read(reinterpret_cast<char*>(b), 2, path);
  return !((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF) || (b[0] == 0xEF && b[1] == 0xBB));
}

bool IsTextFile(const std::string& path) {
  TInFile f(path);
  if (!f.ok()) throw EKorvelinError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  char buf[40960];
  const size_t n = f.Read(buf, sizeof buf, path);
  return std::memchr(buf, 0, n) == nullptr;
}

void CheckAnsiFiles(const TStrList& files, const std::string& reportPath, TProgressHook* progress) {
  TProgress prog(progress, "Checking files", files.Count());
  TStrList report;
  for (int i = 0; i < files.Count(); ++i) {
    prog.Step();
    const std::string path(Trim(files[i]));
    if (path.empty() || !FileExists(path)) continue;
    const std::string name(ExtractFileName(path));
    if (!IsAnsiFile(path))
      report.Add(name + " is NOT ansi text file;");
    else if (!IsTextFile(path))
      report.Add(name + " is NOT text file;");
  }
  if (report.Empty()) return;
  report.SaveToFile(reportPath);
  throw EKorvelinError(std::to_string(report.Count()) + " file(s) in Non-ANSI format, see:\n\r" + reportPath);
}

}  // namespace korvelin
