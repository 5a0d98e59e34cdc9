#include "tools/report_command.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "data/fileio.h"
#include "platform/dialogs.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {

constexpr const char* kReportName = "result.txt";

QString FallbackReportPath() {
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  return dir.isEmpty() ? QString() : QDir(dir).filePath(kReportName);
}

std::vector<int> RecordNumbers(const ListView* list) {
  std::vector<int> out;
  for (int i = 0; i < list->count(); ++i) {
    bool ok = false;
    const int n = list->row(i)->tag.toInt(&ok);
    if (ok) out.push_back(n);
  }
  return out;
}

}  // namespace

QString UsageReportPath() {
  const QFileInfo dir(Q(gAppPath));
  if (dir.isDir() && dir.isWritable()) return Q(gAppPath) + kReportName;
  const QString fallback = FallbackReportPath();
  if (!fallback.isEmpty()) QDir().mkpath(QFileInfo(fallback).path());
  return fallback;
}

void RemoveUsageReport() {
  for (const QString& path : {Q(gAppPath) + kReportName, FallbackReportPath()})
    if (!path.isEmpty() && QFileInfo(path).isFile()) QFile::remove(path);
}

void WriteUsageReport(MainWindowLink& w, UsageReportKind kind) {
  UsageReportSource s{gData, gFileKind, gLoadedExeInfo.IsQVEdition(), ScenarioTag(w.ShownFileName()), {}};
  s.rows = {RecordNumbers(w.List(EntityList::Countries)), RecordNumbers(w.List(EntityList::Cities)),
            RecordNumbers(w.List(EntityList::Generals)), RecordNumbers(w.List(EntityList::Consorts))};
  const std::string report = BuildUsageReport(kind, s);
  const QString path = UsageReportPath();
  if (path.isEmpty() ||
      !WriteFileAtomic(S(path), std::span(reinterpret_cast<const std::uint8_t*>(report.data()), report.size()))) {
    Dialogs().MessageBox(w.Window(), QString(kReportName) + " 파일을 쓸 수 없습니다.", MsgIcon::Critical, MsgButtons::Ok,
                         Q(kMsgTitle));
    return;
  }
  Dialogs().OpenTextFile(path);
}

}  // namespace garam
