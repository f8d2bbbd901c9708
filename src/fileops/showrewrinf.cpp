#include "fileops/showrewrinf.h"

#include "fileops/core/rewrite.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vt {

TShowRewrInfFrm::TShowRewrInfFrm(InfKind kind, const QString &text, const QStringList &list, QWidget *parent)
    : QDialog(parent), m_base(text)
{
    setWindowTitle(kind == InfKind::NewDirs      ? QStringLiteral("Показать несуществующие папки / создать")
                   : kind == InfKind::OtherFiles ? QStringLiteral("Показать список остальных файлов для копирования")
                                                 : text);
    memInf = new QPlainTextEdit(this);
    memInf->setReadOnly(true);
    memInf->setLineWrapMode(QPlainTextEdit::NoWrap);
    memInf->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memInf->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memInf->setPlainText(list.join(QLatin1Char('\n')));
    sbMkDir = new QPushButton(QStringLiteral("Создать папки"), this);
    sbClose = new QPushButton(QStringLiteral("Закрыть"), this);
    sbMkDir->setVisible(kind == InfKind::NewDirs);
    sbMkDir->setEnabled(kind == InfKind::NewDirs && !list.isEmpty());

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sbMkDir);
    buttons->addWidget(sbClose);
    auto *v = new QVBoxLayout(this);
    v->addWidget(memInf);
    v->addLayout(buttons);
    resize(560, 380);

    connect(sbMkDir, &QPushButton::clicked, this, &TShowRewrInfFrm::sbMkDirClick);
    connect(sbClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TShowRewrInfFrm::sbMkDirClick()
{
    // Once per showing: afterwards the memo holds full paths with tags.
    sbMkDir->setEnabled(false);
    QStringList lines = memInf->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    MkResDirr(false, m_base, lines);
    memInf->setPlainText(lines.join(QLatin1Char('\n')));
}

void TShowRewrInfFrm::mouseDoubleClickEvent(QMouseEvent *)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
}

void ShowInf(InfKind kind, const QString &text, const QStringList &list, QWidget *parent)
{
    TShowRewrInfFrm f(kind, text, list, parent);
    f.exec();
}

} // namespace vt
