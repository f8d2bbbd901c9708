#include "rename/renameform.h"

#include "base/operation.h"
#include "base/services.h"
#include "base/textutil.h"
#include "rename/core/renapply.h"
#include "rename/core/renbatch.h"
#include "widgets/keystate.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {

namespace {

const QString kNameChars = QStringLiteral("\"*/:<>?\\|");

int magnitudeOf(QCheckBox *b)
{
    switch (b->checkState()) {
    case Qt::PartiallyChecked: return 2;
    case Qt::Checked: return 3;
    case Qt::Unchecked: break;
    }
    return 1;
}

void setMagnitude(QCheckBox *b, int m)
{
    b->setCheckState(m == 2 ? Qt::PartiallyChecked : m == 3 ? Qt::Checked : Qt::Unchecked);
}

QSpinBox *spin(QWidget *parent, int lo, int hi)
{
    auto *s = new QSpinBox(parent);
    s->setRange(lo, hi);
    s->setValue(1);
    return s;
}

} // namespace

TRenameForm::TRenameForm(QWidget *parent) : QDialog(parent), m_dirs(folderRename())
{
    setWindowTitle(QStringLiteral("Задать правило переименования"));
    setObjectName(QStringLiteral("TRenameForm"));
    build();
    SetRulesIn(0, currentRule());
    SetTime();
    cbZv->setChecked(true);
    InitFileRules();
    if (const QScreen *s = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(s->availableGeometry().center() - rect().center());
    }
}

void TRenameForm::build()
{
    auto mkLabel = [this](const QString &text) { return new QLabel(text, this); };
    // An underlined label that resets its field.
    auto mkReset = [this](const QString &text, std::function<void()> reset) {
        auto *l = new QLabel(text, this);
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(QStringLiteral("сброс"));
        l->installEventFilter(this);
        m_resets.insert(l, std::move(reset));
        return l;
    };
    auto mkEdit = [this](int maxLen, const QString &refused) {
        auto *e = new QLineEdit(this);
        e->setMaxLength(maxLen);
        e->setAutoFillBackground(true);
        e->installEventFilter(this);
        m_refused.insert(e, refused);
        connect(e, &QLineEdit::textChanged, this, [this, e] {
            colour(e);
            changed();
        });
        colour(e);
        return e;
    };

    // Numbering.
    cbNum = new QCheckBox(QStringLiteral("Нумерация"), this);
    cbNum->setToolTip(QStringLiteral("Пронумеровать с заданного номера"));
    rbNumBeg = new QRadioButton(QStringLiteral("в начале"), this);
    rbNumEnd = new QRadioButton(QStringLiteral("в конце"), this);
    rbNumBeg->setChecked(true);
    auto *numGroup = new QButtonGroup(this);
    numGroup->addButton(rbNumBeg);
    numGroup->addButton(rbNumEnd);
    seNum = spin(this, -10000, 10000);
    seNumInc = spin(this, 1, 1000);
    seNumForm = spin(this, 1, 8);
    labNumStart = mkReset(QStringLiteral("С номера:"), [this] { seNum->setValue(1); });
    labNumInc = mkReset(QStringLiteral("Шаг:"), [this] { seNumInc->setValue(1); });
    labNumForm = mkReset(QStringLiteral("Формат номера:"), [this] { seNumForm->setValue(1); });
    labNum = mkLabel(QStringLiteral("нумерация"));
    labNum->setAlignment(Qt::AlignCenter);
    labNum->setStyleSheet(QStringLiteral("color: #0000c0"));

    // Prefixes and postfixes.
    ePref1 = mkEdit(30, kNameChars);
    ePref2 = mkEdit(30, kNameChars);
    ePostf1 = mkEdit(30, kNameChars);
    ePostf2 = mkEdit(30, kNameChars);
    labPref1 = mkReset(QStringLiteral("Префикс1"), [this] { ePref1->clear(); });
    labPref2 = mkReset(QStringLiteral("Префикс2"), [this] { ePref2->clear(); });
    labPostf1 = mkReset(QStringLiteral("Постфикс1"), [this] { ePostf1->clear(); });
    labPostf2 = mkReset(QStringLiteral("Постфикс2"), [this] { ePostf2->clear(); });

    // Name handling.
    gbName = new QGroupBox(QStringLiteral("Имя файла/папки:"), this);
    rbNameDef = new QRadioButton(QStringLiteral("не менять"), gbName);
    rbNameObr = new QRadioButton(QStringLiteral("обрезка  >>"), gbName);
    rbNameZam = new QRadioButton(QStringLiteral("замена  >>"), gbName);
    rbNameDelete = new QRadioButton(QStringLiteral("убрать имя"), gbName);
    rbNameDef->setChecked(true);
    cbNameRegRes = new QCheckBox(QStringLiteral("регистр результата"), gbName);
    auto *nameBox = new QVBoxLayout(gbName);
    for (QWidget *w : {static_cast<QWidget *>(rbNameDef), static_cast<QWidget *>(rbNameObr),
                       static_cast<QWidget *>(rbNameZam), static_cast<QWidget *>(rbNameDelete),
                       static_cast<QWidget *>(cbNameRegRes)})
        nameBox->addWidget(w);
    nameBox->addStretch(1);

    gbReg = new QGroupBox(QStringLiteral("Регистр имени:"), this);
    cbRegMode = new QCheckBox(QStringLiteral("не менять"), gbReg);
    cbRegMode->setTristate(true);
    cbRegName1SmvUp = new QCheckBox(QStringLiteral("1-й символ в верх. рег."), gbReg);
    auto *regBox = new QVBoxLayout(gbReg);
    regBox->addWidget(cbRegMode);
    regBox->addWidget(cbRegName1SmvUp);
    regBox->addStretch(1);

    gbObr = new QGroupBox(QStringLiteral("Настроить обрезку"), this);
    cbObrBeg = new QCheckBox(QStringLiteral("удалить с начала имени"), gbObr);
    cbObrEnd = new QCheckBox(QStringLiteral("удалить с конца имени"), gbObr);
    seObrIndBeg = spin(gbObr, 1, 250);
    seObrCntBeg = spin(gbObr, 1, 250);
    seObrIndEnd = spin(gbObr, 1, 250);
    seObrCntEnd = spin(gbObr, 1, 250);
    labObrIndBeg = mkReset(QStringLiteral("индекс:"), [this] { seObrIndBeg->setValue(1); });
    labObrCntBeg = mkReset(QStringLiteral("число симв:"), [this] { seObrCntBeg->setValue(1); });
    labObrIndEnd = mkReset(QStringLiteral("индекс:"), [this] { seObrIndEnd->setValue(1); });
    labObrCntEnd = mkReset(QStringLiteral("число симв:"), [this] { seObrCntEnd->setValue(1); });
    auto *obrBox = new QGridLayout(gbObr);
    obrBox->addWidget(cbObrBeg, 0, 0, 1, 4);
    obrBox->addWidget(labObrIndBeg, 1, 0);
    obrBox->addWidget(seObrIndBeg, 1, 1);
    obrBox->addWidget(labObrCntBeg, 1, 2);
    obrBox->addWidget(seObrCntBeg, 1, 3);
    obrBox->addWidget(cbObrEnd, 2, 0, 1, 4);
    obrBox->addWidget(labObrIndEnd, 3, 0);
    obrBox->addWidget(seObrIndEnd, 3, 1);
    obrBox->addWidget(labObrCntEnd, 3, 2);
    obrBox->addWidget(seObrCntEnd, 3, 3);
    obrBox->setRowStretch(4, 1);

    gbZam = new QGroupBox(QStringLiteral("Настроить замену"), this);
    eZamFnd = mkEdit(50, kNameChars);
    eZamNew = mkEdit(50, kNameChars);
    labZamFnd = mkReset(QStringLiteral("найти:"), [this] { eZamFnd->clear(); });
    labZamNew = mkReset(QStringLiteral("заменить на:"), [this] { eZamNew->clear(); });
    cbZamBegEndAll = new QCheckBox(QStringLiteral("замена с начала имени"), gbZam);
    cbZamBegEndAll->setTristate(true);
    cbZamNumPos = new QCheckBox(QStringLiteral("1-е вхождение"), gbZam);
    cbZamNumPos->setTristate(true);
    cbZamFndAllReg = new QCheckBox(QStringLiteral("в любом регистре"), gbZam);
    cbZamFndAllReg->setChecked(true);
    auto *zamBox = new QGridLayout(gbZam);
    zamBox->addWidget(labZamFnd, 0, 0);
    zamBox->addWidget(eZamFnd, 0, 1);
    zamBox->addWidget(labZamNew, 1, 0);
    zamBox->addWidget(eZamNew, 1, 1);
    zamBox->addWidget(cbZamBegEndAll, 2, 0, 1, 2);
    zamBox->addWidget(cbZamNumPos, 3, 0, 1, 2);
    zamBox->addWidget(cbZamFndAllReg, 4, 0, 1, 2);
    zamBox->setRowStretch(5, 1);

    // Extension.
    gbExt = new QGroupBox(QStringLiteral("Расширение:"), this);
    rbExtNoMen = new QRadioButton(QStringLiteral("не менять"), gbExt);
    rbExtDownCase = new QRadioButton(QStringLiteral("в нижний регистр"), gbExt);
    rbExtUpCase = new QRadioButton(QStringLiteral("в ВЕРХНИЙ регистр"), gbExt);
    rbExtZam = new QRadioButton(QStringLiteral("заменить"), gbExt);
    rbExtNoMen->setChecked(true);
    eExt1 = mkEdit(10, kNameChars + QLatin1Char('.'));
    eExt2 = mkEdit(10, kNameChars + QStringLiteral(". ,"));
    labExtNa = mkReset(QStringLiteral("на"), [this] { eExt2->clear(); });
    auto *extBox = new QGridLayout(gbExt);
    extBox->addWidget(rbExtNoMen, 0, 0);
    extBox->addWidget(rbExtDownCase, 0, 1);
    extBox->addWidget(rbExtUpCase, 0, 2, 1, 2);
    extBox->addWidget(rbExtZam, 1, 0);
    auto *extEdits = new QHBoxLayout;
    extEdits->addWidget(eExt1);
    extEdits->addWidget(labExtNa);
    extEdits->addWidget(eExt2);
    extEdits->addStretch(1);
    extBox->addLayout(extEdits, 1, 1, 1, 3);
    eExt1->setMaximumWidth(90);
    eExt2->setMaximumWidth(90);

    labDate = new QLabel(QStringLiteral("Дата:"), this);
    labDate->setCursor(Qt::PointingHandCursor);
    labDate->installEventFilter(this);
    eDate = new QLineEdit(this);
    eDate->setReadOnly(true);
    eDate->setMaximumWidth(100);
    cbZv = new QCheckBox(QStringLiteral("Звук"), this);

    // Presets.
    labPreset = new QLabel(QStringLiteral("Пресеты:"), this);
    labPreset->setCursor(Qt::PointingHandCursor);
    labPreset->setToolTip(QStringLiteral("Описания всех пресет"));
    labPreset->installEventFilter(this);
    popPreset = new QMenu(this);
    auto *presets = new QHBoxLayout;
    presets->addWidget(labPreset);
    for (int n = 1; n <= 9; ++n) {
        auto *b = new QToolButton(this);
        b->setObjectName(QStringLiteral("sbPres%1").arg(n));
        b->setText(QString::number(n));
        b->setProperty("Tag", n);
        b->setToolTip(QStringLiteral("Установить пресету\r\nShift + клик: запомнить правило как пресету\r\n"
                                     "Конт. меню: установить, запомнить"));
        b->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(b, &QToolButton::clicked, this, [this, n] { presetClicked(n); });
        connect(b, &QWidget::customContextMenuRequested, this,
                [this, b, n](const QPoint &at) { presetMenu(n)->popup(b->mapToGlobal(at)); });
        sbPres[n - 1] = b;
        presets->addWidget(b);
    }
    sbPresSbros = new QToolButton(this);
    sbPresSbros->setText(QStringLiteral("сброс"));
    connect(sbPresSbros, &QToolButton::clicked, this, &TRenameForm::presetReset);
    presets->addWidget(sbPresSbros);
    presets->addStretch(1);
    sbOK = new QPushButton(QStringLiteral("OK"), this);
    sbOK->setDefault(true);
    connect(sbOK, &QPushButton::clicked, this, [this] {
        if (provApply())
            accept();
    });
    presets->addWidget(sbOK);

    labPrimer = new QLabel(m_dirs ? QStringLiteral("Пример:  dirName") : QStringLiteral("Пример:  fileName.Exe"),
                           this);
    labPrimerRes = new QLabel(this);
    QFont bold = labPrimerRes->font();
    bold.setBold(true);
    labPrimerRes->setFont(bold);
    labPrimer->installEventFilter(this);
    labPrimerRes->installEventFilter(this);

    // Layout.
    auto *numRow = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(cbNum), static_cast<QWidget *>(rbNumBeg),
                       static_cast<QWidget *>(rbNumEnd), static_cast<QWidget *>(labNumStart),
                       static_cast<QWidget *>(seNum), static_cast<QWidget *>(labNumInc),
                       static_cast<QWidget *>(seNumInc), static_cast<QWidget *>(labNumForm),
                       static_cast<QWidget *>(seNumForm)})
        numRow->addWidget(w);
    numRow->addStretch(1);

    m_affixes = new QGridLayout;
    m_affixes->addWidget(labPref1, 1, 0);
    m_affixes->addWidget(labPref2, 1, 1);
    m_affixes->addWidget(mkLabel(QStringLiteral("+ имя +")), 2, 2);
    m_affixes->addWidget(labPostf1, 1, 3);
    m_affixes->addWidget(labPostf2, 1, 4);
    m_affixes->addWidget(ePref1, 2, 0);
    m_affixes->addWidget(ePref2, 2, 1);
    m_affixes->addWidget(ePostf1, 2, 3);
    m_affixes->addWidget(ePostf2, 2, 4);
    m_affixes->addWidget(labNum, 0, 0, 1, 2);
    m_affixes->setRowMinimumHeight(0, labNum->sizeHint().height());

    auto *groups = new QHBoxLayout;
    groups->addWidget(gbName);
    groups->addWidget(gbReg);
    groups->addWidget(gbObr);
    groups->addWidget(gbZam);
    groups->addStretch(1);

    auto *extRow = new QHBoxLayout;
    extRow->addWidget(gbExt);
    extRow->addStretch(1);
    extRow->addWidget(labDate);
    extRow->addWidget(eDate);
    extRow->addWidget(cbZv);

    auto *primer = new QHBoxLayout;
    primer->addWidget(labPrimer);
    primer->addWidget(labPrimerRes, 1);

    auto *all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(numRow);
    all->addLayout(m_affixes);
    all->addLayout(groups);
    all->addLayout(extRow);
    all->addLayout(primer);
    all->addLayout(presets);
    gbExt->setVisible(!m_dirs);

    // Every change goes into the current rule at once.
    for (QCheckBox *c : {cbNameRegRes, cbRegMode, cbRegName1SmvUp, cbObrBeg, cbObrEnd, cbZamBegEndAll,
                         cbZamNumPos, cbZamFndAllReg})
        connect(c, &QCheckBox::stateChanged, this, &TRenameForm::changed);
    for (QSpinBox *s : {seNum, seNumInc, seNumForm, seObrIndBeg, seObrCntBeg, seObrIndEnd, seObrCntEnd})
        connect(s, &QSpinBox::valueChanged, this, &TRenameForm::changed);
    for (QRadioButton *r : {rbNameDef, rbNameObr, rbNameZam, rbNameDelete, rbExtNoMen, rbExtDownCase,
                            rbExtUpCase, rbExtZam})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                changed();
        });
    connect(cbNum, &QCheckBox::toggled, this, [this] { ForNum(true); });
    connect(rbNumBeg, &QRadioButton::toggled, this, [this] { ForNum(true); });
}

void TRenameForm::colour(QLineEdit *e)
{
    QPalette p = e->palette();
    p.setColor(QPalette::Base, e->text().isEmpty() ? palette().color(QPalette::Button) : QColor(Qt::white));
    e->setPalette(p);
}

void TRenameForm::changed()
{
    updateView();
    if (m_loading)
        return;
    writeRule();
    pr(false);
}

void TRenameForm::ForNum(bool showControls)
{
    if (showControls)
        updateView();
    if (m_loading)
        return;
    currentRule().NumPos = quint8(!cbNum->isChecked() ? 0 : rbNumBeg->isChecked() ? 1 : 2);
    pr(false);
}

void TRenameForm::writeRule()
{
    TRenRule &r = currentRule();
    r.NumPos = quint8(!cbNum->isChecked() ? 0 : rbNumBeg->isChecked() ? 1 : 2);
    r.NumStart = seNum->value();
    r.NumStep = seNumInc->value();
    r.NumWidth = quint8(seNumForm->value());
    r.Pref1 = ePref1->text();
    r.Pref2 = ePref2->text();
    r.Postf1 = ePostf1->text();
    r.Postf2 = ePostf2->text();
    const int name = rbNameDelete->isChecked() ? 0 : rbNameObr->isChecked() ? 2 : rbNameZam->isChecked() ? 3 : 1;
    r.NameMode = cbNameRegRes->isChecked() ? name : -name;
    const int regMag = magnitudeOf(cbRegMode);
    r.CaseMode = cbRegName1SmvUp->isChecked() ? regMag : -regMag;
    r.ObrFlags = quint8((cbObrBeg->isChecked() ? 1 : 0) + (cbObrEnd->isChecked() ? 2 : 0));
    r.ObrIndBeg = quint8(seObrIndBeg->value());
    r.ObrCntBeg = quint8(seObrCntBeg->value());
    r.ObrIndEnd = quint8(seObrIndEnd->value());
    r.ObrCntEnd = quint8(seObrCntEnd->value());
    const int zamMag = magnitudeOf(cbZamBegEndAll);
    r.ZamMode = cbZamFndAllReg->isChecked() ? zamMag : -zamMag;
    r.ZamNumPos = quint8(magnitudeOf(cbZamNumPos));
    r.ZamFnd = eZamFnd->text();
    r.ZamNew = eZamNew->text();
    r.ExtMode = quint8(rbExtDownCase->isChecked() ? 1 : rbExtUpCase->isChecked() ? 2 : rbExtZam->isChecked() ? 3 : 0);
    r.Ext1 = eExt1->text();
    r.Ext2 = eExt2->text();
}

void TRenameForm::fillControls(const TRenRule &r)
{
    cbNum->setChecked(r.NumPos != 0);
    (r.NumPos == 2 ? rbNumEnd : rbNumBeg)->setChecked(true);
    seNum->setValue(r.NumStart);
    seNumInc->setValue(r.NumStep);
    seNumForm->setValue(r.NumWidth);
    ePref1->setText(r.Pref1);
    ePref2->setText(r.Pref2);
    ePostf1->setText(r.Postf1);
    ePostf2->setText(r.Postf2);
    switch (qAbs(r.NameMode)) {
    case 0: rbNameDelete->setChecked(true); break;
    case 2: rbNameObr->setChecked(true); break;
    case 3: rbNameZam->setChecked(true); break;
    default: rbNameDef->setChecked(true); break;
    }
    cbNameRegRes->setChecked(r.NameMode > 0);
    setMagnitude(cbRegMode, qAbs(r.CaseMode));
    cbRegName1SmvUp->setChecked(r.CaseMode > 0);
    cbObrBeg->setChecked(r.ObrFlags & 1);
    cbObrEnd->setChecked(r.ObrFlags & 2);
    seObrIndBeg->setValue(r.ObrIndBeg);
    seObrCntBeg->setValue(r.ObrCntBeg);
    seObrIndEnd->setValue(r.ObrIndEnd);
    seObrCntEnd->setValue(r.ObrCntEnd);
    setMagnitude(cbZamBegEndAll, qAbs(r.ZamMode));
    setMagnitude(cbZamNumPos, r.ZamNumPos);
    cbZamFndAllReg->setChecked(r.ZamMode > 0);
    eZamFnd->setText(r.ZamFnd);
    eZamNew->setText(r.ZamNew);
    QRadioButton *ext[] = {rbExtNoMen, rbExtDownCase, rbExtUpCase, rbExtZam};
    ext[r.ExtMode <= 3 ? r.ExtMode : 0]->setChecked(true);
    eExt1->setText(r.Ext1);
    eExt2->setText(r.Ext2);
}

void TRenameForm::updateView()
{
    const bool num = cbNum->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(rbNumBeg), static_cast<QWidget *>(rbNumEnd),
                       static_cast<QWidget *>(labNumStart), static_cast<QWidget *>(seNum),
                       static_cast<QWidget *>(labNumInc), static_cast<QWidget *>(seNumInc),
                       static_cast<QWidget *>(labNumForm), static_cast<QWidget *>(seNumForm),
                       static_cast<QWidget *>(labNum)})
        w->setVisible(num);
    // "нумерация" over the prefix pair or the postfix pair.
    m_affixes->removeWidget(labNum);
    m_affixes->addWidget(labNum, 0, rbNumEnd->isChecked() ? 3 : 0, 1, 2);

    const bool del = rbNameDelete->isChecked();
    cbNameRegRes->setVisible(!del);
    gbReg->setVisible(!del && cbNameRegRes->isChecked());
    const int reg = magnitudeOf(cbRegMode);
    cbRegMode->setText(reg == 2 ? QStringLiteral("в нижний регистр")
                       : reg == 3 ? QStringLiteral("в ВЕРХНИЙ регистр") : QStringLiteral("не менять"));
    cbRegName1SmvUp->setEnabled(reg != 3);

    gbObr->setVisible(rbNameObr->isChecked());
    for (QWidget *w : {static_cast<QWidget *>(labObrIndBeg), static_cast<QWidget *>(seObrIndBeg),
                       static_cast<QWidget *>(labObrCntBeg), static_cast<QWidget *>(seObrCntBeg)})
        w->setVisible(cbObrBeg->isChecked());
    for (QWidget *w : {static_cast<QWidget *>(labObrIndEnd), static_cast<QWidget *>(seObrIndEnd),
                       static_cast<QWidget *>(labObrCntEnd), static_cast<QWidget *>(seObrCntEnd)})
        w->setVisible(cbObrEnd->isChecked());

    gbZam->setVisible(rbNameZam->isChecked());
    const int zam = magnitudeOf(cbZamBegEndAll);
    cbZamBegEndAll->setText(zam == 2 ? QStringLiteral("замена с конца имени")
                            : zam == 3 ? QStringLiteral("заменить все вхождения")
                                       : QStringLiteral("замена с начала имени"));
    cbZamNumPos->setVisible(zam != 3);
    cbZamNumPos->setText(QString::number(magnitudeOf(cbZamNumPos)) + QStringLiteral("-е вхождение"));

    const bool zamExt = rbExtZam->isChecked();
    eExt1->setVisible(zamExt);
    labExtNa->setVisible(zamExt);
    eExt2->setVisible(zamExt);
}

void TRenameForm::pr(bool quiet)
{
    if (m_busy || m_loading)
        return;
    const TRenRule &r = currentRule();
    QString name = m_dirs ? QStringLiteral("dirName") : QStringLiteral("fileName");
    QString ext = m_dirs ? QString() : QStringLiteral("Exe");
    RenJob job;
    job.number = r.NumStart;
    if (r.ExtMode == 3) {
        job.ext1Upper = upper(r.Ext1);
        job.newExt = r.Ext2;
    }
    ren(r, m_dirs, job, name, ext);
    labPrimerRes->setText(m_dirs ? name : name + QLatin1Char('.') + ext);
    if (!quiet && cbZv->isChecked())
        zv(3);
}

void TRenameForm::SetRulesIn(int n, TRenRule &rec)
{
    if (n > 0
        && !ui().vopr(QStringLiteral("Установить пресету номер ") + QString::number(n)
                      + QStringLiteral(" как текущее правило переименования?\rИмя пресеты: ") + rec.Descr))
        return;
    if (rec.ObrFlags > 3)
        rec.ObrFlags = 0;
    if (rec.ObrFlags == 0)
        InitRulesDef(rec);
    if (n == 0) {
        m_loading = true;
        fillControls(rec);
        m_loading = false;
        updateView();
    } else {
        // The handlers run and copy each field into the current rule.
        const bool wasBusy = m_busy;
        m_busy = true;
        fillControls(rec);
        writeRule();
        currentRule().Descr = rec.Descr;
        m_busy = wasBusy;
    }
    pr(n == 0);
}

bool TRenameForm::provApply()
{
    TRenRule &r = currentRule();
    m_loading = true;
    seNum->setValue(r.NumStart);
    seNumForm->setValue(r.NumWidth);
    seNumInc->setValue(r.NumStep);
    seObrIndBeg->setValue(r.ObrIndBeg);
    seObrCntBeg->setValue(r.ObrCntBeg);
    seObrIndEnd->setValue(r.ObrIndEnd);
    seObrCntEnd->setValue(r.ObrCntEnd);
    m_loading = false;
    pr(true);

    const QString refusal = renCheckRule(r, m_dirs);
    // The controls follow what the check cleaned or set.
    m_loading = true;
    eExt1->setText(r.Ext1);
    eExt2->setText(r.Ext2);
    cbObrBeg->setChecked(r.ObrFlags & 1);
    cbObrEnd->setChecked(r.ObrFlags & 2);
    m_loading = false;
    updateView();
    if (!refusal.isEmpty())
        ui().inf(refusal);
    pr(true);
    return refusal.isEmpty();
}

void TRenameForm::SetTime()
{
    const QDate d = now().date();
    eDate->setText(m_dayFirst ? QStringLiteral("%1-%2-%3")
                                    .arg(d.day(), 2, 10, QLatin1Char('0'))
                                    .arg(d.month(), 2, 10, QLatin1Char('0'))
                                    .arg(d.year(), 4, 10, QLatin1Char('0'))
                              : QStringLiteral("%1-%2-%3")
                                    .arg(d.year(), 4, 10, QLatin1Char('0'))
                                    .arg(d.month(), 2, 10, QLatin1Char('0'))
                                    .arg(d.day(), 2, 10, QLatin1Char('0')));
}

void TRenameForm::toggleDate()
{
    m_dayFirst = !m_dayFirst;
    SetTime();
    zv(3);
}

bool TRenameForm::InitFileRules() { return m_presets.InitFileRules(); }

QMenu *TRenameForm::presetMenu(int n)
{
    popPreset->clear();
    QAction *vyb = popPreset->addAction(QStringLiteral("Установить пресету ") + QString::number(n));
    vyb->setObjectName(QStringLiteral("miPresetVyb"));
    connect(vyb, &QAction::triggered, this, [this, n] { PresetWork(false, n); });
    QAction *set = popPreset->addAction(QStringLiteral("Запомнить правило как пресету ") + QString::number(n));
    set->setObjectName(QStringLiteral("miPresetSet"));
    connect(set, &QAction::triggered, this, [this, n] { PresetWork(true, n); });
    popPreset->addSeparator();
    QAction *list = popPreset->addAction(QStringLiteral("Описания всех пресет"));
    list->setObjectName(QStringLiteral("miPresetList"));
    connect(list, &QAction::triggered, this, &TRenameForm::presetList);
    return popPreset;
}

void TRenameForm::presetClicked(int n)
{
    PresetWork(shiftHeld(), n);
}

void TRenameForm::PresetWork(bool save, int n)
{
    if (m_busy || (m_ops && m_ops->busy()) || n < 1 || n > RenPresets::kCount || !presetFileReady(m_presets))
        return;
    if (!save) {
        if (std::optional<TRenRule> rec = presetToLoad(m_presets, n))
            SetRulesIn(n, *rec);
        return;
    }
    if (provApply())
        presetStore(m_presets, n, currentRule());
}

void TRenameForm::presetList() { presetShowList(m_presets); }

void TRenameForm::presetReset()
{
    currentRule().ObrFlags = 0;
    SetRulesIn(0, currentRule());
    zv(3);
}

bool TRenameForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto it = m_refused.constFind(watched);
        if (it != m_refused.constEnd()) {
            const QString t = static_cast<QKeyEvent *>(event)->text();
            if (t.size() == 1 && it->contains(t[0])) {
                ui().beep();
                return true;
            }
        }
    } else if (event->type() == QEvent::MouseButtonPress
               && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (auto it = m_resets.constFind(watched); it != m_resets.constEnd()) {
            if (!m_loading)
                (*it)();
            return true;
        }
        if (watched == labDate) {
            toggleDate();
            return true;
        }
        if (watched == labPreset) {
            presetList();
            return true;
        }
        if ((watched == labPrimer || watched == labPrimerRes) && windowHandle()) {
            windowHandle()->startSystemMove();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TRenameForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace vt
