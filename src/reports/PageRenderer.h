#pragma once

class QPainter;
class ReportPage;
struct PlacedItem;

// Paints a laid-out page. The paper's top left corner goes to the painter's origin and one
// millimetre of paper becomes one millimetre at the device's resolution; a caller that wants
// another scale (a zoomed preview) scales the painter first.
class PageRenderer {
public:
    static void render(QPainter &painter, const ReportPage &page);

    // Thickness of the horizontal rules, in millimetres.
    static constexpr double kLineWidth = 0.25;

private:
    static void drawText(QPainter &painter, const PlacedItem &item);
    static void drawLine(QPainter &painter, const PlacedItem &item);
};
