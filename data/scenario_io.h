// Readers and writers of the four scenario kinds. A reader returns true when the data file and
// its side files were read and swapped into gData; on failure it has shown its message and left
// the loaded data set as it was. A writer returns true when every file was written.
#pragma once

namespace garam {

bool ReadScedat1();
bool ReadScedat2();
bool ReadScenarioKr(int n);
bool ReadScenarioQV(int n);

bool WriteScedat1();
bool WriteScedat2();
bool WriteScenarioKr(int n);
bool WriteScenarioQV(int n);

}  // namespace garam
