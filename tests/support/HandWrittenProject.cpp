#include "HandWrittenProject.h"

QStringList DefaultProjectValues() {
    return {"24", "7", "52", "10.00", "150.0", "95.0", "97.0", "0.0", "0", "1",
            "2",  "9", "17", "24",    "17",    "13",   "11",   "6",   "0", "1"};
}

QByteArray HandWrittenProject(const QString& application, const QStringList& values,
                              bool incentiveSection) {
    QStringList lines{"[FILE INFO]",
                      "",
                      "FILE TYPE  : QVN ENERGY FILE 1.005.10",
                      "DATE       : 12/11/2026",
                      "",
                      "[APPLICATION]",
                      "",
                      application,
                      ""};
    if (incentiveSection)
        lines << "[INCENTIVE]"
              << "";
    lines << "[DATA ENERGY SAVER]"
          << "";
    for (int i = 0; i < values.size(); ++i) {
        const QString number = QString::number(i + 1).rightJustified(2, QLatin1Char('0'));
        lines << QStringLiteral("P0%1=A1-%1=").arg(number) +
                     (values.at(i) + QLatin1Char(';')).leftJustified(15) + QString(7, ' ');
    }
    lines << ""
          << "[INFO]"
          << "Ann Smith"
          << "Engineer"
          << "Firm \"Quotes\" Inc."
          << ""
          << ""
          << ""
          << ""
          << ""
          << ""
          << "Project";
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}
