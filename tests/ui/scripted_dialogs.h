// Dialog service for widget tests: answers come from a script, and every question is recorded.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "platform/dialogs.h"

namespace garam::test {

struct AskedBox {
  QString text;
  MsgIcon icon;
  MsgButtons buttons;
  QString title;
};

class ScriptedDialogs : public DialogService {
 public:
  ScriptedDialogs() { SetDialogService(this); }
  ~ScriptedDialogs() override { SetDialogService(nullptr); }

  std::deque<MsgResult> boxAnswers;             // OK / Yes when empty
  std::deque<std::optional<QString>> inputAnswers;  // cancel when empty
  std::deque<QString> fileAnswers;              // cancel (empty) when empty
  std::vector<AskedBox> boxes;
  std::vector<QString> inputPrompts;
  std::vector<QString> inputDefaults;
  std::vector<OpenFileRequest> fileRequests;
  int beeps = 0;
  std::vector<QString> textFiles;  // shown with OpenTextFile

  MsgResult MessageBox(QWidget*, const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title) override {
    boxes.push_back({text, icon, buttons, title});
    return Next(boxAnswers, buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes);
  }
  std::optional<QString> InputBox(QWidget*, const QString& prompt, const QString&, const QString& defaultText) override {
    inputPrompts.push_back(prompt);
    inputDefaults.push_back(defaultText);
    std::optional<QString> r;  // swapped out: a copy of an optional QString warns falsely in GCC 12
    if (!inputAnswers.empty()) r.swap(inputAnswers.front()), inputAnswers.pop_front();
    return r;
  }
  QString OpenFile(QWidget*, const OpenFileRequest& request) override {
    fileRequests.push_back(request);
    return Next(fileAnswers, QString());
  }
  void Beep() override { ++beeps; }
  void OpenTextFile(const QString& path) override { textFiles.push_back(path); }

  QString lastText() const { return boxes.empty() ? QString() : boxes.back().text; }

 private:
  template <typename T>
  static T Next(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T r = std::move(answers.front());
    answers.pop_front();
    return r;
  }
};

}  // namespace garam::test
