#include "base/textlines.h"

#include "base/textutil.h"
#include "platform/dirreader.h"

#include <QStringDecoder>

namespace vt {
namespace {

const QByteArray kBom("\xEF\xBB\xBF");

bool hasHighBytes(const QByteArray &b)
{
    for (char c : b)
        if (uchar(c) >= 0x80)
            return true;
    return false;
}

bool validUtf8(const QByteArray &b) { return fs::validUtf8(std::string_view(b.constData(), size_t(b.size()))); }

} // namespace

bool readsAsUtf8(const QByteArray &bytes)
{
    return bytes.startsWith(kBom) || (hasHighBytes(bytes) && validUtf8(bytes));
}

QStringList decodeTextLines(const QByteArray &bytes, bool *utf8)
{
    QString text;
    const bool isUtf8 = readsAsUtf8(bytes);
    if (bytes.startsWith(kBom)) {
        QStringDecoder dec(QStringDecoder::Utf8);
        text = dec(bytes.mid(kBom.size()));
    } else {
        text = isUtf8 ? QString::fromUtf8(bytes) : fromCp1251(bytes);
    }
    if (utf8)
        *utf8 = isUtf8;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    return lines;
}

QByteArray encodeTextLines(const QStringList &lines, bool *utf8)
{
    bool fits = true;
    for (const QString &l : lines)
        if (!fitsCp1251(l)) {
            fits = false;
            break;
        }
    QByteArray out;
    if (fits) {
        for (const QString &l : lines)
            out += toCp1251(l) + "\r\n";
        // cp1251 bytes that a reader would take for UTF-8 (or for its
        // byte-order mark) would name other files: such text goes as UTF-8.
        fits = !readsAsUtf8(out);
    }
    if (!fits)
        out = utf8TextLines(lines, true);
    if (utf8)
        *utf8 = !fits;
    return out;
}

QByteArray utf8TextLines(const QStringList &lines, bool bom)
{
    QByteArray out = bom ? kBom : QByteArray();
    for (const QString &l : lines)
        out += l.toUtf8() + "\r\n";
    return out;
}

bool writeTextLines(const QString &path, const QStringList &lines)
{
    return writeFileAtomic(path, encodeTextLines(lines));
}

bool writeTextLinesIn(const fs::DirHandle &dir, const QString &name, const QStringList &lines)
{
    return fs::writeFileIn(dir, fs::nativePath(name), encodeTextLines(lines));
}

} // namespace vt
