#include "search/core/maskrules.h"
#include "testmain.h"

#include <QTest>

using namespace vt;

class TestMaskRules : public QObject {
    Q_OBJECT
private slots:
    void enterAddsStars()
    {
        const std::pair<const char *, const char *> cases[] = {
            {"abc", "*abc*"}, {"*abc", "*abc*"}, {"abc*", "*abc*"}, {"", "*"},
            {"*", "*"},       {"*.txt", "*.txt*"}, {"a?c", "*a?c*"}, {"**", "**"},
        };
        for (const auto &[in, out] : cases)
            QCOMPARE(maskWithStars(QString::fromLatin1(in)), QString::fromLatin1(out));
        QCOMPARE(maskWithStars(QStringLiteral("отчёт")), QStringLiteral("*отчёт*"));
    }

    void refusedCharacters()
    {
        for (QChar c : QStringLiteral("\\/:<>|\""))
            QVERIFY2(isRefusedMaskChar(c), qPrintable(QString(c)));
        for (QChar c : QStringLiteral("*?.-_ aЯ;,"))
            QVERIFY2(!isRefusedMaskChar(c), qPrintable(QString(c)));
        QVERIFY(hasRefusedMaskChar(QStringLiteral("*a:b*")));
        QVERIFY(!hasRefusedMaskChar(QStringLiteral("*a b*")));
    }

    void recentMasks()
    {
        QStringList l;
        QVERIFY(addOld(QStringLiteral("*a*"), l));
        QVERIFY(addOld(QStringLiteral("*b*"), l));
        QCOMPARE(l, (QStringList{"*b*", "*a*"}));
        // equal to the newest, ignoring case: nothing changes
        QVERIFY(!addOld(QStringLiteral("*B*"), l));
        QCOMPARE(l, (QStringList{"*b*", "*a*"}));
        // an older equal entry moves up in the new spelling
        QVERIFY(addOld(QStringLiteral("*A*"), l));
        QCOMPARE(l, (QStringList{"*A*", "*b*"}));
        // a sixth mask drops the oldest
        for (const char *m : {"1", "2", "3", "4"})
            addOld(QString::fromLatin1(m), l);
        QCOMPARE(l, (QStringList{"4", "3", "2", "1", "*A*"}));
        addOld(QStringLiteral("5"), l);
        QCOMPARE(l, (QStringList{"5", "4", "3", "2", "1"}));
        // Cyrillic compares without case too
        QStringList c{QStringLiteral("*Отчет*")};
        QVERIFY(!addOld(QStringLiteral("*ОТЧЕТ*"), c));
    }

    void labelColour()
    {
        for (const char *m : {"*", "*a*", "**", "*.*"})
            QVERIFY2(!maskLabelBlue(QString::fromLatin1(m)), m);
        for (const char *m : {"a", "*a", "a*", "", "?", "*.txt"})
            QVERIFY2(maskLabelBlue(QString::fromLatin1(m)), m);
    }

    void fieldTones()
    {
        QCOMPARE(maskTone(QStringLiteral("*")), FieldTone::Window);
        QCOMPARE(maskTone(QStringLiteral("*a*")), FieldTone::White);
        QCOMPARE(minSizeTone(0), FieldTone::Button);
        QCOMPARE(minSizeTone(1), FieldTone::White);
        QCOMPARE(maxSizeTone(kMaxSizeKb), FieldTone::Button);
        QCOMPARE(maxSizeTone(kMaxSizeKb - 1), FieldTone::White);
        QCOMPARE(depthTone(0), FieldTone::Window);
        QCOMPARE(depthTone(200), FieldTone::White);
    }
};

VT_TEST_GUILESS_MAIN(TestMaskRules)
#include "tst_core_maskrules.moc"
