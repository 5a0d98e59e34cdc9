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
#include "ui/common/columntexts.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {
constexpr int kSphereColumn = 1, kOriginColumn = 1;
constexpr int kCultureColumn = 1, kRiseColumn = 2;

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
    : EntityEditor(w, w.List(EntityList::Regions), record, "frmEdit8", "지역 편집", "edt8") {
  edt8Text = new QLineEdit(this);
  edt8Text->setObjectName("edt8Text");
  AttachNameBox(edt8Text, 14);
  edt8Combo = new QComboBox(this);
  edt8Combo->setObjectName("edt8Combo");
  edt8Combo2 = new QComboBox(this);
  edt8Combo2->setObjectName("edt8Combo2");
  auto* frame = new QGroupBox(this);
  frame->setObjectName("edt8Frame");
  auto* inside = new QGridLayout(frame);
  inside->addWidget(Named(new QLabel("이름:", this), "ed8lbl0"), 0, 0);
  inside->addWidget(edt8Text, 0, 1);
  inside->addWidget(Named(new QLabel("문화권:", this), "ed8lbl1"), 1, 0);
  inside->addWidget(edt8Combo, 1, 1);
  auto* content = new QVBoxLayout;
  content->addWidget(frame);
  Finish(content, "변경사항 적용", {lblNo, edt8Combo2});
  SetFocusHint(edt8Text, "이름 입력");
  SetFocusHint(edt8Combo, "문화권 변경");
  SetFocusHint(edt8Combo2, "지역 특성 변경");

  edt8Combo->addItems({"일본", "중국", "몽골", "인도", "이슬람", "동유럽", "서유럽", "없음"});
  for (int i = 0; i <= 20; ++i) edt8Combo2->addItem(QString("섬%1").arg(i, 2, 10, QChar('0')));
  edt8Combo2->addItems({"대륙", "바다"});
  edt8Text->setText(RowCell(list_, row_, 0));
  // A stored value without an entry opens with none chosen, and OK keeps it.
  WithRegion(record, [&](const auto& r) {
    const int sphere = r.get(r.L.sphere), kind = r.get(r.L.kind);
    edt8Combo->setCurrentIndex(sphere <= 7 ? sphere : -1);
    edt8Combo2->setCurrentIndex(kind <= 22 ? kind : -1);
  });
}

void RegionEditor::Apply() {
  if (edt8Text->text().isEmpty()) edt8Text->setText(" ");
  ApplyRegionEdit(record_, {S(edt8Text->text()), edt8Combo->currentIndex(), edt8Combo2->currentIndex()});
}

void RegionEditor::UpdateRows() {
  const QString name = Q(RegionName(record_));
  ListView* consorts = main_.List(EntityList::Consorts);
  for (int i = 0; i < consorts->count(); ++i) {
    ListItem* r = consorts->row(i);
    bool ok = false;
    const int consort = r->tag.toInt(&ok);
    if (ok && ConsortRegion(consort) == record_) consorts->setCell(r, kOriginColumn, name);
  }
  Resort(consorts);
  list_->setCell(row_, 0, name);
  WithRegion(record_, [&](const auto& r) { list_->setCell(row_, kSphereColumn, Q(CultureSphereText(r.get(r.L.sphere)))); });
  Resort(list_);
}

CultureItemEditor::CultureItemEditor(MainWindowLink& w, int record)
    : EntityEditor(w, w.List(EntityList::CultureItems), record, "frmEdit9", "문화아이템 편집", "edt9") {
  edt9Text = new QLineEdit(this);
  edt9Text->setObjectName("edt9Text");
  AttachNameBox(edt9Text, 22);
  auto* descriptions = new PrefixCombo(this);
  edt9Combo[0] = descriptions;
  edt9Combo[1] = new QComboBox(this);
  edt9Combo[2] = new QComboBox(this);
  for (int i = 0; i < 3; ++i) edt9Combo[std::size_t(i)]->setObjectName("edt9Combo" + QString::number(i));
  edt9Text2 = new QPlainTextEdit(this);
  edt9Text2->setObjectName("edt9Text2");
  edt9Text2->setReadOnly(true);
  edt9Text2->setMinimumSize(260, 150);
  edt9Pic = MakePicture(this, "edt9Pic", 80, 80);
  lblNo2 = Named(new QLabel(this), "lblNo2");
  lblNo2->setFrameShape(QFrame::Panel);
  lblNo2->setFrameShadow(QFrame::Sunken);
  lblNo2->setMinimumWidth(36);
  lblNo2->setAlignment(Qt::AlignCenter);

  auto* nameFrame = MakeFrame(this, "이름", "edt9Frame0", {edt9Text});
  auto* textFrame = new QGroupBox("문화아이템 설명", this);
  textFrame->setObjectName("edt9Frame1");
  auto* textLayout = new QVBoxLayout(textFrame);
  textLayout->addWidget(edt9Combo[0]);
  textLayout->addWidget(edt9Text2);
  auto* left = new QVBoxLayout;
  left->addWidget(edt9Pic, 0, Qt::AlignCenter);
  left->addWidget(Named(new QLabel("관련문화", this), "edt9lbl0"));
  left->addWidget(edt9Combo[1]);
  left->addWidget(Named(new QLabel("상 승 치", this), "edt9lbl1"));
  left->addWidget(edt9Combo[2]);
  left->addStretch();
  auto* numbers = new QHBoxLayout;
  numbers->addStretch();
  numbers->addWidget(lblNo);
  numbers->addWidget(lblNo2);
  auto* right = new QVBoxLayout;
  right->addLayout(numbers);
  right->addWidget(nameFrame);
  right->addWidget(textFrame);
  auto* content = new QHBoxLayout;
  content->addLayout(left);
  content->addLayout(right);
  Finish(content, "변경사항 적용");
  SetFocusHint(edt9Text, "이름 입력");
  SetFocusHint(edt9Combo[0], "문화아이템 설명 변경");
  SetFocusHint(edt9Combo[1], "관련 문화 변경(농경~공예)");
  SetFocusHint(edt9Combo[2], "문화 상승치 변경(1~15)");

  edt9Text->setText(RowCell(list_, row_, 0));
  const auto& texts = gData.gCultureItemDescriptions;
  pairs_ = CultureDescriptionPairs(texts.size());
  for (const auto& p : pairs_)
    // A title wider than the name field would lose the field's NUL: cut at a character boundary.
    edt9Combo[0]->addItem(Q(CutToCp949Bytes(Cp949ToUtf8(texts[std::size_t(p.title)]), 22)));
  for (int i = 0; i < 10; ++i) edt9Combo[1]->addItem("  " + Q(CultureFieldName(std::uint8_t(i))));
  for (int i = 1; i <= 15; ++i) edt9Combo[2]->addItem(QString("   %1").arg(i, 2, 10, QChar('0')));

  busy_ = true;
  const auto& item = gData.gCultureItems[std::size_t(record)];
  const int field = item.get(kCultureItemScen.field), rise = item.get(kCultureItemScen.rise) & 0xF;
  const int stored = item.get(kCultureItemScen.description);
  edt9Combo[1]->setCurrentIndex(field <= 9 ? field : -1);
  edt9Combo[2]->setCurrentIndex(rise - 1);
  const int d = std::size_t(stored) < pairs_.size() ? stored : -1;
  descriptions->setRowQuietly(d);
  if (d >= 0) ChooseDescription(d);
  ShowPicture(stored);
  busy_ = false;

  connect(edt9Combo[0], &QComboBox::activated, this, &CultureItemEditor::ChooseDescription);
  connect(descriptions, &PrefixCombo::settled, this, &CultureItemEditor::ChooseDescription);
  connect(edt9Combo[2], &QComboBox::currentIndexChanged, this, [this] { ShowDescription(edt9Combo[0]->currentIndex()); });
}

void CultureItemEditor::ShowDescription(int d) {
  if (d < 0 || std::size_t(d) >= pairs_.size()) return;
  const std::string& text = gData.gCultureItemDescriptions[std::size_t(pairs_[std::size_t(d)].text)];
  edt9Text2->setPlainText(Q(Cp949ToUtf8(RiseFilled(text, edt9Combo[2]->currentIndex() + 1))));
}

void CultureItemEditor::ShowPicture(int cell) {
  if (gBitmapOk[2]) ShowSheetCell(edt9Pic, gItemSheet, cell);
  else edt9Pic->clear();
}

void CultureItemEditor::ChooseDescription(int d) {
  if (d < 0 || std::size_t(d) >= pairs_.size()) return;
  lblNo2->setText(QString::number(d));
  ShowDescription(d);
  if (!busy_) {
    edt9Text->setText(edt9Combo[0]->itemText(d));
    const int field = KeywordCulture(S(edt9Text2->toPlainText()));
    if (field >= 0) edt9Combo[1]->setCurrentIndex(field);
  }
  ShowPicture(d);
}

void CultureItemEditor::Apply() {
  // The settling of typed text, also when the combo never had the focus; the chosen title and
  // its keyword's culture then go into the record.
  static_cast<PrefixCombo*>(edt9Combo[0])->Leave();
  const int d = edt9Combo[0]->currentIndex();
  ChooseDescription(d);
  if (edt9Text->text().isEmpty()) edt9Text->setText(" ");
  busy_ = true;
  ApplyCultureItemEdit(record_, {S(edt9Text->text()), d, edt9Combo[1]->currentIndex(), edt9Combo[2]->currentIndex() + 1});
}

void CultureItemEditor::UpdateRows() {
  const auto& item = gData.gCultureItems[std::size_t(record_)];
  list_->setCell(row_, 0, Q(ReadFixedName(item.bytes(kCultureItemScen.name))));
  list_->setCell(row_, kCultureColumn, Q(CultureFieldName(item.get(kCultureItemScen.field))));
  list_->setCell(row_, kRiseColumn, Q(Padded(item.get(kCultureItemScen.rise) & 0xF, 6)));
  Resort(list_);
}

}  // namespace garam
