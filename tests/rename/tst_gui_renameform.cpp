#include "base/appdirs.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "rename/core/renrule.h"
#include "rename/renameform.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"
#include "widgets/keystate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vt;
using namespace vt::test;

namespace {

void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3)); }

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}


} // namespace

class TestRenameForm : public QObject {
    Q_OBJECT
    test::TestHome home;
    std::unique_ptr<FakeServices> fx;
    QString presetPath() const { return home.path() + QStringLiteral("/Options/ren"); }

private slots:
    void init()
    {
        fx = std::make_unique<FakeServices>();
        currentRule() = TRenRule();
        setFolderRename(false);
        QFile::remove(presetPath());
    }
    void cleanup() { fx.reset(); }

    void defaultsAndExample()
    {
        TRenameForm f;
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Задать правило переименования"));
        // an all-zero current rule becomes the defaults, which change nothing
        QCOMPARE(currentRule().NameMode, -1);
        QCOMPARE(currentRule().Descr, QStringLiteral("<нет пресеты>"));
        QCOMPARE(f.labPrimer->text(), QStringLiteral("Пример:  fileName.Exe"));
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("fileName.Exe"));
        QVERIFY(f.gbExt->isVisible() && !f.seNum->isVisible() && !f.gbObr->isVisible());
        QVERIFY(f.cbZv->isChecked());
        QVERIFY(fx->sound.played.isEmpty());
        QCOMPARE(fileBytes(presetPath()), QByteArray(9 * 544, '\0'));
    }

    void dateLabelSwitchesTheOrder()
    {
        TRenameForm f;
        f.show();
        QCOMPARE(f.eDate->text(), QStringLiteral("2026-12-08"));
        click(f.labDate);
        QCOMPARE(f.eDate->text(), QStringLiteral("08-12-2026"));
        click(f.labDate);
        QCOMPARE(f.eDate->text(), QStringLiteral("2026-12-08"));
        QCOMPARE(fx->sound.played, (QList<int>{3, 3}));
    }

    void numberingBetweenThePrefixes()
    {
        TRenameForm f;
        f.show();
        click(f.cbNum);
        QVERIFY(f.seNum->isVisible() && f.labNum->isVisible());
        QCOMPARE(f.seNum->minimum(), -10000);
        QCOMPARE(f.seNum->maximum(), 10000);
        QCOMPARE(f.seNumInc->maximum(), 1000);
        QCOMPARE(f.seNumForm->maximum(), 8);
        f.seNum->setValue(20);
        f.seNumForm->setValue(4);
        QTest::keyClicks(f.ePref1, "a");
        QTest::keyClicks(f.ePref2, "_");
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("a0020_fileName.Exe"));
        QCOMPARE(currentRule().NumPos, quint8(1));
        QCOMPARE(currentRule().NumWidth, quint8(4));
        QCOMPARE(currentRule().Pref2, QStringLiteral("_"));
        click(f.rbNumEnd);
        QCOMPARE(currentRule().NumPos, quint8(2));
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("a_fileName0020.Exe"));
        // the underlined labels reset their field
        click(f.labNumForm);
        QCOMPARE(f.seNumForm->value(), 1);
        click(f.labPref2);
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("afileName20.Exe"));
        QVERIFY(fx->sound.played.size() > 3);
    }

    // Refused characters beep; colours follow the text.
    void refusedCharactersBeep()
    {
        TRenameForm f;
        f.show();
        QTest::keyClicks(f.ePref1, "a/b");
        QCOMPARE(f.ePref1->text(), QStringLiteral("ab"));
        QCOMPARE(fx->ui.beeps, 1);
        QCOMPARE(f.ePref1->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(f.ePostf1->palette().color(QPalette::Base), f.palette().color(QPalette::Button));
        click(f.rbExtZam);
        QVERIFY(f.eExt1->isVisible() && f.eExt2->isVisible());
        QTest::keyClicks(f.eExt1, "j p.g");
        QCOMPARE(f.eExt1->text(), QStringLiteral("j pg"));
        QTest::keyClicks(f.eExt2, "j p,.g");
        QCOMPARE(f.eExt2->text(), QStringLiteral("jpg"));
        QCOMPARE(fx->ui.beeps, 5);
    }

    void threeStateBoxesAndTheirCaptions()
    {
        TRenameForm f;
        f.show();
        click(f.rbNameZam);
        QVERIFY(f.gbZam->isVisible() && f.cbZamFndAllReg->isChecked());
        QCOMPARE(currentRule().ZamMode, 1);
        f.cbZamBegEndAll->setCheckState(Qt::PartiallyChecked);
        QCOMPARE(f.cbZamBegEndAll->text(), QStringLiteral("замена с конца имени"));
        f.cbZamNumPos->setCheckState(Qt::Checked);
        QCOMPARE(f.cbZamNumPos->text(), QStringLiteral("3-е вхождение"));
        f.cbZamFndAllReg->setChecked(false);
        QCOMPARE(currentRule().ZamMode, -2);
        QCOMPARE(currentRule().ZamNumPos, quint8(3));
        f.cbZamBegEndAll->setCheckState(Qt::Checked);
        QVERIFY(!f.cbZamNumPos->isVisible());
        click(f.cbNameRegRes);
        QVERIFY(f.gbReg->isVisible());
        f.cbRegMode->setCheckState(Qt::Checked);
        QCOMPARE(f.cbRegMode->text(), QStringLiteral("в ВЕРХНИЙ регистр"));
        QVERIFY(!f.cbRegName1SmvUp->isEnabled());
        QCOMPARE(currentRule().NameMode, 3);
        QCOMPARE(currentRule().CaseMode, -3);
        test::screenshot(&f, "rename-rule-files.png");
        click(f.rbNameDelete);
        QVERIFY(!f.cbNameRegRes->isVisible() && !f.gbReg->isVisible());
        QCOMPARE(currentRule().NameMode, 0);
    }

    void validation()
    {
        TRenameForm f;
        f.show();
        // trim without a trim box
        click(f.rbNameObr);
        QVERIFY(f.gbObr->isVisible());
        click(f.cbObrBeg);
        QVERIFY(f.seObrIndBeg->isVisible() && !f.seObrIndEnd->isVisible());
        click(f.cbObrBeg);
        click(f.sbOK);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Установите флажки обрезки"));
        QVERIFY(f.isVisible());
        click(f.cbObrEnd);
        f.seObrCntEnd->setValue(4);
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("file.Exe"));
        QVERIFY(f.provApply());
        QCOMPARE(currentRule().ObrFlags, quint8(2)); // trim keeps its boxes

        // replace without a find text
        click(f.rbNameZam);
        fx->ui.clear();
        click(f.sbOK);
        QCOMPARE(fx->ui.texts(), QStringList{"Строка \"найти\" для замены в имени не должна быть пустой"});
        QVERIFY(f.isVisible());
        QTest::keyClicks(f.eZamFnd, "e");
        QTest::keyClicks(f.eZamNew, "E");
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("filEName.Exe"));

        // extensions to replace are cleaned, and must not end up empty
        click(f.rbExtZam);
        f.eExt1->setText(QStringLiteral("?"));
        f.eExt2->setText(QStringLiteral("jpg"));
        fx->ui.clear();
        QVERIFY(!f.provApply());
        QCOMPARE(fx->ui.texts(), QStringList{"Не определены расширения для замены"});
        f.eExt1->setText(QStringLiteral("ex?e"));
        f.eExt2->setText(QStringLiteral(" .j p,g."));
        QVERIFY(f.provApply());
        QCOMPARE(f.eExt1->text(), QStringLiteral("exe"));
        QCOMPARE(currentRule().Ext2, QStringLiteral("jpg"));
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("filEName.jpg"));
        // any mode but trim: the rule is marked valid with "start" only
        QCOMPARE(currentRule().ObrFlags, quint8(1));
        QVERIFY(f.cbObrBeg->isChecked() && !f.cbObrEnd->isChecked());
        click(f.sbOK);
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    void escapeKeepsTheRuleAndFolders()
    {
        {
            TRenameForm f;
            f.show();
            QTest::keyClicks(f.ePostf2, "_x");
            click(f.rbNameObr); // left invalid: no trim box
            QTest::keyClick(&f, Qt::Key_Escape);
            QVERIFY(!f.isVisible());
        }
        QCOMPARE(currentRule().Postf2, QStringLiteral("_x"));
        QCOMPARE(currentRule().ObrFlags, quint8(0));
        // a valid rule left behind is where the next editor starts
        currentRule().ObrFlags = 1;
        setFolderRename(true);
        TRenameForm g;
        g.show();
        QVERIFY(g.folders());
        QCOMPARE(g.ePostf2->text(), QStringLiteral("_x"));
        QVERIFY(g.rbNameObr->isChecked());
        QCOMPARE(g.labPrimer->text(), QStringLiteral("Пример:  dirName"));
        QCOMPARE(g.labPrimerRes->text(), QStringLiteral("irName_x"));
        QVERIFY(!g.gbExt->isVisible());
        // no extension check for folders
        currentRule().ExtMode = 3;
        QVERIFY(g.provApply());
        test::screenshot(&g, "rename-rule-folders.png");
    }

    void presets()
    {
        // a preset file of the wrong size is rebuilt with nine empty slots
        writeTestFile(presetPath(), QByteArray(700, 'x'));
        TRenameForm f;
        f.show();
        QCOMPARE(fileBytes(presetPath()), QByteArray(9 * 544, '\0'));

        click(f.sbPres[2]);
        QVERIFY(fx->ui.lastText().startsWith(QStringLiteral("Нет пресеты.\rДля сохранения")));

        // save: the rule must pass, then a description
        QTest::keyClicks(f.ePref1, "p");
        fx->ui.inputs.enqueue(QStringLiteral("  Мой  "));
        f.PresetWork(true, 3);
        QCOMPARE(fx->ui.calls.at(fx->ui.calls.size() - 2).title, QStringLiteral("Сохранить как пресету №3"));
        QCOMPARE(fx->ui.calls.at(fx->ui.calls.size() - 2).text, QStringLiteral("Введите описание (до 255 симв)|"));
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Пресета 3 сохранена"));
        const QByteArray file = fileBytes(presetPath());
        QCOMPARE(file.mid(2 * 544, 544), currentRule().toBytes());
        QCOMPARE(TRenRule::fromBytes(file.mid(2 * 544, 544)).Descr, QStringLiteral("Мой"));
        QCOMPARE(file.left(2 * 544), QByteArray(2 * 544, '\0'));

        // overwrite: YES starts from the old description; an empty one beeps
        fx->ui.yesOk.enqueue(YesOk::Yes);
        fx->ui.inputs.enqueue(QStringLiteral("   "));
        f.PresetWork(true, 3);
        QCOMPARE(fx->ui.calls.at(fx->ui.calls.size() - 2).text,
                 QStringLiteral("На этой кнопке сохранена пресета:\rМой\rПерезаписать пресету?\r"
                                "[YES]: продолжить с данного описания\r[OK]: продолжить с нового описания"));
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Введите описание (до 255 симв)|Мой"));
        QCOMPARE(fx->ui.beeps, 1);
        QCOMPARE(fileBytes(presetPath()), file);
        fx->ui.yesOk.enqueue(YesOk::Cancel);
        f.PresetWork(true, 3);
        QCOMPARE(fileBytes(presetPath()), file);

        // Shift+click saves too
        fx->ui.inputs.enqueue(QStringLiteral("пятая"));
        // the keys are read from the keyboard (Windows asks the real one, not the test's event)
        setKeyStateForTest(Qt::ShiftModifier);
        QTest::mouseClick(f.sbPres[4], Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 3));
        setKeyStateForTest(std::nullopt);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Пресета 5 сохранена"));

        // reset, then load with its question
        fx->sound.played.clear();
        click(f.sbPresSbros);
        QCOMPARE(fx->sound.played, QList<int>{3});
        QCOMPARE(f.ePref1->text(), QString());
        QCOMPARE(currentRule().Pref1, QString());
        fx->ui.yesNo.enqueue(false);
        click(f.sbPres[2]);
        QCOMPARE(fx->ui.lastText(),
                 QStringLiteral("Установить пресету номер 3 как текущее правило переименования?\rИмя пресеты: Мой"));
        QCOMPARE(currentRule().Pref1, QString());
        fx->ui.yesNo.enqueue(true);
        click(f.sbPres[2]);
        QCOMPARE(f.ePref1->text(), QStringLiteral("p"));
        QCOMPARE(currentRule().Pref1, QStringLiteral("p"));
        QCOMPARE(f.labPrimerRes->text(), QStringLiteral("pfileName.Exe"));

        // the list and the popup
        click(f.labPreset);
        QVERIFY(fx->ui.lastText().startsWith(QStringLiteral("1: <нет пресеты>\r\n\r\n2: <нет пресеты>\r\n\r\n3: Мой")));
        QVERIFY(fx->ui.lastText().contains(QStringLiteral("5: пятая\r\n\r\n6: <нет пресеты>")));
        QMenu *m = f.presetMenu(7);
        QCOMPARE(m->actions().at(0)->text(), QStringLiteral("Установить пресету 7"));
        QCOMPARE(m->actions().at(1)->text(), QStringLiteral("Запомнить правило как пресету 7"));
        QCOMPARE(m->actions().last()->text(), QStringLiteral("Описания всех пресет"));
        m->actions().last()->trigger();
        QVERIFY(fx->ui.lastText().startsWith(QStringLiteral("1: ")));

        // damaged while open: clear messages, nothing written
        writeTestFile(presetPath(), QByteArray(100, '\x01'));
        click(f.sbPres[2]);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Ошибка чтения файла пресет"));
        click(f.labPreset);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Ошибка"));
        QFile::remove(presetPath());
        click(f.labPreset);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Нет пресет"));
        // busy (a batch run): preset buttons do nothing
        OperationContext ops;
        f.setOperations(&ops);
        OperationContext::Scope batch(ops);
        const int calls = int(fx->ui.calls.size());
        click(f.sbPres[0]);
        QCOMPARE(fx->ui.calls.size(), calls);
    }
};

VT_TEST_MAIN(TestRenameForm)
#include "tst_gui_renameform.moc"
