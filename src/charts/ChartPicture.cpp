#include "charts/ChartPicture.h"

#include "charts/ChartPainter.h"
#include "charts/EstimationCharts.h"
#include "core/SharedState.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

QSize pictureSize(const ChartModel& model) {
    QSize size = model.size;
    if (size.width() < 50 || size.height() < 50)
        size = QSize(640, 400);
    return size.boundedTo(QSize(10000, 10000));
}

} // namespace

QString ReportPictureName(int n) {
    return Shared.TempFolder + QStringLiteral("/QVN_EE%1.WMF").arg(n);
}

bool SaveChartPicture(const ChartModel& model, const QString& fileName) {
    const QSize size = pictureSize(model);
    QPicture picture;
    {
        QPainter painter(&picture);
        PaintChart(painter, model, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!picture.save(&file))
        return false;
    return file.commit();
}

bool LoadChartPicture(const QString& fileName, QPicture& picture) {
    picture = QPicture();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A picture of a chart is small; anything huge is not one of ours.
    if (file.size() > 64 * 1024 * 1024)
        return false;
    QBuffer buffer;
    buffer.setData(file.readAll());
    buffer.open(QIODevice::ReadOnly);
    if (!picture.load(&buffer)) {
        picture = QPicture();
        return false;
    }
    return true;
}

bool WriteReportPictures() {
    // A graph type outside 1..6 shows no chart; the report still needs its graphs, so it
    // takes them from the bar chart rather than leaving the pictures of an earlier report.
    const ChartModel* chart = GraphChart(Shared.GraphType);
    const int index = chart ? Shared.GraphType - 1 : 4;
    bool ok = true;
    FillCostGraph();
    ok = SaveChartPicture(Charts.Graph[index], ReportPictureName(1)) && ok;
    FillHoursGraph();
    ok = SaveChartPicture(Charts.Graph[index], ReportPictureName(2)) && ok;
    FillTimeGraph();
    ok = SaveChartPicture(Charts.Graph[index], ReportPictureName(3)) && ok;
    FillCostGraph();
    return ok;
}

QImage RenderChartImage(const ChartModel& model, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChart(painter, model, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

QString ExportChart(const ChartModel& model, const QString& fileName, const QSize& size) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const QRectF area(QPointF(0, 0), QSizeF(size));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("png")) {
        if (!RenderChartImage(model, size).save(&buffer, "PNG"))
            return QStringLiteral("cannot write %1").arg(fileName);
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(model.title);
        QPainter painter(&svg);
        PaintChart(painter, model, area);
    } else if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(Shared.ProductTitle);
        pdf.setTitle(model.title);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        PaintChart(painter, model, area);
    } else {
        return QStringLiteral("unknown picture type \"%1\": use .png, .svg or .pdf").arg(suffix);
    }
    // The picture is complete in memory; the file is replaced in one step.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() ||
        !file.commit())
        return QStringLiteral("cannot write %1").arg(fileName);
    return {};
}
