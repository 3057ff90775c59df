#pragma once

#include <QList>

class QWidget;

// Puts the controls into this tab order, one after the other.
void setTabChain(const QList<QWidget *> &controls);
