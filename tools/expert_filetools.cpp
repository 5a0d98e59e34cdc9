// The Expert menu's file tools. Each builds the new file image first and replaces the file in one
// transaction, so the file is wholly old or wholly new; completion is reported only then.
#include <QString>

#include "data/expert_tools.h"
#include "data/fileio.h"
#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "tools/expert_forms.h"

namespace garam {
namespace {

constexpr const char* kMsgDone = "작업이 완료되었습니다.";
constexpr const char* kMsgWriteFailed = "데이터 저장에 문제가 발생했습니다.";

MsgResult Say(QWidget* owner, const char* text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok,
              const std::string& title = kMsgTitle) {
  return Dialogs().MessageBox(owner, QString::fromUtf8(text), icon, buttons, Q(title));
}

// Replaces the file by image and says how it went.
void Finish(QWidget* owner, const std::string& path, std::optional<Bytes> image) {
  if (image && ReplaceFiles({{path, std::move(*image)}})) Say(owner, kMsgDone, MsgIcon::Information);
  else Say(owner, kMsgWriteFailed, MsgIcon::Critical);
}

const char* CountRefusal(CountAnswer answer) {
  switch (answer) {
    case CountAnswer::Format: return "잘못된 형식으로 입력하였습니다. 작업이 취소됩니다.";
    case CountAnswer::Countries: return "국가수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다.";
    case CountAnswer::Cities: return "도시수 허용범위(1~80)를 초과하였습니다. 작업이 취소됩니다.";
    case CountAnswer::Generals: return "장군수 허용범위(1~500)를 초과하였습니다. 작업이 취소됩니다.";
    case CountAnswer::Consorts: return "왕비수 허용범위(1~200)를 초과하였습니다. 작업이 취소됩니다.";
    default: return nullptr;
  }
}

}  // namespace

void PatchExeCounts(QWidget* owner) {
  const QString chosen = Dialogs().OpenFile(owner, {"실행 파일 (*.exe)|*.exe", "실행 파일 검색", QString()});
  if (chosen.isEmpty()) return;
  const std::string path = S(chosen);
  if (!FileExists(path)) {
    Say(owner, "지정된 경로에서 실행 파일 발견에 실패했습니다.", MsgIcon::Exclamation);
    return;
  }
  // The tables stay local: a later custom load must keep reading the executable it was given.
  ExeInfo info;
  info.path = path;
  info.directory = DirOf(path);
  if (!EXEDataReadInto(path, info)) {
    Say(owner, "실행파일의 정보를 읽던 도중 문제가 발견되었습니다.", MsgIcon::Exclamation);
    return;
  }
  if (FileInUse(path, true)) return;

  for (int n = 1; n <= ScenariosOf(info); ++n) {
    const QString current = Q(CountsText(info, n));
    const QString prompt = QString("시나리오%1의 국가/도시/장군/왕비의 총 갯수는 %2입니다.\r\n\r\n새로운 값을 입력해 주십시오.")
                               .arg(n)
                               .arg(current);
    const auto answer = Dialogs().InputBox(owner, prompt, "국가수/도시수/장군수/왕비수 설정", current);
    ScenarioCounts counts{};
    const CountAnswer result = ParseCountAnswer(answer ? S(*answer) : std::string(), counts);
    if (result == CountAnswer::Empty) return;
    if (const char* refusal = CountRefusal(result)) {
      Say(owner, refusal, MsgIcon::Exclamation);
      return;
    }
    SetCounts(info, n, counts);
  }
  // The game may have started while the prompts were open.
  if (FileInUse(path, true)) return;
  Finish(owner, path, PatchedExeImage(info, CountPlan(info)));
}

void ResetMapLayer(QWidget* owner, MapLayer layer) {
  // By layer, in the order MapLayer declares them.
  static const char* const kLines[4] = {"맵상의 건물에 대한 초기화를 시작합니다.", "맵상의 특산품에 대한 초기화를 시작합니다.",
                                        "맵상의 가도에 대한 초기화를 시작합니다.", "맵상의 해로에 대한 초기화를 시작합니다."};
  const bool fixed = OnFixedMap(layer);
  OpenFileRequest request{fixed ? "고정맵 파일 (mapfix.*)|mapfix.?n" : "가변맵 파일 (mapvar?.*)|mapvar?.?n",
                          "맵 파일 검색", QString()};
  const QString chosen = Dialogs().OpenFile(owner, request);
  if (chosen.isEmpty()) return;
  const std::string path = S(chosen);
  if (!FileExists(path)) {
    Say(owner, "지정된 경로에서 맵 파일 발견에 실패했습니다.", MsgIcon::Exclamation);
    return;
  }
  if (FileSize(path) != MapFileSizeFor(layer)) {
    Say(owner, fixed ? "고정맵 파일의 크기에 문제가 있습니다." : "가변맵 파일의 크기에 문제가 있습니다.", MsgIcon::Exclamation);
    return;
  }
  const std::string question = std::string(kLines[int(layer)]) + "\r\n진행하시겠습니까?";
  if (Say(owner, question.c_str(), MsgIcon::Exclamation, MsgButtons::YesNo, kMsgTitleSpaced) != MsgResult::Yes) return;
  // Read anew after the question: a file that changed meanwhile fails the size test here.
  auto image = ReadWholeFile(path, MapFileSizeFor(layer));
  if (image && !ClearMapLayer(*image, layer)) image.reset();
  Finish(owner, path, std::move(image));
}

}  // namespace garam
