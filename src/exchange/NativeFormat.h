#pragma once

#include <QString>
#include <QStringView>

// The fixed texts of the native exchange file.
namespace NativeFormat {

inline constexpr QLatin1String kMarker("Platewright");
inline constexpr QLatin1String kInstructions("Instructions");
inline constexpr QLatin1String kNotes("Notes");
inline constexpr QLatin1String kIngredientsList("Ingredients List");

// The header fields in file order, and the ingredient-line fields after the ingredient name.
inline constexpr const char *kHeaderFields[] = {"Name", "Meal", "Category", "PrepTime", "Servings", "CookTime"};
inline constexpr const char *kLineFields[] = {"Order", "Amount", "Measurement", "Description"};

// A block holding a value the plain layout cannot carry (a ";" or a line end in a value, a
// byte 26, a memo line that reads as the line ending its section) is written escaped: its
// "Instructions" line reads kEscapedInstructions, and in its values and memo lines "\" and
// those characters are written as "\" and two hex digits ("\3B" for ";"); a memo line that
// reads as a section line has its first character written so. Every other block is written
// plainly, byte for byte as before, and programs that do not know escaping still find the
// fields and sections of an escaped block where they expect them.
inline constexpr QLatin1String kEscapedInstructions("Instructions (escaped)");

// Whether a header or ingredient value needs the escaped layout.
bool valueNeedsEscape(QStringView value);
// Whether a memo line of the section ended by endLine needs the escaped layout.
bool memoLineNeedsEscape(QStringView line, QLatin1String endLine);
QString escapeValue(QStringView value);
QString escapeMemoLine(QStringView line);
// Reverses both; a "\" not followed by two hex digits stays as it is.
QString unescape(const QString &text);

} // namespace NativeFormat
