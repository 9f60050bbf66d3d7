#include "corpus/Corpus.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>

#include "foundation/CodePage.h"
#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/Progress.h"
#include "foundation/TextFile.h"

namespace korvelin {

namespace {

// Reads a whole file into buf, reusing its storage from file to file.
void ReadInto(const std::string& path, std::string& buf) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EKorvelinError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  size_t want = 0;
  if (::fstat(fd, &st) == 0 && st.st_size > 0) want = static_cast<size_t>(st.st_size);
  buf.resize(want + 1);  // one spare byte tells a file that grew meanwhile
  size_t got = 0;
  for (;;) {
    if (got == buf.size()) buf.resize(buf.size() * 2 + 4096);
    const ssize_t n = ::read(fd, buf.data() + got, buf.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EKorvelinError("Cannot read file \"" + path + "\". " + std::strerror(errno));
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  buf.resize(got);
}

}  // namespace

bool StoreRawLine(std::string_view raw, std::string& text) {
  std::string_view line = Trim(raw);
  if (line.empty()) return false;
  if (line.find('<') == std::string_view::npos) {
    text += ' ';
    text.append(line);
    text += " \n";
    return true;
  }
  // Sentence markers go: first every "<s>", then every "</s>", with no second trim.
  std::string cleaned(line);
  if (cleaned.find("<s>") != std::string::npos) cleaned = ReplaceAll(cleaned, "<s>", "");
  if (cleaned.find("</s>") != std::string::npos) cleaned = ReplaceAll(cleaned, "</s>", "");
  if (cleaned.empty()) return false;
  text += ' ';
  text += cleaned;
  text += " \n";
  return true;
}

TCorpus::TCorpus(const TStrList& files, TProgressHook* progress) {
  if (files.TextIsBlank()) throw EKorvelinError("Corpus is empty!");
  LoadFiles(files, progress);

  // The sample is taken from a file that has lines; only when none has any
  // does the range check below fail the load.
  std::vector<int32_t> withLines;
  for (int32_t f = 0; f < FileCount(); ++f)
    if (FLines[static_cast<size_t>(f)].LineCount() > 0) withLines.push_back(f);
  std::mt19937 rng(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  auto pick = [&rng](int32_t n) {  // uniform in 0..n-2, or 0 for n <= 1
    return n <= 1 ? 0 : std::uniform_int_distribution<int32_t>(0, n - 2)(rng);
  };
  int32_t fileIndex = 0;
  int32_t lineIndex = 0;
  if (!withLines.empty()) {
    fileIndex = withLines[static_cast<size_t>(pick(static_cast<int32_t>(withLines.size())))];
    lineIndex = pick(FLines[static_cast<size_t>(fileIndex)].LineCount());
  }
  DetectFormat(fileIndex, lineIndex);
  FDittoTags = false;
  FNormalized = false;
}

TCorpus::~TCorpus() { FBaseInfo = nullptr; }

void TCorpus::LoadFiles(const TStrList& files, TProgressHook* progress) {
  TProgress prog(progress, "Loading corpus", files.Count());
  std::string buf;
  for (const auto& item : files.Items()) {
    if (IsBlank(item) || !FileExists(item)) {
      prog.Step();
      continue;
    }
    ReadInto(item, buf);
    FFiles.push_back({item, StripExtension(ExtractFileName(item))});
    FLines.emplace_back();
    TFileText& ft = FLines.back();
    // A byte 26 ends the text.
    std::string_view data(buf);
    if (const void* eof = std::memchr(data.data(), 26, data.size()))
      data = data.substr(0, static_cast<size_t>(static_cast<const char*>(eof) - data.data()));
    ft.text.reserve(data.size() + data.size() / 32 + 64);
    ft.starts.reserve(data.size() / 48 + 2);
    ft.starts.push_back(0);
    size_t i = 0;
    const size_t n = data.size();
    while (i < n) {
      // Lines end at LF, CR LF or a lone CR.
      const char* nl = static_cast<const char*>(std::memchr(data.data() + i, '\n', n - i));
      size_t end = nl ? static_cast<size_t>(nl - data.data()) : n;
      size_t next = nl ? end + 1 : n;
      if (const void* cr = std::memchr(data.data() + i, '\r', end - i)) {
        const size_t c = static_cast<size_t>(static_cast<const char*>(cr) - data.data());
        if (c + 1 != end) next = c + 1;  // a lone CR
        end = c;
      }
      if (StoreRawLine(data.substr(i, end - i), ft.text)) ft.starts.push_back(ft.text.size());
      i = next;
      prog.Step();
    }
    if (ft.text.capacity() > ft.text.size() + ft.text.size() / 4 + 4096) ft.text.shrink_to_fit();
    ft.starts.shrink_to_fit();
    prog.Report();
  }
}

int32_t TCorpus::LineCount(int32_t file) const {
  CheckRange(ClassName, file, 0, FileCount() - 1);
  return FLines[static_cast<size_t>(file)].LineCount();
}

std::string_view TCorpus::GetLine(int32_t file, int32_t line) const {
  CheckRange(ClassName, file, 0, FileCount() - 1);
  const TFileText& ft = FLines[static_cast<size_t>(file)];
  CheckRange(ClassName, line, 0, ft.LineCount() - 1);
  return ft.Line(line);
}

const TFileInfo& TCorpus::GetFileInfo(int32_t file) const {
  CheckRange(ClassName, file, 0, FileCount() - 1);
  return FFiles[static_cast<size_t>(file)];
}

int64_t TCorpus::StoredBytes() const {
  int64_t total = 0;
  for (const auto& ft : FLines) total += static_cast<int64_t>(ft.text.size());
  return total;
}

void TCorpus::DetectFormat(int32_t fileIndex, int32_t lineIndex) {
  CheckRange(ClassName, fileIndex, 0, FileCount() - 1);
  const TFileText& ft = FLines[static_cast<size_t>(fileIndex)];
  CheckRange(ClassName, lineIndex, 0, ft.LineCount() - 1);

  std::string sample(Trim(ft.Line(lineIndex)));
  if (sample.size() < 500) {
    sample.clear();
    for (int32_t l = 0; l < ft.LineCount() && sample.size() < 500; ++l) sample.append(Trim(ft.Line(l)));
  }

  int high = 0;
  for (char c : sample) {
    if (static_cast<unsigned char>(c) >= 128) ++high;
    FChinese = high >= 50;
    if (FChinese) break;
  }

  int spaces = 0;
  for (size_t p = 1; p < sample.size() && spaces <= 2; ++p)
    if (sample[p] == ' ' && sample[p - 1] != ' ') ++spaces;

  if (spaces >= 3) {
    FSegmented = true;
    FTagged = false;
    int underscores = 0;
    for (char c : sample)
      if (c == '_' && ++underscores > 2) {
        FTagged = true;
        break;
      }
  } else {
    FSegmented = false;
    FTagged = false;
  }
}

void TCorpus::NormalizeLines(TLineNormalizer& normalizer, TProgressHook* progress) {
  FNormalized = false;
  int64_t totalLines = 0;
  for (const auto& ft : FLines) totalLines += ft.LineCount();
  TProgress prog(progress, "Preparing lines", totalLines);
  for (size_t f = 0; f < FLines.size(); ++f) {
    TFileText& old = FLines[f];
    TFileText fresh;
    fresh.text.reserve(old.text.size() + old.text.size() / 8 + 64);
    fresh.starts.reserve(old.starts.size());
    fresh.starts.push_back(0);
    const int32_t lines = old.LineCount();
    for (int32_t l = 0; l < lines; ++l) {
      try {
        fresh.text += ' ';
        normalizer.Normalize(old.Line(l), fresh.text);
        fresh.text += " \n";
      } catch (const std::exception& e) {
        // Keep what was rewritten, and the rest as it was.
        fresh.text.resize(fresh.starts.back());
        for (int32_t k = l; k < lines; ++k) {
          fresh.text.append(old.Line(k));
          fresh.text += '\n';
          fresh.starts.push_back(fresh.text.size());
        }
        const std::string fileName = FFiles[f].Name;
        const std::string message = CodePageToUtf8(e.what(), CodePageFor(FChinese));
        old = std::move(fresh);
        throw EKorvelinError("Non-Ansi Code: " + fileName + " (" + message + ")");
      }
      fresh.starts.push_back(fresh.text.size());
      prog.Step();
    }
    old = std::move(fresh);
    prog.Report();
  }
  FNormalized = true;
}

}  // namespace korvelin
