#pragma once

#include "FlightRecords.h"

#include <QLine>
#include <QPolygon>
#include <QString>

#include <array>
#include <vector>

// Collects what a run flew (each aircraft's drawn positions and every smoke segment)
// and draws it: smoke in white under thin paths in one colour per aircraft, with the
// screen's outline, so the figures can be checked by eye.
class TracePicture {
public:
    TracePicture(int screenWidth, int screenHeight, QString caption);

    // A drawn position; a new path starts when the aircraft was relaunched or hidden.
    void AddPosition(int i, int x, int y, bool continuesPath);
    void AddSmoke(const SmokePoint& point);

    // Writes the picture, scaled down to at most maxEdge pixels on its longer side.
    bool Save(const QString& file, int maxEdge = 1600) const;

private:
    struct Path {
        int Aircraft;
        QPolygon Points;
    };
    int width_;
    int height_;
    QString caption_;
    std::vector<Path> paths_;
    std::array<int, PlaneCount> openPath_;
    std::vector<std::pair<QLine, int>> smoke_;  // segment and the emitting aircraft's Scale
};
