#include "calc/ResultsPage.h"

ResultsPage::ResultsPage() {
    reset();
}

void ResultsPage::reset() {
    controls.clear();
    for (const QString& name : controlNames())
        controls.insert(name, PageControl{});
}

const QStringList& ResultsPage::controlNames() {
    static const QStringList names = [] {
        QStringList list{QStringLiteral("FLOWM")};
        for (int i = 1; i <= 4; ++i)
            list << QStringLiteral("LINE%1").arg(i);
        list << QStringLiteral("LINECUSTOM1") << QStringLiteral("LINECUSTOM2");
        for (int i = 1; i <= 4; ++i)
            list << QStringLiteral("VAL%1").arg(i);
        list << QStringLiteral("VALCUSTOM1") << QStringLiteral("VALCUSTOM2");
        for (const char* prefix : {"CONTROL", "VALUE", "PAYBACK", "PAYBACKVALUE"})
            for (int i = 1; i <= 5; ++i)
                list << QString::fromLatin1(prefix) + QString::number(i);
        return list;
    }();
    return names;
}

ResultsPage& resultsPage() {
    static ResultsPage page;
    return page;
}

QString colourName(PageColour colour) {
    return colour == PageColour::Red ? QStringLiteral("red") : QStringLiteral("black");
}
