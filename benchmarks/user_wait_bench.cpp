// What the user waits for after choosing a file in the custom load: the command re-reads the
// executable, loads the file, builds the map display cache and fills the main window's lists, the
// progress window shown meanwhile. The largest save and the largest scenario of each edition,
// through the main window's own command, beside the reader-only measurements of save_bench and
// scenario_bench.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "benchmarks/largest_save.h"
#include "benchmarks/qt_app.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "tests/support/installation.h"
#include "tests/support/save_builder.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

// An installation with the largest scenario (80 countries and cities, 500 generals, 200 consorts)
// and beside it the largest save with every slot in use.
struct Largest {
  std::unique_ptr<test::Installation> inst;
  std::string scenario, save;
};

// Loads path through the custom load command; false when the window showed a message.
bool LoadThroughCommand(MainWindow& w, test::ScriptedDialogs& dialogs, const std::string& path, bool save) {
  dialogs.fileAnswers.push_back(Q(path));
  w.CustomLoadCommand(save ? MainWindow::FileChoice::Save : MainWindow::FileChoice::Scenario);
  return dialogs.boxes.empty() && dialogs.fileAnswers.empty() && gDataLoaded;
}

Largest& Files(bool expansion, MainWindow& w, test::ScriptedDialogs& dialogs) {
  static Largest kr, qv;
  Largest& l = expansion ? qv : kr;
  if (!l.inst) {
    auto plan = expansion ? test::ExpansionInstall('A') : test::KoreanInstall();
    plan.marker = true;
    plan.scenarios[0] = {expansion, 80, 80, 500, 200, 1200, 3};
    l.inst = std::make_unique<test::Installation>(plan);
    l.scenario = l.inst->scenarioPath(1);
    const test::SavePlan savePlan = bench::LargestSavePlan(expansion);
    l.save = l.inst->dir.write(savePlan.fileName, test::BuildSaveImage(savePlan).bytes);
    // The builder leaves slots empty; a save of the editor's with all of them in use is the file.
    dialogs.fileAnswers.push_back(Q(l.inst->exe));
    w.CustomLoadCommand(MainWindow::FileChoice::Executable);
    if (!LoadThroughCommand(w, dialogs, l.save, true)) std::abort();
    bench::UseEverySlot(expansion);
    if (!SaveGameFile()) std::abort();
  }
  return l;
}

void BM_UserWaitLoad(benchmark::State& state) {
  bench::App();
  const bool expansion = state.range(0) != 0, save = state.range(1) != 0;
  test::ResetEditorState();
  test::ScriptedDialogs dialogs;
  MainWindow w;
  const Largest& l = Files(expansion, w, dialogs);
  dialogs.fileAnswers.push_back(Q(l.inst->exe));
  w.CustomLoadCommand(MainWindow::FileChoice::Executable);
  const std::string& path = save ? l.save : l.scenario;
  for (auto _ : state)
    if (!LoadThroughCommand(w, dialogs, path, save)) {
      state.SkipWithError("load failed");
      break;
    }
  state.counters["countries"] = w.countryList->count();
  state.counters["cities"] = w.cityList->count();
  state.counters["generals"] = w.generalList->count();
  state.counters["consorts"] = w.consortList->count();
  state.SetLabel(std::string(expansion ? "expansion " : "Korean ") + (save ? "save" : "scenario"));
}

// Arguments: edition (0 Korean, 1 expansion), file (0 scenario, 1 save).
BENCHMARK(BM_UserWaitLoad)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"qv", "save"})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace garam
