#include "base/textutil.h"

#include "base/storefile.h"
#include "platform/dirreader.h"
#include "platform/codepage.h"
#include "platform/regularfile.h"

#include <QStringList>
#include <QHash>
#include <QDir>

#include <array>

namespace vt {
namespace {

// Unicode code point -> cp1251 byte for the upper half, built once from the
// system converter so that we carry no table of our own.
struct Cp1251Table {
    std::array<char16_t, 256> toUnicode = fs::cp1251Chars();
    QHash<char16_t, unsigned char> fromUnicode;
    Cp1251Table()
    {
        for (int b = 0; b < 256; ++b)
            if (toUnicode[size_t(b)] != 0xFFFD)
                fromUnicode.insert(toUnicode[size_t(b)], (unsigned char)b);
    }
};

const Cp1251Table &table()
{
    static const Cp1251Table t;
    return t;
}

} // namespace

QByteArray toCp1251(const QString &text, bool *ok)
{
    const auto &t = table();
    QByteArray out;
    out.reserve(text.size());
    bool all = true;
    for (QChar c : text) {
        char16_t u = c.unicode();
        if (u < 0x80) {
            out.append(char(u));
            continue;
        }
        auto it = t.fromUnicode.constFind(u);
        if (it == t.fromUnicode.constEnd()) {
            out.append('?');
            all = false;
        } else {
            out.append(char(*it));
        }
    }
    if (ok)
        *ok = all;
    return out;
}

QString fromCp1251(const QByteArray &bytes)
{
    const auto &t = table();
    QString out;
    out.resize(bytes.size());
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(t.toUnicode[(unsigned char)bytes[i]]);
    return out;
}

bool fitsCp1251(const QString &text)
{
    const auto &t = table();
    for (QChar c : text)
        if (c.unicode() >= 0x80 && !t.fromUnicode.contains(c.unicode()))
            return false;
    return true;
}

int cp1251Code(QChar c)
{
    char16_t u = c.unicode();
    if (u < 0x80)
        return u;
    auto it = table().fromUnicode.constFind(u);
    return it == table().fromUnicode.constEnd() ? 256 + u : int(*it);
}

int cp1251Compare(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        QChar ca = a.at(i), cb = b.at(i);
        if (ca == cb)
            continue;
        int x = cp1251Code(ca), y = cp1251Code(cb);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

QString upper(const QString &text) { return text.toUpper(); }

QString dateTimeText(const QDateTime &dt)
{
    if (!dt.isValid())
        return QString();
    const QDate d = dt.date();
    const QTime t = dt.time();
    if (d.year() < 0 || d.year() > 9999)
        return dt.toString(QStringLiteral("dd.MM.yyyy H:mm:ss"));
    return dateTimeText(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

QString dateTimeText(int year, int month, int day, int hour, int minute, int second)
{
    // Made by hand: the table draws thousands of these, and the locale-aware
    // formatter costs more than the rest of a row.
    char buf[24];
    auto two = [](char *p, int v) {
        p[0] = char('0' + v / 10 % 10);
        p[1] = char('0' + v % 10);
    };
    two(buf, day);
    buf[2] = '.';
    two(buf + 3, month);
    buf[5] = '.';
    two(buf + 6, year / 100);
    two(buf + 8, year % 100);
    int n = 10;
    if (hour != 0 || minute != 0 || second != 0) {
        buf[n++] = ' ';
        if (hour >= 10)
            buf[n++] = char('0' + hour / 10);
        buf[n++] = char('0' + hour % 10);
        buf[n++] = ':';
        two(buf + n, minute);
        n += 2;
        buf[n++] = ':';
        two(buf + n, second);
        n += 2;
    }
    return QString::fromLatin1(buf, n);
}

QDateTime parseDateTimeText(const QString &text)
{
    // "dd.MM.yyyy H:mm:ss" or "dd.MM.yyyy", read by hand: Qt's parser asks
    // the system's locale on every call, which costs milliseconds on Windows.
    const QString s = text.trimmed();
    auto num = [&s](qsizetype at, qsizetype len) {
        int v = 0;
        for (qsizetype i = at; i < at + len; ++i) {
            if (i >= s.size() || !s[i].isDigit() || s[i].unicode() > '9')
                return -1;
            v = v * 10 + (s[i].unicode() - '0');
        }
        return v;
    };
    if (s.size() < 10 || s[2] != QLatin1Char('.') || s[5] != QLatin1Char('.'))
        return QDateTime();
    const QDate d(num(6, 4), num(3, 2), num(0, 2));
    if (num(0, 2) < 0 || num(3, 2) < 0 || num(6, 4) < 0 || !d.isValid())
        return QDateTime();
    if (s.size() == 10)
        return QDateTime(d, QTime(0, 0));
    const qsizetype h = s.size() == 18 ? 1 : s.size() == 19 ? 2 : 0; // digits of the hour
    if (h == 0 || s[10] != QLatin1Char(' ') || s[11 + h] != QLatin1Char(':') || s[14 + h] != QLatin1Char(':'))
        return QDateTime();
    const int hour = num(11, h), minute = num(12 + h, 2), second = num(15 + h, 2);
    const QTime t(hour, minute, second);
    if (hour < 0 || minute < 0 || second < 0 || !t.isValid())
        return QDateTime();
    return QDateTime(d, t);
}

bool writeFileAtomic(const QString &path, const QByteArray &data)
{
    return fs::writeFileReplacing(path, data);
}

QByteArray readWholeFile(const QString &path, bool *ok, qint64 maxBytes)
{
    QByteArray data;
    bool tooBig = false;
    const bool read = fs::readRegularLimited(fs::nativePath(path), maxBytes, &data, &tooBig) == fs::ReadStatus::Ok;
    if (ok)
        *ok = read;
    return data;
}

QStringList readCp1251Lines(const QString &path, bool *ok)
{
    QByteArray data;
    const bool readOk = readStore(path, &data) == StoreRead::Ok;
    if (ok)
        *ok = readOk;
    if (!readOk || data.isEmpty())
        return {};
    QStringList lines = fromCp1251(data).split(QLatin1Char('\n'));
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    // A final line break does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray cp1251Text(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines) {
        out += toCp1251(l);
        out += "\r\n";
    }
    return out;
}

bool writeCp1251Lines(const QString &path, const QStringList &lines)
{
    return !storeTooBig(path) && writeFileAtomic(path, cp1251Text(lines));
}

} // namespace vt
