// The tools on the loaded file, driven through the main window's menus: usage reports and their
// viewer, the year change, the event flags and the biography editor.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QStandardPaths>
#include <QStatusBar>
#include <QtTest/QTest>
#include <filesystem>

#include "data/fileio.h"
#include "data/loader.h"
#include "data/message.h"
#include "data/save_io.h"
#include "platform/modal.h"
#include "platform/textguard.h"
#include "platform/textviewer.h"
#include "tests/support/installation.h"
#include "tests/support/tempdir.h"
#include "tests/ui/list_fixtures.h"
#include "tools/biography_editor.h"
#include "tools/event_flags.h"
#include "tools/file_tool_forms.h"
#include "tools/year_change.h"

namespace garam {
namespace {


// Runs the next modal window of type D through script instead of a modal loop.
template <typename D>
void Script(std::function<void(D&)> script) {
  SetModalRunner([script](QDialog& d) {
    auto* dialog = dynamic_cast<D*>(&d);
    EXPECT_NE(dialog, nullptr) << d.objectName().toStdString();
    if (dialog) script(*dialog);
    return d.result();
  });
}

std::string Cp(const char* utf8) { return Utf8ToCp949(utf8).value(); }

class FileTools : public test::MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    RegisterFileToolForms();
  }
};

TEST_F(FileTools, ReportListsUsersInTheListsOrderAndOpensTheViewer) {
  LoadScenario(false, "SCEDAT1.RN");
  gData.gGenerals[1].set(kGeneralScenKr.face, std::uint16_t(7));
  gData.gGenerals[5].set(kGeneralScenKr.face, std::uint16_t(7));
  ListView* generals = w->ListView4;
  generals->setSortKey(0), generals->setSortOrder(Qt::DescendingOrder);
  w->mnuStat[0]->trigger();
  const std::string path = gAppPath + "result.txt";
  ASSERT_EQ(dialogs.textFiles, std::vector<QString>{Q(path)});
  const auto bytes = ReadWholeFile(path).value();
  const std::string report(bytes.begin(), bytes.end());
  // 수로 sorts after 계백 in code-unit order: descending puts it first.
  EXPECT_NE(report.find("\r\n 007        S1{" + Cp("수로, 계백") + "}\r\n"), std::string::npos);
  EXPECT_EQ(report.rfind(Cp("#남자 얼굴 사용 현황#\r\n"), 0), 0u);
  // The exit removes it.
  EXPECT_TRUE(w->ConfirmExit());
  EXPECT_FALSE(FileExists(path));
}

TEST_F(FileTools, ReportGoesToTheUsersDataWhenTheProgramsDirectoryCannotBeWrittenAndAFailureIsSaid) {
  QStandardPaths::setTestModeEnabled(true);
  LoadScenario(true, "scedat2.wn");
  const std::string program = gAppPath;
  gAppPath = "/nonexistent-garam-dir/";
  w->mnuStat[5]->trigger();
  ASSERT_EQ(dialogs.textFiles.size(), 1u);
  const QString fallback = dialogs.textFiles[0];
  EXPECT_TRUE(fallback.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
  EXPECT_EQ(ReadWholeFile(S(fallback)).value().size(), Cp("#방벽 배치 현황#\r\n\r\n총 : 0개\r\n").size());
  w->ConfirmExit();
  EXPECT_FALSE(FileExists(S(fallback)));

  // A directory in the file's place cannot be replaced, not even by root.
  test::TempDir dir;
  gAppPath = dir.dir();
  std::filesystem::create_directory(dir.path("result.txt"));
  dialogs.textFiles.clear();
  w->mnuStat[2]->trigger();
  EXPECT_TRUE(dialogs.textFiles.empty());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::Critical);
  gAppPath = program;
  QStandardPaths::setTestModeEnabled(false);
}

TEST_F(FileTools, TextViewerDecodesCodePage949) {
  test::TempDir dir;
  const std::string path = dir.write("result.txt", Bytes{0xB0, 0xA1, 0xB3, 0xAA, '\r', '\n', 'a', 0xB4, 0xD9});
  QtDialogService real;
  real.OpenTextFile(Q(path));
  TextViewer* viewer = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* v = qobject_cast<TextViewer*>(top); v && v->isVisible()) viewer = v;
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->text()->toPlainText(), "가나\na다");
  EXPECT_TRUE(viewer->text()->isReadOnly() && viewer->text()->font().fixedPitch());
  viewer->close();
  real.OpenTextFile(Q(dir.path("missing.txt")));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.lastText(), "missing.txt 파일을 열 수 없습니다.");
}

// Birth, employment and appearance years of the first two generals; the scenario starts in 660.
void GeneralYears(bool qv) {
  auto set = [](auto& g, int birth, int employed, int appeared) {
    g.set(g.L.birth, std::uint16_t(birth)), g.set(g.L.employed, std::uint16_t(employed));
    g.set(g.L.appearanceYear, std::uint16_t(appeared));
  };
  if (qv) set(gData.gGeneralsQV[0], 630, 650, 0), set(gData.gGeneralsQV[1], 640, 0, 670);
  else set(gData.gGenerals[0], 630, 650, 0), set(gData.gGenerals[1], 640, 0, 670);
}

TEST_F(FileTools, YearChangeMovesTheGeneralsAndTheMainWindowFollows) {
  for (bool qv : {false, true}) {
    LoadScenario(qv);
    GeneralYears(qv);
    const GameDataSet before = gData;
    // Cancel and an unchanged year leave everything.
    Script<YearChangeDialog>([](YearChangeDialog& d) { d.cmdYear[1]->click(); });
    w->mnuYear->setEnabled(true), w->mnuYear->trigger();
    Script<YearChangeDialog>([](YearChangeDialog& d) { d.cmdYear[0]->click(); });
    w->mnuYear->trigger();
    EXPECT_TRUE(gData.gGenerals == before.gGenerals && gData.gGeneralsQV == before.gGeneralsQV && !gDataChanged);

    Script<YearChangeDialog>([qv](YearChangeDialog& d) {
      EXPECT_EQ(d.txtNum[0]->text(), "660");
      Focus(d.txtNum[1], QEvent::FocusIn);
      EXPECT_EQ(d.YearChangeStatus->currentMessage(), qv ? "새로운 시작년도(0~2099)" : "새로운 시작년도(0~2000)");
      d.txtNum[1]->clear();
      QTest::keyClicks(d.txtNum[1], "-2500");  // the sign is refused
      Focus(d.txtNum[1], QEvent::FocusOut);
      EXPECT_EQ(d.txtNum[1]->text(), qv ? "2099" : "2000");
      QApplication::clipboard()->setText("-1");
      d.txtNum[1]->selectAll(), d.txtNum[1]->paste();
      EXPECT_EQ(d.txtNum[1]->text(), qv ? "2099" : "2000");
      d.txtNum[1]->setText("0610");
      d.cmdYear[0]->click();
    });
    w->mnuYear->trigger();
    EXPECT_EQ(w->txtNum0->text(), "610");
    EXPECT_EQ(Cell(4, 0, 2), "  580");
    EXPECT_EQ(Cell(4, 1, 2), "  590");
    EXPECT_EQ(w->Status(3), "*");
    EXPECT_EQ(gCountsChanged, qv);
  }
}

TEST_F(FileTools, EmptiedYearGivesZero) {
  LoadScenario(false);
  GeneralYears(false);
  Script<YearChangeDialog>([](YearChangeDialog& d) {
    d.txtNum[1]->clear();
    d.chkAppear->setChecked(true);
    d.cmdYear[0]->click();
  });
  ShowForm("frmYearChange", w.get());
  EXPECT_EQ(w->txtNum0->text(), "0");
  EXPECT_EQ(gData.gGenerals[0].get(kGeneralScenKr.birth), 0);
  EXPECT_EQ(gData.gGenerals[0].get(kGeneralScenKr.employed), 0);  // aligned to the new start year
  EXPECT_EQ(gData.gGenerals[1].get(kGeneralScenKr.appearanceYear), 10);
}

std::pair<int, int> EventBytes() {
  return {gData.gSaveHeader.get(kSaveHeaderEventFlags1), gData.gSaveHeader.get(kSaveHeaderEventFlags2)};
}

TEST_F(FileTools, EventFlagsTouchOnlyTheirBits) {
  LoadSave(false);
  gData.gSaveHeader.set(kSaveHeaderEventFlags1, std::uint8_t(0x87));
  gData.gSaveHeader.set(kSaveHeaderEventFlags2, std::uint8_t(0xE0));
  Script<EventFlagsDialog>([](EventFlagsDialog& d) {
    for (QCheckBox* b : d.chkEvent) EXPECT_FALSE(b->isChecked());
    d.chkEvent[2]->click(), d.chkEvent[2]->click();  // checked and unchecked again: no change
    d.cmdEvent[0]->click();
  });
  w->mnuEvent->setEnabled(true), w->mnuEvent->trigger();
  EXPECT_EQ(EventBytes(), std::pair(0x87, 0xE0));
  EXPECT_FALSE(gDataChanged);

  Script<EventFlagsDialog>([](EventFlagsDialog& d) {
    d.chkEvent[8]->click(), d.chkEvent[4]->click();
    const QImage shown = d.chkEvent[8]->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() - 2, shown.height() / 2), QColor(255, 255, 0));
    d.cmdEvent[1]->click();
  });
  w->mnuEvent->trigger();
  EXPECT_EQ(EventBytes(), std::pair(0x87, 0xE0));
  Script<EventFlagsDialog>([](EventFlagsDialog& d) {
    d.chkEvent[8]->click(), d.chkEvent[4]->click();
    d.cmdEvent[0]->click();
  });
  w->mnuEvent->trigger();
  EXPECT_EQ(EventBytes(), std::pair(0x87 | 0x08, 0xE0 | 0x10));
  EXPECT_EQ(w->Status(3), "*");
}

TEST_F(FileTools, LockedEventBoxKeepsItsBit) {
  LoadSave(false);
  for (int stored : {0x08, 0x00}) {
    gData.gSaveHeader.set(kSaveHeaderEventFlags2, std::uint8_t(stored));
    gSaveTailFirstByte = 0x01;
    Script<EventFlagsDialog>([](EventFlagsDialog& d) {
      EXPECT_FALSE(d.chkEvent[3]->isEnabled() || d.chkEvent[3]->isChecked());
      d.chkEvent[0]->click();
      d.cmdEvent[0]->click();
    });
    ShowForm("frmEvent", w.get());
    EXPECT_EQ(EventBytes().second, stored | 0x01);
  }
}

// 343 biographies: names of 10 bytes but the first, nameBytes in all; texts "text i"; areas of
// the first message-file variant, each with its filler.
void Biographies(int nameBytes) {
  gBiographyNameBlockSize = 7547, gBiographyTextBlockSize = 39539;
  gBiographyNameMax = 30, gBiographyTextMax = 300;
  gData.gBiographyNames.assign(343, std::string(10, 'n'));
  gData.gBiographyNames[0] = std::string(std::size_t(nameBytes - 3420), 'n');
  gData.gBiographyNames.push_back(std::string(40, ' '));  // filler: blanks cost nothing
  gData.gBiographyTexts.clear();
  for (int i = 0; i < 343; ++i) gData.gBiographyTexts.push_back("text " + std::to_string(i));
  gData.gBiographyTexts.push_back("   tail\x05\x05\x05   ");  // 10 bytes the writer keeps
  std::size_t texts = 0;
  for (int i = 0; i < 343; ++i) texts += gData.gBiographyTexts[std::size_t(i)].size();
  gData.gBiographyBytesUsed = {texts, std::size_t(nameBytes)};
}

TEST_F(FileTools, BiographyRoomAndLimits) {
  LoadScenario(false);
  Biographies(6000);
  Script<BiographyEditor>([](BiographyEditor& d) {
    EXPECT_EQ(d.lblSize[0]->text(), "518");
    EXPECT_EQ(d.lblSize[1]->text().toLongLong(), 39539 - 1029 - 10 - (long long)gData.gBiographyBytesUsed[0]);
    d.Combo->setCurrentIndex(7);
    EXPECT_EQ(ByteMaxLength(d.txt이름), 30);
    // Typing: the label follows, the totals wait for the apply; switching drops the edit.
    d.txt이름->setText("nnnnnnnnn가");
    EXPECT_EQ(d.lblSize[0]->text(), "517");
    d.Combo->setCurrentIndex(8);
    EXPECT_EQ(d.txt이름->text(), "nnnnnnnnnn");
    d.cmd열전[1]->click();
  });
  const GameDataSet before = gData;
  w->mnu열전->setEnabled(true), w->mnu열전->trigger();
  EXPECT_TRUE(gData.gBiographyNames == before.gBiographyNames && gData.gBiographyBytesUsed == before.gBiographyBytesUsed);
  EXPECT_FALSE(gDataChanged);

  Biographies(6513);  // 5 bytes free
  Script<BiographyEditor>([](BiographyEditor& d) {
    d.Combo->setCurrentIndex(3);
    EXPECT_EQ(ByteMaxLength(d.txt이름), 15);
    d.txt이름->setText("가나");
    d.cmd열전[0]->click();
    EXPECT_EQ(d.Combo->itemText(3), "가나");
    EXPECT_EQ(d.lblSize[0]->text(), "11");
    EXPECT_EQ(d.Combo->currentIndex(), 3);
    d.cmd열전[1]->click();
  });
  ShowForm("frm열전편집", w.get());
  EXPECT_EQ(gData.gBiographyNames[3], Cp("가나"));
  EXPECT_EQ(gData.gBiographyBytesUsed[1], 6507u);
  EXPECT_EQ(w->Status(3), "*");

  Biographies(9000);  // a malformed file: no room at all
  Script<BiographyEditor>([](BiographyEditor& d) {
    d.Combo->setCurrentIndex(1);
    EXPECT_EQ(ByteMaxLength(d.txt이름), 0);
    d.cmd열전[1]->click();
  });
  ShowForm("frm열전편집", w.get());
}

TEST_F(FileTools, BiographySearchAndPastedSeparators) {
  LoadScenario(false);
  Biographies(6000);
  gData.gBiographyTexts[9] = "a rare word";
  gData.gBiographyTexts[200] = "rare";
  gData.gBiographyNames[150] = "rarely";
  Script<BiographyEditor>([this](BiographyEditor& d) {
    d.Combo->setCurrentIndex(10);
    dialogs.inputAnswers = {QString("rare word"), QString("rare"), QString(), QString("nowhere")};
    d.Search();
    EXPECT_EQ(d.Combo->currentIndex(), 9);  // text 9 = s - 1 comes last
    d.Search();
    EXPECT_EQ(d.Combo->currentIndex(), 150);  // names first, starting at the shown entry
    d.Search();
    EXPECT_TRUE(dialogs.boxes.empty());
    d.Search();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "검색에 실패 했습니다.");
    EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::None);

    QApplication::clipboard()->setText("\x05\x05\x05");
    d.txt이름->end(false), d.txt이름->paste();
    d.txt내용->paste();
    EXPECT_EQ(d.txt이름->text(), "rarely");
    QTest::keyClick(d.txt내용, Qt::Key_Return);
    EXPECT_EQ(d.txt내용->toPlainText(), "text 150");
    EXPECT_FALSE(d.FocusHoldOn());
    QTest::mouseClick(d.lblNo, Qt::LeftButton);
    EXPECT_TRUE(d.FocusHoldOn());
    d.cmd열전[0]->click();
    d.cmd열전[1]->click();
  });
  ShowForm("frm열전편집", w.get());
  EXPECT_EQ(gData.gBiographyNames[150], "rarely");
}

TEST(BiographyRoundTrip, AppliedEntrySurvivesSaveAndLoad) {
  test::ScriptedDialogs dialogs;
  test::Installation inst(test::KoreanInstall());
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false));
  const auto names = gData.gBiographyNames, texts = gData.gBiographyTexts;
  const auto offsets = gData.gBiographyNameBlock.offsets;
  SetModalRunner([](QDialog& dialog) {
    auto& d = dynamic_cast<BiographyEditor&>(dialog);
    d.Combo->setCurrentIndex(5);
    d.txt이름->setText("새 이름");
    d.cmd열전[0]->click();
    return 0;
  });
  RegisterFileToolForms();
  ShowForm("frm열전편집", nullptr);
  ASSERT_TRUE(SaveGameFile());
  test::ResetEditorState();
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false));
  const long long grown = (long long)Cp("새 이름").size() - (long long)names[5].size();
  for (std::size_t i = 0; i < 343; ++i) {
    EXPECT_EQ(gData.gBiographyNames[i], i == 5 ? Cp("새 이름") : names[i]) << i;
    EXPECT_EQ(gData.gBiographyTexts[i], texts[i]) << i;
    EXPECT_EQ((long long)gData.gBiographyNameBlock.offsets[i], offsets[i] + (i > 5 ? grown : 0)) << i;
  }
}

}  // namespace
}  // namespace garam
