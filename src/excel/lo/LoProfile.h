#pragma once
// What the server's private profile is told before each start. The office
// runs its graphics self-test at every start of a version it has not seen
// on the profile (seconds of processor time, and several times that on a
// busy machine), and only an interactive session records the version as
// seen: a headless server would run the test at every start. The profile
// is told the installed version as seen instead.
#include <QByteArray>
#include <QString>

namespace lo {

// The installed office's version ("7.4"), read once from its shared
// configuration beside `program` (soffice.bin); empty when it cannot be told.
QString installedOfficeVersion(const QString& program);

// The profile's settings (registrymodifications.xcu) with `version` as the
// last version seen; the same text when it holds it already, or when it is
// not a settings file.
QByteArray withLastVersionSeen(const QByteArray& settings, const QString& version);

// Records the installed version as seen in the profile at `profileDir`,
// once the office has set the profile up (a fresh profile is left to it).
void recordVersionSeen(const QString& profileDir, const QString& program);

} // namespace lo
