#include "base/currentlog.h"

#include "base/runstate.h"
#include "base/services.h"
#include "base/textutil.h"

namespace vt {

CurrentLog::CurrentLog(QObject *parent) : QObject(parent) { start(); }

void CurrentLog::start()
{
    m_text = QStringLiteral("Vestrada v2.34 \r\nСтарт: ") + dateTimeText(now())
             + QStringLiteral("\r\n-");
    emit restarted(m_text);
}

void CurrentLog::append(const QString &block)
{
    m_text += QStringLiteral("\r\n") + block;
    emit appended(block);
}

void CurrentLog::setSearchSummary(const QString &text)
{
    m_summary = text;
    emit searchSummaryChanged(text);
}

void CurrentLog::beginOperation(LogKind kind)
{
    m_opLog.clear();
    m_kind = kind;
}

void CurrentLog::reset()
{
    m_opLog.clear();
    m_kind = LogKind::None;
    setSearchSummary(QString());
    start();
}

CurrentLog &currentLog() { return runState().log(); }

QString logStamp() { return dateTimeText(now()) + QLatin1Char(' '); }

QString lastKindTag(LogKind k)
{
    const int kind = int(k);
    static const char *const tags[] = {
        "[копирование файлов]", "[перемещение файлов]", "[поиск по текстам файлов]",
        "[переименование файлов/папок]", "[открытие списка VTL / VTX / M3U]",
        "[проверка текущего списка]", "[удаление пустых папок]", "[создание папок]",
        "[множественное удаление файлов]", "[просмотр выбранных колонок]",
        "[просмотр параметров командной строки]", "[сравнение со снимком VTS]"};
    if (kind < 1 || kind > 12)
        return QStringLiteral("[НЕТ]");
    return QString::fromUtf8(tags[kind - 1]);
}

} // namespace vt
