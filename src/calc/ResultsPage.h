#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The results page of the estimation wizard ("Energy Estimation") as data: every control
// ShowSavings writes, by its control name, with its text, visibility and font colour. The
// wizard shows it, the report reads it.
enum class PageColour { Black, Red };

struct PageControl {
    QString text;
    bool visible = true;
    PageColour colour = PageColour::Black;
};

class ResultsPage {
public:
    ResultsPage();
    // The control with that name; an unknown name is added.
    PageControl& operator[](const QString& name) { return controls[name]; }
    const PageControl value(const QString& name) const { return controls.value(name); }
    bool contains(const QString& name) const { return controls.contains(name); }
    // Every control back to its state before the first run: empty, visible, black.
    void reset();

    // FLOWM, LINE1 .. LINE4, LINECUSTOM1/2, VAL1 .. VAL4, VALCUSTOM1/2, CONTROL1 .. 5,
    // VALUE1 .. 5, PAYBACK1 .. 5, PAYBACKVALUE1 .. 5, in page order.
    static const QStringList& controlNames();

private:
    QMap<QString, PageControl> controls;
};

// The results page of the program.
ResultsPage& resultsPage();

QString colourName(PageColour colour); // "black", "red"

// Shown instead of an amount or a payback for a method that cannot be calculated.
inline const QString UnavailableText = QStringLiteral("Unavailable");
