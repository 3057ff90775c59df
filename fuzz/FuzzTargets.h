#pragma once

// The entry points through which untrusted bytes reach the program: the two importers, the
// filter of a table view and the settings file. The libFuzzer programs and the corpus replay
// test call exactly these functions. Each returns 0; an input the program rightly refuses
// (an ExchangeError, a filter syntax error) is no failure. Any other exception escapes, and a
// broken promise of the code under test (a transaction left open, a record left in editing,
// a setting that does not read back as written) raises FuzzInvariantBroken.

#include <cstddef>
#include <cstdint>
#include <stdexcept>

struct FuzzInvariantBroken : std::logic_error {
    using std::logic_error::logic_error;
};

// The bytes as a native exchange file.
int fuzzNativeImport(const uint8_t *data, size_t size);
// The bytes as a Meal-Master file.
int fuzzMealMasterImport(const uint8_t *data, size_t size);
// The bytes (UTF-8) as the filter expression of the recipe view and of a day view.
int fuzzFilter(const uint8_t *data, size_t size);
// The bytes as the settings file "Recipe.Ini".
int fuzzSettings(const uint8_t *data, size_t size);

// Closes the data module and removes the scratch directory the entry points share; the next
// call opens them afresh. The replay test calls it before its application object goes.
void releaseFuzzEnvironment();
