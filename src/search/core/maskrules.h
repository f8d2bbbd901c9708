#pragma once
// Rules of the name mask field: Enter completion, refused characters, the
// recent masks and the colour cues of the search fields.
#include "base/limits.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace vt {

constexpr int kMaskMaxLength = 40;
constexpr qint64 kMaxSizeKb = kSizeKbMax;
constexpr int kMaxLimit = kRowLimitMax;
constexpr int kMaxDepth = kDepthMax;

// Enter: "*" at both ends; an empty text becomes "*".
QString maskWithStars(const QString &mask);
// Characters that can never be part of a name mask: \ / : < > | and the double quote.
bool isRefusedMaskChar(QChar c);
bool hasRefusedMaskChar(const QString &mask);

// Recent values: equal (ignoring case) to the first entry → unchanged (false);
// an equal later entry is removed; the value goes first; at most `max` kept.
bool addOld(const QString &value, QStringList &list, int max = 5);

// "Шаблон:" is blue when the mask narrows the search: anything but "*" or
// "*...*".
bool maskLabelBlue(const QString &mask);

// Background of a field: white when it holds a non-default value.
enum class FieldTone { White, Window, Button };
FieldTone maskTone(const QString &mask);
FieldTone minSizeTone(qint64 kb);
FieldTone maxSizeTone(qint64 kb);
FieldTone depthTone(int depth);

} // namespace vt
