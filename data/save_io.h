// Readers and writers of the save files of both editions (same contract as the scenario ones).
#pragma once

namespace garam {

bool ReadSaveKr(bool customLoad);
bool ReadSaveQV();

bool WriteSaveKr();
bool WriteSaveQV();

}  // namespace garam
