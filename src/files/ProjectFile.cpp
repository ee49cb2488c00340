#include "files/ProjectFile.h"

#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "files/Windows1252.h"
#include "platform/Desktop.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using platform::Answer;
using platform::Buttons;
using platform::Icon;

// ---------------------------------------------------------------------------------------------
// Customer fields

CustomerFields::~CustomerFields() = default;

QString MemoryCustomerFields::text(Field field) const {
    const int index = static_cast<int>(field);
    if (index < 0 || index >= Count)
        return {};
    return texts[static_cast<std::size_t>(index)];
}

void MemoryCustomerFields::setText(Field field, const QString& text) {
    const int index = static_cast<int>(field);
    if (index < 0 || index >= Count)
        return;
    texts[static_cast<std::size_t>(index)] = text;
}

void MemoryCustomerFields::clear() {
    for (QString& text : texts)
        text.clear();
}

namespace {
MemoryCustomerFields& defaultCustomerFields() {
    static MemoryCustomerFields fields;
    return fields;
}
CustomerFields* installedCustomerFields = nullptr;
} // namespace

CustomerFields& customerFields() {
    return installedCustomerFields ? *installedCustomerFields : defaultCustomerFields();
}

void setCustomerFields(CustomerFields* fields) {
    installedCustomerFields = fields;
}

namespace {

const char* const FileInfoHeader = "[FILE INFO]";
const char* const ApplicationHeader = "[APPLICATION]";
const char* const IncentiveHeader = "[INCENTIVE]";
const char* const DataHeader = "[DATA ENERGY SAVER]";
const char* const InfoHeader = "[INFO]";

// The line order of the customer information fields in a project file.
constexpr CustomerFields::Field FieldOrder[CustomerFields::Count] = {
    CustomerFields::PREPFOR,    CustomerFields::Titlefor, CustomerFields::Companyfor,
    CustomerFields::AddressFor, CustomerFields::ZipFor,   CustomerFields::CountryFor,
    CustomerFields::Telfor,     CustomerFields::Faxfor,   CustomerFields::EmailFor,
    CustomerFields::PROJECTNAME};

constexpr char CtrlZ = 26;

ParameterRecord* recordAt(ParameterTableKind table, int position) {
    if (position < 1 || position > MaxParameters)
        return nullptr;
    auto& slot = table == ParameterTableKind::Live
                     ? Params.live[static_cast<std::size_t>(position)]
                     : Params.shadow[static_cast<std::size_t>(position)];
    return slot ? &*slot : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Writer

QString padded(const QString& text, int width) {
    return text.size() >= width ? text : text.leftJustified(width, QLatin1Char(' '));
}

QString parameterLine(int position, const ParameterRecord& record) {
    QString line =
        QStringLiteral("P") + QStringLiteral("%1").arg(position, 3, 10, QLatin1Char('0'));
    line += QLatin1Char('=') + record.listText() + QLatin1Char('-');
    if (record.tagNumber < 10)
        line += QLatin1Char('0');
    line += QString::number(record.tagNumber) + QLatin1Char('=');
    line += padded(ParameterText(record) + QLatin1Char(';'), 15);
    line += padded(record.formatText, 7);
    line += record.unitText;
    return line;
}

// A customer text is written on one line: a line break (or the end-of-file character) inside
// it would cut the text and shift every field after it, so those become blanks.
QString oneLine(QString text) {
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(CtrlZ))
            c = QLatin1Char(' ');
    }
    return text;
}

QByteArray projectContent() {
    QStringList lines;
    lines << QString::fromLatin1(FileInfoHeader) << QString();
    lines << QStringLiteral("FILE TYPE  : ") + Shared.FileTypeText + QLatin1Char(' ') +
                 Shared.VersionText;
    lines << QStringLiteral("DATE       : ") +
                 QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    lines << QString() << QString::fromLatin1(ApplicationHeader) << QString();
    lines << Shared.AppTypeText << QString();
    lines << QString::fromLatin1(IncentiveHeader) << QString();
    lines << QString::fromLatin1(DataHeader) << QString();
    const int count = ParameterCount();
    for (int i = 1; i <= count && i <= 999; ++i) {
        if (const ParameterRecord* record = recordAt(ParameterTableKind::Live, i))
            lines << parameterLine(i, *record);
    }
    lines << QString() << QString::fromLatin1(InfoHeader);
    for (CustomerFields::Field field : FieldOrder)
        lines << oneLine(customerFields().text(field));

    QByteArray content;
    content.reserve(2048);
    for (const QString& line : lines) {
        content += EncodeWindows1252(line);
        content += "\r\n";
    }
    return content;
}

// Writes the bytes to a temporary file beside the target and puts it in the target's place
// only when every byte is on the disk, so a failed save leaves the previous file as it was.
// Returns 0 or the error code of the step that failed.
int saveAtomically(const QString& fileName, const QByteArray& content) {
    QString target = fileName;
    const QFileInfo info(fileName);
    if (info.isSymLink()) // replace the file the link names, not the link
        target = info.symLinkTarget();
    const QString folder = QFileInfo(target).absolutePath();
    QByteArray temporary = QFile::encodeName(folder + QStringLiteral("/.enervane-save-XXXXXX"));
    const QByteArray targetPath = QFile::encodeName(target);

    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;

    // The new file gets the permissions of the one it replaces, or those of a new file.
    mode_t mode = 0;
    struct stat existing {};
    if (::stat(targetPath.constData(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.constData());
        return error;
    };
    const char* data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        data += written;
        left -= written;
    }
    if (::fdatasync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return error;
    }
    if (::rename(temporary.constData(), targetPath.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return error;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Reader

// One line as the classifier needs it, with memory bounded whatever the line's length.
struct Line {
    static constexpr int RawKept = 80;  // an info text is cut to 80 characters
    static constexpr int WorkKept = 64; // nothing past position 20 is looked at one by one
    char raw[RawKept];                  // the line as read, CRs dropped
    int rawLength = 0;
    char work[WorkKept]; // the working copy: leading blanks removed, upper case
    int workLength = 0;
    bool workLonger = false; // a non-blank character lies beyond the kept working copy
};

// Splits a byte stream into lines: a line ends at LF, a CR is never part of a line, and
// Ctrl+Z ends the file. The source fills a buffer and returns the byte count, 0 at the end
// of the data, or -1 with errno set.
class LineReader {
public:
    enum Result { Got, End, Failed };
    using Source = std::function<qint64(char*, qint64)>;

    explicit LineReader(Source source) : source(std::move(source)) {}

    Result next(Line& line, int& error) {
        if (ended)
            return End;
        if (!fill(error))
            return error ? Failed : End;
        if (buffer[position] == CtrlZ) {
            ended = true;
            return End;
        }
        line.rawLength = 0;
        line.workLength = 0;
        line.workLonger = false;
        bool leading = true;
        bool content = false; // anything but CRs since the last line break
        qint64 workIndex = 0;
        while (fill(error)) {
            const char c = buffer[position++];
            if (c == '\n')
                return Got;
            if (c == '\r')
                continue;
            if (c == CtrlZ) {
                ended = true;
                return content ? Got : End; // CRs alone before the end make no line
            }
            content = true;
            if (line.rawLength < Line::RawKept)
                line.raw[line.rawLength++] = c;
            if (leading && c == ' ')
                continue;
            leading = false;
            if (workIndex < Line::WorkKept) {
                line.work[workIndex] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
                line.workLength = static_cast<int>(++workIndex);
            } else {
                ++workIndex;
                if (c != ' ')
                    line.workLonger = true;
            }
        }
        if (error)
            return Failed;
        ended = true;
        // The last line of a file that does not end with a line break; CRs alone are no line.
        return content ? Got : End;
    }

private:
    // True when a byte is ready; false at the end of the data or on an error (error set).
    bool fill(int& error) {
        error = 0;
        if (position < length)
            return true;
        if (ended)
            return false;
        for (;;) {
            const qint64 got = source(buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                error = errno ? errno : EIO;
                return false;
            }
            position = 0;
            length = got;
            if (got == 0) {
                ended = true;
                return false;
            }
            return true;
        }
    }

    Source source;
    char buffer[65536];
    qint64 position = 0;
    qint64 length = 0;
    bool ended = false;
};

enum class Section { None, FileInfo, Application, Incentive, Data, Info };

enum class Kind {
    Header,
    ParameterValue,
    InfoText,
    SyntaxError,
    ZeroLineNumber,
    Fan,
    Pump,
    CoolingTower,
    IncentiveLine,
    Ignored
};

struct ParameterLine {
    int lineNumber = 0;
    char listId[2] = {'A', '1'};
    int tag = 0;
    char tagText[2] = {'0', '0'};
    double value = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class ProjectReader {
public:
    ProjectReader(ParameterTableKind table, ReadMode mode) : table(table), mode(mode) {}

    // Reads every line; `close` closes the source and returns 0 or an error code.
    bool read(LineReader& lines, const std::function<int()>& close) {
        Line line;
        for (;;) {
            if (abort) {
                ShowIoError(close());
                return false;
            }
            int error = 0;
            const LineReader::Result result = lines.next(line, error);
            if (result == LineReader::End)
                break;
            if (result == LineReader::Failed) {
                ShowIoError(error);
                close();
                return false;
            }
            ++lineCounter;
            act(line);
        }
        if (ShowIoError(close()))
            return false;
        if (abort)
            return false;
        if (!applicationFound) {
            platform::desktop().message(
                Icon::Error,
                QStringLiteral("Application Information is Missing! Unable to load this file."),
                Buttons::Ok);
            return false;
        }
        if (mode == ReadMode::Load) {
            for (int i = 0; i < CustomerFields::Count; ++i)
                customerFields().setText(FieldOrder[i],
                                         Shared.InfoTextLines[static_cast<std::size_t>(i)]);
            if (!incentiveFound && ParameterCount() >= 20) {
                if (ParameterRecord* incentive = recordAt(table, 20))
                    incentive->value = 0; // yearly incentive
            }
        }
        return true;
    }

private:
    void act(const Line& line) {
        ParameterLine parameter;
        const Kind kind = classify(line, parameter);
        switch (kind) {
        case Kind::ParameterValue:
            if (mode == ReadMode::Load)
                store(parameter);
            break;
        case Kind::InfoText:
            Shared.InfoTextLines[static_cast<std::size_t>(infoCount - 1)] =
                DecodeWindows1252(line.raw, std::min(line.rawLength, 60));
            break;
        case Kind::SyntaxError:
        case Kind::ZeroLineNumber:
            platform::desktop().beep();
            ask(Icon::Question, QStringLiteral("Error in line : ") + QString::number(lineCounter) +
                                    QStringLiteral(" !"));
            break;
        case Kind::Fan:
        case Kind::Pump:
        case Kind::CoolingTower:
            applicationFound = true;
            Shared.FileAppType = kind == Kind::Fan ? 1 : kind == Kind::Pump ? 2 : 3;
            break;
        case Kind::IncentiveLine:
            incentiveFound = true;
            break;
        case Kind::Header:
        case Kind::Ignored:
            break;
        }
    }

    // Shows an OK/Cancel message; Cancel aborts the read.
    void ask(Icon icon, const QString& text) {
        if (platform::desktop().message(icon, text, Buttons::OkCancel) == Answer::Cancel)
            abort = true;
    }

    Kind classify(const Line& line, ParameterLine& parameter) {
        const char* work = line.work;
        const int length = line.workLength;
        auto trimmedLength = [&] {
            int n = length;
            while (n > 0 && work[n - 1] == ' ')
                --n;
            return n;
        };
        const int trimmed = line.workLonger ? -1 : trimmedLength();
        auto is = [&](const char* text) {
            const auto n = static_cast<int>(std::strlen(text));
            return trimmed == n && std::memcmp(work, text, static_cast<size_t>(n)) == 0;
        };

        if (is(FileInfoHeader))
            return enter(Section::FileInfo);
        if (is(ApplicationHeader))
            return enter(Section::Application);
        if (is(IncentiveHeader))
            return enter(Section::Incentive);
        if (is(DataHeader))
            return enter(Section::Data);
        if (is(InfoHeader))
            return enter(Section::Info);

        switch (section) {
        case Section::Application:
            if (is("FAN"))
                return Kind::Fan;
            if (is("PUMP"))
                return Kind::Pump;
            if (is("COOLING TOWER"))
                return Kind::CoolingTower;
            return Kind::Ignored;
        case Section::Incentive:
            return Kind::IncentiveLine;
        case Section::Data:
            return classifyParameter(work, line.workLonger ? Line::WorkKept + 1 : trimmed,
                                     parameter);
        case Section::Info:
            if (infoCount >= 14)
                return Kind::Ignored;
            ++infoCount;
            return Kind::InfoText;
        case Section::None:
        case Section::FileInfo:
            break;
        }
        return Kind::Ignored;
    }

    Kind enter(Section next) {
        section = next;
        return Kind::Header;
    }

    // A parameter line P001=A1-01=24; on the working copy of `length` characters.
    static Kind classifyParameter(const char* work, int length, ParameterLine& parameter) {
        if (length < 12 || work[0] != 'P')
            return Kind::Ignored;
        if (work[5] != 'A' || work[6] != '1' || work[7] != '-' || !isDigit(work[8]) ||
            !isDigit(work[9]))
            return Kind::Ignored;
        parameter.listId[0] = work[5];
        parameter.listId[1] = work[6];
        parameter.tagText[0] = work[8];
        parameter.tagText[1] = work[9];
        parameter.tag = (work[8] - '0') * 10 + (work[9] - '0');

        // The line number: digits in positions 1 to 4, ended by "," ":" or "=".
        int lineNumber = 0;
        int position = 1;
        for (;; ++position) {
            if (position >= 5)
                return Kind::SyntaxError;
            const char c = work[position];
            if (isDigit(c)) {
                lineNumber = lineNumber * 10 + (c - '0');
            } else if (c == ',' || c == ':' || c == '=') {
                break;
            } else {
                return Kind::SyntaxError;
            }
        }
        // The value: positions 11 to 19, ended by ";".
        char value[9];
        int valueLength = 0;
        for (position = 11;; ++position) {
            if (position >= 20 || position >= length)
                return Kind::SyntaxError;
            const char c = work[position];
            if (c == ';') {
                if (valueLength == 0)
                    return Kind::SyntaxError;
                break;
            }
            if (c == '-' || c == '.' || isDigit(c))
                value[valueLength++] = c;
            else
                return Kind::SyntaxError;
        }
        if (lineNumber == 0)
            return Kind::ZeroLineNumber;
        parameter.lineNumber = lineNumber;
        // A text that is not a well-formed number (1-2, 1.2.3, a lone "-") reads as 0.
        double number = 0;
        const auto [end, status] = std::from_chars(value, value + valueLength, number);
        if (status != std::errc() || end != value + valueLength)
            number = 0;
        parameter.value = number;
        return Kind::ParameterValue;
    }

    void store(const ParameterLine& parameter) {
        if (parameter.lineNumber > ParameterCount()) {
            ask(Icon::Question, QStringLiteral("Line/Parameter # out of range !"));
            return;
        }
        const QString name = QStringLiteral("Parameter ") +
                             QString::fromLatin1(parameter.listId, 2) + QLatin1Char('-') +
                             QString::fromLatin1(parameter.tagText, 2);
        const auto value = static_cast<float>(parameter.value);
        bool matched = false;
        const int count = ParameterCount();
        for (int i = 1; i <= count; ++i) {
            ParameterRecord* record = recordAt(table, i);
            if (!record || record->listId[0] != parameter.listId[0] ||
                record->listId[1] != parameter.listId[1] || record->tagNumber != parameter.tag)
                continue;
            matched = true;
            if (value < record->minimum || value > record->maximum) {
                ask(Icon::Error, name + QStringLiteral(" out of range !"));
                if (abort)
                    return;
            } else {
                record->value = value;
            }
        }
        if (!matched)
            ask(Icon::Error, name + QStringLiteral(" does not match !"));
    }

    const ParameterTableKind table;
    const ReadMode mode;
    Section section = Section::None;
    qint64 lineCounter = 0;
    bool abort = false;
    bool applicationFound = false;
    bool incentiveFound = false;
    int infoCount = 0;
};

void emptyInfoTextLines() {
    for (QString& line : Shared.InfoTextLines)
        line.clear();
}

} // namespace

bool WriteProjectFile(const QString& fileName) {
    if (ShowIoError(saveAtomically(fileName, projectContent())))
        return false;
    platform::desktop().message(Icon::Information, QStringLiteral("Estimation Saved!"),
                                Buttons::Ok);
    return true;
}

bool ReadProjectFile(const QString& fileName, ParameterTableKind table, ReadMode mode) {
    emptyInfoTextLines();
    const QByteArray path = QFile::encodeName(fileName);
    // Opened without waiting, so that a named pipe cannot block the program.
    const int fd =
        path.isEmpty() ? -1 : ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        ShowIoError(path.isEmpty() ? ENOENT : errno);
        return false;
    }
    // Only a regular file is a project: a pipe or a device such as /dev/zero could feed the
    // reader for ever.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        ShowIoError(error);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    LineReader lines([fd](char* buffer, qint64 size) -> qint64 {
        return ::read(fd, buffer, static_cast<size_t>(size));
    });
    bool closed = false;
    ProjectReader reader(table, mode);
    return reader.read(lines, [&]() -> int {
        if (closed)
            return 0;
        closed = true;
        return ::close(fd) == 0 ? 0 : errno;
    });
}

bool ReadProjectData(const QByteArray& data, ParameterTableKind table, ReadMode mode) {
    emptyInfoTextLines();
    qsizetype offset = 0;
    LineReader lines([&](char* buffer, qint64 size) -> qint64 {
        const qint64 n = std::min<qint64>(size, data.size() - offset);
        std::memcpy(buffer, data.constData() + offset, static_cast<size_t>(n));
        offset += n;
        return n;
    });
    ProjectReader reader(table, mode);
    return reader.read(lines, [] { return 0; });
}
