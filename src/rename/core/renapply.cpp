#include "rename/core/renapply.h"

#include "journal/core/journalrecorder.h"

#include "base/textutil.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/renamefile.h"

#include <QRandomGenerator>
#include <cstdlib>

namespace vt {

namespace {

// Upper case character by character, so that positions in the copy are
// positions in the original.
QString upperInPlace(QString s)
{
    for (QChar &c : s)
        c = c.toUpper();
    return s;
}

bool forbidden(QChar c)
{
    const ushort u = c.unicode();
    if (u < 32 || u == 127)
        return true;
    switch (u) {
    case '"': case '*': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
        return true;
    default:
        return false;
    }
}

RenameEntryResult fromFs(fs::RenameResult r)
{
    switch (r) {
    case fs::RenameResult::Ok: return RenameEntryResult::Ok;
    case fs::RenameResult::Exists: return RenameEntryResult::Exists;
    case fs::RenameResult::Failed: break;
    }
    return RenameEntryResult::Failed;
}

} // namespace

QString renResultText(int code, bool test)
{
    QString t;
    switch (code) {
    case RenOk: t = QStringLiteral("OK"); break;
    case RenCaseOnly: t = QStringLiteral("OK [только регистр]"); break;
    case RenLength: t = QStringLiteral("ошибка длины"); break;
    case RenExists: t = QStringLiteral("ОШИБКА [файл/папка существует]"); break;
    case RenSame: t = QStringLiteral("ошибка [имя не изменилось]"); break;
    default: t = QStringLiteral("ошибка"); break;
    }
    return test ? QStringLiteral("ТЕСТ: ") + t : t;
}

QString NumStr(const TRenRule &rule, int n)
{
    const int w = rule.NumWidth;
    if (w <= 1)
        return QString::number(n);
    const QString digits = QString::number(qAbs(qint64(n))).rightJustified(w, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}

QString ObrName(const TRenRule &rule, QString name)
{
    if (rule.ObrFlags & 1) {
        const int at = rule.ObrIndBeg;
        if (at >= 1 && at <= name.size())
            name.remove(at - 1, qMin<int>(rule.ObrCntBeg, name.size() - at + 1));
    }
    if (name.isEmpty() || !(rule.ObrFlags & 2))
        return name;
    int p = int(name.size()) - rule.ObrIndEnd + 1;
    if (p < 2)
        return name; // the end trim never starts at the first character
    for (int done = 0; done < rule.ObrCntEnd && p >= 1; ++done, --p)
        name.remove(p - 1, 1);
    return name;
}

QString ZamName(const TRenRule &rule, const QString &name)
{
    if (name.isEmpty() || rule.ZamFnd.isEmpty())
        return name;
    const bool anyCase = rule.ZamMode > 0;
    if (!anyCase && rule.ZamFnd == rule.ZamNew)
        return name;
    const int mode = qAbs(rule.ZamMode);
    const bool fromEnd = mode == 2;
    const bool all = mode == 3;

    QString fnd = fromEnd ? ReverseStr(rule.ZamFnd) : rule.ZamFnd;
    const QString repl = fromEnd ? ReverseStr(rule.ZamNew) : rule.ZamNew;
    QString rest = fromEnd ? ReverseStr(name) : name;
    QString search = anyCase ? upperInPlace(rest) : rest;
    if (anyCase)
        fnd = upperInPlace(fnd);

    QString acc;
    int i = 0;
    for (int pass = 0; pass < 250; ++pass) {
        const qsizetype pos = search.indexOf(fnd);
        if (pos < 0)
            break;
        ++i;
        const qsizetype cut = pos + fnd.size();
        if (!all && i < rule.ZamNumPos) {
            acc += rest.left(cut);
        } else {
            acc += rest.left(pos);
            acc += repl;
        }
        rest.remove(0, cut);
        search.remove(0, cut);
        if (!all && i >= rule.ZamNumPos)
            break;
    }
    // A missing occurrence leaves the name as it was.
    if (!all && i < rule.ZamNumPos)
        return name;
    const QString out = acc + rest;
    return fromEnd ? ReverseStr(out) : out;
}

QString RegName(const TRenRule &rule, const QString &name)
{
    const int m = qAbs(rule.CaseMode);
    if (name.isEmpty() || m < 1 || m > 3)
        return name;
    QString out = m == 3 ? name.toUpper() : m == 2 ? name.toLower() : name;
    if (rule.CaseMode > 0)
        out[0] = out[0].toUpper();
    return out;
}

QString ReverseStr(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = s.size() - 1; i >= 0; --i)
        out += s[i];
    return out;
}

QString CutLeadDotsSpaces(const QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('.')))
        ++i;
    return s.mid(i);
}

QString provv(CleanPart part, const QString &text)
{
    const bool edges = part != CleanPart::OldExt;
    QString s = edges ? CutLeadDotsSpaces(text) : text;
    for (qsizetype i = s.size() - 1; i >= 0; --i) {
        const QChar c = s[i];
        const bool last = i == s.size() - 1;
        bool drop = forbidden(c);
        if (!drop && edges) {
            if (c == QLatin1Char(' '))
                drop = last || s[i + 1] == QLatin1Char(' ');
            else if (c == QLatin1Char('.'))
                drop = last;
        }
        if (drop)
            s.remove(i, 1);
    }
    if (!edges)
        return s;
    s = CutLeadDotsSpaces(s);
    if (part == CleanPart::NewExt) {
        s.remove(QLatin1Char(' '));
        s.remove(QLatin1Char(','));
        s.remove(QLatin1Char('.'));
    }
    return s;
}

int ren(const TRenRule &rule, bool dirs, const RenJob &job, QString &name, QString &ext)
{
    if (name.isEmpty() || (!dirs && ext.isEmpty()))
        return RenError;
    const QString numText = rule.NumPos != 0 ? NumStr(rule, job.number) : QString();
    const QString dot = QStringLiteral(".");
    const QString oldFull = job.folder + name + (dirs ? QString() : dot + ext);

    switch (qAbs(rule.NameMode)) {
    case 0: name.clear(); break;
    case 2: name = ObrName(rule, name); break;
    case 3: name = ZamName(rule, name); break;
    default: break;
    }
    if (rule.NameMode > 0)
        name = RegName(rule, name);

    if (!dirs) {
        if (rule.ExtMode == 1)
            ext = ext.toLower();
        else if (rule.ExtMode == 2)
            ext = ext.toUpper();
        else if (rule.ExtMode == 3 && upper(ext) == upper(job.ext1Upper))
            ext = job.newExt;
    }

    name = rule.Pref2 + name + rule.Postf1;
    if (!numText.isEmpty())
        name = rule.NumPos == 2 ? name + numText : numText + name;
    name = rule.Pref1 + name + rule.Postf2;
    name = provv(CleanPart::NewName, name);

    if (!dirs && ext.isEmpty())
        return RenLength;
    if (name.isEmpty() || name.size() > kMaxRenName || ext.size() > kMaxRenExt
        || job.folder.size() + name.size() + ext.size() + 1 > kMaxRenPath)
        return RenLength;

    const QString leaf = name + (dirs ? QString() : dot + ext);
    const QString newFull = job.folder + leaf;
    const bool identical = newFull == oldFull;
    const bool caseOnly = !identical && upper(newFull) == upper(oldFull);

    if (job.folder.isEmpty())
        return identical ? RenSame : caseOnly ? RenCaseOnly : RenOk;

    const QByteArray from = job.oldNative.isEmpty() ? fs::nativePath(oldFull) : job.oldNative;
    const QByteArray to = from.left(from.lastIndexOf('/') + 1) + fs::nativePath(leaf);
    if (identical)
        return fs::existsNative(from) ? RenSame : RenError;
    if (fs::existsNative(to)) {
        // Only the same file under another spelling may be "renamed onto".
        if (!caseOnly || !fs::sameFile(from, to))
            return RenExists;
    }
    switch (renameEntry(from, to)) {
    case RenameEntryResult::Ok:
        if (job.opLog)
            job.opLog->append(oldFull + QStringLiteral(" >> ") + newFull);
        return caseOnly ? RenCaseOnly : RenOk;
    case RenameEntryResult::Exists:
        return RenExists;
    case RenameEntryResult::Failed:
        break;
    }
    return RenError;
}

RenameEntryResult renameEntry(const QByteArray &from, const QByteArray &to)
{
    if (from.isEmpty() || to.isEmpty() || from == to)
        return RenameEntryResult::Failed;
    RenameEntryResult r;
    if (fs::existsNative(to))
        r = fs::sameFile(from, to) ? renameViaTemp(from, to) : RenameEntryResult::Exists;
    else
        r = fromFs(fs::renameNoReplace(from, to).result);
    // every batch that renames is journaled here, whichever window or option ran it
    if (r == RenameEntryResult::Ok)
        journalMoved(from, to);
    return r;
}

RenameEntryResult renameViaTemp(const QByteArray &from, const QByteArray &to)
{
    const QByteArray folder = from.left(from.lastIndexOf('/') + 1);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray tmp = folder + ".vtren~"
                             + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const fs::RenameResult first = fs::renameNoReplace(from, tmp).result;
        if (first == fs::RenameResult::Exists)
            continue; // that temporary name is taken
        if (first != fs::RenameResult::Ok)
            return RenameEntryResult::Failed;
        const fs::RenameResult second = fs::renameNoReplace(tmp, to).result;
        if (second == fs::RenameResult::Ok)
            return RenameEntryResult::Ok;
        fs::renameNoReplace(tmp, from);
        return fromFs(second);
    }
    return RenameEntryResult::Failed;
}

} // namespace vt
