#include "platform/textviewer.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QVBoxLayout>

#include "data/cp949.h"
#include "data/fileio.h"
#include "platform/dialogs.h"

namespace garam {
namespace {
// The reports and the manual are a few hundred kilobytes at most.
constexpr std::uint64_t kMaxViewedBytes = 64u << 20;
}  // namespace

QFont ColumnFont() {
  // A coding font has Hangul of double width.
  QFont fixed = QFontDatabase::hasFamily("NanumGothicCoding") ? QFont("NanumGothicCoding")
                                                              : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::Monospace);
  fixed.setFixedPitch(true);
  return fixed;
}

TextViewer::TextViewer(const QString& path, QWidget* parent) : QDialog(parent) {
  setObjectName("TextViewer");
  setWindowTitle(QFileInfo(path).fileName());
  setSizeGripEnabled(true);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("TextViewerText");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The report's columns line up as the game's tools padded them.
  text_->setFont(ColumnFont());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  resize(720, 560);
  if (auto bytes = ReadWholeFile(S(path), kMaxViewedBytes)) {
    ok_ = true;
    QString s = Q(Cp949ToUtf8(std::span<const std::uint8_t>(*bytes)));
    s.replace("\r\n", "\n");
    text_->setPlainText(s);
  }
}

}  // namespace garam
