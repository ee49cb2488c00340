#pragma once

#include "charts/ChartModel.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPicture;

// Report pictures: the chart as a serialized QPicture, which keeps the texts and the fill
// patterns when the report draws it again at any size.

// The fixed name of report picture n (1 cost, 2 hours, 3 time) in the temporary folder.
QString ReportPictureName(int n);

// Records the chart at its size (model.size) and writes it, replacing the file atomically.
bool SaveChartPicture(const ChartModel& model, const QString& fileName);
// Reads a picture written by SaveChartPicture; false (and an empty picture) when the file
// is missing or not a picture.
bool LoadChartPicture(const QString& fileName, QPicture& picture);

// Fills the cost, hours and time graphs in turn and saves the chart of the current graph
// type after each as report pictures 1..3; ends with the cost graph. False when a file
// could not be written.
bool WriteReportPictures();

// The chart painted on a white image of the given size.
QImage RenderChartImage(const ChartModel& model, const QSize& size);
// Writes the chart as PNG, SVG or PDF, chosen by the file's suffix. Returns an empty text on
// success, else what went wrong.
QString ExportChart(const ChartModel& model, const QString& fileName, const QSize& size);
