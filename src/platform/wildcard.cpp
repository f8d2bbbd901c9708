#include "platform/wildcard.h"

#include <QList>
#include <QStringView>

namespace vt::fs {
namespace {

template <typename Str>
bool globMatch(const Str &p, const Str &s)
{
    size_t pi = 0, si = 0, starP = Str::npos, starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == s[si])) {
            ++pi;
            ++si;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starS = si;
        } else if (starP != Str::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

std::u32string folded(const QString &s)
{
    const QList<uint> ucs = s.toCaseFolded().toUcs4();
    return std::u32string(ucs.begin(), ucs.end());
}

bool isAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

} // namespace

Wildcard::Wildcard(const QString &pattern)
{
    m_pattern = folded(pattern);
    m_all = pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
    if (pattern.endsWith(QLatin1String(".*")))
        m_noDotPattern = folded(pattern.left(pattern.size() - 2));
    else if (pattern.endsWith(QLatin1Char('.'))) // "*." takes the names without an extension
        m_noDotPattern = folded(pattern.left(pattern.size() - 1));
    m_asciiPattern = true;
    for (QChar c : pattern)
        if (c.unicode() >= 0x80)
            m_asciiPattern = false;
    if (m_asciiPattern)
        m_ascii = pattern.toLower().toStdString();
}

bool Wildcard::matchFolded(const std::u32string &name) const
{
    if (globMatch(m_pattern, name))
        return true;
    return !m_noDotPattern.empty() && name.find(U'.') == std::u32string::npos
           && globMatch(m_noDotPattern, name);
}

bool Wildcard::matches(std::string_view raw) const
{
    if (m_all)
        return true;
    if (m_asciiPattern && isAscii(raw)) {
        std::string lower(raw);
        for (char &c : lower)
            if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
        if (globMatch(std::string_view(m_ascii), std::string_view(lower)))
            return true;
        if (m_noDotPattern.empty() || lower.find('.') != std::string::npos)
            return false;
        return matchFolded(std::u32string(lower.begin(), lower.end()));
    }
    return matches(QString::fromUtf8(raw.data(), qsizetype(raw.size())));
}

bool Wildcard::matches(const QString &name) const
{
    if (m_all)
        return true;
    return matchFolded(folded(name));
}

} // namespace vt::fs
