#pragma once

#include "reports/ItemStyle.h"

#include <QPointF>
#include <QString>
#include <functional>

enum class ItemKind { Label, Data, Line, Memo };

// One printable element of a band. Positions and sizes are millimetres from the band's top
// left corner. Labels print a fixed text, data items the text their source gives for the
// current record, both sized to their content unless a box width is set; a memo wraps its
// text to its width and stretches its band; a line is a horizontal rule of the given length.
class ReportItem {
public:
    using Source = std::function<QString()>;

    ReportItem(ItemKind kind, const QString &name, const QPointF &position);

    ItemKind kind() const { return m_kind; }
    const QString &name() const { return m_name; }
    QPointF position() const { return m_position; }

    // Length of a line, width of a memo, or the box a data text is aligned in (0: none).
    double width() const { return m_width; }
    void setWidth(double millimetres) { m_width = millimetres; }
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }

    // The room a data text or label has before the next item of its row (0: unlimited). A
    // longer text is set in a smaller size, down to a limit, rather than run into its neighbour.
    double fitWidth() const { return m_fitWidth; }
    void setFitWidth(double millimetres) { m_fitWidth = millimetres; }
    // The room from the text's top to the next row below it (0: the band's end, which moves).
    // A text too wide for its room even at the smallest size is broken into lines: within a
    // room below, at the largest size at which they fit (at the smallest size, pushing the
    // rows below down, when even those do not); without one, at its own size, and its band
    // stretches to hold them.
    double fitHeight() const { return m_fitHeight; }
    void setFitHeight(double millimetres) { m_fitHeight = millimetres; }

    const ItemStyle &style() const { return m_style; }
    void setStyle(const ItemStyle &style) { m_style = style; }

    // A disabled item is neither measured nor printed.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    void setText(const QString &text) { m_text = text; }
    void setSource(Source source) { m_source = std::move(source); }
    // The fixed text of a label, or what the source reads from the current record.
    QString text() const;

private:
    ItemKind m_kind;
    QString m_name;
    QPointF m_position;
    double m_width = 0;
    double m_fitWidth = 0;
    double m_fitHeight = 0;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    ItemStyle m_style;
    bool m_enabled = true;
    QString m_text;
    Source m_source;
};
