// The servers a whole run used, noted at each of its steps, so that a test
// can check that none outlived the run.
#pragma once

#include "LoBackend.h"
#include "LoCall.h"
#include "zyXL.h"

#include <QList>
#include <QtTest>

namespace pfx {

class RunServers {
public:
    // The server of the layer's backend now; -1 while it has none.
    static pid_t current()
    {
        auto* b = dynamic_cast<lo::Backend*>(XL ? XL->Backend() : nullptr);
        return b ? b->serverPid() : -1;
    }
    void note()
    {
        const pid_t pid = current();
        if (pid > 0 && !m_pids.contains(pid))
            m_pids << pid;
    }
    const QList<pid_t>& pids() const { return m_pids; }
    void clear() { m_pids.clear(); }
    // Fails the test for each noted server still running; forgets them all.
    void expectNoneLeft()
    {
        const QList<pid_t> noted = std::exchange(m_pids, {});
        for (pid_t pid : noted)
            QVERIFY2(lo::processEnded(pid), qPrintable(QStringLiteral("office %1 left running").arg(pid)));
    }

private:
    QList<pid_t> m_pids;
};

} // namespace pfx
