#include "ui/pickers/face_picker.h"

#include <QMouseEvent>
#include <algorithm>

#include "data/bitmaps.h"
#include "data/gamedata.h"
#include "platform/modal.h"
#include "platform/pictureclip.h"
#include "platform/twips.h"

namespace garam {

namespace {
constexpr int kImageLeft = 240, kImageTop = 240, kImageWidth = 960, kImageHeight = 1200;

void SetPicture(QLabel* label, const QImage& picture) {
  // A blank cell (a sheet that is not loaded) leaves the caller's picture as it was.
  if (label && !picture.isNull()) label->setPixmap(QPixmap::fromImage(picture));
}
}  // namespace

FacePicker::FacePicker(QWidget* owner, const PickerCallers& callers, FacePickerMode mode, const Design& d)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), callers_(callers), mode_(mode) {
  setObjectName(d.name);
  setWindowTitle("얼굴 선택");
  setModal(true);
  setFixedSize(TwipsToPixels(d.widthTwips), TwipsToPixels(d.heightTwips));

  pageLabel = new QLabel(this);
  pageLabel->setObjectName("pageLabel");
  pageLabel->setGeometry(TwipsRect(0, 0, d.labelWidthTwips, d.labelHeightTwips));
  pageLabel->setAlignment(Qt::AlignCenter);

  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(i == 0 ? "<" : ">", this);
    b->setObjectName(i == 0 ? "previousPageButton" : "nextPageButton");
    b->setGeometry(TwipsRect(i == 0 ? 0 : d.nextLeftTwips, kImageTop, 230, d.buttonHeightTwips));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, i] { PageClick(i); });
    pageButtons[std::size_t(i)] = b;
  }

  for (int r = 0; r < d.imageRows; ++r)
    for (int c = 0; c < d.imageCols; ++c) {
      auto* image = new QLabel(this);
      image->setObjectName("face" + QString::number(faces.size()));
      image->setGeometry(TwipsRect(kImageLeft + kImageWidth * c, kImageTop + kImageHeight * r, kImageWidth, kImageHeight));
      image->installEventFilter(this);
      faces.push_back(image);
    }

  selection = new QFrame(this);
  selection->setObjectName("selection");
  selection->setGeometry(TwipsRect(kImageLeft, kImageTop, kImageWidth, kImageHeight));
  selection->setStyleSheet("border: 2px solid red; background: transparent;");
  selection->setAttribute(Qt::WA_TransparentForMouseEvents);
  selection->hide();
}

void FacePicker::Load() {
  answered_ = false;
  const int n = FacesPerPage();
  pageCount_ = std::max(1, PagesOf(MaskData(Sheet()).Rows()));
  const int face = CallerFace();
  // A face the pages do not offer opens the first page unmarked rather than a page past the sheet.
  const bool offered = face >= 0 && face / n + 1 <= pageCount_;
  page_ = offered ? face / n + 1 : 1;
  chosen_ = -1;
  selection->hide();
  WritePageLabel();
  ShowPage();
  if (offered) FaceClick(face % n);
}

int FacePicker::ShowModal() {
  Load();
  return RunModal(*this);
}

void FacePicker::WritePageLabel() {
  QString text = QString("%1/%2").arg(page_, 2, 10, QChar('0')).arg(pageCount_);
  text += chosen_ < 0 ? QString("(---)") : QString("(%1)").arg(chosen_, 3, 10, QChar('0'));
  pageLabel->setText(text);
}

void FacePicker::ShowPage() {
  const PictureClip& sheet = MaskData(Sheet());
  const int n = FacesPerPage();
  for (int i = 0; i < n; ++i) {
    // Cell() is blank past the sheet's last cell, so nothing beyond the sheet is ever read.
    const QImage cell = sheet.Cell((page_ - 1) * n + i);
    if (cell.isNull()) faces[std::size_t(i)]->clear();
    else faces[std::size_t(i)]->setPixmap(QPixmap::fromImage(cell));
  }
}

void FacePicker::PageClick(int index) {
  if (index == 1) page_ = page_ + 1 > pageCount_ ? 1 : page_ + 1;
  else page_ = page_ == 1 ? pageCount_ : page_ - 1;
  chosen_ = -1;
  WritePageLabel();
  ShowPage();
  selection->hide();
}

void FacePicker::Mark(int image) {
  selection->move(faces[std::size_t(image)]->pos());
  selection->show();
  selection->raise();
  chosen_ = (page_ - 1) * FacesPerPage() + image;
}

void FacePicker::FaceClick(int image) {
  if (image < 0 || image >= FacesPerPage()) return;
  Mark(image);
  WritePageLabel();
}

void FacePicker::FaceDblClick(int image) {
  if (answered_ || image < 0 || image >= FacesPerPage()) return;
  Mark(image);
  answered_ = true;
  AnswerCaller(chosen_, MaskData(Sheet()).Cell(chosen_));
  done(Accepted);
}

bool FacePicker::eventFilter(QObject* watched, QEvent* event) {
  const auto t = event->type();
  if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick) {
    for (std::size_t i = 0; i < faces.size(); ++i) {
      if (watched != faces[i]) continue;
      auto* m = static_cast<QMouseEvent*>(event);
      if (t == QEvent::MouseButtonPress && m->button() == Qt::RightButton) reject();
      else if (t == QEvent::MouseButtonRelease && m->button() == Qt::LeftButton &&
               faces[i]->rect().contains(m->position().toPoint()))
        FaceClick(int(i));
      else if (t == QEvent::MouseButtonDblClick && m->button() == Qt::LeftButton)
        FaceDblClick(int(i));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

namespace {
const FacePicker::Design kMenDesign{"frmMaskView1", 5265, 5040, 5260, 225, 5080, 4815, 4, 5};
const FacePicker::Design kWomenDesign{"frmMaskView2", 7200, 2640, 7200, 230, 7000, 2415, 2, 7};
}  // namespace

MenFacePicker::MenFacePicker(QWidget* owner, const PickerCallers& callers, FacePickerMode mode)
    : FacePicker(owner, callers, mode, kMenDesign) {}

int MenFacePicker::Sheet() const { return gFaceSheetMen; }

int MenFacePicker::CallerFace() const {
  if (mode_ == FacePickerMode::EditedPerson) return callers_.generalEditor ? callers_.generalEditor->FaceNo() : 0;
  return callers_.createGeneral ? callers_.createGeneral->FaceNo() : 0;
}

void MenFacePicker::AnswerCaller(int face, const QImage& picture) {
  if (mode_ == FacePickerMode::EditedPerson) {
    if (GeneralEditorCaller* e = callers_.generalEditor) {
      e->SetFaceNo(std::int16_t(face));
      SetPicture(e->FaceLabel(), picture);
    }
  } else if (CreateGeneralCaller* a = callers_.createGeneral) {
    a->SetFaceNo(std::int16_t(face));
    SetPicture(a->NewGeneralFaceLabel(), picture);
  }
}

WomenFacePicker::WomenFacePicker(QWidget* owner, const PickerCallers& callers, FacePickerMode mode)
    : FacePicker(owner, callers, mode, kWomenDesign) {}

int WomenFacePicker::Sheet() const { return gFaceSheetWomen; }

int WomenFacePicker::CallerFace() const {
  if (mode_ == FacePickerMode::EditedPerson) return callers_.consortEditor ? callers_.consortEditor->FaceNo() : 0;
  return callers_.createConsort ? callers_.createConsort->FaceNo() : 0;
}

void WomenFacePicker::AnswerCaller(int face, const QImage& picture) {
  if (mode_ == FacePickerMode::EditedPerson) {
    if (ConsortEditorCaller* e = callers_.consortEditor) {
      e->SetFaceNo(std::uint8_t(face));
      SetPicture(e->ConsortFaceLabel(), picture);
    }
  } else if (CreateConsortCaller* a = callers_.createConsort) {
    a->SetFaceNo(std::uint8_t(face));
    SetPicture(a->NewConsortFaceLabel(), picture);
  }
}

}  // namespace garam
