// Fathers and grandfathers, without widgets: the relation words of the loaded file's generals and
// the texts the blood-relation list shows for them.
#pragma once

#include <optional>
#include <string>

#include "data/general_record.h"

namespace garam {

enum class Relation { Father, Grandfather };

// Relation words: below 500 a general's record number, 500 none, above it a dead person.
inline constexpr int KinNone = kNoGeneral;
inline constexpr int KinDeadFirst = 501;

// Whether n is a record of the loaded file's general array (the expansion arrays in kinds 3
// and 5, whose Korean-layout copies are not the file's records).
bool IsGeneralRecord(int n);

// The signed word of a general; nullopt when he is no record.
std::optional<int> RelationOf(int general, Relation which);
// Writes the word and nothing else; false when the general is no record.
bool SetRelation(int general, Relation which, int value);

// The cell of a relation value: " " and the general's name up to its first NUL, "[없음]",
// "[사망(n)]"; a value that names no record, negative ones included, shows "[?(n)]".
std::string RelationCellText(int value);

}  // namespace garam
