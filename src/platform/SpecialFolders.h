#pragma once
#include <QString>

namespace platform {
// The desktop and documents folders, without creating them; empty when
// unknown.
QString desktopFolder();
QString documentsFolder();
// The folder of the running executable.
QString executableFolder();
// The program folder: where the program finds what it carries (Templates/,
// Samples/). A build tree, or a program folder copied whole, holds them
// beside the executable; an installed program keeps the executable in
// <prefix>/lib/tarvo-zol-lumo and its data in <prefix>/share/tarvo-zol-lumo,
// found relative to the executable so that any prefix works.
// ZOL_PROGRAM_DIR overrides it (tests that run outside the program folder).
QString programFolder();
// The folder of the Help documents' folders (Tutorial/, User_Manual/,
// White_Paper/): the program folder, except for an installed program, whose
// documents are in <prefix>/share/doc/tarvo-zol-lumo.
QString programDocumentFolder();

// The rules above, for an executable in `exeDir`.
QString programFolderFor(const QString& exeDir);
QString programDocumentFolderFor(const QString& exeDir);
} // namespace platform
