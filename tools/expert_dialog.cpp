#include "tools/expert_dialog.h"

#include <QFocusEvent>
#include <QTimer>

#include "data/exeinfo.h"
#include "data/fileio.h"
#include "data/gamedata.h"
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

// The slots in their order on the dialog, with the names their controls go by.
constexpr std::array<ExpertDialog::PathSlot, ExpertDialog::kPathSlots> kPaths{
    ExpertDialog::PathSlot::SourceExe, ExpertDialog::PathSlot::SourceScenario, ExpertDialog::PathSlot::TargetExe,
    ExpertDialog::PathSlot::TargetScenario};
const char* const kPathNames[ExpertDialog::kPathSlots] = {"sourceExe", "sourceScenario", "targetExe", "targetScenario"};
const char* const kRangeNames[ExpertDialog::kRangeSlots] = {"rangeLeft", "rangeTop", "rangeRight", "rangeBottom"};

}  // namespace

ExpertDialog::ExpertDialog(QWidget* owner, ExpertMode mode) : QDialog(owner), mode_(mode) {
  setObjectName("frmSetting");
  if (owner) setWindowIcon(owner->windowIcon());
  BuildPathFrames();
  BuildTransferRow();
  BuildButtons();
  ShapeForMode();
  SetTabOrder();
}

void ExpertDialog::BuildPathFrames() {
  static const char* const kFrames[kPathSlots] = {"원본 실행파일 경로(*.exe)", "원본 시나리오 파일 경로(scedat*.rn)",
                                                  "대상 실행파일 경로(*.exe)", "대상 시나리오 파일 경로(scedat*.wn)"};
  for (const PathSlot slot : kPaths) {
    const int i = int(slot);
    const std::size_t k = std::size_t(i);
    const QString name = kPathNames[i];
    // The sides stand in two columns, each executable above its scenario.
    pathFrames_[k] = new QGroupBox(kFrames[i], this);
    pathFrames_[k]->setObjectName(name + "Frame");
    pathFrames_[k]->setGeometry(TwipsRect(kMargin + (i / 2) * (kFrameWidth + 120), kMargin + (i % 2) * (kFrameHeight + 60),
                                          kFrameWidth, kFrameHeight));
    pathBoxes_[k] = new QLineEdit(pathFrames_[k]);
    pathBoxes_[k]->setObjectName(name + "Path");
    pathBoxes_[k]->setGeometry(TwipsRect(120, 400, 4380, 375));
    browseButtons_[k] = new QPushButton("...", pathFrames_[k]);
    browseButtons_[k]->setObjectName(name + "Browse");
    browseButtons_[k]->setGeometry(TwipsRect(4560, 400, 495, 375));
    browseButtons_[k]->setAutoDefault(false);
    connect(browseButtons_[k], &QPushButton::clicked, this, [this, slot] { Browse(slot); });
  }
}

void ExpertDialog::BuildTransferRow() {
  transferKind = new QComboBox(this);
  transferKind->setObjectName("transferKind");
  transferKind->setGeometry(TwipsRect(kMargin, kControlRow, 1800, 330));
  struct Caption {
    QLabel** label;
    const char* text;
    const char* name;
  };
  const Caption captions[] = {{&firstComma, "，", "firstComma"},
                              {&rangeDash, "─", "rangeDash"},
                              {&secondComma, "，", "secondComma"},
                              {&rangeCaption, "좌표 범위 설정 :", "rangeCaption"},
                              {&filterCaption, "적용 대상 설정 :", "filterCaption"}};
  for (const Caption& c : captions) {
    *c.label = new QLabel(c.text, this);
    (*c.label)->setObjectName(c.name);
  }
  BuildRangeBoxes();
  BuildNameFilter();
  PlaceTransferRow();
}

void ExpertDialog::BuildRangeBoxes() {
  for (int i = 0; i < kRangeSlots; ++i) {
    // Left and right are columns, top and bottom rows; the range starts as the whole grid.
    const int last = RangeSlot(i) == RangeSlot::Left || RangeSlot(i) == RangeSlot::Right ? kMapWidth - 1 : kMapHeight - 1;
    auto* box = rangeBoxes_[std::size_t(i)] = new NumericBox(this);
    box->setObjectName(kRangeNames[i]);
    box->setRange(0, last);
    box->setTypedLimit(3);
    box->setText(QString::number(i < 2 ? 0 : last));
    // Enter reaches "실행" without a focus change; the run clamps again for itself.
    connect(box, &QLineEdit::editingFinished, box, &NumericBox::Clamp);
  }
}

void ExpertDialog::BuildNameFilter() {
  nameFilter = new QLineEdit(this);
  nameFilter->setObjectName("nameFilter");
  AttachTextByteGuard(nameFilter, 22);
  nameFilter->installEventFilter(this);
  nameFilter->setEnabled(false);
  allTargets = new QRadioButton("전체", this);
  someTargets = new QRadioButton("일부", this);
  allTargets->setObjectName("allTargets");
  someTargets->setObjectName("someTargets");
  allTargets->setChecked(true);
  connect(someTargets, &QRadioButton::toggled, nameFilter, &QWidget::setEnabled);
}

void ExpertDialog::PlaceTransferRow() {
  // Range row and filter row share one line, left to right.
  const int left = kMargin + 1800 + 120;
  rangeCaption->setGeometry(TwipsRect(left, kControlRow + 30, 1380, 300));
  filterCaption->setGeometry(TwipsRect(left, kControlRow + 30, 1380, 300));
  const int boxes[kRangeSlots] = {left + 1400, left + 2060, left + 2820, left + 3480};
  for (int i = 0; i < kRangeSlots; ++i) rangeBoxes_[std::size_t(i)]->setGeometry(TwipsRect(boxes[i], kControlRow, 480, 330));
  firstComma->setGeometry(TwipsRect(left + 1900, kControlRow + 30, 150, 300));
  rangeDash->setGeometry(TwipsRect(left + 2580, kControlRow + 30, 220, 300));
  secondComma->setGeometry(TwipsRect(left + 3320, kControlRow + 30, 150, 300));
  allTargets->setGeometry(TwipsRect(left + 1400, kControlRow + 60, 720, 270));
  someTargets->setGeometry(TwipsRect(left + 2160, kControlRow + 60, 720, 270));
  nameFilter->setGeometry(TwipsRect(left + 2940, kControlRow, 2400, 330));
}

void ExpertDialog::BuildButtons() {
  runButton = new QPushButton("실행", this);
  runButton->setObjectName("runButton");
  cancelButton = new QPushButton("취소", this);
  cancelButton->setObjectName("cancelButton");
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
  ShapePathFrames();
  for (auto* w : std::initializer_list<QWidget*>{firstComma, rangeDash, secondComma, rangeCaption, filterCaption,
                                                 rangeBoxes_[0], rangeBoxes_[1], rangeBoxes_[2], rangeBoxes_[3], nameFilter,
                                                 allTargets, someTargets})
    w->hide();
  if (mode_ == ExpertMode::Transfer) FillTransferKinds();
}

void ExpertDialog::ShapePathFrames() {
  using P = PathSlot;
  const bool single = mode_ == ExpertMode::Sync;
  for (const P slot : {P::TargetExe, P::TargetScenario}) PathFrame(slot)->setEnabled(!single);
  if (single) {
    PathFrame(P::SourceExe)->setTitle("실행파일 경로(*.exe)");
    PathFrame(P::SourceScenario)->setTitle("시나리오 파일 경로(scedat*.?n)");
    for (const P slot : {P::TargetExe, P::TargetScenario}) PathFrame(slot)->hide();
  } else if (mode_ == ExpertMode::Transfer) {
    PathFrame(P::SourceScenario)->setTitle("원본 시나리오 파일 경로(scedat*.?n)");
    PathFrame(P::TargetScenario)->setTitle("대상 시나리오 파일 경로(scedat*.?n)");
  } else {
    editions_ = {Edition::Korean, Edition::Expansion};
  }
}

void ExpertDialog::FillTransferKinds() {
  static const char* const kKinds[kTransferKinds] = {"도시(데이터)", "도시(좌표)", "장군(이름일치)", "장군(이름불일치)",
                                                     "왕비",         "지역",       "문화아이템",     "지형",
                                                     "특산품",       "건물",       "가도",           "방벽"};
  for (const char* k : kKinds) transferKind->addItem(k);
  transferKind->setCurrentIndex(0);
  SelectKind(0);
  connect(transferKind, &QComboBox::currentIndexChanged, this, &ExpertDialog::SelectKind);
}

void ExpertDialog::SetTabOrder() {
  using P = PathSlot;
  using R = RangeSlot;
  QWidget* const order[] = {PathBox(P::SourceExe),      BrowseButton(P::SourceExe), PathBox(P::SourceScenario),
                            BrowseButton(P::SourceScenario), PathBox(P::TargetExe),   BrowseButton(P::TargetExe),
                            PathBox(P::TargetScenario), BrowseButton(P::TargetScenario), transferKind,
                            RangeBox(R::Left),          RangeBox(R::Top),           RangeBox(R::Right),
                            RangeBox(R::Bottom),        allTargets,                 someTargets,
                            nameFilter,                 runButton,                  cancelButton};
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
  for (NumericBox* box : rangeBoxes_) box->setVisible(range);
  for (QWidget* w : std::initializer_list<QWidget*>{filterCaption, nameFilter, allTargets, someTargets}) w->setVisible(!range);
}

ExpertDialog::Edition ExpertDialog::ScenarioEdition(Side side) const {
  if (mode_ == ExpertMode::Convert) return side == Side::Source ? Edition::Korean : Edition::Expansion;
  return editions_[std::size_t(side)];
}

void ExpertDialog::SetEdition(Side side, Edition edition) {
  editions_[std::size_t(side)] = edition;
  const char* pattern = edition == Edition::Korean ? "(scedat*.rn)" : edition == Edition::Expansion ? "(scedat*.wn)" : "(scedat*.?n)";
  const QString prefix = side == Side::Target ? "대상 " : mode_ == ExpertMode::Sync ? "" : "원본 ";
  PathFrame(ScenarioOf(side))->setTitle(prefix + "시나리오 파일 경로" + pattern);
}

void ExpertDialog::Browse(PathSlot slot) {
  OpenFileRequest request;
  if (IsExe(slot)) {
    request = {"*.exe|*.exe", "실행파일 경로 검색", QString()};
  } else {
    const Side side = SideOf(slot);
    const Edition edition = ScenarioEdition(side);
    request.filter = edition == Edition::Korean      ? "scedat*.rn|scedat*.rn"
                     : edition == Edition::Expansion ? "scedat*.wn|scedat*.wn"
                                                     : "scedat*.?n|scedat*.?n";
    request.title = "시나리오 파일 경로 검색";
    // The search starts beside the side's executable.
    const std::string exePath = S(PathBox(ExeOf(side))->text());
    if (FileExists(exePath)) request.initialDir = Q(DirOf(exePath));
  }
  const std::string path = S(Dialogs().OpenFile(this, request));
  if (path.empty() || !FileExists(path)) return;
  if (IsExe(slot)) AcceptExe(slot, path);
  else AcceptScenario(slot, path);
}

void ExpertDialog::AcceptExe(PathSlot slot, const std::string& path) {
  const Side side = SideOf(slot);
  ExeInfo info;
  if (!EXEDataReadInto(path, info)) {
    Say(this, "실행파일의 정보를 읽던 도중 문제가 발견되었습니다.");
    return;
  }
  if (mode_ == ExpertMode::Convert && side == Side::Source && info.IsQVEdition()) {
    Say(this, "가람누리4 한글판의 실행파일을 지정해야 합니다.");
    return;
  }
  if (mode_ == ExpertMode::Convert && side == Side::Target && !info.IsQVEdition()) {
    Say(this, "가람누리4 QV의 실행파일을 지정해야 합니다.");
    return;
  }
  SetEdition(side, info.IsQVEdition() ? Edition::Expansion : Edition::Korean);
  PathBox(slot)->setText(Q(path));
}

void ExpertDialog::AcceptScenario(PathSlot slot, const std::string& path) {
  const Side side = SideOf(slot);
  const bool korean = Contains(path, ".rn"), expansion = Contains(path, ".wn");
  const char* refusal = nullptr;
  const Edition edition = ScenarioEdition(side);
  if (mode_ != ExpertMode::Convert && !Contains(path, "scedat")) refusal = "가람누리4의 시나리오 파일을 지정해야 합니다.";
  if (!refusal && mode_ == ExpertMode::Convert && !Contains(path, "scedat"))
    refusal = side == Side::Source ? "가람누리4 한글판의 시나리오 파일을 지정해야 합니다." : "가람누리4 QV의 시나리오 파일을 지정해야 합니다.";
  if (!refusal && edition == Edition::Korean && !korean) refusal = "가람누리4 한글판의 시나리오 파일을 지정해야 합니다.";
  if (!refusal && edition == Edition::Expansion && !expansion) refusal = "가람누리4 QV의 시나리오 파일을 지정해야 합니다.";
  if (refusal) {
    Say(this, refusal);
    return;
  }
  if (edition == Edition::Undetermined && (korean || expansion)) SetEdition(side, korean ? Edition::Korean : Edition::Expansion);
  PathBox(slot)->setText(Q(path));
}

void ExpertDialog::Run() {
  using P = PathSlot;
  using R = RangeSlot;
  ExpertRequest request;
  request.mode = mode_;
  request.source = {S(PathBox(P::SourceExe)->text()), S(PathBox(P::SourceScenario)->text())};
  request.target = {S(PathBox(P::TargetExe)->text()), S(PathBox(P::TargetScenario)->text())};
  if (mode_ == ExpertMode::Transfer) request.kind = transferKind->currentIndex();
  request.x1 = RangeBox(R::Left)->value();
  request.y1 = RangeBox(R::Top)->value();
  request.x2 = RangeBox(R::Right)->value();
  request.y2 = RangeBox(R::Bottom)->value();
  if (nameFilter->isEnabled()) request.filter = S(nameFilter->text().trimmed());
  const ExpertOutcome out = RunExpertOperation(request);
  Say(this, out.message, out.icon);
}

void OpenExpertDialog(QWidget* owner, ExpertMode mode) {
  ExpertDialog dialog(owner, mode);
  RunModal(dialog);
}

}  // namespace garam
