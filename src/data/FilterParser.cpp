#include "data/FilterParser.h"

#include "data/DateText.h"
#include "data/EngineError.h"

namespace {

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
        result.sql = expression();
        if (m_token.kind != Token::End)
            fail(QStringLiteral("unexpected \"%1\"").arg(m_token.text));
        result.values = m_values;
        return result;
    }

private:
    static constexpr int kMaxDepth = 64;

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

    QString expression()
    {
        QString sql = term();
        while (isKeyword("or")) {
            advance();
            sql = QStringLiteral("%1 OR %2").arg(sql, term());
        }
        return sql;
    }

    QString term()
    {
        QString sql = factor();
        while (isKeyword("and")) {
            advance();
            sql = QStringLiteral("%1 AND %2").arg(sql, factor());
        }
        return sql;
    }

    QString factor()
    {
        if (++m_depth > kMaxDepth)
            fail(QStringLiteral("expression nested too deeply"));
        QString sql;
        if (isKeyword("not")) {
            advance();
            // A comparison with a blank field yields SQL's NULL, which NOT leaves NULL; the
            // expression language knows only true and false, so unknown counts as false here.
            sql = QStringLiteral("NOT coalesce(%1, 0)").arg(factor());
        } else if (m_token.kind == Token::LeftParen) {
            advance();
            sql = QStringLiteral("(%1)").arg(expression());
            if (m_token.kind != Token::RightParen)
                fail(QStringLiteral("\")\" expected"));
            advance();
        } else {
            sql = comparison();
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
