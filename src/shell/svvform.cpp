#include "shell/svvform.h"

#include "base/services.h"
#include "platform/shortpath.h"
#include "shell/core/shellrun.h"
#include "widgets/keystate.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace vt {

QString lengthLabel(const QString &label, const QString &value)
{
    const qsizetype colon = label.indexOf(QLatin1Char(':'));
    const QString head = colon < 0 ? label : label.left(colon + 1);
    return head + QStringLiteral(" (") + QString::number(value.size()) + QStringLiteral(" симв.)");
}

Tsvvfrm::Tsvvfrm(SvvHooks hooks, QWidget *parent) : QDialog(parent), m_hooks(std::move(hooks))
{
    setWindowTitle(QStringLiteral("Свойства"));
    setObjectName(QStringLiteral("Tsvvfrm"));
    labFName = new QLabel(m_nameLabel, this);
    labNm = new QLabel(QStringLiteral("Имя:"), this);
    lab83 = new QLabel(QStringLiteral("8.3:"), this);
    eFName = new QLineEdit(this);
    eNm = new QLineEdit(this);
    e83 = new QLineEdit(this);
    for (QLineEdit *e : {eFName, eNm, e83})
        e->setReadOnly(true);

    sbSvva = new QPushButton(QStringLiteral("Свойства"), this);
    sbSvva->setToolTip(QStringLiteral("Если использовать окно свойств для переименования\r\n"
                                      "- в таблице будут ошибки чтения.\r\n"
                                      "Для переименования файлов - кнопка \"Переименовать\""));
    sbExec = new QPushButton(QStringLiteral("Выполнить"), this);
    sbExpFnd = new QPushButton(QStringLiteral("Найти в проводнике"), this);
    sbDelFile = new QPushButton(QStringLiteral("Удалить"), this);
    sbDelFile->setToolTip(QStringLiteral("Удалить в корзину\r\nShift + клик: удалить без корзины"));
    sbRen = new QPushButton(QStringLiteral("Переименовать"), this);
    sbSendTo = new QPushButton(QStringLiteral("Отправить"), this);
    sbShowAct = new QPushButton(QStringLiteral("Действия"), this);
    sbClose = new QPushButton(QStringLiteral("Закрыть"), this);

    auto *g = new QGridLayout;
    g->addWidget(labFName, 0, 0);
    g->addWidget(eFName, 1, 0);
    g->addWidget(labNm, 2, 0);
    g->addWidget(eNm, 3, 0);
    g->addWidget(lab83, 4, 0);
    g->addWidget(e83, 5, 0);
    auto *b1 = new QHBoxLayout;
    for (QPushButton *b : {sbSvva, sbExec, sbExpFnd, sbSendTo})
        b1->addWidget(b);
    auto *b2 = new QHBoxLayout;
    for (QPushButton *b : {sbRen, sbDelFile, sbShowAct})
        b2->addWidget(b);
    b2->addStretch(1);
    b2->addWidget(sbClose);
    auto *v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addSpacing(6);
    v->addLayout(b1);
    v->addLayout(b2);
    resize(560, sizeHint().height());

    connect(sbSvva, &QPushButton::clicked, this, &Tsvvfrm::sbSvvaClick);
    connect(sbExec, &QPushButton::clicked, this, &Tsvvfrm::sbExecClick);
    connect(sbExpFnd, &QPushButton::clicked, this, &Tsvvfrm::sbExpFndClick);
    connect(sbDelFile, &QPushButton::clicked, this, [this] {
        sbDelFileClick(shiftHeld());
    });
    connect(sbRen, &QPushButton::clicked, this, &Tsvvfrm::sbRenClick);
    connect(sbSendTo, &QPushButton::clicked, this, &Tsvvfrm::sbSendToClick);
    connect(sbShowAct, &QPushButton::clicked, this, &Tsvvfrm::sbShowActClick);
    connect(sbClose, &QPushButton::clicked, this, &QDialog::reject);
}

void Tsvvfrm::InitTxt(const QString &path)
{
    m_path = path;
    const QString name = QFileInfo(path).fileName();
    const QString shortForm = fs::shortPath(path);
    eFName->setText(path);
    eNm->setText(name);
    e83->setText(shortForm);
    for (QLineEdit *e : {eFName, eNm, e83})
        e->setCursorPosition(0);
    labFName->setText(lengthLabel(m_nameLabel, path));
    labNm->setText(lengthLabel(labNm->text(), name));
    lab83->setText(lengthLabel(lab83->text(), shortForm));
}

void Tsvvfrm::setFolder(bool folder)
{
    m_nameLabel = folder ? QStringLiteral("Папка:") : QStringLiteral("Файл:");
    labFName->setText(lengthLabel(m_nameLabel, m_path));
    sbRen->setEnabled(!folder);
    sbDelFile->setEnabled(!folder);
}

void Tsvvfrm::setViewOnly(bool on)
{
    m_viewOnly = on;
    for (QPushButton *b : {sbRen, sbDelFile, sbShowAct})
        b->setVisible(!on);
}

void Tsvvfrm::sbSvvaClick()
{
    if (!shell().properties(m_path))
        ui().inf(QStringLiteral("Ошибка открытия"));
}

void Tsvvfrm::sbExecClick()
{
    pusk(false, m_path, {}, [self = QPointer<Tsvvfrm>(this)](bool ok) {
        if (ok && self)
            self->reject();
    });
}

void Tsvvfrm::sbExpFndClick()
{
    ExtFnd(m_path);
    reject();
}

void Tsvvfrm::sbDelFileClick(bool shift)
{
    if (m_viewOnly || !sbDelFile->isEnabled())
        return;
    if (!QFileInfo::exists(m_path) && !QFileInfo(m_path).isSymLink())
        return reject();
    if (!m_hooks.del)
        return ui().beep();
    if (m_hooks.del(shift))
        reject();
}

void Tsvvfrm::sbRenClick()
{
    if (m_viewOnly || !sbRen->isEnabled())
        return;
    if (!m_hooks.rename)
        return ui().beep();
    QString path = m_path;
    if (m_hooks.rename(path))
        InitTxt(path);
    if (path.isEmpty())
        reject();
}

void Tsvvfrm::sbSendToClick()
{
    if (!m_hooks.send)
        return ui().beep();
    hide();
    m_hooks.send();
    reject();
}

void Tsvvfrm::sbShowActClick()
{
    if (m_viewOnly)
        return;
    m_result = SvvResult::Actions;
    accept();
}

void viewProperties(const QString &path, bool folder, std::function<void()> send, QWidget *parent)
{
    SvvHooks h;
    h.send = std::move(send);
    Tsvvfrm f(std::move(h), parent);
    f.InitTxt(path);
    f.setFolder(folder);
    f.setViewOnly(true);
    f.exec();
}

} // namespace vt
