#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <future>
#include <memory>

class TDatabase;

// What a recipe must and must not hold. Each ingredient is named by the start of its name,
// letter case ignored (beyond ASCII too), as the ingredient picker finds it: "chick" names
// "Chicken breast" and "Chickpeas" alike.
struct IngredientCriteria {
    QStringList with;     // each names an ingredient the recipe must have
    QStringList without;  // none may name an ingredient of the recipe
};

struct FoundRecipe {
    QString id;
    QString name;
};

// Finds recipes by their ingredient lines. The recipes, their lines and the ingredient names
// are read once and kept, so that each search as the cook types runs in memory, on the rows
// as they are stored at that moment: what this copy of the program changes since is read
// again recipe by recipe, and after another copy's change everything is read again.
class RecipeFinder {
public:
    explicit RecipeFinder(TDatabase &db);
    ~RecipeFinder();
    RecipeFinder(const RecipeFinder &) = delete;
    RecipeFinder &operator=(const RecipeFinder &) = delete;

    // The recipes with an ingredient named by each start of `with` and none named by a start
    // of `without`, ordered by name as the recipe list is. With nothing in `with`, every
    // recipe but the excluded ones; a start that names no ingredient at all leaves none.
    QList<FoundRecipe> find(const IngredientCriteria &criteria);

    // Keeps the rows ready for the next search: when another copy of the program, or a large
    // change of this one's (an import), has put them out of date, reads them again on a thread
    // of its own, and a search meanwhile waits for it. Costs a few small statements when
    // nothing changed; the windows call it each second. True when rows read so are ready that
    // no search has looked at yet: a list found before may be out of date.
    bool readAhead();

    // The starts of names typed into one field: separated by commas, blanks around each one
    // dropped, empty ones left out ("egg, brown sugar" holds two).
    static QStringList namesFromText(const QString &text);

    // What a search looks at, as read from the tables.
    struct Collection;

private:
    const Collection &collection();

    TDatabase &m_db;
    std::unique_ptr<Collection> m_collection;
    std::future<std::unique_ptr<Collection>> m_readingAhead;
    bool m_newerRowsReady = false;
    bool m_noting = false;  // this connection's changes are noted once a search has read the rows
};
