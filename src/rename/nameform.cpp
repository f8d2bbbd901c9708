#include "rename/nameform.h"

#include "base/services.h"
#include "rename/viewwidgets.h"
#include "widgets/keystate.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {

namespace {

QToolButton *button(QWidget *parent, const QString &text, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QString limitText() { return QString::number(kSplitMaxLines); }

} // namespace

TNameForm::TNameForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TNameForm"));
    setWindowTitle(QStringLiteral("Разделитель имен: Результат слева <- Редактор -> Результат справа"));
    memLef = viewMemo(this, true);
    memEdit = viewMemo(this, false);
    memRig = viewMemo(this, true);

    const QString slashTail = QStringLiteral(" часть имен до прямого или обратного слеша.\r\n"
                                             "Слеш и выделенная часть удаляются из редактора.");
    sbSleshLeft = button(this, QStringLiteral("До слеша"), QStringLiteral("Скопировать левую") + slashTail);
    sbDot = button(this, QStringLiteral("До точки"),
                   QStringLiteral("Скопировать правую часть имен до точки,\r\n"
                                  "только если точка находится правее последнего слеша в имени.\r\n"
                                  "Точка и выделенная часть удаляются из редактора."));
    sbSleshRig = button(this, QStringLiteral("До слеша"), QStringLiteral("Скопировать правую") + slashTail);
    const QString clear = QStringLiteral("Очистить");
    sbClearLeft = button(this, clear, QStringLiteral("Удалить текст результата слева"));
    sbClearEdit = button(this, clear, QStringLiteral("Удалить текст редактора"));
    sbClearRig = button(this, clear, QStringLiteral("Удалить текст результата справа"));
    sbPaste = button(this, QStringLiteral(" Вставить из буфера"),
                     QStringLiteral("Удалить текст редактора, вставить текст из буфера обмена"));
    sbCopyLef = button(this, QStringLiteral("Копировать в буфер"), QStringLiteral("Копировать весь текст результата слева"));
    sbCopyRig = button(this, QStringLiteral("Копировать в буфер"), QStringLiteral("Копировать весь текст результата справа"));
    sbHelp = button(this, QStringLiteral("Справка"),
                    QStringLiteral("Справка по разделителю\r\n"
                                   "Shift + клик: узнать число строк в редакторе, результатах"));
    cbAdd = new QCheckBox(QStringLiteral("Добавлять"), this);
    cbAdd->setToolTip(QStringLiteral("При выделении имен -\r\nновые имена будут добавляться в результат"));
    cbServInf = new QCheckBox(QStringLiteral("Служ. инф."), this);
    cbServInf->setToolTip(QStringLiteral("Писать в результат \"До точки\", \"До слеша\""));
    cbAdd->setChecked(splitterOptions().add);
    cbServInf->setChecked(splitterOptions().serviceText);

    const auto column = [](std::initializer_list<QWidget *> top, QPlainTextEdit *memo) {
        auto *row = new QHBoxLayout;
        for (QWidget *w : top)
            row->addWidget(w);
        row->addStretch();
        auto *v = new QVBoxLayout;
        v->addLayout(row);
        v->addWidget(memo, 1);
        return v;
    };
    auto *h = new QHBoxLayout(this);
    h->addLayout(column({sbSleshLeft, sbClearLeft, sbCopyLef}, memLef), 1);
    h->addLayout(column({cbAdd, cbServInf, sbPaste, sbClearEdit, sbHelp}, memEdit), 1);
    h->addLayout(column({sbDot, sbSleshRig, sbClearRig, sbCopyRig}, memRig), 1);
    resize(1100, 480);

    const QString slash = QStringLiteral("<До СЛЕША>");
    connect(sbSleshLeft, &QToolButton::clicked, this, [this, slash] { Razdel(SplitMode::LeftSlash, slash, memLef); });
    connect(sbDot, &QToolButton::clicked, this,
            [this] { Razdel(SplitMode::Dot, QStringLiteral("<До ТОЧКИ>"), memRig); });
    connect(sbSleshRig, &QToolButton::clicked, this, [this, slash] { Razdel(SplitMode::RightSlash, slash, memRig); });
    connect(sbClearLeft, &QToolButton::clicked, this, [this] { clearMemo(memLef); });
    connect(sbClearEdit, &QToolButton::clicked, this, [this] { clearMemo(memEdit); });
    connect(sbClearRig, &QToolButton::clicked, this, [this] { clearMemo(memRig); });
    connect(sbCopyLef, &QToolButton::clicked, this, [this] { copyMemo(memLef); });
    connect(sbCopyRig, &QToolButton::clicked, this, [this] { copyMemo(memRig); });
    connect(sbPaste, &QToolButton::clicked, this, [this] { sbPasteClick(); });
    connect(sbHelp, &QToolButton::clicked, this, [this] {
        sbHelpClick(shiftHeld());
    });
}

void TNameForm::setEditorLines(const QStringList &lines)
{
    memEdit->setPlainText(lines.join(QLatin1Char('\n')));
}

void TNameForm::Razdel(SplitMode mode, const QString &service, QPlainTextEdit *target)
{
    if (m_busy)
        return;
    const QStringList lines = memoLines(memEdit->toPlainText());
    if (lines.isEmpty() || lines.size() > kSplitMaxLines) {
        ui().inf(lines.isEmpty() ? QStringLiteral("Поле редактора не содержит текста")
                                 : QStringLiteral("Число строк в редакторе больше ") + limitText());
        memEdit->setFocus();
        return;
    }
    m_busy = true;
    cbAdd->setEnabled(false);
    cbServInf->setEnabled(false);
    const SplitOutcome out = splitLines(lines, mode);
    memEdit->setPlainText(out.editor.join(QLatin1Char('\n')));
    if (out.parts.isEmpty()) {
        ui().inf(QStringLiteral("Нет результата"));
    } else {
        const QStringList now = withResults(memoLines(target->toPlainText()), out.parts, cbAdd->isChecked(),
                                            cbServInf->isChecked() ? service : QString());
        target->setPlainText(now.join(QLatin1Char('\n')));
        zv(2);
    }
    cbAdd->setEnabled(true);
    cbServInf->setEnabled(true);
    m_busy = false;
}

void TNameForm::clearMemo(QPlainTextEdit *m)
{
    if (m_busy)
        return;
    if (m->document()->isEmpty()) {
        ui().beep();
        return;
    }
    m->clear();
    zv(2);
}

void TNameForm::copyMemo(QPlainTextEdit *m)
{
    if (m_busy)
        return;
    if (m->document()->isEmpty()) {
        ui().beep();
        return;
    }
    QGuiApplication::clipboard()->setText(m->toPlainText());
    zv(2);
}

void TNameForm::sbPasteClick()
{
    if (m_busy)
        return;
    memEdit->setPlainText(QGuiApplication::clipboard()->text());
    memEdit->setFocus();
    zv(3);
}

void TNameForm::sbHelpClick(bool shift)
{
    if (m_busy)
        return;
    if (shift) {
        const auto count = [](QPlainTextEdit *m) { return QString::number(memoLines(m->toPlainText()).size()); };
        ui().infTitled(QStringLiteral("Информация"),
                       QStringLiteral("Число строк в редакторе: ") + count(memEdit) + QStringLiteral("\r\n\r\n")
                           + QStringLiteral("В результате слева: ") + count(memLef) + QStringLiteral("\r\n\r\n")
                           + QStringLiteral("В результате справа: ") + count(memRig));
        return;
    }
    ui().infTitled(
        QStringLiteral("Справка по разделителю имен"),
        QStringLiteral(
            "1) Разделитель имен нужен для выделения имен из путей файлов/папок.\r\n\r\n"
            "2) При открытии окна разделителя - в редактор пишутся полные пути выделенных строк в таблице.\r\n\r\n"
            "3) Кнопки \"До слеша\" копируют части путей до прямого (/) ИЛИ обратного (\\) слеша.\r\n"
            "Слеш удаляется. При копировании \"До точки\" - точка удаляется.\r\n\r\n"
            "4) Скопированная часть пишется в результате и удаляется из редактора.\r\n\r\n"
            "5) После выделения имен: при записи в результат и из редактора\r\n"
            "удаляются повторы (независимо от регистра) и имена сортируются по алфавиту."));
}

void TNameForm::done(int r)
{
    splitterOptions().add = cbAdd->isChecked();
    splitterOptions().serviceText = cbServInf->isChecked();
    QDialog::done(r);
}

void TNameForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        dragWindow(this);
    QDialog::mousePressEvent(e);
}

} // namespace vt
