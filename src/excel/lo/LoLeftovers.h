#pragma once
// The files a run keeps for a while: the private copy of a workbook opened
// read-only, a spare profile, each server's temporary folder, and the folder
// beside the Output File where it is written. Their names carry
// the owner's process id and start time, so that when a process dies before
// it could remove them, a later start can tell they are ours and that their
// owner is gone, and removes them. Never a file of another program, nor of a
// process that still runs.
#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace lo {

// "<pid>-<start time>" of this process.
QString ownerTag();
// A QTemporaryDir/QTemporaryFile template in the temporary folder:
// "<temp>/zol-<kind>-<owner tag>-XXXXXX".
QString tempTemplate(const QString& kind);
// A hidden folder of ours beside a file to be written ("<folder>/.~zol-<owner
// tag>-XXXXXX"), where the office writes the new file and its own temporaries
// and lock; the finished file is then renamed out of it. On record in the
// temporary folder while the object lives, with the file system it is on, so
// that a later start finds it should this process die. The object removes the
// folder and all in it, and the record once the folder is known to be gone; a
// folder that could not be removed, or could not be seen (a share that failed
// or is away), stays on record for a later start.
class BesideFolder {
public:
    explicit BesideFolder(const QString& target);
    ~BesideFolder();
    BesideFolder(const BesideFolder&) = delete;
    BesideFolder& operator=(const BesideFolder&) = delete;
    bool isValid() const { return !m_path.isEmpty(); }
    // Its folder stopped answering: the removal is not waited for.
    void setUnanswering() { m_unanswering = true; }
    QString filePath(const QString& name) const { return m_path + u'/' + name; }

private:
    QString m_path;
    QString m_record;
    QString m_madeOn; // the file system of the folder it is in, as on record
    bool m_unanswering = false;
};

// Puts on record a server that was ended but could not die, with the
// folders it leaves ("zol-abandoned-<its pid>-<its start time>-XXXXXX" in the
// temporary folder): the first sweep after it has died removes them.
void recordAbandoned(pid_t pid, const QStringList& leftFolders);

// Removes what our processes that no longer run have left: their entries in
// the temporary folder and the files their records name. A record stays
// until what it names is known to be gone, not merely out of sight while its
// share is away. Gives how many entries went.
int sweepLeftovers();

} // namespace lo
