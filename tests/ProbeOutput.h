#pragma once
// What the test probes (programs a test starts as a separate process) print:
// one line per event, and every line of a box prefixed with "BOX|".
#include "StdDlg.h"

#include <QString>
#include <QStringList>
#include <cstdio>

namespace probe {

inline void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Prints a box of fixed lines (the single-instance guard's busy box).
inline void printBox(const QStringList& lines)
{
    for (const QString& line : lines)
        say(QStringLiteral("BOX|") + line);
}

// Prints each box and answers it with its rightmost button, or with the
// middle one where that is shown and `preferMiddle` is set.
class PrintingPrompter : public StdDlg::IPrompter {
public:
    explicit PrintingPrompter(bool preferMiddle = false) : m_preferMiddle(preferMiddle) {}
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        for (const QString& line : r.lines)
            say(QStringLiteral("BOX|") + line);
        const StdDlg::Button& b = m_preferMiddle && r.buttons[1].visible ? r.buttons[1] : r.buttons[2];
        return {b.modalResult, false};
    }

private:
    bool m_preferMiddle;
};

} // namespace probe
