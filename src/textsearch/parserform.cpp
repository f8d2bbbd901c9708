#include "textsearch/parserform.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "table/core/tablemodel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {

namespace {

QGroupBox *radioGroup(const QString &title, const QStringList &items, QRadioButton **out, int checked,
                      QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    auto *l = new QVBoxLayout(box);
    auto *g = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        out[i] = new QRadioButton(items[i], box);
        g->addButton(out[i], i);
        l->addWidget(out[i]);
    }
    out[checked]->setChecked(true);
    return box;
}

} // namespace

TParserForm::TParserForm(TableModel &table, OperationContext &ops, QWidget *parent)
    : QDialog(parent), m_table(table), m_ops(ops)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *top = new QVBoxLayout(this);
    top->addWidget(new QLabel(QStringLiteral("Строка для поиска:"), this));
    cmbstr = new QComboBox(this);
    cmbstr->setEditable(true);
    cmbstr->setInsertPolicy(QComboBox::NoInsert);
    cmbstr->setMinimumWidth(380);
    top->addWidget(cmbstr);
    cbReg = new QCheckBox(QStringLiteral("С учетом регистра символов"), this);
    top->addWidget(cbReg);
    top->addWidget(new QLabel(QStringLiteral("Состав лога (каждый флажок - отдельной строкой):"), this));
    top->addWidget(radioGroup(QStringLiteral("Имена файлов"),
                              {QStringLiteral("Не писать имя файла"), QStringLiteral("Только где найдено вхождение"),
                               QStringLiteral("Писать все имена файлов")},
                              rgName, 1, this));
    cbAllSize = new QCheckBox(QStringLiteral("Размер файла, общее число строк"), this);
    cbAllSize->setChecked(true);
    top->addWidget(cbAllSize);
    top->addWidget(new QLabel(QStringLiteral("Для строк, где найдено вхождение строки поиска:"), this));
    cbFindStrCnt = new QCheckBox(QStringLiteral("Писать в лог число этих строк"), this);
    cbFindStrCnt->setChecked(true);
    cbFindStrNumbers = new QCheckBox(QStringLiteral("Писать номера этих строк (одной строкой)"), this);
    top->addWidget(cbFindStrCnt);
    top->addWidget(cbFindStrNumbers);
    top->addWidget(radioGroup(QStringLiteral("Найденные строки"),
                              {QStringLiteral("Не писать в лог"), QStringLiteral("Писать только первую строку"),
                               QStringLiteral("Писать все строки")},
                              rgFindStrSpis, 1, this));
    sbParser = new QPushButton(QStringLiteral("Старт"), this);
    top->addWidget(sbParser, 0, Qt::AlignRight);
    // The size line follows the path line, so it means nothing without one.
    connect(rgName[0], &QRadioButton::toggled, this, [this](bool on) { cbAllSize->setEnabled(!on); });
    connect(sbParser, &QPushButton::clicked, this, &TParserForm::sbParserClick);
    // Enter in the string field starts, as the button does.
    connect(cmbstr->lineEdit(), &QLineEdit::returnPressed, this, &TParserForm::sbParserClick);
    sbParser->setAutoDefault(false);
}

TextSearchOptions TParserForm::options() const
{
    TextSearchOptions o;
    o.caseSensitive = cbReg->isChecked();
    for (int i = 0; i < 3; ++i) {
        if (rgName[i]->isChecked())
            o.names = i;
        if (rgFindStrSpis[i]->isChecked())
            o.foundLines = FoundLines(i);
    }
    o.sizeLine = cbAllSize->isChecked();
    o.countLine = cbFindStrCnt->isChecked();
    o.numbersLine = cbFindStrNumbers->isChecked();
    return o;
}

bool TParserForm::run(int selectedFiles)
{
    setWindowTitle(QStringLiteral("Поиск по тексту файлов (") + QString::number(selectedFiles)
                   + QStringLiteral(" шт.)"));
    cmbstr->setFocus();
    return exec() == QDialog::Accepted;
}

void TParserForm::sbParserClick()
{
    if (!sbParser->isEnabled() || m_ops.busy())
        return;
    const QString text = cmbstr->currentText();
    if (text.isEmpty()) {
        ui().inf(QStringLiteral("Введите строку для поиска"));
        cmbstr->setFocus();
        return;
    }
    // Newest first; the same string chosen from the top stays where it is.
    const bool fromTop = cmbstr->count() > 0 && cmbstr->itemText(0) == text && cmbstr->currentIndex() == 0;
    if (!fromTop) {
        cmbstr->insertItem(0, text);
        for (int i = 1; i < cmbstr->count(); ++i)
            if (cmbstr->itemText(i) == text) {
                cmbstr->removeItem(i);
                break;
            }
    }
    cmbstr->setCurrentIndex(0);
    search(text);
}

void TParserForm::search(const QString &text)
{
    sbParser->setEnabled(false);
    CurrentLog &log = currentLog();
    log.beginOperation(LogKind::TextSearch);
    const TextSearchResult r = Parser(m_table, text, options(), log.opLog(), &m_ops);
    sbParser->setEnabled(true);
    const int notFound = r.selected - int(r.found.size());
    const YesOk choice = feedback().showLog({LogRows::WithoutHit, notFound, r.selected});
    if (choice == YesOk::Cancel)
        return;
    hide();
    const bool remove = choice == YesOk::Ok;
    applyNotFound(m_table, r.found, remove);
    emit rowsChanged(remove);
    zv(remove ? 2 : 1);
    accept();
}

void TParserForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(e);
}

} // namespace vt
