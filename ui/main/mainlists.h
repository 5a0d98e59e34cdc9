// The pages of the main window's tab control: the scenario and save header pages and the eight
// entity lists with their frames and buttons; their events, sorting, clearing and captions.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <map>
#include <string>

#include "platform/listview.h"
#include "platform/numericbox.h"

namespace garam {

class MainWindow;

// The controls of the pages, under the names the game's documentation uses. Control arrays are
// std::arrays; every element carries the array's name as its object name.
struct MainControls {
  std::array<QWidget*, 10> TabPage{};

  std::array<QGroupBox*, 3> Frame0{};
  NumericBox* txtNum0 = nullptr;
  QLineEdit* txtLine0 = nullptr;
  QPlainTextEdit* txtMulti0 = nullptr;
  std::array<QPushButton*, 2> cmd0{};

  std::array<QGroupBox*, 3> Frame1{};
  NumericBox* txtNum1 = nullptr;
  QComboBox* Combo1 = nullptr;
  std::array<QLabel*, 3> lbl1{};
  std::array<QLabel*, 2> lblT1{};
  ListView* ListView1 = nullptr;
  std::array<QPushButton*, 8> cmdLeft1{}, cmdRight1{};
  std::array<QLabel*, 8> lblK1{};
  std::array<QPushButton*, 2> cmd1{};

  QGroupBox *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr, *Frame5 = nullptr, *Frame6 = nullptr,
            *Frame7 = nullptr, *Frame8 = nullptr, *Frame9 = nullptr;
  ListView *ListView2 = nullptr, *ListView3 = nullptr, *ListView4 = nullptr, *ListView5 = nullptr,
           *ListView6 = nullptr, *ListView7 = nullptr, *ListView8 = nullptr, *ListView9 = nullptr;
  std::array<QPushButton*, 3> cmd2{}, cmd3{}, cmd4{}, cmd5{};  // 0 add, 1 delete, 2 edit
  QPushButton *cmd6 = nullptr, *cmd7 = nullptr, *cmd8 = nullptr, *cmd9 = nullptr;  // edit

  // ListView1 to ListView9 and their frames (Frame1 item 2 for the player list).
  ListView* List(int n) const;
  QGroupBox* ListFrame(int n) const;
  // The edit button of list 2 to 9, the delete button of list 2 to 5.
  QPushButton* EditButton(int n) const;
  QPushButton* DeleteButton(int n) const;

  // The controls the layout moves, by their layout names ("Frame1(2)", "cmd3(0)").
  std::map<std::string, QWidget*> Placed;
};

// Creates the pages and their controls at their design-time places and wires their events.
void BuildMainPages(MainWindow& w);

// Lays the window out for its present size (minimum size, hint panel, pages).
void ReSizeMain(MainWindow& w);

// The tab control's click: follows every change of the current tab.
void TabViewClick(MainWindow& w);

// Keyboard order follows the tab: a text box, button, list or combo box is a tab stop only when
// the last character of its name is the tab's digit.
void ApplyTabStops(QWidget* root, int tab);

// Empties the nine lists and gives each its starting sort state.
void ClearMainLists(MainWindow& w);

// Frame captions with row counts and maxima; sets gCountsChanged.
void UpdateListCaptions(MainWindow& w);

// List events.
void ListHeaderClick(MainWindow& w, int list, int column);  // column 0-based
void ListSelectionFollowUp(MainWindow& w, int list);
void ListEdit(MainWindow& w, int list);

}  // namespace garam
