#pragma once

// Layouts are given in millimetres. Text is measured and painted in a finer unit of
// 1/720 inch, in which every whole point size is a whole pixel size, so that a font is the
// same size on every device and line breaks never depend on the screen's resolution.
namespace ReportUnits {

inline constexpr double kUnitsPerInch = 720.0;
inline constexpr double kUnitsPerPoint = kUnitsPerInch / 72.0;
inline constexpr double kMillimetresPerInch = 25.4;

inline constexpr double toUnits(double millimetres)
{
    return millimetres * kUnitsPerInch / kMillimetresPerInch;
}

inline constexpr double toMillimetres(double units)
{
    return units * kMillimetresPerInch / kUnitsPerInch;
}

} // namespace ReportUnits
