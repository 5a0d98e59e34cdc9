// The tools on the loaded file, driven through the main window's menus: usage reports and their
// viewer, the year change, the event flags and the biography editor.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QStandardPaths>
#include <QtTest/QTest>
#include <filesystem>

#include "data/fileio.h"
#include "data/loader.h"
#include "data/save_io.h"
#include "data/usage_report.h"
#include "platform/modal.h"
#include "platform/textguard.h"
#include "platform/textviewer.h"
#include "tests/support/installation.h"
#include "tests/ui/list_fixtures.h"
#include "tools/biography_editor.h"
#include "tools/event_flags.h"
#include "tools/file_tool_forms.h"
#include "tools/year_change.h"

namespace garam {
namespace {

// The next modal window, of type D, runs the script instead of a modal loop.
template <typename D>
void Script(std::function<void(D&)> script) {
  SetModalRunner([script](QDialog& d) {
    script(dynamic_cast<D&>(d));
    return d.result();
  });
}

using GameEvent = EventFlagsDialog::GameEvent;

std::string Cp(const char* utf8) { return Utf8ToCp949(utf8).value(); }

class FileTools : public test::MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    RegisterFileToolForms();
  }
};

TEST_F(FileTools, ReportFollowsTheListOrderAndGoesWhereItCanBeWritten) {
  LoadScenario(false, "SCEDAT1.RN");
  for (int g : {1, 5}) gData.gGenerals[g].set(kGeneralScenKr.face, std::uint16_t(7));
  w->generalList->setSortKey(0), w->generalList->setSortOrder(Qt::DescendingOrder);  // by name: 수로 before 계백
  w->reportActions[std::size_t(UsageReportKind::MenFaces)]->trigger();
  const std::string path = gAppPath + "result.txt";
  ASSERT_EQ(dialogs.textFiles, std::vector<QString>{Q(path)});
  const auto bytes = ReadWholeFile(path).value();
  const std::string report(bytes.begin(), bytes.end());
  EXPECT_NE(report.find("\r\n 007        S1{" + Cp("수로, 계백") + "}\r\n"), std::string::npos);
  EXPECT_TRUE(w->ConfirmExit() && !FileExists(path));

  // The program's directory missing: the user's data directory takes the report.
  QStandardPaths::setTestModeEnabled(true);
  const std::string program = gAppPath;
  gAppPath = "/nonexistent-garam-dir/";
  dialogs.textFiles.clear();
  w->reportActions[std::size_t(UsageReportKind::Walls)]->trigger();
  ASSERT_EQ(dialogs.textFiles.size(), 1u);
  const QString fallback = dialogs.textFiles[0];
  EXPECT_TRUE(fallback.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
  EXPECT_EQ(ReadWholeFile(S(fallback)).value().size(), Cp("#방벽 배치 현황#\r\n\r\n총 : 0개\r\n").size());
  w->ConfirmExit();
  EXPECT_FALSE(FileExists(S(fallback)));
  QStandardPaths::setTestModeEnabled(false);

  // A directory in the file's place cannot be replaced, not even by root: said, and nothing shown.
  test::TempDir dir;
  gAppPath = dir.dir();
  std::filesystem::create_directory(dir.path("result.txt"));
  dialogs.textFiles.clear();
  w->reportActions[std::size_t(UsageReportKind::UniqueCodes)]->trigger();
  EXPECT_TRUE(dialogs.textFiles.empty());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::Critical);
  gAppPath = program;
}

// Each entry of the statistics menu, found by its caption, writes the report its caption names.
TEST_F(FileTools, EachReportEntryWritesItsOwnReport) {
  LoadScenario(false, "SCEDAT1.RN");
  const std::pair<QString, const char*> entries[] = {
      {"남자 얼굴 사용 현황", "#남자 얼굴 사용 현황#"},  {"여자 얼굴 사용 현황", "#여자 얼굴 사용 현황#"},
      {"고유 코드 사용 현황", "#국가 고유코드 사용 현황#"}, {"인물 열전 사용 현황", "#인물 열전 사용 현황#"},
      {"문화 아이템 사용 현황", "#문화아이템 사용 현황#"}, {"방벽 배치 현황", "#방벽 배치 현황#"}};
  for (const auto& [caption, title] : entries) {
    QAction* entry = nullptr;
    for (QAction* a : w->reportActions)
      if (a->text() == caption) entry = a;
    ASSERT_NE(entry, nullptr) << S(caption);
    dialogs.textFiles.clear();
    entry->trigger();
    ASSERT_EQ(dialogs.textFiles.size(), 1u) << S(caption);
    const auto bytes = ReadWholeFile(S(dialogs.textFiles[0])).value();
    EXPECT_TRUE(std::string(bytes.begin(), bytes.end()).starts_with(Cp(title) + "\r\n")) << S(caption);
  }
  w->ConfirmExit();
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
  viewer->close();
  real.OpenTextFile(Q(dir.path("missing.txt")));
  EXPECT_EQ(dialogs.lastText(), "missing.txt 파일을 열 수 없습니다.");
}

TEST_F(FileTools, YearChangeMovesTheGeneralsAndTheMainWindowFollows) {
  LoadScenario(true);  // starts in 660
  auto& g = gData.gGeneralsQV;
  g[0].set(kGeneralScenQV.birth, std::uint16_t(630)), g[0].set(kGeneralScenQV.employed, std::uint16_t(650));
  g[1].set(kGeneralScenQV.birth, std::uint16_t(640)), g[1].set(kGeneralScenQV.appearanceYear, std::uint16_t(670));
  const GameDataSet before = gData;
  // Cancel, and OK on the same year, leave everything.
  w->yearChangeAction->setEnabled(true);
  for (int button : {1, 0}) {
    Script<YearChangeDialog>([button](YearChangeDialog& d) { (button == 0 ? d.okButton : d.cancelButton)->click(); });
    w->yearChangeAction->trigger();
  }
  EXPECT_TRUE(gData.gGeneralsQV == before.gGeneralsQV && !gDataChanged);

  Script<YearChangeDialog>([](YearChangeDialog& d) {
    EXPECT_EQ(d.currentYear->text(), "660");
    Focus(d.newYear, QEvent::FocusIn);
    d.newYear->clear();
    QTest::keyClicks(d.newYear, "-2500");  // the sign is refused, the year brought down on leaving
    Focus(d.newYear, QEvent::FocusOut);
    EXPECT_EQ(d.newYear->text(), "2099");
    d.newYear->setText("0610");
    d.okButton->click();
  });
  w->yearChangeAction->trigger();
  EXPECT_EQ(std::tuple(w->startYear->text(), Cell(4, 0, 2), Cell(4, 1, 2), w->Status(StatusPanel::ChangedMark)),
            std::tuple(QString("610"), QString("  580"), QString("  590"), std::string("*")));
  // An emptied box is year 0; the option sets every employment year to it.
  Script<YearChangeDialog>([](YearChangeDialog& d) {
    d.newYear->clear(), d.moveAppearance->setChecked(true), d.okButton->click();
  });
  w->yearChangeAction->trigger();
  EXPECT_EQ(w->startYear->text(), "0");
  EXPECT_EQ(std::tuple(g[0].get(kGeneralScenQV.birth), g[0].get(kGeneralScenQV.employed), g[1].get(kGeneralScenQV.appearanceYear)),
            std::tuple(0, 0, 10));
}

TEST_F(FileTools, EventFlagsTouchOnlyTheirBits) {
  LoadSave(false);
  auto bytes = [] { return std::pair<int, int>(gData.gSaveHeader.get(kSaveHeaderEventFlags1), gData.gSaveHeader.get(kSaveHeaderEventFlags2)); };
  gData.gSaveHeader.set(kSaveHeaderEventFlags1, std::uint8_t(0x87));
  gData.gSaveHeader.set(kSaveHeaderEventFlags2, std::uint8_t(0xE0));
  w->eventFlagsAction->setEnabled(true);
  // None of these bits is a box's; checking and unchecking again is no change; cancel changes nothing.
  for (int button : {0, 1}) {
    Script<EventFlagsDialog>([button](EventFlagsDialog& d) {
      for (int e = 0; e < EventFlagsDialog::kGameEvents; ++e) EXPECT_FALSE(d.EventBox(GameEvent(e))->isChecked());
      d.EventBox(GameEvent::ArabianNights)->click(), d.EventBox(GameEvent::ArabianNights)->click();
      d.EventBox(button ? GameEvent::EuropeanAlliance : GameEvent::DazaifuShrine)->click();
      if (!button) d.EventBox(GameEvent::DazaifuShrine)->click();
      (button == 0 ? d.okButton : d.cancelButton)->click();
    });
    w->eventFlagsAction->trigger();
    EXPECT_EQ(bytes(), std::pair(0x87, 0xE0));
  }
  EXPECT_FALSE(gDataChanged);

  Script<EventFlagsDialog>([](EventFlagsDialog& d) {
    d.EventBox(GameEvent::Renaissance)->click(), d.EventBox(GameEvent::EuropeanAlliance)->click(), d.okButton->click();
  });
  w->eventFlagsAction->trigger();
  EXPECT_EQ(bytes(), std::pair(0x87 | 0x08, 0xE0 | 0x10));

  // Bit 0 of the tail block puts Angkor Wat's box out of use: its bit stays as stored, set or clear.
  gSaveTailFirstByte = 0x01;
  for (int stored : {0x08, 0x00}) {
    gData.gSaveHeader.set(kSaveHeaderEventFlags2, std::uint8_t(stored));
    Script<EventFlagsDialog>([](EventFlagsDialog& d) {
      EXPECT_FALSE(d.EventBox(GameEvent::AngkorWat)->isEnabled() || d.EventBox(GameEvent::AngkorWat)->isChecked());
      d.EventBox(GameEvent::DazaifuShrine)->click(), d.okButton->click();
    });
    w->eventFlagsAction->trigger();
    EXPECT_EQ(bytes().second, stored | 0x01);
  }
}

// 343 biographies in areas of the first message-file variant: names of 10 bytes but the first,
// nameBytes in all, and texts "text i"; each area with its filler.
void Biographies(int nameBytes) {
  gBiographyNameBlockSize = 7547, gBiographyTextBlockSize = 39539;
  gData.gBiographyNames.assign(343, std::string(10, 'n'));
  gData.gBiographyNames[0] = std::string(std::size_t(nameBytes - 3420), 'n');
  gData.gBiographyNames.push_back(std::string(40, ' '));  // blanks cost nothing
  gData.gBiographyTexts.clear();
  std::size_t texts = 0;
  for (int i = 0; i < 343; ++i) texts += gData.gBiographyTexts.emplace_back("text " + std::to_string(i)).size();
  gData.gBiographyTexts.push_back("   tail\x05\x05\x05   ");  // the writer keeps 10 of these bytes
  gData.gBiographyBytesUsed = {texts, std::size_t(nameBytes)};
}

TEST_F(FileTools, BiographyRoomAndLimits) {
  LoadScenario(false);
  Biographies(6000);
  Script<BiographyEditor>([](BiographyEditor& d) {
    EXPECT_EQ(std::pair(d.freeNameLabel->text(), d.freeTextLabel->text()), std::pair(QString("518"), QString("35866")));
    d.entryCombo->setCurrentIndex(7);
    EXPECT_EQ(ByteMaxLength(d.nameBox), 30);
    d.nameBox->setText("nnnnnnnnn가");  // the label follows the typing; the arrays wait for the apply
    EXPECT_EQ(d.freeNameLabel->text(), "517");
    d.entryCombo->setCurrentIndex(8);
    d.closeButton->click();
  });
  const GameDataSet before = gData;
  w->biographyAction->setEnabled(true), w->biographyAction->trigger();
  EXPECT_TRUE(gData.gBiographyNames == before.gBiographyNames && gData.gBiographyBytesUsed == before.gBiographyBytesUsed && !gDataChanged);

  Biographies(6513);  // 5 bytes free: a name of 10 bytes may grow to 15
  Script<BiographyEditor>([](BiographyEditor& d) {
    d.entryCombo->setCurrentIndex(3);
    EXPECT_EQ(ByteMaxLength(d.nameBox), 15);
    d.nameBox->setText("가나");
    d.applyButton->click();
    EXPECT_EQ(std::tuple(d.entryCombo->itemText(3), d.entryCombo->currentIndex(), d.freeNameLabel->text()), std::tuple(QString("가나"), 3, QString("11")));
    d.closeButton->click();
  });
  w->biographyAction->trigger();
  EXPECT_EQ(std::pair(gData.gBiographyNames[3], gData.gBiographyBytesUsed[1]), std::pair(Cp("가나"), std::size_t(6507)));
  EXPECT_EQ(w->Status(StatusPanel::ChangedMark), "*");

  Biographies(9000);  // a malformed file with no room at all
  Script<BiographyEditor>([](BiographyEditor& d) {
    d.entryCombo->setCurrentIndex(1);
    EXPECT_EQ(ByteMaxLength(d.nameBox), 0);
  });
  w->biographyAction->trigger();
}

TEST_F(FileTools, BiographySearchAndRefusedControlCharacters) {
  LoadScenario(false);
  Biographies(6000);
  gData.gBiographyTexts[9] = "a rare word", gData.gBiographyTexts[200] = "rare", gData.gBiographyNames[150] = "rarely";
  Script<BiographyEditor>([this](BiographyEditor& d) {
    d.entryCombo->setCurrentIndex(10);
    dialogs.inputAnswers = {QString("rare word"), QString("rare"), QString(), QString("nowhere")};
    d.Search();
    EXPECT_EQ(d.entryCombo->currentIndex(), 9);  // text s - 1 comes after every name and the texts from s
    d.Search();
    EXPECT_EQ(d.entryCombo->currentIndex(), 150);  // names first, from the shown entry on
    d.Search();
    EXPECT_TRUE(dialogs.boxes.empty());
    d.Search();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(std::pair(dialogs.boxes[0].text, dialogs.boxes[0].icon), std::pair(QString("검색에 실패 했습니다."), MsgIcon::None));

    QApplication::clipboard()->setText("\x05\x05\x05");  // would become a separator of the area
    d.nameBox->end(false), d.nameBox->paste(), d.textBox->paste();
    QTest::keyClick(d.textBox, Qt::Key_Return);
    EXPECT_EQ(std::pair(d.nameBox->text(), d.textBox->toPlainText()), std::pair(QString("rarely"), QString("text 150")));
  });
  w->biographyAction->setEnabled(true), w->biographyAction->trigger();
}

TEST(BiographyRoundTrip, AppliedEntrySurvivesSaveAndLoad) {
  test::ScriptedDialogs dialogs;
  test::Installation inst(test::KoreanInstall());
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false));
  const auto names = gData.gBiographyNames, texts = gData.gBiographyTexts;
  Script<BiographyEditor>([](BiographyEditor& d) {
    d.entryCombo->setCurrentIndex(5), d.nameBox->setText("새 이름"), d.applyButton->click();
  });
  RegisterFileToolForms();
  ShowForm("frm열전편집", nullptr);
  ASSERT_TRUE(SaveGameFile());
  test::ResetEditorState();
  ASSERT_TRUE(LoadGameFile(inst.scenarioPath(1), false));
  for (std::size_t i = 0; i < 343; ++i)
    EXPECT_EQ(std::pair(gData.gBiographyNames[i], gData.gBiographyTexts[i]), std::pair(i == 5 ? Cp("새 이름") : names[i], texts[i])) << i;
}

}  // namespace
}  // namespace garam
