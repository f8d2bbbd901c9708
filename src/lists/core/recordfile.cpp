#include "lists/core/recordfile.h"

#include "platform/dirreader.h"

#include <algorithm>

namespace vt {
namespace {
constexpr qsizetype kBlockRecords = 256;
} // namespace

RecordFile::RecordFile(const QString &path, int recordSize) : m_recordSize(recordSize)
{
    m_file.open(fs::nativePath(path));
}

const char *RecordFile::next()
{
    if (m_filled - m_at < m_recordSize) {
        // Keep a partial record, fill the rest of the block.
        const qsizetype rest = m_filled - m_at;
        if (m_block.isEmpty())
            m_block.resize(kBlockRecords * m_recordSize);
        std::copy(m_block.constData() + m_at, m_block.constData() + m_filled, m_block.data());
        m_at = 0;
        m_filled = rest;
        while (m_filled < m_recordSize) {
            const qint64 n = m_file.read(m_block.data() + m_filled, m_block.size() - m_filled);
            if (n <= 0)
                return nullptr;
            m_filled += qsizetype(n);
        }
    }
    const char *r = m_block.constData() + m_at;
    m_at += m_recordSize;
    return r;
}

} // namespace vt
