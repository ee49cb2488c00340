#include "files/Windows1252.h"

namespace {

// The characters of bytes 0x80 to 0x9F; an unassigned byte maps to the control character
// of the same number.
constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (High[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray EncodeWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            // One character outside the basic plane: never in the code page.
            bytes.append('?');
            ++i;
            continue;
        }
        bytes.append(encodeOne(c.unicode()));
    }
    return bytes;
}

QString DecodeWindows1252(const char* data, qsizetype size) {
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(High[byte - 0x80]) : QChar(byte);
    }
    return text;
}
