// Moving a loaded scenario to a new start year: the start year is stored and every general's
// birth, employment and appearance years move by the same difference.
#pragma once

namespace garam {

// The highest new start year the loaded scenario takes (the expansion edition's executable keeps
// year + 1 in its table and refuses 2101).
int YearChangeLimit();

// The stored start year of the loaded scenario.
int StoredStartYear();

// Stores newYear (0 to YearChangeLimit(), clamped) as the start year and shifts every general by
// newYear minus the old start year; alignEmployment sets every employment year that is set to
// newYear instead. A year that would fall below 0 becomes 0, one above its field's range the
// field's largest value. Nothing happens when the year stays and alignEmployment is off; false
// then. Marks the data changed, and for the expansion scenario the counts too when the year moved,
// so the next save patches the executable's start-year table.
bool ChangeStartYear(int newYear, bool alignEmployment);

}  // namespace garam
