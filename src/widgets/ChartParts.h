#pragma once

#include <QString>

class QChart;
class QChartView;
class QValueAxis;
class QWidget;

// The parts every chart of the program is made of (the catch log's, the mock exam's), so
// that they look alike.

// A chart with its title in the small bold face, numbers written the Polish way and no
// legend.
QChart *NewChart(const QString &title);
// Axis labels in the program's small face, so that month and species names fit.
void UseSmallLabels(QChart *chart);
QChartView *NewView(QChart *chart, const char *name, QWidget *parent);
// A count axis from 0 with whole steps.
void SetCountRange(QValueAxis *axis, double top);
// Asks where to save the chart as PNG and writes it; the path written, empty when
// cancelled or failed (the failure shown).
QString SaveChartPng(QWidget *parent, QChartView *view, const QString &suggestedName);
