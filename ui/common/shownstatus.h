// A general's status read from a list cell or label, through the one table of status words.
#pragma once

#include <QString>
#include <optional>

#include "data/general_record.h"

namespace garam {

inline std::optional<GeneralStatus> ShownStatus(const QString& shown) { return StatusOfCaption(shown.toStdString()); }

}  // namespace garam
