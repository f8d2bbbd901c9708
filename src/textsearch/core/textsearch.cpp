#include "textsearch/core/textsearch.h"

#include "base/operation.h"
#include "base/services.h"
#include "base/textutil.h"
#include "platform/dirreader.h"
#include "platform/regularfile.h"
#include "table/core/tablemodel.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vt {

namespace {
const QString kSeparator = QStringLiteral("___\r\n");
} // namespace

namespace {

// One file read and scanned, ready for its block.
struct FileScan {
    fs::ReadStatus status = fs::ReadStatus::Missing;
    TextScan scan;
};

// A file read through the scan piece by piece, so that no file, however
// big, is held whole.
class FileSource : public TextSource {
public:
    explicit FileSource(fs::RegularFileReader &file) : m_file(file) {}
    qint64 read(char *buf, qint64 n) override { return m_file.read(buf, n); }
    bool rewind() override { return m_file.rewind(); }

private:
    fs::RegularFileReader &m_file;
};

FileScan readAndScan(const QByteArray &nativePath, const TextNeedle &needle, const TextSearchOptions &o,
                     const std::atomic<bool> *stop, ScanScratch *scratch = nullptr)
{
    FileScan f;
    fs::RegularFileReader file;
    if (!file.open(nativePath, &f.status))
        return f;
    FileSource src(file);
    if (!scanSource(src, needle, o.numbersLine, o.foundLines, stop, ScanLimits(), f.scan, scratch))
        f.status = fs::ReadStatus::Failed;
    return f;
}

bool appendBlock(QStringList &log, const TextSearchOptions &o, const QString &sizeText,
                 const QByteArray &nativePath, const FileScan &f)
{
    const QString path = fs::pathText(nativePath);
    switch (f.status) {
    case fs::ReadStatus::Missing:
        log << path << QStringLiteral("<Файл не найден>");
        return false;
    case fs::ReadStatus::Failed:
        log << path + QStringLiteral("\r\n<Ошибка доступа к файлу>") << kSeparator;
        return false;
    case fs::ReadStatus::Ok:
        break;
    }
    const TextScan &s = f.scan;
    const bool hit = s.matches > 0;
    const bool pathLine = o.names == 2 || (hit && o.names == 1);
    if (pathLine) {
        log << path;
        if (o.sizeLine)
            log << QStringLiteral("Размер файла: ") + sizeText + QStringLiteral(" Общее число строк в файле: ")
                       + QString::number(s.lines);
    }
    if (hit) {
        if (o.countLine)
            log << QStringLiteral("Число строк, где найдено вхождение: ") + QString::number(s.matches);
        if (o.numbersLine)
            log << QStringLiteral("Номера строк: ") + QLatin1StringView(s.numbers);
        if (o.foundLines != FoundLines::None) {
            QString entry;
            for (const QString &l : s.found)
                entry += l + QStringLiteral("\r\n");
            log << entry;
        }
    }
    log << kSeparator;
    return hit;
}

// One file's log block, made on a worker: the calling thread only appends it.
struct FileJob {
    int row = 0;
    QByteArray path;  // copied: the workers never touch the table
    QString sizeText;
    QStringList block;
    bool hit = false;
};

// Reads and scans the files on worker threads, a bounded distance ahead of
// the calling thread, which writes the blocks in table order and keeps
// serving its events meanwhile. The flags are atomic so that no thread takes
// the lock on the way of a small file; it is only for sleeping and waking.
class ScanAhead {
public:
    static constexpr size_t kAhead = 32;
    static constexpr size_t kBatch = 8;

    ScanAhead(std::vector<FileJob> &jobs, const TextNeedle &needle, const TextSearchOptions &o)
        : m_jobs(jobs), m_needle(needle), m_o(o), m_done(new std::atomic<bool>[jobs.size()])
    {
        for (size_t i = 0; i < jobs.size(); ++i)
            m_done[i].store(false, std::memory_order_relaxed);
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const size_t workers = std::min<size_t>(std::min(cores, 4u), jobs.size());
        for (size_t i = 0; i < workers; ++i)
            m_threads.emplace_back([this] { work(); });
    }
    ~ScanAhead()
    {
        m_stop = true;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_room.notify_all();
        }
        for (std::thread &t : m_threads)
            t.join();
    }

    // Waits for job i, pumping ops while it waits; false when ops asks to stop.
    // A job not done yet is waited for together with the next few, so that
    // the calling thread wakes once for several files.
    bool wait(size_t i, OperationContext *ops)
    {
        if (m_done[i])
            return true;
        const size_t until = std::min(i + kBatch, m_jobs.size()) - 1;
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            // Woken by the last job of the batch still running: the jobs are
            // taken in order, so the others are mostly done by then.
            size_t last = kNobody;
            for (size_t k = until + 1; k-- > i;)
                if (!m_done[k]) {
                    last = k;
                    break;
                }
            if (last == kNobody)
                break;
            m_waitingFor = last;
            if (!m_done[last])
                m_ready.wait_for(lock, std::chrono::milliseconds(15));
            if (ops) {
                lock.unlock();
                ops->pump();
                if (ops->stopRequested())
                    return false;
                lock.lock();
            }
        }
        m_waitingFor = kNobody;
        return true;
    }
    // Job i is written: the workers may go further.
    void release(size_t i)
    {
        m_written = i + 1;
        // Waking a thread costs more than a small file: only those that
        // wait, and once a few places are free.
        if (m_roomWaiters > 0 && ((i + 1) % kBatch == 0 || i + 1 == m_jobs.size())) {
            { std::lock_guard<std::mutex> lock(m_mutex); }
            m_room.notify_all();
        }
    }

private:
    void work()
    {
        ScanScratch scratch; // this worker's buffers, reused file after file
        for (;;) {
            const size_t i = m_next.fetch_add(1);
            if (i >= m_jobs.size())
                return;
            if (!m_stop && i >= m_written + kAhead) {
                std::unique_lock<std::mutex> lock(m_mutex);
                ++m_roomWaiters;
                m_room.wait(lock, [&] { return m_stop || i < m_written + kAhead; });
                --m_roomWaiters;
            }
            if (m_stop)
                return;
            FileJob &job = m_jobs[i];
            job.hit = appendBlock(job.block, m_o, job.sizeText, job.path, readAndScan(job.path, m_needle, m_o, &m_stop, &scratch));
            m_done[i] = true;
            if (m_waitingFor == i) {
                // Through the lock the waiter is either asleep or will see the
                // flag; woken after it, it does not wait for the lock again.
                { std::lock_guard<std::mutex> lock(m_mutex); }
                m_ready.notify_one();
            }
        }
    }

    static constexpr size_t kNobody = size_t(-1);
    std::vector<FileJob> &m_jobs;
    const TextNeedle &m_needle;
    const TextSearchOptions &m_o;
    std::unique_ptr<std::atomic<bool>[]> m_done;
    std::atomic<size_t> m_next{0};
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_written{0};
    std::atomic<size_t> m_waitingFor{kNobody}; // the job the calling thread waits for
    std::atomic<int> m_roomWaiters{0};
    std::mutex m_mutex;
    std::condition_variable m_ready, m_room;
    std::vector<std::thread> m_threads;
};

} // namespace

bool WriteLog(QStringList &log, const TextSearchOptions &o, const TextNeedle &needle, const QString &sizeText,
              const QByteArray &nativePath)
{
    return appendBlock(log, o, sizeText, nativePath, readAndScan(nativePath, needle, o, nullptr));
}

TextSearchResult Parser(const TableModel &table, const QString &typed, const TextSearchOptions &o,
                        QStringList &log, OperationContext *ops)
{
    TextSearchResult r;
    log.clear();
    log << QStringLiteral("Поиск по тексту, строка \"") + typed + QLatin1Char('"')
               + (o.caseSensitive ? QStringLiteral(" <!с учетом регистра>") : QString())
               + QStringLiteral(" Дата поиска: ") + dateTimeText(now()) + QStringLiteral("\r\n");
    const TextNeedle needle(typed, o.caseSensitive);
    std::vector<FileJob> jobs;
    for (int i = 0; i < table.size(); ++i) {
        const TableRow &row = table.at(i);
        if (!row.selected)
            continue;
        ++r.selected;
        // Folders and empty files have nothing to read.
        if (row.cells[ColByte] != QLatin1String("0"))
            jobs.push_back({i, row.entry.path, row.cells[ColSize], {}, false});
    }
    {
        ScanAhead ahead(jobs, needle, o);
        for (size_t k = 0; k < jobs.size(); ++k) {
            if (ops) {
                ops->pump();
                if (ops->stopRequested())
                    break;
            }
            if (!ahead.wait(k, ops))
                break;
            log.append(std::move(jobs[k].block));
            if (jobs[k].hit)
                r.found << jobs[k].row;
            ahead.release(k);
        }
    }
    log << QStringLiteral("Результат: ") + QString::number(r.found.size()) + QStringLiteral(" из ")
               + QString::number(r.selected);
    return r;
}

int applyNotFound(TableModel &table, const QList<int> &found, bool remove)
{
    const QSet<int> hit(found.begin(), found.end());
    QList<int> others;
    for (int i = table.size() - 1; i >= 0; --i)
        if (table.isSelected(i) && !hit.contains(i))
            others << i;
    SuppressGuard guard(&table);
    if (remove) {
        table.removeRows(others);
    } else {
        SelectionBatch batch(&table);
        for (int i : others)
            table.setSelected(i, false);
    }
    return int(others.size());
}

} // namespace vt
