#pragma once
// Text files of lines, as the text lists and the saved logs keep them: read
// as UTF-8 when they say so (a byte-order mark, or valid UTF-8 with non-ASCII
// bytes), else as cp1251; written as cp1251 when every line fits, else as
// UTF-8 with a byte-order mark, so every name survives.
#include "platform/dirhandle.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vt {

// Whether a reader takes these bytes for UTF-8.
bool readsAsUtf8(const QByteArray &bytes);
// Lines of a text file (CR LF or LF, a last line without an end counts).
QStringList decodeTextLines(const QByteArray &bytes, bool *utf8 = nullptr);
// Every line ended by CR LF; cp1251 when all fit, else UTF-8 with a BOM.
QByteArray encodeTextLines(const QStringList &lines, bool *utf8 = nullptr);
// Every line ended by CR LF in UTF-8, with or without the byte-order mark.
QByteArray utf8TextLines(const QStringList &lines, bool bom);
bool writeTextLines(const QString &path, const QStringList &lines);
// The same as the file `name` of a held folder: a link of that name is
// replaced, never written through.
bool writeTextLinesIn(const fs::DirHandle &dir, const QString &name, const QStringList &lines);

} // namespace vt
