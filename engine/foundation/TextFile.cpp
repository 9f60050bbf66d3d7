#include "foundation/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "foundation/Error.h"

namespace korvelin {

namespace {

std::string Reason(int err) { return std::strerror(err); }

class TFd {
 public:
  explicit TFd(int fd) : fd_(fd) {}
  ~TFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw EKorvelinError("Cannot open file \"" + path + "\". " + Reason(errno));
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw EKorvelinError("Cannot read file \"" + path + "\". " + Reason(errno));
  if (S_ISDIR(st.st_mode)) throw EKorvelinError("Cannot open file \"" + path + "\". " + Reason(EISDIR));
  std::string data;
  if (st.st_size > 0) data.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  for (;;) {
    if (got == data.size()) data.resize(data.size() < 4096 ? 4096 : data.size() * 2);
    const ssize_t n = ::read(fd.get(), data.data() + got, data.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EKorvelinError("Cannot read file \"" + path + "\". " + Reason(errno));
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  data.resize(got);
  return data;
}

void WriteFileAtomic(const std::string& path, std::string_view data) {
  auto fail = [&](int err) { return EKorvelinError("Cannot write file \"" + path + "\". " + Reason(err)); };
  std::random_device rd;
  std::string tmp;
  int fdRaw = -1;
  for (int attempt = 0; attempt < 16 && fdRaw < 0; ++attempt) {
    tmp = path + ".tmp" + std::to_string(rd() % 1000000);
    fdRaw = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fdRaw < 0 && errno != EEXIST) throw fail(errno);
  }
  if (fdRaw < 0) throw fail(EEXIST);
  TFd fd(fdRaw);
  size_t put = 0;
  while (put < data.size()) {
    const ssize_t n = ::write(fd.get(), data.data() + put, data.size() - put);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::unlink(tmp.c_str());
      throw fail(err);
    }
    put += static_cast<size_t>(n);
  }
  if (::close(fd.release()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    throw fail(err);
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    throw fail(err);
  }
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string_view ExtractFileName(std::string_view path) {
  const size_t p = path.rfind('/');
  return p == std::string_view::npos ? path : path.substr(p + 1);
}

std::string_view ExtractFilePath(std::string_view path) {
  const size_t p = path.rfind('/');
  return p == std::string_view::npos ? std::string_view() : path.substr(0, p + 1);
}

}  // namespace korvelin

namespace korvelin {
std::string ProgramFolder() {
  char buf[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  return std::string(ExtractFilePath(std::string_view(buf, static_cast<size_t>(n))));
}
}  // namespace korvelin
