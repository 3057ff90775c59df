#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// The font and colour of one report item.
struct ItemStyle {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;  // a text shrunk to fit its space may get a fraction
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;

    // The font at its size in report units (see ReportUnits), the same on every device.
    QFont font() const;

    static ItemStyle arial(double pointSize, bool bold = false, const QColor &color = Qt::black);

    bool operator==(const ItemStyle &other) const = default;
};
