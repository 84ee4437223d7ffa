#pragma once

#include "diary/Gpx.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

// The waypoints of a GPX file offered as waters: the new ones ticked, the ones the list
// has already shown but not to be ticked, so that no water is added twice.
class GpxImportDialog : public QDialog
{
    Q_OBJECT

public:
    GpxImportDialog(std::vector<Gpx::Waypoint> waypoints, const QString &fileName, QWidget *parent = nullptr);

    // The waters ticked, in the file's order.
    std::vector<Water> Chosen() const;

    QLabel *SummaryLabel = nullptr;
    QListWidget *WaypointList = nullptr;
    QPushButton *AddButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    void Ticked();

    std::vector<Gpx::Waypoint> m_waypoints;
};
