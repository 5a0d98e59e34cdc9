#include "ui/main/about_box.h"

#include <QKeyEvent>

#include "data/host.h"
#include "platform/twips.h"

namespace garam {

QString AboutBox::CaptionFor(const QString& version) {
  if (version.isEmpty()) return {};
  QChar last = version.back();
  QString particle;
  if (QString("013678").contains(last)) particle = "은...";
  else if (QString("2459").contains(last)) particle = "는...";
  else return {};
  return "가람누리4 에디터 " + version + particle;
}

QString AboutBox::DocumentText(const QString& version) {
  return "가람누리4 에디터 v" + version + " 정보" + "\r\n\r\n\r\n\r\n" + "만든이:가람누리4 에디터 제작팀" +
         "\r\n\r\n" + "최종수정일:2021년 10월 22일" + "\r\n\r\n\r\n" + "지나친 에디트로 게임의 재미를 망치지 맙시다.";
}

AboutBox::AboutBox(QWidget* owner) : QDialog(owner) {
  setObjectName("frmAbout");
  setWindowTitle("가람누리4 에디터 2는...");
  setModal(true);
  setFixedSize(TwipsToPixels(4725), TwipsToPixels(3360));
  if (owner) setWindowIcon(owner->windowIcon());

  document = new QPlainTextEdit(this);
  document->setObjectName("document");
  document->setGeometry(TwipsRect(120, 120, 4455, 2655));
  QFont f("NanumGothicCoding");
  f.setPointSize(9);
  document->setFont(f);
  // The text box shows CR LF as one line break.
  document->setPlainText(DocumentText(kVersion).replace("\r\n", "\n"));
  document->installEventFilter(this);

  okButton = new QPushButton("확인", this);
  okButton->setObjectName("okButton");
  okButton->setGeometry(TwipsRect(3480, 2880, 975, 375));
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);  // Esc rejects, which also closes

  QString caption = CaptionFor(kVersion);
  if (!caption.isEmpty()) setWindowTitle(caption);
}

// A multi-line box would take Enter as a line break; with a default button Enter belongs to it.
bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == document && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
      okButton->click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace garam
