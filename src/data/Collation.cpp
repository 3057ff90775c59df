#include "data/Collation.h"

namespace {

inline char16_t fold(char16_t c, bool caseInsensitive)
{
    return caseInsensitive && c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// UTF-16 code units order surrogates (U+D800..U+DFFF) below U+E000..U+FFFF, while code
// points put the characters they encode above them; shift both ranges to restore code point order.
inline int codePointRank(char16_t c)
{
    if (c >= 0xD800 && c <= 0xDFFF)
        return c + 0x2000;
    if (c >= 0xE000)
        return c - 0x800;
    return c;
}

bool isNumber(const QVariant &v)
{
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::Double || t == QMetaType::ULongLong
           || t == QMetaType::UInt || t == QMetaType::Bool;
}

} // namespace

int Collation::compareText(const QString &a, const QString &b, bool caseInsensitive)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = fold(pa[i], caseInsensitive);
        const char16_t cb = fold(pb[i], caseInsensitive);
        if (ca != cb)
            return codePointRank(ca) < codePointRank(cb) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int Collation::compareValues(const QVariant &a, const QVariant &b, bool caseInsensitive)
{
    // Text against text is what views compare most: no copies on the way.
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString && !a.isNull() && !b.isNull())
        return compareText(*static_cast<const QString *>(a.constData()), *static_cast<const QString *>(b.constData()),
                           caseInsensitive);
    const bool nullA = a.isNull(), nullB = b.isNull();
    if (nullA || nullB)
        return nullA == nullB ? 0 : (nullA ? -1 : 1);
    const bool numA = isNumber(a), numB = isNumber(b);
    if (numA && numB) {
        if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double) {
            const double x = a.toDouble(), y = b.toDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const qlonglong x = a.toLongLong(), y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (numA != numB)
        return numA ? -1 : 1;
    return compareText(a.toString(), b.toString(), caseInsensitive);
}
