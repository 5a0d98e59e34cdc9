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
  std::deque<QString> menuAnswers;              // an item's text, found in the submenus too; dismissed when empty or ""
  std::vector<QMenu*> menus;
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
  QAction* PopupMenu(QMenu* menu, QPoint) override {
    menus.push_back(menu);
    QAction* chosen = Find(menu, Next(menuAnswers, QString()));
    if (chosen) chosen->trigger();
    return chosen;
  }

  QString lastText() const { return boxes.empty() ? QString() : boxes.back().text; }

 private:
  static QAction* Find(QMenu* menu, const QString& text) {
    if (text.isEmpty()) return nullptr;
    for (QAction* a : menu->actions()) {
      if (a->menu())
        if (QAction* inner = Find(a->menu(), text)) return inner;
      if (!a->menu() && a->text() == text && a->isEnabled()) return a;
    }
    return nullptr;
  }
  template <typename T>
  static T Next(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T r = std::move(answers.front());
    answers.pop_front();
    return r;
  }
};

}  // namespace garam::test
