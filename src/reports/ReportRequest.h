#pragma once

#include "reports/ReportKind.h"

#include <QString>
#include <QStringList>

// What the user asked to print: the kind, and what narrows it. Only the field that the kind's
// filter names is read; the dates are texts as the user typed them (either may be empty for an
// open end).
struct ReportRequest {
    ReportKind kind = ReportKind::RecipeByName;
    QStringList names;
    QString category;
    QString from;
    QString to;
    bool combine = false;  // shopping lists: add up the amounts of each ingredient
};
