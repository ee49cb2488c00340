#include "DesktopTestCase.h"
#include "TestEnvironment.h"
#include "core/ParameterTable.h"

#include <QTest>

using platform::Buttons;
using platform::Icon;

class TestParameterTable : public DesktopTestCase {
    Q_OBJECT
private slots:
    void definesTwentyParametersWithDefaults() {
        DefineAllParameters();
        QCOMPARE(ParameterCount(), 20);
        const float defaults[20] = {24, 7, 52, 10, 150, 95, 97, 0, 0, 1,
                                    2,  9, 17, 24, 17,  13, 11, 6, 0, 1};
        for (int n = 1; n <= 20; ++n) {
            const ParameterRecord& p = Parameter(n);
            QCOMPARE(int(p.number), n);
            QCOMPARE(int(p.tagNumber), n);
            QCOMPARE(p.listText(), QStringLiteral("A1"));
            QCOMPARE(p.value, defaults[n - 1]);
            QCOMPARE(ShadowParameter(n).value, defaults[n - 1]);
        }
        QVERIFY(fake->messages.isEmpty());
    }

    void decimalsAndTexts_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("hours") << 1 << 0 << "24";
        QTest::newRow("price") << 4 << 2 << "10.00";
        QTest::newRow("motor") << 5 << 1 << "150.0";
        QTest::newRow("drive cost") << 9 << 0 << "0";
    }
    void decimalsAndTexts() {
        QFETCH(int, number);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        DefineAllParameters();
        QCOMPARE(DecimalsOf(Parameter(number)), decimals);
        QCOMPARE(ParameterText(Parameter(number)), text);
    }

    void motorMinimumIsTheFloatNearestTwoTenths() {
        DefineAllParameters();
        const ParameterRecord& motor = Parameter(5);
        QCOMPARE(motor.minimum, 0.2f);
        QVERIFY(double(motor.minimum) > 0.2);
        // 0.2 compared as a 32-bit float lies inside the limits.
        QVERIFY(!(float(0.2) < motor.minimum));
        QCOMPARE(FormatFixed(motor.minimum, 1), QStringLiteral("0.2"));
    }

    void resetKeepsParameterTwenty() {
        DefineAllParameters();
        Parameter(20).value = 0;
        Parameter(1).value = 8;
        Parameter(19).value = 40;
        ResetParametersToDefaults();
        QCOMPARE(Parameter(1).value, 24.0f);
        QCOMPARE(Parameter(19).value, 0.0f);
        QCOMPARE(Parameter(20).value, 0.0f);
    }

    void shadowIsASeparateCopy() {
        DefineAllParameters();
        Parameter(3).value = 12;
        QCOMPARE(ShadowParameter(3).value, 52.0f);
    }

    void threeHundredthPassesThreeHundredFirstFails() {
        for (int n = 1; n <= MaxParameters; ++n)
            DefineParameter(n, "A1", n, {}, {}, 1, 0, 2, 1, 0);
        QCOMPARE(ParameterCount(), 300);
        QVERIFY(fake->messages.isEmpty());
        fake->expect(Icon::Error, QStringLiteral("Maximum number of parameters exceeded !"),
                     Buttons::Ok);
        DefineParameter(301, "A1", 301, {}, {}, 1, 0, 2, 1, 0);
        QCOMPARE(fake->endedWith.size(), 1);
    }

    void definitionErrors_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<float>("def");
        QTest::addColumn<float>("minimum");
        QTest::addColumn<float>("maximum");
        QTest::addColumn<float>("step");
        QTest::addColumn<int>("editType");
        QTest::addColumn<QString>("message");
        QTest::newRow("min equals max")
            << 7 << 1.f << 1.f << 1.f << 1.f << 0 << "PARAMETER LIST ERROR MIN>=MAX LIST NO. :7";
        QTest::newRow("min above max")
            << 12 << 1.f << 3.f << 2.f << 1.f << 0 << "PARAMETER LIST ERROR MIN>=MAX LIST NO. :12";
        QTest::newRow("step zero")
            << 1 << 1.f << 0.f << 2.f << 0.f << 0 << "RANGE STEP LIST ERROR LIST NO. :1";
        QTest::newRow("step half")
            << 1 << 1.f << 0.f << 2.f << 0.5f << 0 << "RANGE STEP LIST ERROR LIST < 1 NO. :1";
        QTest::newRow("default below")
            << 1 << -0.01f << 0.f << 2.f << 1.f << 0 << "DEFAULT VALUE VF not in Range LIST NO :1";
        QTest::newRow("default above")
            << 1 << 2.01f << 0.f << 2.f << 1.f << 0 << "DEFAULT VALUE VF not in Range LIST NO :1";
        QTest::newRow("edit type 3")
            << 1 << 1.f << 0.f << 2.f << 1.f << 3 << "EDIT TYPE is not 0/1 LIST NO :1";
        QTest::newRow("number cut to three") << 1234 << 1.f << 1.f << 1.f << 1.f << 0
                                             << "PARAMETER LIST ERROR MIN>=MAX LIST NO. :123";
    }
    void definitionErrors() {
        QFETCH(int, number);
        QFETCH(float, def);
        QFETCH(float, minimum);
        QFETCH(float, maximum);
        QFETCH(float, step);
        QFETCH(int, editType);
        QFETCH(QString, message);
        fake->expect(Icon::Error, message, Buttons::Ok);
        DefineParameter(number, "A1", number, {}, {}, def, minimum, maximum, step, editType);
        QCOMPARE(fake->endedWith, QList<int>{1});
    }

    void boundaryDefinitionsPass_data() {
        QTest::addColumn<float>("def");
        QTest::addColumn<int>("editType");
        QTest::newRow("default at minimum") << 0.f << 0;
        QTest::newRow("default at maximum") << 2.f << 0;
        QTest::newRow("edit type 2") << 1.f << 2;
    }
    void boundaryDefinitionsPass() {
        QFETCH(float, def);
        QFETCH(int, editType);
        DefineParameter(1, "A1", 1, QString(40, 'u'), QString(12, 'f'), def, 0, 2, 1, editType);
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(Parameter(1).value, def);
        QCOMPARE(Parameter(1).unitText.size(), 38);
        QCOMPARE(Parameter(1).formatText.size(), 10);
    }

    void formatFixedRoundsHalvesAwayFromZero_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("exact half up") << 0.125 << 2 << "0.13";
        QTest::newRow("negative half") << -2.5 << 0 << "-3";
        QTest::newRow("carry") << 9.995 << 2 << "9.99"; // 9.995 is below the half as a double
        QTest::newRow("carry 2") << 99.5 << 0 << "100";
        QTest::newRow("negative zero") << -0.001 << 2 << "0.00";
        QTest::newRow("four decimals") << 1.23456 << 4 << "1.2346";
        QTest::newRow("exact half, six decimals") << 0.0078125 << 6 << "0.007813";
        QTest::newRow("huge") << 1e15 + 0.5 << 0 << "1000000000000001";
    }
    void formatFixedRoundsHalvesAwayFromZero() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(FormatFixed(value, decimals), text);
    }
};

QTEST_GUILESS_MAIN(TestParameterTable)
#include "tst_parametertable.moc"
