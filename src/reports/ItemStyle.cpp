#include "reports/ItemStyle.h"

#include "reports/ReportUnits.h"

#include <mutex>

namespace {

// Layouts name the common Windows face; installs without it print with its metric twin.
void installSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    });
}

} // namespace

QFont ItemStyle::font() const
{
    installSubstitutions();
    QFont result(family);
    result.setPixelSize(qRound(pointSize * ReportUnits::kUnitsPerPoint));
    result.setBold(bold);
    result.setItalic(italic);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

ItemStyle ItemStyle::arial(double pointSize, bool bold, const QColor &color)
{
    ItemStyle style;
    style.pointSize = pointSize;
    style.bold = bold;
    style.color = color;
    return style;
}
