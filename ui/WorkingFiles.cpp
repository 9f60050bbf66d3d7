#include "WorkingFiles.h"

#include <unistd.h>

#include "foundation/Error.h"
#include "foundation/Helpers.h"
#include "foundation/TextFile.h"

namespace korvelin {

const char* const kDefaultPunctEN = R"(,.:;'"!?<>{}\[\]`()~@#$%^&*+=|\\/)";
// ，。？：；！·～－‘’“”【】｛｝ and the full-width digits 0 to 9.
const char* const kDefaultPunctZH =
    "\xA3\xAC\xA1\xA3\xA3\xBF\xA3\xBA\xA3\xBB\xA3\xA1\xA1\xA4\xA1\xAB\xA3\xAD\xA1\xAE\xA1\xAF\xA1\xB0\xA1\xB1"
    "\xA1\xBE\xA1\xBF\xA3\xFB\xA3\xFD\xA3\xB0\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5\xA3\xB6\xA3\xB7\xA3\xB8"
    "\xA3\xB9";

void CleanTempFiles(const std::string& programFolder) {
  const std::string tmp = programFolder + "tmp";
  if (DirectoryExists(tmp)) DeleteFolder(tmp);
  // unlink, not a recursive remove: a folder that happens to bear one of
  // these names is not ours to delete.
  for (const char* name : kWorkingFiles) ::unlink((programFolder + name).c_str());
}

TPunctuation ReadPunctuationSettings(const std::string& programFolder, TStrList& settings) {
  TPunctuation punct;
  const std::string path = programFolder + "sys/punctuations and symbols.ini";
  if (!FileExists(path)) return punct;
  try {
    settings.LoadFromFile(path);
  } catch (const EKorvelinError&) {
    return punct;
  }
  auto take = [&](const char* key, std::string& into) {
    const int i = settings.IndexOfName(key);
    if (i < 0) return;
    const std::string_view value = Trim(settings.ValueFromIndex(i));
    if (!value.empty()) into.assign(value);
  };
  take("EN", punct.EN);
  take("ZH", punct.ZH);
  return punct;
}

}  // namespace korvelin
