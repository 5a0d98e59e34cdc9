// The face pickers: a face chosen by sight from a face sheet, one sheet row to a page.
// MenFacePicker shows the men's faces for the general editor and the create-general dialog,
// WomenFacePicker the women's faces for the consort editor and the create-consort dialog.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <vector>

#include "ui/pickers/pickercallers.h"

namespace garam {

// Whose face is chosen: the general's or consort's being edited, or the one being created.
enum class FacePickerMode { EditedPerson, NewPerson };

class FacePicker : public QDialog {
  Q_OBJECT
 public:
  // Opens on the page of the caller's face with that face marked, without showing the window.
  void Load();
  int ShowModal();

  int CurrentPage() const { return page_; }
  int FacesPerPage() const { return int(faces.size()); }

  void PageClick(int index);  // 0 previous, 1 next, both wrapping around

  QLabel* pageLabel;  // page, page count and the chosen face
  std::array<QPushButton*, 2> pageButtons{};  // previous, next
  std::vector<QLabel*> faces;  // the page's faces, row by row
  QFrame* selection;  // the frame around the chosen face
  void FaceClick(int image);
  void FaceDblClick(int image);

 public:
  struct Design {
    const char* name;
    int widthTwips, heightTwips;
    int labelWidthTwips, labelHeightTwips;
    int nextLeftTwips, buttonHeightTwips;
    int imageRows, imageCols;
  };

 protected:
  FacePicker(QWidget* owner, const PickerCallers& callers, FacePickerMode mode, const Design& design);

  virtual int Sheet() const = 0;
  virtual int PagesOf(int sheetRows) const = 0;
  virtual int CallerFace() const = 0;
  virtual void AnswerCaller(int face, const QImage& picture) = 0;

  bool eventFilter(QObject* watched, QEvent* event) override;

  PickerCallers callers_;
  FacePickerMode mode_;

 private:
  void WritePageLabel();
  void ShowPage();
  void Mark(int image);
  int page_ = 1, pageCount_ = 1, chosen_ = -1;
  bool answered_ = false;
};

class MenFacePicker : public FacePicker {
  Q_OBJECT
 public:
  MenFacePicker(QWidget* owner, const PickerCallers& callers, FacePickerMode mode);

 protected:
  int Sheet() const override;
  int PagesOf(int sheetRows) const override { return sheetRows; }
  int CallerFace() const override;
  void AnswerCaller(int face, const QImage& picture) override;
};

class WomenFacePicker : public FacePicker {
  Q_OBJECT
 public:
  WomenFacePicker(QWidget* owner, const PickerCallers& callers, FacePickerMode mode);

 protected:
  int Sheet() const override;
  // Never more than 13 pages, so no face above 181 is offered and every answer fits a byte.
  int PagesOf(int sheetRows) const override { return 13 * (sheetRows >= 13 ? 1 : 0) + sheetRows % 13; }
  int CallerFace() const override;
  void AnswerCaller(int face, const QImage& picture) override;
};

}  // namespace garam
