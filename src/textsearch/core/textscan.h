#pragma once
// Looking for one string in the lines of a file's bytes. A file is read as
// UTF-8 when it is valid UTF-8 with non-ASCII bytes, else as cp1251; without
// regard to case both sides are compared in Unicode upper case (through
// byte-level fold tables, so a whole file is folded in one pass).
#include "textsearch/core/scankernels.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

namespace vt {

class TextNeedle {
public:
    TextNeedle(const QString &text, bool caseSensitive);
    bool caseSensitive() const { return m_case; }
    // The string as searched in a UTF-8 file and in a cp1251 one (empty when
    // it has no cp1251 form and so cannot occur there).
    const QByteArray &utf8() const { return m_utf8; }
    const QByteArray &cp1251() const { return m_cp1251; }

    // Two byte positions of the string with every value a case variant can
    // put there: UTF-8 text is searched for these first, and only those
    // places are folded and compared.
    using Probe = scan::Probe;
    bool hasProbes() const { return m_probes; }
    const Probe &probe1() const { return m_p1; }
    const Probe &probe2() const { return m_p2; }
    // The probes with the spellings a candidate place is compared with.
    scan::ProbeSet probeSet() const
    {
        return {m_p1, m_p2, size_t(m_utf8.size()), m_forms.data(), int(m_forms.size())};
    }

private:
    void makeProbes(const QString &text);

    bool m_case;
    QByteArray m_utf8, m_cp1251;
    bool m_probes = false;
    Probe m_p1, m_p2;
    std::vector<scan::CharForms> m_forms; // every spelling of each character
};

struct TextScan {
    qint64 lines = 0;   // lines read
    qint64 matches = 0; // lines holding the string
    QByteArray numbers; // "2; 5; " when asked for (ASCII)
    QStringList found;  // matching lines as read (first only, or all)
};

enum class FoundLines { None = 0, First = 1, All = 2 };

// How a text is read: in pieces of `chunk` bytes; a line longer than
// `longLine` is searched before it ends and only its first `longLine` bytes
// are kept as a found line, so that no file needs more memory than these.
struct ScanLimits {
    qint64 chunk = qint64(4) << 20;
    qint64 longLine = qint64(1) << 20;
};

// Where a scanned text comes from.
class TextSource {
public:
    virtual ~TextSource() = default;
    // Up to n bytes; 0 at the end, -1 after an error.
    virtual qint64 read(char *buf, qint64 n) = 0;
    // Back to the first byte (a text that is not UTF-8 is read again).
    virtual bool rewind() = 0;
};

// The scan's buffers, kept by a caller that scans many files so that they are
// allocated once (an owned object, not thread storage: thread_local objects
// with destructors are not safe on every platform's worker threads).
class ScanScratch {
public:
    ScanScratch();
    ~ScanScratch();
    ScanScratch(const ScanScratch &) = delete;
    ScanScratch &operator=(const ScanScratch &) = delete;
    struct Buffers;
    Buffers &buffers() { return *m_b; }

private:
    std::unique_ptr<Buffers> m_b;
};

// A line ends at LF; the CR before it is not part of it, a CR elsewhere is
// dropped, and Ctrl+Z ends the text.
// stop (may be null) ends the scan early between matches; the result is
// then incomplete and is not to be shown. False after a read error.
// scratch (may be null) holds the buffers between calls.
bool scanSource(TextSource &src, const TextNeedle &needle, bool wantNumbers, FoundLines found,
                const std::atomic<bool> *stop, const ScanLimits &limits, TextScan &out,
                ScanScratch *scratch = nullptr);
// The same over bytes in memory, handed to the scan `limits.chunk` at a time.
TextScan scanText(const QByteArray &bytes, const TextNeedle &needle, bool wantNumbers, FoundLines found,
                  const std::atomic<bool> *stop = nullptr, const ScanLimits &limits = ScanLimits());

} // namespace vt
