#include "rename/core/renrule.h"

#include "base/runstate.h"
#include "base/textutil.h"

#include <QtEndian>
#include <cstring>

namespace vt {

namespace {

// Field offsets of the stored record.
enum : int {
    oDescr = 0, oNumStep = 256, oPref1 = 260, oPref2 = 291, oPostf1 = 322, oPostf2 = 353,
    oNumPos = 384, oNumStart = 388, oNumWidth = 392, oNameMode = 396, oCaseMode = 400,
    oObrFlags = 404, oObrIndBeg = 405, oObrCntBeg = 406, oObrIndEnd = 407, oObrCntEnd = 408,
    oZamMode = 412, oZamNumPos = 416, oZamFnd = 417, oZamNew = 468, oExtMode = 519,
    oExt1 = 520, oExt2 = 531
};

void putStr(char *rec, int off, int max, const QString &s)
{
    const QByteArray b = toCp1251(s).left(max);
    rec[off] = char(quint8(b.size()));
    std::memcpy(rec + off + 1, b.constData(), size_t(b.size()));
}

QString getStr(const char *rec, int off, int max)
{
    const int n = qMin(int(quint8(rec[off])), max);
    return fromCp1251(QByteArray(rec + off + 1, n));
}

void putInt(char *rec, int off, qint32 v) { qToLittleEndian<qint32>(v, rec + off); }
qint32 getInt(const char *rec, int off) { return qFromLittleEndian<qint32>(rec + off); }

// The rule being edited and the folder flag, kept for the run.
struct RuleState {
    TRenRule rule;
    bool folders = false;
};

} // namespace

QByteArray TRenRule::toBytes() const
{
    QByteArray out(kSize, '\0');
    char *r = out.data();
    putStr(r, oDescr, 255, Descr);
    putInt(r, oNumStep, NumStep);
    putStr(r, oPref1, 30, Pref1);
    putStr(r, oPref2, 30, Pref2);
    putStr(r, oPostf1, 30, Postf1);
    putStr(r, oPostf2, 30, Postf2);
    r[oNumPos] = char(NumPos);
    putInt(r, oNumStart, NumStart);
    r[oNumWidth] = char(NumWidth);
    putInt(r, oNameMode, NameMode);
    putInt(r, oCaseMode, CaseMode);
    r[oObrFlags] = char(ObrFlags);
    r[oObrIndBeg] = char(ObrIndBeg);
    r[oObrCntBeg] = char(ObrCntBeg);
    r[oObrIndEnd] = char(ObrIndEnd);
    r[oObrCntEnd] = char(ObrCntEnd);
    putInt(r, oZamMode, ZamMode);
    r[oZamNumPos] = char(ZamNumPos);
    putStr(r, oZamFnd, 50, ZamFnd);
    putStr(r, oZamNew, 50, ZamNew);
    r[oExtMode] = char(ExtMode);
    putStr(r, oExt1, 10, Ext1);
    putStr(r, oExt2, 10, Ext2);
    return out;
}

TRenRule TRenRule::fromBytes(const QByteArray &bytes)
{
    TRenRule t;
    if (bytes.size() != kSize)
        return t;
    const char *r = bytes.constData();
    t.Descr = getStr(r, oDescr, 255);
    t.NumStep = getInt(r, oNumStep);
    t.Pref1 = getStr(r, oPref1, 30);
    t.Pref2 = getStr(r, oPref2, 30);
    t.Postf1 = getStr(r, oPostf1, 30);
    t.Postf2 = getStr(r, oPostf2, 30);
    t.NumPos = quint8(r[oNumPos]);
    t.NumStart = getInt(r, oNumStart);
    t.NumWidth = quint8(r[oNumWidth]);
    t.NameMode = getInt(r, oNameMode);
    t.CaseMode = getInt(r, oCaseMode);
    t.ObrFlags = quint8(r[oObrFlags]);
    t.ObrIndBeg = quint8(r[oObrIndBeg]);
    t.ObrCntBeg = quint8(r[oObrCntBeg]);
    t.ObrIndEnd = quint8(r[oObrIndEnd]);
    t.ObrCntEnd = quint8(r[oObrCntEnd]);
    t.ZamMode = getInt(r, oZamMode);
    t.ZamNumPos = quint8(r[oZamNumPos]);
    t.ZamFnd = getStr(r, oZamFnd, 50);
    t.ZamNew = getStr(r, oZamNew, 50);
    t.ExtMode = quint8(r[oExtMode]);
    t.Ext1 = getStr(r, oExt1, 10);
    t.Ext2 = getStr(r, oExt2, 10);
    return t;
}

void InitRulesDef(TRenRule &r)
{
    r = TRenRule();
    r.Descr = QStringLiteral("<нет пресеты>");
    r.NumStep = 1;
    r.NumPos = 0;
    r.NumStart = 1;
    r.NumWidth = 1;
    r.NameMode = -1;
    r.CaseMode = -1;
    r.ObrFlags = 0;
    r.ObrIndBeg = r.ObrCntBeg = r.ObrIndEnd = r.ObrCntEnd = 1;
    r.ZamMode = 1;
    r.ZamNumPos = 1;
    r.ExtMode = 0;
}

void renNormalize(TRenRule &r)
{
    auto signedMode = [](qint32 v, int maxMag, int fallback) {
        const qint64 m = qAbs(qint64(v));
        const int mag = m >= 1 && m <= maxMag ? int(m) : fallback;
        return v > 0 ? mag : -mag;
    };
    r.NumStep = qBound(1, r.NumStep, 1000);
    r.NumStart = qBound(-10000, r.NumStart, 10000);
    r.NumWidth = quint8(qBound(1, int(r.NumWidth), 8));
    if (r.NumPos > 2)
        r.NumPos = 1;
    if (r.NameMode != 0)
        r.NameMode = signedMode(r.NameMode, 3, 1);
    r.CaseMode = signedMode(r.CaseMode, 3, 1);
    for (quint8 *p : {&r.ObrIndBeg, &r.ObrCntBeg, &r.ObrIndEnd, &r.ObrCntEnd})
        *p = quint8(qBound(1, int(*p), 250));
    r.ZamMode = signedMode(r.ZamMode, 3, 1);
    if (r.ZamNumPos < 1 || r.ZamNumPos > 3)
        r.ZamNumPos = 1;
    if (r.ExtMode > 3)
        r.ExtMode = 0;
}

TRenRule &currentRule() { return runState().get<RuleState>().rule; }
bool folderRename() { return runState().get<RuleState>().folders; }
void setFolderRename(bool on) { runState().get<RuleState>().folders = on; }

} // namespace vt
