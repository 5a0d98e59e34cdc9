// Loading and saving dispatch: classify the chosen file, check its name and size, call the
// reader of its kind; call the writer of the loaded kind.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace garam {

// Kind of a data file from its name (without directory), or nullopt when no kind matches.
// customLoad turns the two fixed-layout Korean scenarios into kind 4.
std::optional<std::int32_t> ClassifyFileName(const std::string& name, bool customLoad);

// Loads path with the plain (customLoad false) or custom load. On success the new file is the
// loaded one; on any refusal or reader failure the editor's state is exactly as before, the
// previous data set included, and the result is false.
bool LoadGameFile(const std::string& path, bool customLoad);

// Calls the writer of the loaded kind; false when it failed or nothing is loaded.
bool SaveGameFile();

}  // namespace garam
