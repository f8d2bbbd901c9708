#include "lists/savevtxform.h"

#include "base/services.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {

TSaveVtxFrm::TSaveVtxFrm(const QString &listPath, bool incomplete, QWidget *parent)
    : QDialog(parent), m_path(listPath)
{
    setObjectName(QStringLiteral("TSaveVtxFrm"));
    setWindowTitle(QStringLiteral("Сохранить VTX / M3U"));
    auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    labNm = new QLabel(QStringLiteral("Сохранить изменения в списке?"), this);
    named(labNm, "labNm");
    QFont bold = labNm->font();
    bold.setBold(true);
    labNm->setFont(bold);
    eNm = new QLineEdit(listPath, this);
    named(eNm, "eNm");
    eNm->setReadOnly(true);
    eNm->setCursorPosition(0);
    labWrn = new QLabel(QStringLiteral("Список был открыт не полностью"), this);
    named(labWrn, "labWrn");
    labWrn->setStyleSheet(QStringLiteral("color: #b00000"));
    labWrn->setVisible(incomplete);
    labTop = new QLabel(QStringLiteral("Установите тип сохранения путей файлов / папок:"), this);
    named(labTop, "labTop");
    rbFull = new QRadioButton(QStringLiteral("Полные пути (F1)"), this);
    named(rbFull, "rbFull");
    rbFull->setToolTip(QStringLiteral("В список пишутся полные пути к файлам/папкам\nбез изменений"));
    rbOtn = new QRadioButton(QStringLiteral("Относительные пути (F2)"), this);
    named(rbOtn, "rbOtn");
    rbOtn->setToolTip(QStringLiteral("Если путь файла / папки совпадает с путем списка\n(данный список VTX находится "
                                     "в той же папке),\n- вместо полного пути файла / папки в список сохранится "
                                     "только имя"));
    sbYes = new QPushButton(QStringLiteral("Да"), this);
    named(sbYes, "sbYes");
    sbYes->setToolTip(QStringLiteral("Ctrl + S"));
    sbYes->setEnabled(false);
    sbNo = new QPushButton(QStringLiteral("Нет"), this);
    named(sbNo, "sbNo");
    sbNo->setToolTip(QStringLiteral("Ctrl + N"));
    sbCancel = new QPushButton(QStringLiteral("Отмена"), this);
    named(sbCancel, "sbCancel");
    sbCancel->setToolTip(QStringLiteral("Escape"));
    for (QPushButton *b : {sbYes, sbNo, sbCancel}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    labVtxSrc = new QLabel(QStringLiteral("<a href=\"src\">Исходный текст</a>"), this);
    named(labVtxSrc, "labVtxSrc");
    labVtxSrc->setToolTip(QStringLiteral("Открыть логи, показать исходный текст файла списка"));

    auto *col = new QVBoxLayout(this);
    col->addWidget(labNm);
    col->addWidget(eNm);
    col->addWidget(labWrn);
    col->addSpacing(4);
    col->addWidget(labTop);
    col->addWidget(rbFull);
    col->addWidget(rbOtn);
    col->addSpacing(4);
    auto *row = new QHBoxLayout;
    row->addWidget(labVtxSrc);
    row->addStretch(1);
    row->addWidget(sbYes);
    row->addWidget(sbNo);
    row->addWidget(sbCancel);
    col->addLayout(row);
    setFixedSize(460, sizeHint().height());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));

    connect(rbFull, &QRadioButton::clicked, this, [this] { choose(rbFull); });
    connect(rbOtn, &QRadioButton::clicked, this, [this] { choose(rbOtn); });
    connect(sbYes, &QPushButton::clicked, this, [this] { done(6); });
    connect(sbNo, &QPushButton::clicked, this, [this] { done(7); });
    connect(sbCancel, &QPushButton::clicked, this, &TSaveVtxFrm::reject);
    connect(labVtxSrc, &QLabel::linkActivated, this, [this] { feedback().showListSource(m_path); });
}

bool TSaveVtxFrm::relative() const { return rbOtn->isChecked(); }

void TSaveVtxFrm::choose(QRadioButton *rb)
{
    rb->setChecked(true);
    sbYes->setEnabled(true);
    zv(3);
}

void TSaveVtxFrm::keyPressEvent(QKeyEvent *e)
{
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (e->key() == Qt::Key_F1 && !ctrl)
        choose(rbFull);
    else if (e->key() == Qt::Key_F2 && !ctrl)
        choose(rbOtn);
    else if (ctrl && e->key() == Qt::Key_S)
        done(6); // before a choice: full paths, as nothing chose otherwise
    else if (ctrl && e->key() == Qt::Key_N)
        done(7);
    else if (e->key() == Qt::Key_Escape)
        reject();
    else
        QDialog::keyPressEvent(e);
}

void TSaveVtxFrm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(e);
}

void TSaveVtxFrm::reject() { done(2); }

int VprVtx(const QString &listPath, bool incomplete, bool *relative, QWidget *parent)
{
    TSaveVtxFrm f(listPath, incomplete, parent);
    const int r = f.exec();
    *relative = r != 2 && f.relative();
    return r == 6 || r == 7 ? r : 2;
}

} // namespace vt
