#include "tools/expert_dialog.h"

#include <QFocusEvent>
#include <QTimer>

#include "data/fileio.h"
#include "platform/dialogs.h"
#include "platform/modal.h"
#include "platform/textguard.h"
#include "platform/twips.h"

namespace garam {
namespace {

MsgResult Say(QWidget* owner, const std::string& text, MsgIcon icon = MsgIcon::Exclamation) {
  return Dialogs().MessageBox(owner, Q(text), icon, MsgButtons::Ok, Q(kMsgTitle));
}

bool Contains(const std::string& path, const char* part) { return ToLowerAscii(path).find(part) != std::string::npos; }

constexpr int kFrameWidth = 5175, kFrameHeight = 975, kMargin = 120;
// The row of the transfer kind, its range or filter and the buttons, below the path frames.
constexpr int kControlRow = kMargin + 2 * kFrameHeight + 180;

}  // namespace

ExpertDialog::ExpertDialog(QWidget* owner, int menuIndex)
    : QDialog(owner), mode_(menuIndex == 0 ? ExpertMode::Sync : menuIndex == 1 ? ExpertMode::Convert : ExpertMode::Transfer) {
  setObjectName("frmSetting");
  if (owner) setWindowIcon(owner->windowIcon());
  BuildPathFrames();
  BuildTransferRow();
  BuildButtons();
  ShapeForMode();
  SetTabOrder();
}

void ExpertDialog::BuildPathFrames() {
  static const char* const kFrames[4] = {"원본 실행파일 경로(*.exe)", "원본 시나리오 파일 경로(scedat*.rn)",
                                         "대상 실행파일 경로(*.exe)", "대상 시나리오 파일 경로(scedat*.wn)"};
  for (int i = 0; i < 4; ++i) {
    const std::size_t k = std::size_t(i);
    pathFrames[k] = new QGroupBox(kFrames[i], this);
    pathFrames[k]->setObjectName(QString("FrameDir(%1)").arg(i));
    pathFrames[k]->setGeometry(TwipsRect(kMargin + (i / 2) * (kFrameWidth + 120), kMargin + (i % 2) * (kFrameHeight + 60),
                                       kFrameWidth, kFrameHeight));
    pathBoxes[k] = new QLineEdit(pathFrames[k]);
    pathBoxes[k]->setObjectName(QString("txtDirSel(%1)").arg(i));
    pathBoxes[k]->setGeometry(TwipsRect(120, 400, 4380, 375));
    browseButtons[k] = new QPushButton("...", pathFrames[k]);
    browseButtons[k]->setObjectName(QString("cmdSelDir(%1)").arg(i));
    browseButtons[k]->setGeometry(TwipsRect(4560, 400, 495, 375));
    browseButtons[k]->setAutoDefault(false);
    connect(browseButtons[k], &QPushButton::clicked, this, [this, i] { Browse(i); });
  }
}

void ExpertDialog::BuildTransferRow() {
  transferKind = new QComboBox(this);
  transferKind->setObjectName("cmbTranItem");
  transferKind->setGeometry(TwipsRect(kMargin, kControlRow, 1800, 330));
  static const char* const kLabels[5] = {"，", "─", "，", "좌표 범위 설정 :", "적용 대상 설정 :"};
  QLabel** labelSlots[5] = {&firstComma, &rangeDash, &secondComma, &rangeCaption, &filterCaption};
  for (int i = 0; i < 5; ++i) {
    *labelSlots[i] = new QLabel(kLabels[i], this);
    (*labelSlots[i])->setObjectName(QString("lblXY(%1)").arg(i));
  }
  static const char* const kStart[4] = {"0", "0", "249", "224"};
  for (int i = 0; i < 4; ++i) {
    auto* box = rangeBoxes[std::size_t(i)] = new NumericBox(this);
    box->setObjectName(QString("txtXY(%1)").arg(i));
    box->setRange(0, i % 2 == 0 ? 249 : 224);
    box->setTypedLimit(3);
    box->setText(kStart[i]);
    // Enter reaches "실행" without a focus change; the run clamps again for itself.
    connect(box, &QLineEdit::editingFinished, box, &NumericBox::Clamp);
  }
  nameFilter = new QLineEdit(this);
  nameFilter->setObjectName("txtXY(4)");
  AttachTextByteGuard(nameFilter, 22);
  nameFilter->installEventFilter(this);
  nameFilter->setEnabled(false);
  allTargets = new QRadioButton("전체", this);
  someTargets = new QRadioButton("일부", this);
  allTargets->setObjectName("Option1(0)");
  someTargets->setObjectName("Option1(1)");
  allTargets->setChecked(true);
  connect(someTargets, &QRadioButton::toggled, nameFilter, &QWidget::setEnabled);

  // Range row and filter row share one line, left to right.
  const int left = kMargin + 1800 + 120;
  rangeCaption->setGeometry(TwipsRect(left, kControlRow + 30, 1380, 300));
  filterCaption->setGeometry(TwipsRect(left, kControlRow + 30, 1380, 300));
  const int boxes[4] = {left + 1400, left + 2060, left + 2820, left + 3480};
  for (int i = 0; i < 4; ++i) rangeBoxes[std::size_t(i)]->setGeometry(TwipsRect(boxes[i], kControlRow, 480, 330));
  firstComma->setGeometry(TwipsRect(left + 1900, kControlRow + 30, 150, 300));
  rangeDash->setGeometry(TwipsRect(left + 2580, kControlRow + 30, 220, 300));
  secondComma->setGeometry(TwipsRect(left + 3320, kControlRow + 30, 150, 300));
  allTargets->setGeometry(TwipsRect(left + 1400, kControlRow + 60, 720, 270));
  someTargets->setGeometry(TwipsRect(left + 2160, kControlRow + 60, 720, 270));
  nameFilter->setGeometry(TwipsRect(left + 2940, kControlRow, 2400, 330));
}

void ExpertDialog::BuildButtons() {
  runButton = new QPushButton("실행", this);
  runButton->setObjectName("cmdOK");
  cancelButton = new QPushButton("취소", this);
  cancelButton->setObjectName("cmdNo");
  runButton->setDefault(true);
  connect(runButton, &QPushButton::clicked, this, &ExpertDialog::Run);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well
}

void ExpertDialog::ShapeForMode() {
  const bool single = mode_ == ExpertMode::Sync;
  static const char* const kCaptions[3] = {"City Location Synchronize", "Data Convert", "Data Transfer"};
  setWindowTitle(kCaptions[int(mode_)]);
  const int width = single ? 5490 : 10890;
  setFixedSize(TwipsToPixels(width - 120), TwipsToPixels(3360 - 420));
  const int okLeft = single ? 3960 : 9330;
  runButton->setGeometry(TwipsRect(okLeft - 300, kControlRow, 660, 360));
  cancelButton->setGeometry(TwipsRect(okLeft + 420, kControlRow, 660, 360));
  transferKind->setVisible(mode_ == ExpertMode::Transfer);
  for (int i = 2; i < 4; ++i) pathFrames[std::size_t(i)]->setEnabled(!single);
  if (single) {
    pathFrames[0]->setTitle("실행파일 경로(*.exe)");
    pathFrames[1]->setTitle("시나리오 파일 경로(scedat*.?n)");
    for (int i = 2; i < 4; ++i) pathFrames[std::size_t(i)]->hide();
  } else if (mode_ == ExpertMode::Transfer) {
    pathFrames[1]->setTitle("원본 시나리오 파일 경로(scedat*.?n)");
    pathFrames[3]->setTitle("대상 시나리오 파일 경로(scedat*.?n)");
  } else {
    editions_ = {Edition::Korean, Edition::Expansion};
  }
  for (auto* w : std::initializer_list<QWidget*>{firstComma, rangeDash, secondComma, rangeCaption, filterCaption,
                                                 rangeBoxes[0], rangeBoxes[1], rangeBoxes[2], rangeBoxes[3], nameFilter,
                                                 allTargets, someTargets})
    w->hide();
  if (mode_ == ExpertMode::Transfer) {
    static const char* const kKinds[kTransferKinds] = {"도시(데이터)", "도시(좌표)", "장군(이름일치)", "장군(이름불일치)",
                                                       "왕비",         "지역",       "문화아이템",     "지형",
                                                       "특산품",       "건물",       "가도",           "방벽"};
    for (const char* k : kKinds) transferKind->addItem(k);
    transferKind->setCurrentIndex(0);
    SelectKind(0);
    connect(transferKind, &QComboBox::currentIndexChanged, this, &ExpertDialog::SelectKind);
  }
}

void ExpertDialog::SetTabOrder() {
  QWidget* const order[] = {pathBoxes[0], browseButtons[0], pathBoxes[1], browseButtons[1], pathBoxes[2],
                           browseButtons[2], pathBoxes[3], browseButtons[3], transferKind, rangeBoxes[0],
                           rangeBoxes[1], rangeBoxes[2], rangeBoxes[3], allTargets, someTargets,
                           nameFilter, runButton, cancelButton};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    setTabOrder(order[i], order[i + 1]);
}


bool ExpertDialog::eventFilter(QObject* watched, QEvent* event) {
  // The name box offers its whole text for replacing, as the number boxes do.
  if (watched == nameFilter && event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
    QTimer::singleShot(0, nameFilter, &QLineEdit::selectAll);
  return QDialog::eventFilter(watched, event);
}

void ExpertDialog::SelectKind(int kind) {
  const bool range = IsMapKind(kind);
  for (QWidget* w : std::initializer_list<QWidget*>{firstComma, rangeDash, secondComma, rangeCaption}) w->setVisible(range);
  for (NumericBox* box : rangeBoxes) box->setVisible(range);
  for (QWidget* w : std::initializer_list<QWidget*>{filterCaption, nameFilter, allTargets, someTargets}) w->setVisible(!range);
}

void ExpertDialog::SetEdition(int index, Edition edition) {
  const int side = index / 2;
  editions_[std::size_t(side)] = edition;
  const char* pattern = edition == Edition::Korean ? "(scedat*.rn)" : edition == Edition::Expansion ? "(scedat*.wn)" : "(scedat*.?n)";
  const QString prefix = side == 1 ? "대상 " : mode_ == ExpertMode::Sync ? "" : "원본 ";
  pathFrames[std::size_t(side * 2 + 1)]->setTitle(prefix + "시나리오 파일 경로" + pattern);
}

void ExpertDialog::Browse(int index) {
  const bool exe = index % 2 == 0;
  const int side = index / 2;
  OpenFileRequest request;
  if (exe) {
    request = {"*.exe|*.exe", "실행파일 경로 검색", QString()};
  } else {
    Edition edition = editions_[std::size_t(side)];
    if (mode_ == ExpertMode::Convert) edition = side == 0 ? Edition::Korean : Edition::Expansion;
    request.filter = edition == Edition::Korean      ? "scedat*.rn|scedat*.rn"
                     : edition == Edition::Expansion ? "scedat*.wn|scedat*.wn"
                                                     : "scedat*.?n|scedat*.?n";
    request.title = "시나리오 파일 경로 검색";
    const std::string exePath = S(pathBoxes[std::size_t(index - 1)]->text());
    if (FileExists(exePath)) request.initialDir = Q(DirOf(exePath));
  }
  const std::string path = S(Dialogs().OpenFile(this, request));
  if (path.empty() || !FileExists(path)) return;

  if (exe) {
    ExeInfo info;
    if (!EXEDataReadInto(path, info)) {
      Say(this, "실행파일의 정보를 읽던 도중 문제가 발견되었습니다.");
      return;
    }
    if (mode_ == ExpertMode::Convert && side == 0 && info.IsQVEdition()) {
      Say(this, "가람누리4 한글판의 실행파일을 지정해야 합니다.");
      return;
    }
    if (mode_ == ExpertMode::Convert && side == 1 && !info.IsQVEdition()) {
      Say(this, "가람누리4 QV의 실행파일을 지정해야 합니다.");
      return;
    }
    info.directory = DirOf(path);
    info.path = path;
    (side == 0 ? SourceExeInfo : TargetExeInfo) = info;
    SetEdition(index + 1, info.IsQVEdition() ? Edition::Expansion : Edition::Korean);
  } else {
    const bool korean = Contains(path, ".rn"), expansion = Contains(path, ".wn");
    const char* refusal = nullptr;
    Edition edition = editions_[std::size_t(side)];
    if (mode_ == ExpertMode::Convert) edition = side == 0 ? Edition::Korean : Edition::Expansion;
    else if (!Contains(path, "scedat")) refusal = "가람누리4의 시나리오 파일을 지정해야 합니다.";
    if (!refusal && mode_ == ExpertMode::Convert && !Contains(path, "scedat"))
      refusal = side == 0 ? "가람누리4 한글판의 시나리오 파일을 지정해야 합니다." : "가람누리4 QV의 시나리오 파일을 지정해야 합니다.";
    if (!refusal && edition == Edition::Korean && !korean) refusal = "가람누리4 한글판의 시나리오 파일을 지정해야 합니다.";
    if (!refusal && edition == Edition::Expansion && !expansion) refusal = "가람누리4 QV의 시나리오 파일을 지정해야 합니다.";
    if (refusal) {
      Say(this, refusal);
      return;
    }
    if (edition == Edition::Undetermined && (korean || expansion))
      SetEdition(index, korean ? Edition::Korean : Edition::Expansion);
  }
  pathBoxes[std::size_t(index)]->setText(Q(path));
}

void ExpertDialog::Run() {
  ExpertRequest request;
  request.mode = mode_;
  request.source = {S(pathBoxes[0]->text()), S(pathBoxes[1]->text())};
  request.target = {S(pathBoxes[2]->text()), S(pathBoxes[3]->text())};
  if (mode_ == ExpertMode::Transfer) request.kind = transferKind->currentIndex();
  request.x1 = rangeBoxes[0]->value();
  request.y1 = rangeBoxes[1]->value();
  request.x2 = rangeBoxes[2]->value();
  request.y2 = rangeBoxes[3]->value();
  if (nameFilter->isEnabled()) request.filter = S(nameFilter->text().trimmed());
  const ExpertOutcome out = RunExpertOperation(request);
  if (out.source) SourceExeInfo = *out.source;
  if (out.target) TargetExeInfo = *out.target;
  Say(this, out.message, out.icon);
}

void OpenExpertDialog(QWidget* owner, int menuIndex) {
  ExpertDialog dialog(owner, menuIndex);
  RunModal(dialog);
}

}  // namespace garam
