#include "data/FilterParser.h"

#include "data/DateText.h"
#include "data/EngineError.h"

#include <algorithm>

namespace {

// The SQL of a part of the expression and how deeply its parentheses nest. SQLite's parser
// overflows its stack at some 85 levels of parentheses, and it refuses an expression tree more
// than 1000 deep, which a flat chain of a thousand "or" (a report of a thousand ticked
// recipes) already is; so chains are grouped in balanced halves and the nesting is bounded.
struct Sql {
    QString text;
    int nesting = 0;
};

struct Token {
    enum Kind { End, Name, String, Number, Operator, LeftParen, RightParen } kind = End;
    QString text;
    int position = 0;
};

class Parser {
public:
    Parser(const QString &text, const FilterParser::FieldResolver &resolve) : m_text(text), m_resolve(resolve)
    {
        advance();
    }

    SqlCondition run()
    {
        SqlCondition result;
        if (m_token.kind == Token::End)
            return result;
        result.sql = expression().text;
        if (m_token.kind != Token::End)
            fail(QStringLiteral("unexpected \"%1\"").arg(m_token.text));
        result.values = m_values;
        return result;
    }

private:
    static constexpr int kMaxDepth = 64;
    static constexpr int kMaxNesting = 64;

    [[noreturn]] void fail(const QString &what) const
    {
        throw EngineError(EngineError::FilterSyntax,
                          QStringLiteral("Invalid filter expression at position %1: %2.\n%3")
                              .arg(m_token.position + 1)
                              .arg(what, m_text.left(200)));
    }

    bool isKeyword(const char *word) const
    {
        return m_token.kind == Token::Name && m_token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    Sql expression()
    {
        QList<Sql> terms{term()};
        while (isKeyword("or")) {
            advance();
            terms.append(term());
        }
        return joined(terms, 0, terms.size(), QLatin1String(" OR "));
    }

    Sql term()
    {
        QList<Sql> factors{factor()};
        while (isKeyword("and")) {
            advance();
            factors.append(factor());
        }
        return joined(factors, 0, factors.size(), QLatin1String(" AND "));
    }

    // The operands first .. first + count - 1 joined by the operator, as a balanced tree.
    Sql joined(const QList<Sql> &operands, qsizetype first, qsizetype count, QLatin1String op) const
    {
        if (count == 1)
            return operands[first];
        const Sql left = joined(operands, first, count / 2, op);
        const Sql right = joined(operands, first + count / 2, count - count / 2, op);
        return nested(QLatin1Char('(') + left.text + op + right.text + QLatin1Char(')'),
                      std::max(left.nesting, right.nesting));
    }

    Sql nested(const QString &text, int innerNesting) const
    {
        if (innerNesting + 1 > kMaxNesting)
            fail(QStringLiteral("expression nested too deeply"));
        return {text, innerNesting + 1};
    }

    Sql factor()
    {
        if (++m_depth > kMaxDepth)
            fail(QStringLiteral("expression nested too deeply"));
        Sql sql;
        if (isKeyword("not")) {
            advance();
            // A comparison with a blank field yields SQL's NULL, which NOT leaves NULL; the
            // expression language knows only true and false, so unknown counts as false here.
            // ("x IS NOT 1" rather than "NOT coalesce(x, 0)": a function call costs SQLite's
            // parser three times the stack of a parenthesis.)
            const Sql operand = factor();
            sql = nested(QLatin1Char('(') + operand.text + QLatin1String(") IS NOT 1"), operand.nesting);
        } else if (m_token.kind == Token::LeftParen) {
            advance();
            const Sql inner = expression();
            sql = nested(QLatin1Char('(') + inner.text + QLatin1Char(')'), inner.nesting);
            if (m_token.kind != Token::RightParen)
                fail(QStringLiteral("\")\" expected"));
            advance();
        } else {
            sql = {comparison(), 1};
        }
        --m_depth;
        return sql;
    }

    QString comparison()
    {
        if (m_token.kind != Token::Name)
            fail(QStringLiteral("field name expected"));
        const FilterParser::ResolvedField field = m_resolve(m_token.text);
        if (field.sql.isEmpty())
            fail(QStringLiteral("unknown field \"%1\"").arg(m_token.text));
        advance();
        if (m_token.kind != Token::Operator)
            fail(QStringLiteral("comparison operator expected"));
        const QString op = m_token.text;
        advance();
        if (m_token.kind != Token::String && m_token.kind != Token::Number)
            fail(QStringLiteral("quoted value expected"));
        const QVariant value = literal(field);
        advance();
        return compare(field.sql, op, value);
    }

    QVariant literal(const FilterParser::ResolvedField &field) const
    {
        if (field.isDate) {
            const QDate date = DateText::parse(m_token.text);
            if (!date.isValid())
                fail(QStringLiteral("\"%1\" is not a valid date").arg(m_token.text));
            return DateText::toStorage(date);
        }
        if (field.isNumber) {
            bool ok = false;
            const qlonglong n = m_token.text.trimmed().toLongLong(&ok);
            if (!ok)
                fail(QStringLiteral("\"%1\" is not a valid number").arg(m_token.text));
            return n;
        }
        return m_token.text;
    }

    // A blank field is stored as NULL, and the expression language knows no NULL: a blank
    // field equals '' and differs from every other text.
    QString compare(const QString &column, const QString &op, const QVariant &value)
    {
        const bool blank = value.typeId() == QMetaType::QString && value.toString().isEmpty();
        if (op == QLatin1String("=") && blank)
            return QStringLiteral("(%1 IS NULL OR %1 = '')").arg(column);
        if (op == QLatin1String("<>") && blank)
            return QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(column);
        m_values.append(value);
        if (op == QLatin1String("<>"))
            return QStringLiteral("(%1 IS NULL OR %1 <> ?)").arg(column);
        return QStringLiteral("%1 %2 ?").arg(column, op);
    }

    void advance()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        m_token = Token{};
        m_token.position = m_pos;
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos];
        if (c == QLatin1Char('\'')) {
            m_token.kind = Token::String;
            m_token.text = quoted(QLatin1Char('\''));
        } else if (c == QLatin1Char('"')) {
            m_token.kind = Token::Name;
            m_token.text = quoted(QLatin1Char('"'));
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            m_token.kind = c == QLatin1Char('(') ? Token::LeftParen : Token::RightParen;
            m_token.text = c;
            ++m_pos;
        } else if (QStringLiteral("=<>").contains(c)) {
            m_token.kind = Token::Operator;
            m_token.text = c;
            ++m_pos;
            if (m_pos < m_text.size() && c != QLatin1Char('=')
                && (m_text[m_pos] == QLatin1Char('=') || (c == QLatin1Char('<') && m_text[m_pos] == QLatin1Char('>'))))
                m_token.text += m_text[m_pos++];
        } else if (c.isDigit() || c == QLatin1Char('-')) {
            m_token.kind = Token::Number;
            const int start = m_pos++;
            while (m_pos < m_text.size() && m_text[m_pos].isDigit())
                ++m_pos;
            m_token.text = m_text.mid(start, m_pos - start);
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            m_token.kind = Token::Name;
            const int start = m_pos;
            while (m_pos < m_text.size()
                   && (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_')
                       || m_text[m_pos] == QLatin1Char('.')))
                ++m_pos;
            m_token.text = m_text.mid(start, m_pos - start);
        } else {
            fail(QStringLiteral("unexpected character \"%1\"").arg(c));
        }
    }

    // Reads a quoted run; the quote character written twice stands for itself.
    QString quoted(QChar quote)
    {
        QString value;
        ++m_pos;
        while (true) {
            if (m_pos >= m_text.size())
                fail(QStringLiteral("unterminated quoted text"));
            if (m_text[m_pos] == quote) {
                if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == quote) {
                    value += quote;
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return value;
            }
            value += m_text[m_pos++];
        }
    }

    const QString m_text;
    const FilterParser::FieldResolver &m_resolve;
    int m_pos = 0;
    int m_depth = 0;
    Token m_token;
    QVariantList m_values;
};

} // namespace

SqlCondition FilterParser::translate(const QString &expression, const FieldResolver &resolveField)
{
    return Parser(expression, resolveField).run();
}

QString FilterParser::quotedText(QString value)
{
    return QLatin1Char('\'') + value.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}
