#pragma once

#include <QToolButton>

// A tool button that lays its glyph and caption out tightly, so that a caption fits under the
// glyph of a 30-pixel button as it does on the classic tool bars, and stays readable when the
// button is disabled. The style draws only the button's face.
class ToolBarButton : public QToolButton {
    Q_OBJECT
public:
    explicit ToolBarButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
