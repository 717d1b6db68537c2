#pragma once
#include <QString>

namespace platform {
// The desktop and documents folders, without creating them; empty when
// unknown.
QString desktopFolder();
QString documentsFolder();
// The folder of the running executable (ZOL_PROGRAM_DIR overrides it for
// tests that run outside the program folder).
QString programFolder();
} // namespace platform
