#pragma once

#include <QString>

// The fixed texts of the native exchange file.
namespace NativeFormat {

inline constexpr QLatin1String kMarker("Platewright");
inline constexpr QLatin1String kInstructions("Instructions");
inline constexpr QLatin1String kNotes("Notes");
inline constexpr QLatin1String kIngredientsList("Ingredients List");

// The header fields in file order, and the ingredient-line fields after the ingredient name.
inline constexpr const char *kHeaderFields[] = {"Name", "Meal", "Category", "PrepTime", "Servings", "CookTime"};
inline constexpr const char *kLineFields[] = {"Order", "Amount", "Measurement", "Description"};

} // namespace NativeFormat
