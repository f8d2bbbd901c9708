#include "table/core/sorting.h"

#include "base/textutil.h"
#include "table/core/tablemodel.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <string>

namespace vt {
namespace {

std::mt19937 &generator()
{
    static std::mt19937 g{std::random_device{}()};
    return g;
}

// A text as a string of cp1251 sort codes, so that comparing two keys gives
// the order of cp1251Compare without looking characters up again.
std::u32string codeKey(const QString &s)
{
    std::u32string k;
    k.resize(size_t(s.size()));
    for (qsizetype i = 0; i < s.size(); ++i)
        k[size_t(i)] = char32_t(cp1251Code(s.at(i)));
    return k;
}

qint64 number(const QString &s)
{
    bool ok = false;
    const qint64 v = s.toLongLong(&ok);
    return ok ? v : 0;
}

// Date-time key: "dd.MM.yyyy H:mm:ss" (or the date alone) read directly as
// yyyyMMddHHmmss (the shared parser is far too slow for 9999 keys); anything
// else goes through the shared parser.
qint64 dateKey(const QString &s)
{
    const QChar *p = s.constData();
    const qsizetype n = s.size();
    auto digit = [&](qsizetype i) -> int {
        if (i >= n)
            return -1;
        const char16_t c = p[i].unicode();
        return c >= u'0' && c <= u'9' ? int(c - u'0') : -1;
    };
    auto num = [&](qsizetype i, int len) -> int {
        int v = 0;
        for (int k = 0; k < len; ++k) {
            const int dg = digit(i + k);
            if (dg < 0)
                return -1;
            v = v * 10 + dg;
        }
        return v;
    };
    if (n >= 10 && p[2] == u'.' && p[5] == u'.') {
        const int day = num(0, 2), mon = num(3, 2), year = num(6, 4);
        if (year >= 0 && QDate::isValid(year, mon, day)) {
            qint64 date = qint64(year) * 10000 + mon * 100 + day;
            if (n == 10)
                return date * 1000000;
            // " H:mm:ss" or " HH:mm:ss"
            if (p[10] == u' ') {
                const qsizetype h = n == 18 ? 1 : (n == 19 ? 2 : 0);
                if (h > 0) {
                    const int hour = num(11, int(h));
                    const qsizetype m = 11 + h;
                    if (hour >= 0 && hour < 24 && p[m] == u':' && p[m + 3] == u':') {
                        const int min = num(m + 1, 2), sec = num(m + 4, 2);
                        if (min >= 0 && min < 60 && sec >= 0 && sec < 60)
                            return date * 1000000 + hour * 10000 + min * 100 + sec;
                    }
                }
            }
        }
    }
    const QDateTime dt = parseDateTimeText(s);
    if (!dt.isValid())
        return 0;
    const QDate d = dt.date();
    const QTime t = dt.time();
    return (qint64(d.year()) * 10000 + d.month() * 100 + d.day()) * 1000000
        + t.hour() * 10000 + t.minute() * 100 + t.second();
}

template <typename Key>
std::vector<int> sortByKeys(const std::vector<Key> &keys, const std::vector<std::u32string> &k83,
                            const std::vector<qint64> &ids, int d, bool withKey)
{
    std::vector<int> order(keys.empty() ? ids.size() : keys.size());
    std::iota(order.begin(), order.end(), 0);
    const bool asc = d < 0;
    auto less = [&](int a, int b) {
        if (withKey) {
            if (keys[size_t(a)] < keys[size_t(b)])
                return true;
            if (keys[size_t(b)] < keys[size_t(a)])
                return false;
        }
        if (!k83.empty()) {
            const int c = k83[size_t(a)].compare(k83[size_t(b)]);
            if (c != 0)
                return c < 0;
        }
        return ids[size_t(a)] < ids[size_t(b)];
    };
    if (asc)
        std::stable_sort(order.begin(), order.end(), less);
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(b, a); });
    return order;
}

} // namespace

bool isSortCode(int code) { return (code >= 0 && code <= 10) || code == SortRandom || code == SortMarks; }

void seedRandom(quint32 seed) { generator().seed(seed); }

std::vector<int> sortOrder(const std::vector<TableRow> &rows, int code, int d)
{
    const size_t n = rows.size();
    if (code == SortRandom) {
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), generator());
        return order;
    }
    std::vector<qint64> ids(n);
    for (size_t i = 0; i < n; ++i)
        ids[i] = number(rows[i].cells[ColID]);
    std::vector<std::u32string> k83;
    if (code != ColID) {
        k83.resize(n);
        for (size_t i = 0; i < n; ++i)
            k83[i] = codeKey(rows[i].cells[Col83]);
    }
    switch (code) {
    case ColID:
        return sortByKeys(std::vector<int>(), k83, ids, d, false);
    case Col83:
        return sortByKeys(std::vector<int>(), k83, ids, d, false);
    case ColFolder:
    case ColName:
    case ColType:
    case ColAttrs: {
        std::vector<std::u32string> keys(n);
        for (size_t i = 0; i < n; ++i) {
            const QString &cell = rows[i].cells[size_t(code)];
            keys[i] = codeKey(code == ColName ? upper(cell) : cell);
        }
        return sortByKeys(keys, k83, ids, d, true);
    }
    case ColSize:
    case ColByte:
    case ColOrd:
    case ColPage: {
        const int col = code == ColSize ? ColByte : code;
        std::vector<qint64> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = number(rows[i].cells[size_t(col)]);
        return sortByKeys(keys, k83, ids, d, true);
    }
    case ColModified: {
        std::vector<qint64> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = dateKey(rows[i].cells[ColModified]);
        return sortByKeys(keys, k83, ids, d, true);
    }
    case SortMarks: {
        // Selected rows first in the ascending direction.
        std::vector<int> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = rows[i].selected ? 0 : 1;
        return sortByKeys(keys, k83, ids, d, true);
    }
    default:
        break;
    }
    return {};
}

bool sortTable(TableModel &model, int code, int d)
{
    if (!isSortCode(code))
        return false;
    std::vector<int> order = sortOrder(model.rows(), code, d);
    if (order.size() != size_t(model.size()))
        return false;
    model.reorder(order);
    return true;
}

} // namespace vt
