#include "editors/others/region_culture_editors.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/other_edits.h"
#include "data/record_access.h"
#include "platform/dialogs.h"
#include "platform/editorkit.h"
#include "platform/pictureclip.h"
#include "ui/common/listcolumns.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {
// The names' fields keep room for their NUL.
constexpr int kRegionNameBytes = int(kRegionScen.name.width) - 1, kItemNameBytes = int(kCultureItemScen.name.width) - 1;
static_assert(kRegionSave.name.width == kRegionScen.name.width);
// The sphere list ends in "없음", the region-kind list in "바다".
constexpr int kLastSphere = kNoSphere;
constexpr int kLastField = kCultureFields - 1, kMaxRise = 15;

int ConsortRegion(int consort) {
  int region = -1;
  WithConsort(consort, [&](const auto& q) { region = q.get(q.L.region); });
  return region;
}

QLabel* Named(QLabel* l, const QString& name) {
  l->setObjectName(name);
  return l;
}

}  // namespace

RegionEditor::RegionEditor(MainWindowLink& w, int record)
    : EntityEditor(w, EntityList::Regions, record, "frmEdit8", "지역 편집") {
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  AttachNameBox(nameBox, kRegionNameBytes);
  sphereCombo = new QComboBox(this);
  sphereCombo->setObjectName("sphereCombo");
  kindCombo = new QComboBox(this);
  kindCombo->setObjectName("kindCombo");
  auto* frame = new QGroupBox(this);
  frame->setObjectName("regionFrame");
  auto* inside = new QGridLayout(frame);
  inside->addWidget(Named(new QLabel("이름:", this), "nameCaption"), 0, 0);
  inside->addWidget(nameBox, 0, 1);
  inside->addWidget(Named(new QLabel("문화권:", this), "sphereCaption"), 1, 0);
  inside->addWidget(sphereCombo, 1, 1);
  auto* content = new QVBoxLayout;
  content->addWidget(frame);
  Finish(content, "변경사항 적용", {recordNumber, kindCombo});
  SetFocusHint(nameBox, "이름 입력");
  SetFocusHint(sphereCombo, "문화권 변경");
  SetFocusHint(kindCombo, "지역 특성 변경");

  sphereCombo->addItems(CultureSphereNames() << Q(CultureSphereName(kNoSphere)));
  for (int i = 0; i < kIslandKinds; ++i) kindCombo->addItem(QString("섬%1").arg(i, 2, 10, QChar('0')));
  kindCombo->addItems({"대륙", "바다"});
  nameBox->setText(RowCell(list_, row_, RegionColumn::Name));
  // A stored value without an entry opens with none chosen, and OK keeps it.
  WithRegion(record, [&](const auto& r) {
    const int sphere = r.get(r.L.sphere), kind = r.get(r.L.kind);
    sphereCombo->setCurrentIndex(sphere <= kLastSphere ? sphere : -1);
    kindCombo->setCurrentIndex(kind <= kLastRegionKind ? kind : -1);
  });
}

void RegionEditor::Apply() {
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  ApplyRegionEdit(record_, {S(nameBox->text()), sphereCombo->currentIndex(), kindCombo->currentIndex()});
}

void RegionEditor::UpdateRows() {
  // The consorts' origin column shows the region's name.
  RefreshRowsWhere(EntityList::Consorts, [this](int consort) { return ConsortRegion(consort) == record_; });
  Resort(main_.List(EntityList::Consorts));
  main_.RefreshRow(EntityList::Regions, record_);
  Resort(list_);
}

CultureItemEditor::CultureItemEditor(MainWindowLink& w, int record)
    : EntityEditor(w, EntityList::CultureItems, record, "frmEdit9", "문화아이템 편집") {
  MakeControls();
  LayOut();
  FillChoices();
  Open(record);
  connect(descriptionCombo, &QComboBox::activated, this, &CultureItemEditor::ChooseDescription);
  connect(descriptionCombo, &PrefixCombo::settled, this, &CultureItemEditor::ChooseDescription);
  connect(riseCombo, &QComboBox::currentIndexChanged, this, [this] { ShowDescription(descriptionCombo->currentIndex()); });
}

void CultureItemEditor::MakeControls() {
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  AttachNameBox(nameBox, kItemNameBytes);
  descriptionCombo = new PrefixCombo(this);
  descriptionCombo->setObjectName("descriptionCombo");
  cultureCombo = new QComboBox(this);
  cultureCombo->setObjectName("cultureCombo");
  riseCombo = new QComboBox(this);
  riseCombo->setObjectName("riseCombo");
  descriptionText = new QPlainTextEdit(this);
  descriptionText->setObjectName("descriptionText");
  descriptionText->setReadOnly(true);
  descriptionText->setMinimumSize(260, 150);
  picture = MakePicture(this, "picture", 80, 80);
  descriptionNumber = MakeNumberPanel(this, "descriptionNumber");
}

void CultureItemEditor::LayOut() {
  auto* nameFrame = MakeFrame(this, "이름", "nameFrame", {nameBox});
  auto* textFrame = new QGroupBox("문화아이템 설명", this);
  textFrame->setObjectName("descriptionFrame");
  auto* textLayout = new QVBoxLayout(textFrame);
  textLayout->addWidget(descriptionCombo);
  textLayout->addWidget(descriptionText);
  auto* left = new QVBoxLayout;
  left->addWidget(picture, 0, Qt::AlignCenter);
  left->addWidget(Named(new QLabel("관련문화", this), "cultureCaption"));
  left->addWidget(cultureCombo);
  left->addWidget(Named(new QLabel("상 승 치", this), "riseCaption"));
  left->addWidget(riseCombo);
  left->addStretch();
  auto* numbers = new QHBoxLayout;
  numbers->addStretch();
  numbers->addWidget(recordNumber);
  numbers->addWidget(descriptionNumber);
  auto* right = new QVBoxLayout;
  right->addLayout(numbers);
  right->addWidget(nameFrame);
  right->addWidget(textFrame);
  auto* content = new QHBoxLayout;
  content->addLayout(left);
  content->addLayout(right);
  Finish(content, "변경사항 적용");
  SetFocusHint(nameBox, "이름 입력");
  SetFocusHint(descriptionCombo, "문화아이템 설명 변경");
  SetFocusHint(cultureCombo, "관련 문화 변경(농경~공예)");
  SetFocusHint(riseCombo, "문화 상승치 변경(1~15)");
}

void CultureItemEditor::FillChoices() {
  const auto& texts = gData.gCultureItemDescriptions;
  pairs_ = CultureDescriptionPairs(texts.size());
  for (const auto& p : pairs_)
    // A title wider than the name field would lose the field's NUL: cut at a character boundary.
    descriptionCombo->addItem(Q(CutToCp949Bytes(Cp949ToUtf8(texts[std::size_t(p.title)]), kItemNameBytes)));
  for (int i = 0; i < kCultureFields; ++i) cultureCombo->addItem("  " + Q(CultureFieldName(std::uint8_t(i))));
  for (int i = 1; i <= kMaxRise; ++i) riseCombo->addItem(QString("   %1").arg(i, 2, 10, QChar('0')));
}

void CultureItemEditor::Open(int record) {
  nameBox->setText(RowCell(list_, row_, CultureItemColumn::Name));
  busy_ = true;
  const auto& item = gData.gCultureItems[std::size_t(record)];
  const int field = item.get(kCultureItemScen.field), rise = item.get(kCultureItemScen.rise) & 0xF;
  const int stored = item.get(kCultureItemScen.description);
  cultureCombo->setCurrentIndex(field <= kLastField ? field : -1);
  riseCombo->setCurrentIndex(rise - 1);
  const int d = std::size_t(stored) < pairs_.size() ? stored : -1;
  descriptionCombo->setRowQuietly(d);
  if (d >= 0) ChooseDescription(d);
  ShowPicture(stored);
  busy_ = false;
}

void CultureItemEditor::ShowDescription(int d) {
  if (d < 0 || std::size_t(d) >= pairs_.size()) return;
  const std::string& text = gData.gCultureItemDescriptions[std::size_t(pairs_[std::size_t(d)].text)];
  descriptionText->setPlainText(Q(Cp949ToUtf8(RiseFilled(text, riseCombo->currentIndex() + 1))));
}

void CultureItemEditor::ShowPicture(int cell) {
  if (gBitmapOk[2]) ShowSheetCell(picture, gItemSheet, cell);
  else picture->clear();
}

void CultureItemEditor::ChooseDescription(int d) {
  if (d < 0 || std::size_t(d) >= pairs_.size()) return;
  descriptionNumber->setText(QString::number(d));
  ShowDescription(d);
  if (!busy_) {
    nameBox->setText(descriptionCombo->itemText(d));
    const int field = KeywordCulture(S(descriptionText->toPlainText()));
    if (field >= 0) cultureCombo->setCurrentIndex(field);
  }
  ShowPicture(d);
}

void CultureItemEditor::Apply() {
  // The settling of typed text, also when the combo never had the focus; the chosen title and
  // its keyword's culture then go into the record.
  descriptionCombo->Leave();
  const int d = descriptionCombo->currentIndex();
  ChooseDescription(d);
  if (nameBox->text().isEmpty()) nameBox->setText(" ");
  busy_ = true;
  ApplyCultureItemEdit(record_, {S(nameBox->text()), d, cultureCombo->currentIndex(), riseCombo->currentIndex() + 1});
}

void CultureItemEditor::UpdateRows() {
  main_.RefreshRow(EntityList::CultureItems, record_);
  Resort(list_);
}

}  // namespace garam
