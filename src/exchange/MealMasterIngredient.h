#pragma once

#include <QList>
#include <QString>
#include <utility>

// Removes leading and trailing blanks, except from a text that is exactly one blank.
QString TrimSpaces(const QString &text);

// One ingredient line of a Meal-Master recipe, cut by its fixed columns: the quantity in
// columns 1-7, the unit code in 9-10, and from column 12 the ingredient text, which splits
// into the ingredient's name and the line's description.
struct MealMasterIngredient {
    QString amount;
    QString measurement;
    QString name;
    QString description;
    int line = 0;  // where it stands in the file, from 1

    static MealMasterIngredient fromLine(const QString &line);

    // Whether text has the layout of an ingredient line: a quantity of digits, blanks and
    // fraction signs in columns 1-7, blanks in columns 8 and 11, a unit of letters in 9-10,
    // and some text from column 12 on.
    static bool hasLayout(const QString &text);
    // A line that carries on the text of the ingredient before it: no quantity or unit, and
    // text that starts with "-".
    static bool isContinuation(const QString &text);
    // The parts of a line written in two columns, the second starting at column 42; a line
    // in one column gives itself and an empty second part.
    static std::pair<QString, QString> columns(const QString &line);

    // Adds the text of a continuation line to the description.
    void continueWith(const QString &continuation);
};

// The ingredient lines of one group of a recipe (between sub-headings), in the order they
// were written: a list in two columns runs down the first column, then down the second.
class MealMasterIngredientGroup {
public:
    void addLine(const QString &line, int lineNumber = 0);
    bool isEmpty() const { return m_first.isEmpty() && m_second.isEmpty(); }
    // The group's ingredients in order; the group is empty afterwards.
    QList<MealMasterIngredient> take();

private:
    static void addPart(QList<MealMasterIngredient> &column, const QString &part, QList<MealMasterIngredient> *before,
                        int lineNumber);

    QList<MealMasterIngredient> m_first;
    QList<MealMasterIngredient> m_second;
};
