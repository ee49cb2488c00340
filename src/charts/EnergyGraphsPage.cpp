#include "charts/EnergyGraphsPage.h"

#include "charts/ChartPainter.h"
#include "charts/ChartView.h"
#include "charts/EstimationCharts.h"
#include "charts/TGRSEL.h"
#include "core/SharedState.h"
#include "platform/Desktop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

EnergyGraphsPage::EnergyGraphsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EnergyGraphsPage"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto* tools = new QHBoxLayout;
    BitBtn9 = new QPushButton(QStringLiteral("&Graph Type"), this);
    BitBtn9->setObjectName(QStringLiteral("BitBtn9"));
    BitBtn9->setToolTip(QStringLiteral("Select graph (Area, Bar, etc..)"));
    BitBtn16 = new QPushButton(QStringLiteral("&Reset"), this);
    BitBtn16->setObjectName(QStringLiteral("BitBtn16"));
    BitBtn16->setToolTip(QStringLiteral("Reset graph position"));
    BitBtn17 = new QPushButton(QStringLiteral("&Print Graph"), this);
    BitBtn17->setObjectName(QStringLiteral("BitBtn17"));
    BitBtn17->setToolTip(QStringLiteral("Print Graph"));
    CheckBox1 = new QCheckBox(QStringLiteral("3&D:"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(QStringLiteral("Switch between 2D and 3D view"));
    CheckBox1->setChecked(true);
    CheckBox1->setLayoutDirection(Qt::RightToLeft); // caption left of the box
    Label6A = new QLabel(QStringLiteral("3D View (%):"), this);
    Label6A->setObjectName(QStringLiteral("Label6A"));
    Label6A->setToolTip(QStringLiteral("Change 3D Perspective"));
    Bar3D = new QScrollBar(Qt::Horizontal, this);
    Bar3D->setObjectName(QStringLiteral("Bar3D"));
    Bar3D->setToolTip(QStringLiteral("Change 3D Perspective"));
    Bar3D->setRange(1, 100);
    Bar3D->setValue(15);
    Bar3D->setMinimumWidth(100);
    Label60 = new QLabel(QStringLiteral("&Rotation:"), this);
    Label60->setObjectName(QStringLiteral("Label60"));
    Label60->setToolTip(QStringLiteral("Rotate Graph"));
    ScrollBar3 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar3->setObjectName(QStringLiteral("ScrollBar3"));
    ScrollBar3->setToolTip(QStringLiteral("Rotate Graph"));
    ScrollBar3->setRange(270, 360);
    ScrollBar3->setValue(345);
    ScrollBar3->setMinimumWidth(100);
    ScrollBar3->setFocusPolicy(Qt::StrongFocus);
    Label60->setBuddy(ScrollBar3);
    for (QWidget* w : std::initializer_list<QWidget*>{BitBtn9, BitBtn16, BitBtn17, CheckBox1,
                                                      Label6A, Bar3D, Label60, ScrollBar3})
        tools->addWidget(w);
    tools->addStretch(1);
    column->addLayout(tools);

    // The six charts share one place; only the chart of the graph type is shown.
    auto* stack = new QGridLayout;
    for (int c = 0; c < GraphChartCount; ++c) {
        charts[c] = new ChartView(&Charts.Graph[c], this);
        stack->addWidget(charts[c], 0, 0);
    }
    column->addLayout(stack, 1);

    auto* bottom = new QHBoxLayout;
    SelectLabel = new QLabel(QStringLiteral("Select Energy Graph:"), this);
    SelectLabel->setObjectName(QStringLiteral("SelectLabel"));
    SelectionGraphType = new QComboBox(this);
    SelectionGraphType->setObjectName(QStringLiteral("SelectionGraphType"));
    SelectionGraphType->setToolTip(QStringLiteral("Select Energy Estimation Graph"));
    SelectionGraphType->addItems(GraphSelectionTexts());
    SelectionGraphType->setEditable(false);
    BW = new QCheckBox(QStringLiteral("Pattern"), this);
    BW->setObjectName(QStringLiteral("BW"));
    BW->setToolTip(QStringLiteral("Check here to use fill pattern for use with B/W printer"));
    BW->setCursor(Qt::PointingHandCursor);
    bottom->addWidget(SelectLabel);
    bottom->addWidget(SelectionGraphType, 1);
    bottom->addWidget(BW);
    column->addLayout(bottom);

    connect(BitBtn9, &QPushButton::clicked, this, &EnergyGraphsPage::BitBtn9Click);
    connect(BitBtn16, &QPushButton::clicked, this, &EnergyGraphsPage::ResetGraphClick);
    connect(BitBtn17, &QPushButton::clicked, this, &EnergyGraphsPage::PrintGraphClick);
    connect(CheckBox1, &QCheckBox::clicked, this, &EnergyGraphsPage::CheckBox1Click);
    connect(Bar3D, &QScrollBar::valueChanged, this, &EnergyGraphsPage::Bar3DChange);
    connect(ScrollBar3, &QScrollBar::valueChanged, this, &EnergyGraphsPage::ScrollBar3Change);
    connect(BW, &QCheckBox::clicked, this, &EnergyGraphsPage::BWClick);
    connect(SelectionGraphType, &QComboBox::activated, this,
            &EnergyGraphsPage::SelectionGraphTypeChange);

    ShowGraphOfType();
    for (ChartView* view : charts)
        view->refresh();
}

EnergyGraphsPage::~EnergyGraphsPage() = default;

QPrinter& EnergyGraphsPage::printer() {
    if (!graphPrinter)
        graphPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *graphPrinter;
}

ChartView* EnergyGraphsPage::chart(int graphType) const {
    return graphType >= 1 && graphType <= GraphChartCount ? charts[graphType - 1] : nullptr;
}

void EnergyGraphsPage::BitBtn9Click() {
    TGRSEL* chooser = GraphSel;
    if (!chooser) {
        if (!ownChooser)
            ownChooser = std::make_unique<TGRSEL>(window());
        chooser = ownChooser.get();
    }
    chooser->exec();
    ShowGraphOfType();
}

void EnergyGraphsPage::ResetGraphClick() {
    ResetGraphsView();
}

void EnergyGraphsPage::PrintGraphClick() {
    const ChartModel* model = GraphChart(Shared.GraphType);
    if (!model)
        return; // no chart is shown, so there is nothing to print
    QPrinter& p = printer();
    if (!platform::desktop().printDialog(&p))
        return;
    if (!PrintChart(*model, p))
        platform::desktop().message(platform::Icon::Warning,
                                    QStringLiteral("The graph could not be printed."),
                                    platform::Buttons::Ok);
}

void EnergyGraphsPage::CheckBox1Click() {
    SetGraphs3D(CheckBox1->isChecked());
    const bool on = Charts.Graph[0].view.enabled;
    Bar3D->setEnabled(on);
    ScrollBar3->setEnabled(on);
}

void EnergyGraphsPage::Bar3DChange() {
    SetGraphsDepth(Bar3D->value());
    Label6A->setText(QStringLiteral("3D View %1%").arg(Bar3D->value()));
}

void EnergyGraphsPage::ScrollBar3Change() {
    if (!ScrollBar3->isEnabled())
        return;
    RotateGraphs(ScrollBar3->value());
}

void EnergyGraphsPage::BWClick() {
    Charts.Pattern = BW->isChecked();
    ApplyFillPatterns();
}

void EnergyGraphsPage::SelectionGraphTypeChange() {
    Charts.SelectionGraphType = SelectionGraphType->currentIndex();
    ::SelectionGraphTypeChange();
}

void EnergyGraphsPage::SelectFirstGraph() {
    SelectionGraphType->setCurrentIndex(0);
    Charts.SelectionGraphType = 0;
}

void EnergyGraphsPage::ShowTimeView() {
    ApplyShowTimeView();
    const QSignalBlocker block(Bar3D);
    Bar3D->setValue(Charts.Graph[0].view.depth);
    Label6A->setText(QStringLiteral("3D View %1%").arg(Bar3D->value()));
}

ChartView* CreateDutyChartView(QWidget* parent) {
    auto* view = new ChartView(&Charts.DutyChart, parent);
    view->setFollowVisibility(false);
    return view;
}

bool PrintChart(const ChartModel& model, QPrinter& printer) {
    const QPageLayout::Orientation previous = printer.pageLayout().orientation();
    printer.setPageOrientation(QPageLayout::Landscape);
    bool ok = false;
    {
        QPainter painter;
        if (painter.begin(&printer)) {
            // The page's printable area less a small margin, the chart at the page's shape,
            // laid out at screen resolution and scaled up, so fonts, lines and hatches keep
            // the proportions they have on screen.
            const QRect page = painter.viewport();
            const double scale = std::max(1.0, printer.resolution() / 96.0);
            painter.scale(scale, scale);
            const QRectF area(page.x() / scale, page.y() / scale, page.width() / scale,
                              page.height() / scale);
            const double margin = area.width() / 40;
            PaintChart(painter, model, area.adjusted(margin, margin, -margin, -margin));
            ok = painter.end();
        }
    }
    printer.setPageOrientation(previous);
    return ok;
}
