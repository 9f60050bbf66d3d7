#pragma once
// What the window tests share: a program folder of their own, a desktop that
// answers the dialogs and keeps the messages, and small ways of driving the
// real controls as a user would.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Desktop.h"
#include "MainWindow.h"
#include "TestUtil.h"

namespace korvelin::test {

// A temporary program folder holding a copy of the built sys/ folder.
class TProgramFolder {
 public:
  explicit TProgramFolder(const std::string& below = {}) {
    path_ = dir_.path() + "/" + (below.empty() ? std::string("bin") : below) + "/";
    std::filesystem::create_directories(path_);
    std::filesystem::copy(std::string(KV_PROGRAM_DIR) + "/sys", path_ + "sys",
                          std::filesystem::copy_options::recursive);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }
  bool Has(const std::string& name) const { return std::filesystem::exists(path_ + name); }

 private:
  TTempDir dir_;
  std::string path_;
};

// Answers the dialogs from queues (an empty queue or a null string answers
// "cancel", an empty answer queue "no") and keeps what the window showed,
// with whether the window was enabled at that moment.
class TFakeDesktop : public TDesktop {
 public:
  std::deque<QString> Folders;
  std::deque<QString> Files;
  std::deque<QString> SaveNames;
  std::deque<bool> Answers;
  QStringList Messages;
  QStringList Errors;
  QStringList Questions;
  std::vector<bool> EnabledAtMessage;
  std::vector<QUrl> Opened;
  QStringList Revealed;

  std::optional<QString> SelectFolder(QWidget*, const QString&) override { return Next(Folders); }
  std::optional<QString> OpenFileName(QWidget*, const QString&, const QString&) override { return Next(Files); }
  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override { return Next(SaveNames); }
  bool Confirm(QWidget*, const QString&, const QString& text) override {
    Questions << text;
    if (Answers.empty()) return false;
    const bool yes = Answers.front();
    Answers.pop_front();
    return yes;
  }
  void RevealInExplorer(const QString& path) override { Revealed << path; }
  void ShowMessage(QWidget* parent, const QString&, const QString& text) override {
    Messages << text;
    EnabledAtMessage.push_back(parent == nullptr || parent->isEnabled());
  }
  void ShowError(QWidget* parent, const QString&, const QString& text) override {
    Errors << text;
    EnabledAtMessage.push_back(parent == nullptr || parent->isEnabled());
  }
  void OpenUrl(const QUrl& url) override { Opened.push_back(url); }

 private:
  static std::optional<QString> Next(std::deque<QString>& queue) {
    if (queue.empty()) return std::nullopt;
    const QString answer = queue.front();
    queue.pop_front();
    if (answer.isNull()) return std::nullopt;
    return answer;
  }
};

// A named child widget; a missing one fails the test.
template <typename T>
T* Child(const QObject& root, const char* name) {
  T* child = root.findChild<T*>(QLatin1String(name));
  if (child == nullptr) throw std::runtime_error(std::string("no child named ") + name);
  return child;
}

inline QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

// Picks an item as the user does: the combo must be usable, and only the
// user's choice runs the change handler.
inline void Choose(QComboBox* combo, const QString& text) {
  if (!combo->isEnabled()) throw std::runtime_error("combo is disabled: " + combo->objectName().toStdString());
  const int i = combo->findText(text);
  if (i < 0) throw std::runtime_error("no item " + text.toStdString());
  combo->setCurrentIndex(i);
  emit combo->activated(i);
}

inline QStringList MemoLines(const QPlainTextEdit* memo) {
  const QString text = memo->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

inline std::string SamplesFolder(const char* name) { return std::string(KV_SOURCE_DIR) + "/samples/" + name; }

// A window over its own program folder and fake desktop.
class TWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { frm = std::make_unique<TfrmMain>(folder.path(), &desktop); }
  // The window goes first: it refers to what a test registered with it.
  void TearDown() override { frm.reset(); }

  // The load command on a folder, as if chosen in the folder dialog.
  void Load(const std::string& path) {
    desktop.Folders.push_back(QString::fromStdString(path));
    Child<QPushButton>(*frm, "btnLoadCorpus")->click();
  }
  QStringList Log() const { return MemoLines(Child<QPlainTextEdit>(*frm, "mmLog")); }

  TProgramFolder folder;
  TFakeDesktop desktop;
  std::unique_ptr<TfrmMain> frm;
};

}  // namespace korvelin::test
