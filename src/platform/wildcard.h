#pragma once
// Name masks with "*" and "?", matched without regard to case, the way the
// file dialogs of the desktop match them ("*.*" also takes names without a dot,
// "*." only those).
#include <QString>
#include <string_view>
#include <vector>

namespace vt::fs {

class Wildcard {
public:
    explicit Wildcard(const QString &pattern);
    bool matchesEverything() const { return m_all; }
    bool matches(std::string_view rawName) const;
    bool matches(const QString &name) const;

private:
    bool matchFolded(const std::u32string &name) const;

    std::u32string m_pattern;     // case-folded
    std::u32string m_noDotPattern; // for "x.*" and "x.": also try "x" on names without a dot
    std::string m_ascii;          // lower-cased, when the pattern is plain ASCII
    bool m_asciiPattern = false;
    bool m_all = false;
};

} // namespace vt::fs
