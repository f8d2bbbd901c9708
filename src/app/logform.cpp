#include "app/logform.h"

#include "app/helpform.h"
#include "app/qtservices.h"
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/savelog.h"
#include "base/services.h"
#include "base/textlines.h"
#include "base/textutil.h"
#include "lists/core/textlist.h"
#include "shell/core/shellrun.h"
#include "widgets/keystate.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {
TLogForm::TLogForm(const LogOffer &offer, QWidget *parent)
    : QDialog(parent), m_offer(offer.count > 0 ? offer : LogOffer{})
{
    setMinimumHeight(220);
    resize(760, 460);

    memLogLast = new QPlainTextEdit(this);
    memLogLast->setReadOnly(true);
    memLogLast->setLineWrapMode(QPlainTextEdit::NoWrap);

    panBottom = new QFrame(this);
    panBottom->setFocusPolicy(Qt::StrongFocus);
    panBottom->installEventFilter(this);
    rbLast = new QRadioButton(QStringLiteral("Последнее действие"), panBottom);
    rbSaved = new QRadioButton(QStringLiteral("Сохраненные логи"), panBottom);
    rbVtxSrc = new QRadioButton(QStringLiteral("Текст VTX/M3U"), panBottom);
    rbVtxSrc->setVisible(false);
    cmbSavedLogs = new QComboBox(panBottom);
    cmbSavedLogs->setMinimumContentsLength(22);
    cmbSavedLogs->setVisible(false);
    cbWrap = new QCheckBox(QStringLiteral("Перенос строк"), panBottom);
    butSave = new QPushButton(QStringLiteral("Сохранить"), panBottom);
    butSave->setToolTip(QStringLiteral("Сохранить текст в папку Texts\nShift - открыть папку Texts"));
    sbTextTop = new QToolButton(panBottom);
    sbTextTop->setArrowType(Qt::UpArrow);
    sbTextTop->setToolTip(QStringLiteral("Прокрутка на начало текста"));
    sbTextEnd = new QToolButton(panBottom);
    sbTextEnd->setArrowType(Qt::DownArrow);
    sbTextEnd->setToolTip(QStringLiteral("Прокрутка на конец текста"));
    butExtra = new QPushButton(panBottom);
    butExtra->setObjectName(QStringLiteral("butExtra"));
    butExtra->setVisible(m_offer.rows != LogRows::None);
    if (m_offer.rows == LogRows::WithoutHit) {
        butExtra->setText(QStringLiteral("Файлы, где ничего не найдено"));
        butExtra->setToolTip(QStringLiteral("Выбрать действие с выделенными строчками в таблице,\n"
                                            "в которых не было ничего найдено при поиске по текстам"));
    } else if (m_offer.rows == LogRows::NotFound) {
        butExtra->setText(QStringLiteral("Ненайденные файлы/папки"));
        butExtra->setToolTip(QStringLiteral("Выбрать действие с ненайденными файлами/папками"));
    }
    butClose = new QPushButton(QStringLiteral("Закрыть"), panBottom);

    auto *row = new QHBoxLayout(panBottom);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(rbLast);
    row->addWidget(rbSaved);
    row->addWidget(cmbSavedLogs);
    row->addWidget(rbVtxSrc);
    row->addSpacing(6);
    row->addWidget(cbWrap);
    row->addWidget(butSave);
    row->addWidget(sbTextTop);
    row->addWidget(sbTextEnd);
    row->addStretch();
    row->addWidget(butExtra);
    row->addWidget(butClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(memLogLast);
    layout->addWidget(panBottom);

    connect(rbLast, &QRadioButton::clicked, this, &TLogForm::showLastAction);
    connect(rbSaved, &QRadioButton::clicked, this, &TLogForm::showSavedLogs);
    connect(rbVtxSrc, &QRadioButton::clicked, this, &TLogForm::showListSource);
    connect(cmbSavedLogs, &QComboBox::activated, this, &TLogForm::savedLogChosen);
    connect(cbWrap, &QCheckBox::clicked, this, &TLogForm::wrapClick);
    connect(butSave, &QPushButton::clicked, this, &TLogForm::butSaveClick);
    connect(sbTextTop, &QToolButton::clicked, this, [this] { scrollMemo(memLogLast, false, shiftHeld()); });
    connect(sbTextEnd, &QToolButton::clicked, this, [this] { scrollMemo(memLogLast, true, shiftHeld()); });
    connect(butExtra, &QPushButton::clicked, this, &TLogForm::butExtraClick);
    connect(butClose, &QPushButton::clicked, this, &TLogForm::reject);

    rbLast->setChecked(true);
    showLastAction();

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TLogForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_firstGeometry.isNull())
        m_firstGeometry = geometry();
}

void TLogForm::showLastAction()
{
    cmbSavedLogs->setVisible(false);
    setWindowTitle(QStringLiteral("Последнее действие: ") + lastKindTag(currentLog().lastKind()));
    memLogLast->setPlainText(memoText(currentLog().opLog().join(QStringLiteral("\r\n"))));
}

void TLogForm::showSavedLogs()
{
    memLogLast->clear();
    setWindowTitle(QStringLiteral("Просмотр сохраненных логов"));
    cmbSavedLogs->setVisible(true);
    if (m_listFilled)
        return;
    m_listFilled = true;
    for (const SavedLogFile &f : savedLogFiles())
        cmbSavedLogs->addItem(f.label, f.path);
    // Nothing is loaded until the user picks a log.
    cmbSavedLogs->setCurrentIndex(-1);
}

void TLogForm::setListSource(const QString &path)
{
    m_listSource = path;
    rbVtxSrc->setVisible(true);
    rbVtxSrc->setChecked(true);
    showListSource();
}

void TLogForm::showListSource()
{
    cmbSavedLogs->setVisible(false);
    setWindowTitle(QStringLiteral("Исходный текст: ") + QFileInfo(m_listSource).fileName());
    bool ok = false;
    const QByteArray data = readWholeFile(m_listSource, &ok, kMaxTextList);
    if (!ok) {
        memLogLast->clear();
        ui().beep(Beep::Error);
        return;
    }
    memLogLast->setPlainText(decodeTextLines(data).join(QLatin1Char('\n')));
}

void TLogForm::savedLogChosen(int index)
{
    bool ok = false;
    const QString path = cmbSavedLogs->itemData(index).toString();
    const QByteArray data = readWholeFile(path, &ok);
    if (!ok) {
        memLogLast->clear();
        ui().inf(QStringLiteral("Ошибка чтения файла лога:\n") + path);
        return;
    }
    memLogLast->setPlainText(memoText(decodeTextLines(data).join(QStringLiteral("\r\n"))));
    zv(3);
    panBottom->setFocus();
}

void TLogForm::wrapClick()
{
    if (cbWrap->isChecked()) {
        memLogLast->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        memLogLast->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        zv(1);
    } else {
        memLogLast->setLineWrapMode(QPlainTextEdit::NoWrap);
        memLogLast->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        zv(3);
    }
}

void TLogForm::butSaveClick()
{
    const QString texts = mkdirr(QStringLiteral("Texts"));
    if (texts.isEmpty()) {
        ui().beep();
        return;
    }
    if (shiftHeld()) {
        openOrTell(texts);
        return;
    }
    if (memLogLast->document()->isEmpty()) {
        ui().beep();
        return;
    }
    if (!GetCntFilesExt(texts, QStringLiteral(".TXT")))
        return;
    const QString file = freeLogCopyPath(texts, now());
    if (!ui().vopr(QStringLiteral("Сохранить текст лога в файл? Имя файла:\n") + file))
        return;
    const std::unique_ptr<fs::DirHandle> dir = programSubDir(QStringLiteral("Texts"));
    if (!dir
        || !writeTextLinesIn(*dir, QFileInfo(file).fileName(), memLogLast->toPlainText().split(QLatin1Char('\n')))) {
        ui().beep(Beep::Error);
        return;
    }
    if (ui().vopr(QStringLiteral("Открыть сохраненный файл?")))
        openOrTell(file);
}

void TLogForm::butExtraClick()
{
    const int selected = m_offer.selected;
    const QString what = m_offer.rows == LogRows::WithoutHit ? QStringLiteral("выделенных строк в таблице,\nгде ничего не найдено (")
                                    : QStringLiteral("ненайденных файлов/папок (");
    const YesOk r = ui().vprYesOK(QStringLiteral("Выберите действие для ") + what
                                + QString::number(m_offer.count) + QStringLiteral(" из ")
                                + QString::number(selected) + QStringLiteral(")\n")
                                + QStringLiteral("[YES]: снять выделение\n[OK]: удалить из таблицы"));
    if (r != YesOk::Cancel)
        done(int(r));
}

void TLogForm::reject() { done(int(YesOk::Cancel)); }

bool TLogForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == panBottom && event->type() == QEvent::MouseButtonDblClick
        && !m_firstGeometry.isNull()) {
        setGeometry(m_firstGeometry);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowListSource(const QString &listPath)
{
    TLogForm form({}, QApplication::activeWindow());
    form.setListSource(listPath);
    form.exec();
}

YesOk ShowLog(const LogOffer &offer)
{
    TLogForm form(offer, QApplication::activeWindow());
    const int r = form.exec();
    return r == int(YesOk::Yes) || r == int(YesOk::Ok) ? YesOk(r) : YesOk::Cancel;
}

} // namespace vt
