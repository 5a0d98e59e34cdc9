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
  std::vector<OpenFileRequest> fileRequests;
  std::vector<QString> openedTextFiles;
  int beeps = 0;

  MsgResult MessageBox(QWidget*, const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title) override {
    boxes.push_back({text, icon, buttons, title});
    if (boxAnswers.empty()) return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
    MsgResult r = boxAnswers.front();
    boxAnswers.pop_front();
    return r;
  }
  std::optional<QString> InputBox(QWidget*, const QString& prompt, const QString&, const QString&) override {
    inputPrompts.push_back(prompt);
    if (inputAnswers.empty()) return std::nullopt;
    std::optional<QString> r;
    r.swap(inputAnswers.front());
    inputAnswers.pop_front();
    return r;
  }
  QString OpenFile(QWidget*, const OpenFileRequest& request) override {
    fileRequests.push_back(request);
    if (fileAnswers.empty()) return {};
    QString r = fileAnswers.front();
    fileAnswers.pop_front();
    return r;
  }
  void Beep() override { ++beeps; }
  void OpenTextFile(const QString& path) override { openedTextFiles.push_back(path); }

  QString lastText() const { return boxes.empty() ? QString() : boxes.back().text; }
};

}  // namespace garam::test
