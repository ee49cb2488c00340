#pragma once

#include <QByteArray>
#include <QString>

// Project files are text in the Windows-1252 code page, whatever the system's own code page
// is, so that a file moves between installations unchanged. Latin-1 plus the printable
// characters Windows-1252 puts at 0x80 to 0x9F.

// One byte for every character; a character the code page cannot hold becomes "?".
QByteArray EncodeWindows1252(const QString& text);
// One character for every byte. The five unassigned bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D
// become the control characters of the same number (and are written back as those bytes).
QString DecodeWindows1252(const char* data, qsizetype size);
inline QString DecodeWindows1252(const QByteArray& bytes) {
    return DecodeWindows1252(bytes.constData(), bytes.size());
}
