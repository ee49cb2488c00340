#include "charts/TGRSEL.h"

#include "charts/ChartPainter.h"
#include "charts/EstimationCharts.h"
#include "core/SharedState.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int PictureWidth = 90;
constexpr int PictureHeight = 79;

const char* const Hints[6] = {"Select Area Graph",  "Select Line Graph", "Select Horizontal Graph",
                              "Select Point Graph", "Select Bar Graph",  "Select Fast Line Graph"};

// A small chart of the kind, drawn by the chart painter itself: three series over five
// points in 3-D, without titles or legend.
QPixmap kindPicture(int graphType) {
    static const SeriesKind kinds[6] = {SeriesKind::Area,  SeriesKind::Line, SeriesKind::HorizBar,
                                        SeriesKind::Point, SeriesKind::Bar,  SeriesKind::FastLine};
    static const double values[3][5] = {{3, 5, 4, 7, 6}, {2, 3, 5, 4, 5}, {1, 2, 2, 3, 2}};
    ChartModel model;
    model.legendVisible = false;
    model.axisLabels = false;
    model.view.depth = 30;
    const SeriesKind kind = kinds[graphType - 1];
    for (int s = 2; s >= 0; --s) {
        ChartSeries series;
        series.kind = kind;
        series.color = SlotColor(s + 1);
        series.penWidth = 2;
        for (int i = 0; i < 5; ++i) {
            const double flow = i + 1, value = values[s][i];
            series.points << (kind == SeriesKind::HorizBar ? QPointF(value, flow)
                                                           : QPointF(flow, value));
        }
        model.series << series;
    }
    // Draw large and scale down: the painter keeps its labels readable at chart size.
    QPixmap big(PictureWidth * 2, PictureHeight * 2);
    big.fill(Qt::white);
    {
        QPainter painter(&big);
        PaintChart(painter, model, QRectF(0, 0, big.width(), big.height()));
    }
    return big.scaled(PictureWidth, PictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

TGRSEL::TGRSEL(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GRSEL"));
    setWindowTitle(QStringLiteral("Graph Type"));
    setFixedSize(359, 283);
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) &
                   ~Qt::WindowContextHelpButtonHint);

    auto* upper = new QWidget(this);
    upper->setObjectName(QStringLiteral("Panel1"));
    upper->setGeometry(0, 0, 359, 236);
    upper->setAutoFillBackground(true);
    QPalette pal = upper->palette();
    pal.setColor(QPalette::Window, QColor(217, 233, 251));
    upper->setPalette(pal);

    const int left0 = 24, gapX = 112, top0 = 14, gapY = 100;
    for (int n = 0; n < 6; ++n) {
        const int x = left0 + (n % 3) * gapX, y = top0 + (n / 3) * gapY;
        auto* frame = new QFrame(upper);
        frame->setObjectName(QStringLiteral("Frame%1").arg(n + 1));
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(2);
        frame->setGeometry(x - 5, y - 5, PictureWidth + 10, PictureHeight + 10);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        frames[n] = frame;

        auto* label = new QLabel(upper);
        label->setObjectName(QStringLiteral("Picture%1").arg(n + 1));
        label->setGeometry(x, y, PictureWidth, PictureHeight);
        label->setPixmap(kindPicture(n + 1));
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(QString::fromLatin1(Hints[n]));
        label->installEventFilter(this);
        pictures[n] = label;
    }
    auto* caption = new QLabel(QStringLiteral("Select Graph Type"), upper);
    caption->setObjectName(QStringLiteral("Label1"));
    caption->setGeometry(0, 208, 359, 20);
    caption->setAlignment(Qt::AlignCenter);

    auto* lower = new QWidget(this);
    lower->setObjectName(QStringLiteral("Panel2"));
    lower->setGeometry(0, 236, 359, 47);
    CloseButton = new QPushButton(QStringLiteral("&Close"), lower);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(142, 10, 75, 27);
    CloseButton->setDefault(true);
    connect(CloseButton, &QPushButton::clicked, this, &TGRSEL::CloseClick);
    // Esc closes through QDialog::reject, like the button.
}

QLabel* TGRSEL::picture(int graphType) const {
    return graphType >= 1 && graphType <= 6 ? pictures[graphType - 1] : nullptr;
}

QFrame* TGRSEL::frame(int graphType) const {
    return graphType >= 1 && graphType <= 6 ? frames[graphType - 1] : nullptr;
}

void TGRSEL::showFrameOfGraphType() {
    for (QFrame* f : frames)
        f->hide();
    if (QFrame* f = frame(Shared.GraphType))
        f->show();
}

void TGRSEL::FormShow() {
    showFrameOfGraphType();
    // Centred over the main window (the parent), else over the screen.
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area =
        over ? over->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void TGRSEL::PictureClick(int graphType) {
    if (graphType < 1 || graphType > 6)
        return;
    Shared.GraphType = graphType;
    showFrameOfGraphType();
}

void TGRSEL::CloseClick() {
    accept();
}

void TGRSEL::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

bool TGRSEL::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int n = 0; n < 6; ++n) {
            if (watched == pictures[n]) {
                PictureClick(n + 1);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
