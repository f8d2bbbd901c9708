#include "shell/core/openwith.h"

#include "base/runstate.h"
#include "base/appdirs.h"
#include "base/services.h"
#include "base/textutil.h"
#include "shell/core/shellrun.h"

#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <functional>

namespace vt {

QString ProgramList::storePath()
{
    const QString opt = optPath();
    return opt.isEmpty() ? QString() : opt + QStringLiteral("strexec");
}

void ProgramList::load()
{
    m_paths.clear();
    const QString p = storePath();
    if (p.isEmpty())
        return;
    for (const QString &raw : readCp1251Lines(p)) {
        const QString line = raw.trimmed();
        if (accepts(line))
            m_paths << line;
    }
}

bool ProgramList::save() const
{
    if (!GetOptPath())
        return false;
    if (!writeCp1251Lines(storePath(), m_paths))
        return false;
    zv(2);
    return true;
}

// Paths on this platform differ by case, so two spellings are two programs.
bool ProgramList::contains(const QString &path) const { return m_paths.contains(path); }

bool ProgramList::accepts(const QString &path) const { return isProgramFile(path) && !contains(path); }

bool ProgramList::add(const QString &path)
{
    if (!accepts(path))
        return false;
    m_paths << path;
    return true;
}

void ProgramList::remove(QList<int> indexes)
{
    std::sort(indexes.begin(), indexes.end(), std::greater<int>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (int i : indexes)
        if (i >= 0 && i < m_paths.size())
            m_paths.removeAt(i);
}

void RecentParams::add(const QString &value)
{
    if (!m_list.isEmpty() && m_list.first().compare(value, Qt::CaseInsensitive) == 0)
        return;
    for (qsizetype i = m_list.size() - 1; i >= 0; --i)
        if (m_list[i].compare(value, Qt::CaseInsensitive) == 0)
            m_list.removeAt(i);
    m_list.prepend(value);
    while (m_list.size() > kKept)
        m_list.removeLast();
}

RecentParams &recentParams()
{
    return runState().get<RecentParams>();
}

QString quotedPaths(const QStringList &paths)
{
    QStringList q;
    for (const QString &p : paths)
        q << QLatin1Char('"') + p + QLatin1Char('"');
    return q.join(QLatin1Char(' '));
}

SendText sendText(const QStringList &paths)
{
    SendText s;
    for (const QString &p : paths) {
        const QString quoted = QLatin1Char('"') + p + QLatin1Char('"');
        if (s.text.size() + quoted.size() > kSendTextMax)
            break;
        s.text += quoted + QLatin1Char(' ');
        s.paths << p;
    }
    s.text.chop(1);
    return s;
}

SendText sendText(const TableModel &table, const Selection &rows)
{
    QStringList paths;
    for (const SelectedRow &r : rows)
        paths << table.at(r.row).entry.displayPath();
    return sendText(paths);
}

QStringList paramArgs(const QString &param) { return QProcess::splitCommand(param); }

QString paramOrderQuestion()
{
    return QStringLiteral("Отправить файл/папку выделенной программе, добавить параметр.\rВыберите действие:\r"
                          "[Yes]: параметр ПОСЛЕ пути файла/папки\r[OK]: параметр ДО пути файла/папки");
}

RunResult runProgram(const RunRequest &r)
{
    if (!QFileInfo::exists(r.program)) {
        ui().inf(QStringLiteral("Программа не найдена:\r") + r.program);
        return RunResult::Refused;
    }
    QStringList args;
    switch (r.mode) {
    case RunMode::Run:
        break;
    case RunMode::Folder:
        pusk(true, QFileInfo(r.program).absolutePath());
        return RunResult::Started;
    case RunMode::Send:
    case RunMode::RunParam: {
        const bool withParam = r.paramOn && !r.param.isEmpty();
        if (!withParam) {
            if (r.mode == RunMode::RunParam) {
                ui().beep();
                return RunResult::Refused;
            }
            args = r.files;
            break;
        }
        if (r.mode == RunMode::RunParam) {
            args = paramArgs(r.param);
        } else {
            const YesOk a = ui().vprYesOK(paramOrderQuestion());
            if (a == YesOk::Cancel)
                return RunResult::Refused;
            args = a == YesOk::Yes ? r.files + paramArgs(r.param) : paramArgs(r.param) + r.files;
        }
        recentParams().add(r.param);
        break;
    }
    }
    pusk(true, r.program, args);
    return RunResult::Started;
}

QString bmpFileName(const QString &folder, const QDateTime &t)
{
    QString f = folder;
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f + t.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss")) + QStringLiteral(".bmp");
}

} // namespace vt
