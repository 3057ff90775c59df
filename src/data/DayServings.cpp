#include "data/DayServings.h"

#include "data/DateText.h"
#include "data/EngineError.h"

namespace DayServings {

std::optional<int> fromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int servings = trimmed.toInt(&ok);
    if (!ok || servings < 1 || servings > kMost)
        throw EngineError(EngineError::CheckFailed,
                          QStringLiteral("\"%1\" is not a number of servings. Enter a whole number from 1 to %2, "
                                         "or nothing for as many as the recipe serves.")
                              .arg(trimmed)
                              .arg(kMost));
    return servings;
}

QString toText(std::optional<int> servings)
{
    return servings ? QString::number(*servings) : QString();
}

QString stripText(std::optional<int> servings)
{
    if (!servings)
        return {};
    return *servings == 1 ? QStringLiteral(" (1 serving)") : QStringLiteral(" (%1 servings)").arg(*servings);
}

QString notPlannedNotice(const QDate &date)
{
    return QStringLiteral("No recipe is planned on %1: assign one first, then set its servings.")
        .arg(DateText::toDisplay(date));
}

} // namespace DayServings
