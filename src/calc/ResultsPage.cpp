#include "calc/ResultsPage.h"

#include <QHash>

ResultsPage::ResultsPage() {
    reset();
}

void ResultsPage::reset() {
    controls.fill(PageControl{});
    extra.clear();
}

namespace {
int indexOf(const QString& name) {
    static const QHash<QString, int> index = [] {
        QHash<QString, int> map;
        for (int i = 0; i < ResultsPage::controlNames().size(); ++i)
            map.insert(ResultsPage::controlNames().at(i), i);
        return map;
    }();
    return index.value(name, -1);
}
} // namespace

PageControl& ResultsPage::operator[](const QString& name) {
    const int i = indexOf(name);
    return i >= 0 ? controls[static_cast<std::size_t>(i)] : extra[name];
}

PageControl ResultsPage::value(const QString& name) const {
    const int i = indexOf(name);
    return i >= 0 ? controls[static_cast<std::size_t>(i)] : extra.value(name);
}

bool ResultsPage::contains(const QString& name) const {
    return indexOf(name) >= 0 || extra.contains(name);
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
