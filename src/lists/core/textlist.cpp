#include "lists/core/textlist.h"

#include "base/operation.h"
#include "base/textutil.h"
#include "platform/dirreader.h"
#include "platform/regularfile.h"
#include "platform/shortpath.h"
#include "platform/systemfolders.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"

#include <QDir>
#include <QFileInfo>

namespace vt {
namespace {

// No path is longer; a longer line is reported, not looked up.
constexpr int kMaxLine = 4096;
constexpr int kReportCut = 300;

// A report line that cannot flood the log or carry a NUL into it.
QString reportLine(QString line)
{
    line.replace(QChar(0), QLatin1Char('?'));
    if (line.size() > kReportCut)
        line = line.left(kReportCut) + QStringLiteral("...");
    return line;
}

QString rowText(const TableRow &row, const QString &quote, QString *full)
{
    *full = listPath(row.entry);
    return quote + *full + quote;
}

const QString kStartHead = QStringLiteral("Папка начала поиска: ");
const QString kAliasHead = QStringLiteral("Строка-замена: ");
const QString kSep = QStringLiteral("-------");
const QString kDateHead = QStringLiteral("Дата изменения, атрибуты: ");
const QString kSizeHead = QStringLiteral("Размер файла: ");

} // namespace

QString cleanListLine(const QString &line)
{
    QString s = line;
    s.remove(QLatin1Char('"'));
    qsizetype b = 0, e = s.size();
    auto blank = [](QChar c) { return c.unicode() <= 0x20 || c.unicode() == 0x7F; };
    while (b < e && blank(s[b]))
        ++b;
    while (e > b && blank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

ListRead readTextListRows(TableModel &table, const QString &path, QStringList &report,
                          OperationContext *ops, TextListForm form)
{
    ListRead res;
    const QFileInfo fi(path);
    QByteArray bytes;
    bool tooBig = false;
    if (fs::readRegularLimited(fs::nativePath(path), kMaxTextList, &bytes, &tooBig) != fs::ReadStatus::Ok)
        return res;
    const QString folder = fi.absolutePath();
    const bool m3u = fi.suffix().compare(QLatin1String("m3u"), Qt::CaseInsensitive) == 0;
    QStringList lines = decodeTextLines(bytes);
    bytes = QByteArray();

    // A TXT report with a replacement string names its start folder first.
    QString aliasFolder, alias;
    if (form == TextListForm::Txt && lines.size() >= 3 && lines[0].startsWith(kStartHead)
        && lines[1].startsWith(kAliasHead) && lines[2] == kSep) {
        aliasFolder = lines[0].mid(kStartHead.size());
        alias = lines[1].mid(kAliasHead.size());
        lines = lines.mid(3);
    }

    report << QStringLiteral("Ошибки чтения файла:") << path << QString();
    ReadErrors errors(report);
    AppendState st;
    for (const QString &raw : std::as_const(lines)) {
        if (ops) {
            ops->pump();
            if (ops->stopRequested()) {
                res.stop = StopUser;
                break;
            }
        }
        // Players write "#EXTM3U" and "#EXTINF:..." lines into playlists.
        if (m3u && raw.trimmed().startsWith(QLatin1Char('#')))
            continue;
        QString line = cleanListLine(raw);
        if (form == TextListForm::Txt) {
            if (line.isEmpty() || line == kSep || line.startsWith(kDateHead) || line.startsWith(kSizeHead))
                continue;
            if (!alias.isEmpty() && line.startsWith(alias))
                line = aliasFolder + line.mid(alias.size());
        }
        if (line.isEmpty()) {
            errors.add(QStringLiteral("<НЕТ ИМЕНИ>"));
            continue;
        }
        if (line.size() > kMaxLine || line.contains(QChar(0))) {
            errors.add(reportLine(line));
            continue;
        }
        const QString full = QDir::cleanPath(QDir(folder).absoluteFilePath(line));
        const AppendResult a = appendPath(table, st, full);
        if (a == AppendResult::Stop) {
            res.stop = st.limitReached ? StopLimit : StopUser;
            break;
        }
        if (a == AppendResult::NotAdded)
            errors.add(reportLine(line));
    }
    errors.finish();
    res.errors = errors.count();
    res.kind = ListKind::Vtx;
    return res;
}

TextLines vtxLines(const TableModel &table, const QString &listPath_, bool relative)
{
    TextLines out;
    QString key;
    if (relative) {
        key = fs::shortPath(QFileInfo(listPath_).absolutePath() + QLatin1Char('/'));
        if (key.isEmpty()) {
            out.ok = false;
            return out;
        }
    }
    for (const TableRow &row : table.rows()) {
        const QString full = listPath(row.entry);
        if (full.isNull()) {
            ++out.leftOut;
            continue;
        }
        const QString &sf = row.entry.shortForm;
        if (relative && sf.size() > key.size() && sf.startsWith(key)
            && !sf.mid(key.size()).contains(QLatin1Char('/')))
            out.lines << full.section(QLatin1Char('/'), -1);
        else
            out.lines << full;
    }
    return out;
}

TextLines txtNameLines(const TableModel &table, const QList<int> &rows, const QString &quote,
                       const QString &replacement, bool useReplacement)
{
    TextLines out;
    const QString start = table.startFolder();
    const bool alias = useReplacement && !start.isEmpty();
    if (alias)
        out.lines << kStartHead + start << kAliasHead + replacement << kSep << QString();
    for (int r : rows) {
        QString full;
        rowText(table.rows()[size_t(r)], QString(), &full);
        if (full.isNull()) {
            ++out.leftOut;
            continue;
        }
        if (alias && full.startsWith(start))
            full = replacement + full.mid(start.size());
        out.lines << quote + full + quote;
    }
    return out;
}

TextLines txtRowLines(const TableModel &table, const QList<int> &rows, const QString &quote)
{
    TextLines out;
    for (int r : rows) {
        const TableRow &row = table.rows()[size_t(r)];
        QString full;
        const QString first = rowText(row, quote, &full);
        if (full.isNull()) {
            ++out.leftOut;
            continue;
        }
        bool ok = false;
        qint64 exact = row.cells[ColByte].toLongLong(&ok);
        if (!ok)
            exact = 0;
        QString size = kSizeHead + row.cells[ColSize];
        if (exact > 1023)
            size += QStringLiteral(" (byte: ") + QString::number(exact) + QLatin1Char(')');
        size += QStringLiteral(". Ord: ") + row.cells[ColOrd] + QStringLiteral(". Page: ") + row.cells[ColPage];
        out.lines << first << kDateHead + row.cells[ColModified] + QStringLiteral(". ") + row.cells[ColAttrs]
                  << size << kSep;
    }
    return out;
}

QString textStampName(const QDateTime &t, const QString &ext)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    return QString::asprintf("%2.2d-%2.2d-%2.2d_%2.2d-%2.2d-%2.2d.", d.year(), d.month(), d.day(), tm.hour(),
                             tm.minute(), tm.second())
         + ext.toLower();
}

QString textTempName(const QString &ext) { return QStringLiteral("~VtlTmpfile.") + ext.toLower(); }

QString tempFolder(QString *value)
{
    QString v = fs::tempSetting();
    if (value)
        *value = v;
    if (!QFileInfo(v).isDir())
        return QString();
    if (!v.endsWith(QLatin1Char('/')))
        v += QLatin1Char('/');
    return v;
}

} // namespace vt
