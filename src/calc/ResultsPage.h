#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

// The results page of the estimation wizard ("Energy Estimation") as data: every control
// ShowSavings writes, by its control name, with its text, visibility and font colour. The
// wizard shows it, the report reads it.
enum class PageColour { Black, Red };

struct PageControl {
    QString text;
    bool visible = true;
    PageColour colour = PageColour::Black;
};

// The controls in page order; the numbered ones follow each other (VAL1 + 2 is VAL3).
enum PageControlId {
    PageFLOWM,
    PageLINE1,
    PageLINECUSTOM1 = PageLINE1 + 4,
    PageLINECUSTOM2,
    PageVAL1,
    PageVALCUSTOM1 = PageVAL1 + 4,
    PageVALCUSTOM2,
    PageCONTROL1,
    PageVALUE1 = PageCONTROL1 + 5,
    PagePAYBACK1 = PageVALUE1 + 5,
    PagePAYBACKVALUE1 = PagePAYBACK1 + 5,
    PageControlCount = PagePAYBACKVALUE1 + 5
};

class ResultsPage {
public:
    ResultsPage();
    // The control with that name; an unknown name is added.
    PageControl& operator[](const QString& name);
    PageControl& operator[](PageControlId id) { return controls[static_cast<std::size_t>(id)]; }
    PageControl value(const QString& name) const;
    bool contains(const QString& name) const;
    // Every control back to its state before the first run: empty, visible, black.
    void reset();

    // FLOWM, LINE1 .. LINE4, LINECUSTOM1/2, VAL1 .. VAL4, VALCUSTOM1/2, CONTROL1 .. 5,
    // VALUE1 .. 5, PAYBACK1 .. 5, PAYBACKVALUE1 .. 5, in page order.
    static const QStringList& controlNames();

private:
    std::array<PageControl, PageControlCount> controls{};
    QMap<QString, PageControl> extra;
};

// The control `offset` places after `first` (PageVAL1 + 2 is VAL3).
inline PageControlId pageId(PageControlId first, int offset) {
    return static_cast<PageControlId>(static_cast<int>(first) + offset);
}

// The results page of the program.
ResultsPage& resultsPage();

QString colourName(PageColour colour); // "black", "red"

// Shown instead of an amount or a payback for a method that cannot be calculated.
inline const QString UnavailableText = QStringLiteral("Unavailable");
