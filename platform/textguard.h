// TextLengthByByte: the guard that keeps the text of a name or text box within the byte width of
// the game's field. The limit is counted in code page 949 bytes, so it is kept in a property of
// our own; QLineEdit::maxLength counts characters and silently truncates.
#pragma once

#include <QWidget>
#include <optional>

namespace garam {

// The byte limit of a box; a box that was never given one has 0, which admits no text at all.
void SetByteMaxLength(QWidget* box, int maxBytes);
int ByteMaxLength(const QWidget* box);

// Code page 949 length of the box's text, up to a NUL character; nullopt when a character has no
// code page 949 code. A line break in a multi-line box counts as CR LF, as the game stores it.
std::optional<int> TextByteLength(const QWidget* box);

// When the box's text is longer than its limit (or cannot be encoded): beeps and takes back the
// character before the box's caret, after the current change has finished. The removal changes
// the text again, so the guard runs again until the text fits, one character and one beep a time.
// Works on QLineEdit, QPlainTextEdit and QTextEdit.
void CheckTextByteLength(QWidget* box);

// Sets the limit and runs the guard on every edit of the box's text: typing, pasting, dropping,
// the program's insert() or backspace(). A text set whole (setText, setPlainText) is left as it is.
void AttachTextByteGuard(QWidget* box, int maxBytes);

}  // namespace garam
