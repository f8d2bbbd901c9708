#pragma once
// The records of a list file, read one at a time: memory stays at one block
// however big the file is.
#include "platform/regularfile.h"

#include <QByteArray>
#include <QString>

namespace vt {

class RecordFile {
public:
    // Only a regular file is opened (a FIFO or device in its place never is).
    RecordFile(const QString &path, int recordSize);
    bool ok() const { return m_file.isOpen(); }
    // Whole records by the size the file had when it was opened.
    qint64 records() const { return m_file.size() / m_recordSize; }
    // The next whole record, valid until the next call; null at the end (a
    // partial last record is none) or after a read error.
    const char *next();

private:
    fs::RegularFileReader m_file;
    int m_recordSize;
    QByteArray m_block;
    qsizetype m_at = 0, m_filled = 0;
};

} // namespace vt
