#include "FakeDesktop.h"
#include "TestEnvironment.h"
#include "core/ParameterTable.h"
#include "core/SharedState.h"
#include "files/ProjectFile.h"
#include "files/Windows1252.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

QString ioText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Lines joined with CR LF, each one ended.
QByteArray crlf(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The thirteen lines a written file starts with; a data line that follows is line 14.
QList<QByteArray> head(const QByteArray& application = "FAN") {
    return {"[FILE INFO]",
            "",
            "FILE TYPE  : QVN ENERGY FILE 1.005.10",
            "DATE       : 1/2/26",
            "",
            "[APPLICATION]",
            "",
            application,
            "",
            "[INCENTIVE]",
            "",
            "[DATA ENERGY SAVER]",
            ""};
}

// A whole file with the given data lines, the [INFO] header and the given info lines.
QByteArray project(const QList<QByteArray>& data, const QList<QByteArray>& info = {"Ann"}) {
    QList<QByteArray> lines = head();
    lines += data;
    lines << ""
          << "[INFO]";
    lines += info;
    return crlf(lines);
}

const CustomerFields::Field AllFields[CustomerFields::Count] = {
    CustomerFields::PREPFOR,    CustomerFields::Titlefor, CustomerFields::Companyfor,
    CustomerFields::AddressFor, CustomerFields::ZipFor,   CustomerFields::CountryFor,
    CustomerFields::Telfor,     CustomerFields::Faxfor,   CustomerFields::EmailFor,
    CustomerFields::PROJECTNAME};

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env = std::make_unique<TestEnvironment>();
        fake = std::make_unique<FakeDesktop>();
        fields.clear();
        setCustomerFields(&fields);
        DefineAllParameters();
    }
    void cleanup() {
        QVERIFY(fake->allShown());
        setCustomerFields(nullptr);
        fake.reset();
        env.reset();
    }

    // -- customer fields -------------------------------------------------------------------

    void memoryCustomerFieldsKeepTenTexts() {
        MemoryCustomerFields memory;
        for (int i = 0; i < CustomerFields::Count; ++i)
            memory.setText(AllFields[i], QStringLiteral("text %1").arg(i));
        for (int i = 0; i < CustomerFields::Count; ++i)
            QCOMPARE(memory.text(AllFields[i]), QStringLiteral("text %1").arg(i));
        memory.setText(CustomerFields::Field(10), QStringLiteral("outside"));
        QCOMPARE(memory.text(CustomerFields::Field(10)), QString());
        QCOMPARE(memory.text(CustomerFields::Field(-1)), QString());
        memory.clear();
        for (CustomerFields::Field field : AllFields)
            QVERIFY(memory.text(field).isEmpty());
    }

    void installedCustomerFieldsAreUsed() {
        setCustomerFields(nullptr);
        customerFields().setText(CustomerFields::Telfor, QStringLiteral("default"));
        MemoryCustomerFields other;
        setCustomerFields(&other);
        QCOMPARE(&customerFields(), static_cast<CustomerFields*>(&other));
        QVERIFY(customerFields().text(CustomerFields::Telfor).isEmpty());
        setCustomerFields(nullptr);
        QCOMPARE(customerFields().text(CustomerFields::Telfor), QStringLiteral("default"));
        customerFields().setText(CustomerFields::Telfor, QString());
    }

    // -- Windows-1252 ----------------------------------------------------------------------

    void codecRoundTripsEveryByte() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = DecodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC));
        QCOMPARE(text.at(0x9F), QChar(0x0178));
        QCOMPARE(text.at(0xE9), QChar(0x00E9));
        QCOMPARE(EncodeWindows1252(text), all);
    }

    void codecWritesQuestionMarkForOtherCharacters() {
        QCOMPARE(EncodeWindows1252(QString::fromUtf8("a\u65E5\u672C\u0080z")), QByteArray("a???z"));
        // One character outside the basic plane is one "?".
        QCOMPARE(EncodeWindows1252(QString::fromUtf8("x\U0001F600y")), QByteArray("x?y"));
        QCOMPARE(EncodeWindows1252(QString::fromUtf8("\u20AC\u0152\u2122\u00FF")),
                 QByteArray("\x80\x8C\x99\xFF"));
    }

    // -- writer ----------------------------------------------------------------------------

    void writesTheFileLayout() {
        Shared.AppTypeText = QStringLiteral("PUMP");
        fields.setText(CustomerFields::PREPFOR, QStringLiteral("Ann Smith"));
        fields.setText(CustomerFields::PROJECTNAME, QStringLiteral("Cooling loop"));
        const QString name = env->file(QStringLiteral("layout.KSF"));
        fake->expect(Icon::Information, QStringLiteral("Estimation Saved!"), Buttons::Ok);
        QVERIFY(WriteProjectFile(name));

        // A new file gets the permissions of any new file, not those of a private temporary.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(name).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), int(0666 & ~mask));

        const QByteArray bytes = readAll(name);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), 45);
        QCOMPARE(bytes.count('\n'), 45);
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeLast();
        for (QByteArray& line : lines) {
            QVERIFY(line.endsWith('\r'));
            line.chop(1);
        }
        QCOMPARE(lines.size(), 45);
        QCOMPARE(lines[0], QByteArray("[FILE INFO]"));
        QCOMPARE(lines[1], QByteArray());
        QCOMPARE(lines[2], QByteArray("FILE TYPE  : QVN ENERGY FILE 1.005.10"));
        const QString today =
            QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        QCOMPARE(QString::fromLatin1(lines[3]), QStringLiteral("DATE       : ") + today);
        QCOMPARE(lines[4], QByteArray());
        QCOMPARE(lines[5], QByteArray("[APPLICATION]"));
        QCOMPARE(lines[7], QByteArray("PUMP"));
        QCOMPARE(lines[9], QByteArray("[INCENTIVE]"));
        QCOMPARE(lines[10], QByteArray());
        QCOMPARE(lines[11], QByteArray("[DATA ENERGY SAVER]"));
        QCOMPARE(lines[12], QByteArray());
        QCOMPARE(lines[13], QByteArray("P001=A1-01=24;") + QByteArray(19, ' '));
        QCOMPARE(lines[16], QByteArray("P004=A1-04=10.00;") + QByteArray(16, ' '));
        QCOMPARE(lines[17], QByteArray("P005=A1-05=150.0;") + QByteArray(16, ' '));
        QCOMPARE(lines[32], QByteArray("P020=A1-20=1;") + QByteArray(20, ' '));
        for (int i = 13; i < 33; ++i)
            QCOMPARE(lines[i].size(), 33);
        QCOMPARE(lines[33], QByteArray());
        QCOMPARE(lines[34], QByteArray("[INFO]"));
        QCOMPARE(lines[35], QByteArray("Ann Smith"));
        for (int i = 36; i < 44; ++i)
            QCOMPARE(lines[i], QByteArray());
        QCOMPARE(lines[44], QByteArray("Cooling loop"));
    }

    void writesFormatAndUnitTexts() {
        ClearParameters();
        DefineParameter(1, "A1", 1, QStringLiteral("kW"), QStringLiteral("F9"), 3, 0, 5, 1, 0);
        DefineParameter(2, "A1", 112, QStringLiteral("m"), QStringLiteral("LONGFORMAT"), 1, 0, 2, 1,
                        0);
        Parameter(2).value = -1.5f;
        Parameter(2).minimum = -2;
        const QString name = env->file(QStringLiteral("units.KSF"));
        fake->expect(Icon::Information, QStringLiteral("Estimation Saved!"), Buttons::Ok);
        QVERIFY(WriteProjectFile(name));
        const QByteArray bytes = readAll(name);
        QVERIFY(bytes.contains("\r\nP001=A1-01=3;" + QByteArray(13, ' ') + "F9     kW\r\n"));
        // A tag above 9 has no leading zero added; a longer format text is written whole.
        QVERIFY(bytes.contains("\r\nP002=A1-112=-2;" + QByteArray(12, ' ') + "LONGFORMATm\r\n"));
    }

    void lineBreaksInACustomerTextBecomeBlanks() {
        fields.setText(CustomerFields::AddressFor, QStringLiteral("1 Main St\r\nSuite 2\x1a!"));
        fields.setText(CustomerFields::ZipFor, QStringLiteral("Springfield"));
        const QString name = env->file(QStringLiteral("breaks.KSF"));
        fake->expect(Icon::Information, QStringLiteral("Estimation Saved!"), Buttons::Ok);
        QVERIFY(WriteProjectFile(name));
        fields.clear();
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(fields.text(CustomerFields::AddressFor), QStringLiteral("1 Main St  Suite 2 !"));
        QCOMPARE(fields.text(CustomerFields::ZipFor), QStringLiteral("Springfield"));
    }

    void roundTripRestoresEverything() {
        const float values[20] = {8,   5, 48, 12.34f, 0.2f, 88.5f, 96.1f, 12.5f, 1000000, 0,
                                  100, 0, 0,  0,      0,    0,     0,     0,     0,       0};
        for (int n = 1; n <= 20; ++n)
            Parameter(n).value = values[n - 1];
        Shared.AppTypeText = QStringLiteral("PUMP");
        const QString sixty = QStringLiteral("%1").arg(QString(), 60, QLatin1Char('x'));
        const QStringList texts = {
            QStringLiteral("Ren\u00E9e M\u00FCller"),
            QStringLiteral("Price \u20AC 12 \u2013 \u201Cquoted\u201D \u2122"),
            QStringLiteral("\u0152uvre \u0160koda \u017D\u00FF"),
            sixty,
            QStringLiteral("  leading blanks kept"),
            QString(),
            QStringLiteral("+1 555 0100"),
            QStringLiteral("fax; with = signs"),
            QStringLiteral("ann@example.com"),
            QStringLiteral("Project \u00C6\u00D8\u00C5"),
        };
        for (int i = 0; i < CustomerFields::Count; ++i)
            fields.setText(AllFields[i], texts[i]);
        const QString name = env->file(QStringLiteral("round.KSF"));
        fake->expect(Icon::Information, QStringLiteral("Estimation Saved!"), Buttons::Ok);
        QVERIFY(WriteProjectFile(name));
        QVERIFY(readAll(name).contains("Price \x80 12 \x96 \x93quoted\x94 \x99\r\n"));

        ResetParametersToDefaults();
        Parameter(20).value = 1;
        fields.clear();
        Shared.FileAppType = 0;
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Shared.FileAppType, 2);
        for (int n = 1; n <= 20; ++n)
            QCOMPARE(Parameter(n).value, values[n - 1]);
        for (int i = 0; i < CustomerFields::Count; ++i)
            QCOMPARE(fields.text(AllFields[i]), texts[i]);
        QVERIFY(fake->messages.size() == 1); // only "Estimation Saved!"
    }

    void checkOnlyLeavesLiveTableUntouched() {
        Parameter(1).value = 9;
        Parameter(20).value = 0;
        fields.setText(CustomerFields::PREPFOR, QStringLiteral("From the file"));
        const QString name = env->file(QStringLiteral("check.KSF"));
        fake->expect(Icon::Information, QStringLiteral("Estimation Saved!"), Buttons::Ok);
        QVERIFY(WriteProjectFile(name));
        Parameter(1).value = 3;
        Parameter(20).value = 1;
        fields.setText(CustomerFields::PREPFOR, QStringLiteral("On screen"));

        QVERIFY(ReadProjectFile(name, ParameterTableKind::Shadow, ReadMode::CheckOnly));
        QCOMPARE(Parameter(1).value, 3.0f);
        QCOMPARE(Parameter(20).value, 1.0f);
        QCOMPARE(ShadowParameter(1).value, 24.0f);
        QCOMPARE(fields.text(CustomerFields::PREPFOR), QStringLiteral("On screen"));
        // The check pass still fills the info buffer and the application.
        QCOMPARE(Shared.InfoTextLines[0], QStringLiteral("From the file"));
        QCOMPARE(Shared.FileAppType, 1);

        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Parameter(1).value, 9.0f);
        QCOMPARE(Parameter(20).value, 0.0f);
        QCOMPARE(fields.text(CustomerFields::PREPFOR), QStringLiteral("From the file"));
    }

    void checkOnlyStillAsksAboutSyntaxErrors() {
        const QString name = env->file(QStringLiteral("bad.KSF"));
        QVERIFY(writeFile(name, project({"P001=A1-01=24", "P021=A1-21=5;"})));
        fake->expect(Icon::Question, QStringLiteral("Error in line : 14 !"), Buttons::OkCancel);
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Shadow, ReadMode::CheckOnly));
        QCOMPARE(fake->beeps, 1);
    }

    // -- saving safely ---------------------------------------------------------------------

    void directoryInPlaceOfTheTarget() {
        const QString name = env->file(QStringLiteral("taken.KSF"));
        QVERIFY(QDir().mkpath(name + QStringLiteral("/inside")));
        fake->expect(Icon::Warning, ioText(EISDIR), Buttons::Ok);
        QVERIFY(!WriteProjectFile(name));
        QVERIFY(QFileInfo(name + QStringLiteral("/inside")).isDir());
        QCOMPARE(QDir(env->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void missingFolder() {
        const QString name = env->file(QStringLiteral("no/such/folder/p.KSF"));
        fake->expect(Icon::Warning, ioText(ENOENT), Buttons::Ok);
        QVERIFY(!WriteProjectFile(name));
        QVERIFY(!QFileInfo::exists(name));
    }

    void failedWriteKeepsThePreviousFile() {
        const QString name = env->file(QStringLiteral("previous.KSF"));
        const QByteArray previous = project({"P001=A1-01=12;"});
        QVERIFY(writeFile(name, previous));
        // Files may not grow beyond 100 bytes: the save fails half-way, even for root.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        fake->expect(Icon::Warning, ioText(EFBIG), Buttons::Ok);
        const bool written = WriteProjectFile(name);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(readAll(name), previous);
        QCOMPARE(QDir(env->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("previous.KSF")});
    }

    void replacingKeepsPermissionsAndLinks() {
        const QString real = env->file(QStringLiteral("real.KSF"));
        const QString link = env->file(QStringLiteral("link.KSF"));
        QVERIFY(writeFile(real, "old"));
        QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(real, link));
        fake->expect(Icon::Information, QStringLiteral("Estimation Saved!"), Buttons::Ok);
        QVERIFY(WriteProjectFile(link));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(readAll(real).startsWith("[FILE INFO]\r\n"));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(real).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), 0600);
    }

    // -- reader: opening -------------------------------------------------------------------

    void fileThatCannotBeOpened() {
        Shared.InfoTextLines[3] = QStringLiteral("stale");
        fake->expect(Icon::Warning, ioText(ENOENT), Buttons::Ok);
        QVERIFY(!ReadProjectFile(env->file(QStringLiteral("missing.KSF")), ParameterTableKind::Live,
                                 ReadMode::Load));
        QVERIFY(Shared.InfoTextLines[3].isEmpty());
    }

    void folderCannotBeRead() {
        fake->expect(Icon::Warning, ioText(EISDIR), Buttons::Ok);
        QVERIFY(!ReadProjectFile(env->path(), ParameterTableKind::Live, ReadMode::Load));
    }

    void onlyRegularFilesAreRead_data() {
        QTest::addColumn<QString>("special");
        QTest::newRow("endless device") << QStringLiteral("/dev/zero");
        QTest::newRow("named pipe") << QStringLiteral("fifo");
    }
    void onlyRegularFilesAreRead() {
        QFETCH(QString, special);
        if (special == QStringLiteral("fifo")) {
            special = env->file(special);
            QCOMPARE(::mkfifo(QFile::encodeName(special).constData(), 0600), 0);
        }
        fake->expect(Icon::Warning, ioText(EINVAL), Buttons::Ok);
        QVERIFY(!ReadProjectFile(special, ParameterTableKind::Live, ReadMode::Load));
    }

    // -- reader: sections and applications -------------------------------------------------

    void headersAndApplicationsInAnyCase() {
        const QByteArray bytes =
            crlf({"  [file info]  ", "[Application]", " Pump ", "[data energy saver]",
                  "p001=a1-01=7;", "  [info]  ", "  Ann  "});
        const QString name = env->file(QStringLiteral("case.KSF"));
        QVERIFY(writeFile(name, bytes));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Shared.FileAppType, 2);
        QCOMPARE(Parameter(1).value, 7.0f);
        // Info texts are taken as read, blanks and case kept.
        QCOMPARE(fields.text(CustomerFields::PREPFOR), QStringLiteral("  Ann  "));
    }

    void applications_data() {
        QTest::addColumn<QByteArray>("application");
        QTest::addColumn<int>("code");
        QTest::newRow("fan") << QByteArray("FAN") << 1;
        QTest::newRow("pump") << QByteArray("pump") << 2;
        QTest::newRow("cooling tower") << QByteArray("  Cooling Tower ") << 3;
    }
    void applications() {
        QFETCH(QByteArray, application);
        QFETCH(int, code);
        QList<QByteArray> lines = head(application);
        lines << "[INFO]";
        const QString name = env->file(QStringLiteral("app.KSF"));
        QVERIFY(writeFile(name, crlf(lines)));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Shared.FileAppType, code);
    }

    void missingApplication_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no section") << crlf({"[FILE INFO]", "FAN", "[DATA ENERGY SAVER]"});
        QTest::newRow("unknown name") << crlf({"[APPLICATION]", "BLOWER", "COOLING  TOWER"});
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("name outside") << crlf({"FAN", "[APPLICATION]", "", "[INFO]", "FAN"});
    }
    void missingApplication() {
        QFETCH(QByteArray, bytes);
        const QString name = env->file(QStringLiteral("noapp.KSF"));
        QVERIFY(writeFile(name, bytes));
        Shared.FileAppType = 0;
        fake->expect(
            Icon::Error,
            QStringLiteral("Application Information is Missing! Unable to load this file."),
            Buttons::Ok);
        QVERIFY(!ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Shared.FileAppType, 0);
    }

    void incentiveSection_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<float>("incentiveKind");
        const QByteArray data = "P020=A1-20=1;\r\nP001=A1-01=5;\r\n";
        QTest::newRow("header and empty line")
            << QByteArray("[APPLICATION]\r\nFAN\r\n[INCENTIVE]\r\n\r\n[DATA ENERGY SAVER]\r\n" +
                          data)
            << 1.f;
        QTest::newRow("missing") << QByteArray("[APPLICATION]\r\nFAN\r\n[DATA ENERGY SAVER]\r\n" +
                                               data)
                                 << 0.f;
        QTest::newRow("header is the last line")
            << QByteArray("[APPLICATION]\r\nFAN\r\n[DATA ENERGY SAVER]\r\n" + data +
                          "[INCENTIVE]\r\n")
            << 0.f;
        QTest::newRow("header then an empty last line")
            << QByteArray("[APPLICATION]\r\nFAN\r\n[DATA ENERGY SAVER]\r\n" + data +
                          "[INCENTIVE]\r\n\r\n")
            << 1.f;
        // A CR is never part of a line: one left after the last line break makes no line.
        QTest::newRow("header then a stray CR")
            << QByteArray("[APPLICATION]\r\nFAN\r\n[DATA ENERGY SAVER]\r\n" + data +
                          "[INCENTIVE]\r\n\r")
            << 0.f;
        QTest::newRow("header then a stray CR and Ctrl+Z")
            << QByteArray("[APPLICATION]\r\nFAN\r\n[DATA ENERGY SAVER]\r\n" + data +
                          "[INCENTIVE]\r\n\r\r\x1a")
            << 0.f;
        QTest::newRow("header then the next header")
            << QByteArray("[APPLICATION]\r\nFAN\r\n[INCENTIVE]\r\n[DATA ENERGY SAVER]\r\n" + data)
            << 0.f;
    }
    void incentiveSection() {
        QFETCH(QByteArray, bytes);
        QFETCH(float, incentiveKind);
        const QString name = env->file(QStringLiteral("incentive.KSF"));
        QVERIFY(writeFile(name, bytes));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Parameter(1).value, 5.0f);
        QCOMPARE(Parameter(20).value, incentiveKind);
    }

    void incentiveIsOnlyChangedByALoad() {
        const QString name = env->file(QStringLiteral("noincentive.KSF"));
        QVERIFY(writeFile(name, crlf({"[APPLICATION]", "FAN"})));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Shadow, ReadMode::CheckOnly));
        QCOMPARE(ShadowParameter(20).value, 1.0f);
        QCOMPARE(Parameter(20).value, 1.0f);
    }

    // -- reader: parameter lines -----------------------------------------------------------

    void parameterLines_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("parameter");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::addColumn<int>("icon");

        const int question = int(Icon::Question);
        const int error = int(Icon::Error);
        QTest::newRow("plain") << QByteArray("P001=A1-01=5;") << 1 << 5.f << "" << 0;
        QTest::newRow("no semicolon")
            << QByteArray("P001=A1-01=24") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("eight value characters")
            << QByteArray("P004=A1-04=00012.34;") << 4 << 12.34f << "" << 0;
        QTest::newRow("nine value characters") << QByteArray("P004=A1-04=000012.34;") << 4 << 10.f
                                               << "Error in line : 14 !" << question;
        QTest::newRow("colon after the number")
            << QByteArray("P001:A1-01=5;") << 1 << 5.f << "" << 0;
        QTest::newRow("comma after the number")
            << QByteArray("P001,A1-01=5;") << 1 << 5.f << "" << 0;
        QTest::newRow("position ten not looked at")
            << QByteArray("P001=A1-01x5;") << 1 << 5.f << "" << 0;
        QTest::newRow("two-digit number is ignored")
            << QByteArray("P01=A1-01=5;") << 1 << 24.f << "" << 0;
        QTest::newRow("other first letter is ignored")
            << QByteArray("X001=A1-01=5;") << 1 << 24.f << "" << 0;
        QTest::newRow("short line is ignored") << QByteArray("P1") << 1 << 24.f << "" << 0;
        QTest::newRow("other list is ignored")
            << QByteArray("P001=B1-01=5;") << 1 << 24.f << "" << 0;
        QTest::newRow("lower case and blanks")
            << QByteArray("   p001=a1-01=5;   ") << 1 << 5.f << "" << 0;
        QTest::newRow("text after the semicolon")
            << QByteArray("P001=A1-01=5;   F9  kW") << 1 << 5.f << "" << 0;
        QTest::newRow("number still running at position 5")
            << QByteArray("P1234A1-01=5;") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("blank in the number")
            << QByteArray("P 01=A1-01=5;") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("zero line number")
            << QByteArray("P000=A1-01=5;") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("empty line number")
            << QByteArray("P=xxxA1-01=5;") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("empty value")
            << QByteArray("P001=A1-01=;") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("letter in the value")
            << QByteArray("P001=A1-01=2x;") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("blank in the value")
            << QByteArray("P001=A1-01=2 ;") << 1 << 24.f << "Error in line : 14 !" << question;
        QTest::newRow("number above the count") << QByteArray("P021=A1-01=5;") << 1 << 24.f
                                                << "Line/Parameter # out of range !" << question;
        QTest::newRow("number and tag differ")
            << QByteArray("P002=A1-01=5;") << 1 << 5.f << "" << 0;
        QTest::newRow("unknown tag") << QByteArray("P001=A1-21=5;") << 1 << 24.f
                                     << "Parameter A1-21 does not match !" << error;
        QTest::newRow("motor minimum passes")
            << QByteArray("P005=A1-05=0.2;") << 5 << 0.2f << "" << 0;
        QTest::newRow("below the motor minimum") << QByteArray("P005=A1-05=0.1;") << 5 << 150.f
                                                 << "Parameter A1-05 out of range !" << error;
        QTest::newRow("above the maximum") << QByteArray("P001=A1-01=25;") << 1 << 24.f
                                           << "Parameter A1-01 out of range !" << error;
        QTest::newRow("negative value") << QByteArray("P004=A1-04=-1;") << 4 << 10.f
                                        << "Parameter A1-04 out of range !" << error;
        QTest::newRow("malformed number reads as zero")
            << QByteArray("P004=A1-04=1.2.3;") << 4 << 0.f << "" << 0;
        QTest::newRow("lone point reads as zero")
            << QByteArray("P004=A1-04=.;") << 4 << 0.f << "" << 0;
    }
    void parameterLines() {
        QFETCH(QByteArray, line);
        QFETCH(int, parameter);
        QFETCH(float, value);
        QFETCH(QString, message);
        QFETCH(int, icon);
        const QString name = env->file(QStringLiteral("line.KSF"));
        QVERIFY(writeFile(name, project({line})));
        if (!message.isEmpty())
            fake->expect(Icon(icon), message, Buttons::OkCancel, Answer::Ok);
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Parameter(parameter).value, value);
        QCOMPARE(fake->beeps, message.startsWith(QStringLiteral("Error in line")) ? 1 : 0);
    }

    void lineNumberCountsEveryPhysicalLine_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("LF") << QByteArray(
                                   "[APPLICATION]\nFAN\n\n[DATA ENERGY SAVER]\nP001=A1-01=9\n")
                            << "Error in line : 5 !";
        QTest::newRow("CR LF")
            << QByteArray("[APPLICATION]\r\nFAN\r\n\r\n[DATA ENERGY SAVER]\r\nP001=A1-01=9\r\n")
            << "Error in line : 5 !";
        QTest::newRow("stray CR is dropped")
            << QByteArray("[APPLICATION]\r\nFA\rN\r\r\n\r\n[DATA ENERGY SAVER]\n\rP001=A1-01=9")
            << "Error in line : 5 !";
    }
    void lineNumberCountsEveryPhysicalLine() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString name = env->file(QStringLiteral("lines.KSF"));
        QVERIFY(writeFile(name, bytes));
        fake->expect(Icon::Question, message, Buttons::OkCancel);
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Shared.FileAppType, 1);
    }

    void strayCarriageReturnInsideAValue() {
        const QString name = env->file(QStringLiteral("cr.KSF"));
        QVERIFY(writeFile(name, project({"P001=A1-01=1\r2;"})));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Parameter(1).value, 12.0f);
    }

    void ctrlZEndsTheFile() {
        QByteArray bytes = project({"P001=A1-01=3;"}, {"Ann", "Title\x1aHidden"});
        bytes += "P001=A1-01=bad\r\n";
        const QString name = env->file(QStringLiteral("ctrlz.KSF"));
        QVERIFY(writeFile(name, bytes));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(fields.text(CustomerFields::Titlefor), QStringLiteral("Title"));
        QCOMPARE(Parameter(1).value, 3.0f);
    }

    void ctrlZAtTheStartOfALineAddsNoLine() {
        // "[INCENTIVE]" is the last line: Ctrl+Z after it does not make an empty line.
        const QString name = env->file(QStringLiteral("ctrlz2.KSF"));
        QVERIFY(writeFile(name, QByteArray("[APPLICATION]\r\nFAN\r\n[INCENTIVE]\r\n\x1a\r\n")));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Parameter(20).value, 0.0f);
    }

    void longLinesAreClassifiedWhole() {
        const QByteArray blanks(200000, ' ');
        const QByteArray bytes = "[APPLICATION]" + blanks + "\r\nFAN" + blanks + "x\r\n" + blanks +
                                 "PUMP" + blanks + "\r\n[DATA ENERGY SAVER]\r\n" + "P001=A1-01=6;" +
                                 QByteArray(100000, 'z') + "\r\n" + "P002=A1-02=3" + blanks +
                                 "\r\n";
        const QString name = env->file(QStringLiteral("long.KSF"));
        QVERIFY(writeFile(name, bytes));
        fake->expect(Icon::Question, QStringLiteral("Error in line : 6 !"), Buttons::OkCancel);
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Shared.FileAppType, 2);
        QCOMPARE(Parameter(1).value, 6.0f);
        QCOMPARE(Parameter(2).value, 7.0f);
    }

    // -- reader: questions and Cancel ------------------------------------------------------

    void okOnEveryQuestionReadsOn() {
        const QString name = env->file(QStringLiteral("ok.KSF"));
        QVERIFY(writeFile(name, project({"P001=A1-01=2;", "P002=A1-02=x;", "P021=A1-21=1;",
                                         "P005=A1-05=0.1;", "P022=A1-22=1;", "P003=A1-03=4;"},
                                        {"Ann", "Boss"})));
        Parameter(20).value = 1;
        fake->expect(Icon::Question, QStringLiteral("Error in line : 15 !"), Buttons::OkCancel);
        fake->expect(Icon::Question, QStringLiteral("Line/Parameter # out of range !"),
                     Buttons::OkCancel);
        fake->expect(Icon::Error, QStringLiteral("Parameter A1-05 out of range !"),
                     Buttons::OkCancel);
        fake->expect(Icon::Question, QStringLiteral("Line/Parameter # out of range !"),
                     Buttons::OkCancel);
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Parameter(1).value, 2.0f);
        QCOMPARE(Parameter(3).value, 4.0f);
        QCOMPARE(Parameter(5).value, 150.0f);
        QCOMPARE(fields.text(CustomerFields::Titlefor), QStringLiteral("Boss"));
    }

    void singleCancelStopsTheRead_data() {
        QTest::addColumn<QByteArray>("badLine");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("message");
        QTest::newRow("syntax error")
            << QByteArray("P002=A1-02=x;") << int(Icon::Question) << "Error in line : 15 !";
        QTest::newRow("line number") << QByteArray("P099=A1-02=1;") << int(Icon::Question)
                                     << "Line/Parameter # out of range !";
        QTest::newRow("limits") << QByteArray("P002=A1-02=8;") << int(Icon::Error)
                                << "Parameter A1-02 out of range !";
        QTest::newRow("no match") << QByteArray("P002=A1-32=8;") << int(Icon::Error)
                                  << "Parameter A1-32 does not match !";
    }
    void singleCancelStopsTheRead() {
        QFETCH(QByteArray, badLine);
        QFETCH(int, icon);
        QFETCH(QString, message);
        const QString name = env->file(QStringLiteral("cancel.KSF"));
        // No incentive section, a bad line after it and info lines: none of it may count.
        QByteArray bytes = crlf({"[APPLICATION]", "FAN", "[DATA ENERGY SAVER]", "", "P001=A1-01=2;",
                                 "P004=A1-04=3.5;"});
        bytes.replace("FAN\r\n", "FAN\r\n" + QByteArray("\r\n").repeated(8)); // the bad line is 15
        bytes += crlf({badLine, "P003=A1-03=4;", "bad=A1-01=1;", "[INFO]", "Ann"});
        QVERIFY(writeFile(name, bytes));
        Parameter(20).value = 1;
        fields.setText(CustomerFields::PREPFOR, QStringLiteral("Kept"));
        fake->expect(Icon(icon), message, Buttons::OkCancel, Answer::Cancel);
        QVERIFY(!ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(Parameter(1).value, 2.0f);
        QCOMPARE(Parameter(4).value, 3.5f);
        QCOMPARE(Parameter(3).value, 52.0f);
        QCOMPARE(Parameter(20).value, 1.0f);
        QCOMPARE(fields.text(CustomerFields::PREPFOR), QStringLiteral("Kept"));
        QVERIFY(Shared.InfoTextLines[0].isEmpty());
    }

    void cancelOnTheLastLine() {
        const QString name = env->file(QStringLiteral("last.KSF"));
        QVERIFY(writeFile(name, crlf({"[APPLICATION]", "FAN", "[DATA ENERGY SAVER]", "P1=x",
                                      "P001=A1-01=3;", "P001=A1-01=;"})));
        fake->expect(Icon::Question, QStringLiteral("Error in line : 6 !"), Buttons::OkCancel,
                     Answer::Cancel);
        QVERIFY(!ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(Parameter(1).value, 3.0f);
    }

    // -- reader: info lines ----------------------------------------------------------------

    void fifteenInfoLines() {
        QList<QByteArray> info;
        for (int i = 1; i <= 15; ++i)
            info << "info " + QByteArray::number(i);
        const QString name = env->file(QStringLiteral("info15.KSF"));
        QVERIFY(writeFile(name, project({}, info)));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        for (int i = 0; i < CustomerFields::Count; ++i)
            QCOMPARE(fields.text(AllFields[i]), QStringLiteral("info %1").arg(i + 1));
        QCOMPARE(Shared.InfoTextLines[13], QStringLiteral("info 14"));
        QVERIFY(Shared.InfoTextLines[14].isEmpty());
    }

    void seventyCharacterInfoLine() {
        const QByteArray line = "   " + QByteArray(57, 'a') + QByteArray(10, 'b');
        const QString name = env->file(QStringLiteral("info70.KSF"));
        QVERIFY(writeFile(name, project({}, {line, "\xE9t\xE9"})));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        QCOMPARE(fields.text(CustomerFields::PREPFOR), QString::fromLatin1(line.left(60)));
        QCOMPARE(fields.text(CustomerFields::Titlefor), QStringLiteral("\u00E9t\u00E9"));
    }

    void customerTextThatLooksLikeAHeader() {
        fields.setText(CustomerFields::Titlefor, QStringLiteral("Boss"));
        fields.setText(CustomerFields::Companyfor, QStringLiteral(" [info] "));
        fields.setText(CustomerFields::AddressFor, QStringLiteral("1 Main St"));
        fields.setText(CustomerFields::PROJECTNAME, QStringLiteral("Loop"));
        const QString name = env->file(QStringLiteral("company.KSF"));
        fake->expect(Icon::Information, QStringLiteral("Estimation Saved!"), Buttons::Ok);
        QVERIFY(WriteProjectFile(name));
        QVERIFY(ReadProjectFile(name, ParameterTableKind::Live, ReadMode::Load));
        // The company line starts the section again; the fields after it move up by one.
        QCOMPARE(fields.text(CustomerFields::Titlefor), QStringLiteral("Boss"));
        QCOMPARE(fields.text(CustomerFields::Companyfor), QStringLiteral("1 Main St"));
        QCOMPARE(fields.text(CustomerFields::EmailFor), QStringLiteral("Loop"));
        QCOMPARE(fields.text(CustomerFields::PROJECTNAME), QString());
    }

    void readingFromMemoryMatchesTheFile() {
        QVERIFY(ReadProjectData(project({"P001=A1-01=4;"}, {"Ann"}), ParameterTableKind::Live,
                                ReadMode::Load));
        QCOMPARE(Parameter(1).value, 4.0f);
        QCOMPARE(fields.text(CustomerFields::PREPFOR), QStringLiteral("Ann"));
        fake->expect(Icon::Question, QStringLiteral("Error in line : 14 !"), Buttons::OkCancel,
                     Answer::Cancel);
        QVERIFY(
            !ReadProjectData(project({"P001=A1-01=4"}), ParameterTableKind::Live, ReadMode::Load));
    }

    void hostileBytesNeverCrash() {
        fake->answerEverything(Answer::Ok);
        quint32 state = 12345;
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes;
            const int size = int(state % 3000);
            for (int i = 0; i < size; ++i) {
                state = state * 1664525u + 1013904223u;
                // Mostly the characters of real files, so the parser is reached.
                static const char alphabet[] = "P0123456789=:,;-.A1 \r\n\x1a[]INFOAPLCTDSV";
                bytes.append((state >> 24) % 4 == 0
                                 ? char(state >> 16)
                                 : alphabet[(state >> 16) % (sizeof alphabet - 1)]);
            }
            ReadProjectData("[APPLICATION]\nFAN\n[DATA ENERGY SAVER]\n" + bytes,
                            ParameterTableKind::Live, ReadMode::Load);
            ReadProjectData("[INFO]\n" + bytes, ParameterTableKind::Shadow, ReadMode::CheckOnly);
        }
        for (int n = 1; n <= 20; ++n) {
            QVERIFY(Parameter(n).value >= Parameter(n).minimum);
            QVERIFY(Parameter(n).value <= Parameter(n).maximum);
        }
    }

private:
    static bool writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<FakeDesktop> fake;
    MemoryCustomerFields fields;
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
