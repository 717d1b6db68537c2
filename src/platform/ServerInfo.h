#pragma once
// What the installed spreadsheet server says of itself: its product name and
// version as its own About box shows them, read from the installation's
// configuration data beside the program the backend starts. Quick (one file
// read, no process started) and true to the installation actually used.
#include <QString>

namespace platform {

struct ServerInfo {
    QString product; // "LibreOffice"
    QString version; // "7.4.7.2"; empty when the installation does not say
    bool found() const { return !product.isEmpty(); }
    QString displayName() const { return version.isEmpty() ? product : product + QLatin1Char(' ') + version; }
};

// Reads the installation that holds `program` (its soffice.bin); empty when
// there is no such installation or its configuration cannot be read.
ServerInfo readServerInfo(const QString& program);

// The installation of sofficePath().
ServerInfo installedServer();

} // namespace platform
