// The Output File checks before a run and before the save, and the save.
#include "zyProcess.h"

#include "FileAccess.h"
#include "Format.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyProcessPrivate.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QFileInfo>

using Utils::Format;
using namespace zyProcessPrivate;

namespace {

void SavePreferences()
{
    if (UP)
        UP->Save();
}

} // namespace

bool TzyProcess::CheckOutputFolder()
{
    pollCancel();
    if (Utils::DirExists(OFFolderLabel, OFFolder))
        return true;
    if (!UP || UP->PromptOnCreateOFFolder()) {
        const QStringList lines{Format(UIT(1096), {OFFolderLabel}), QString(), OFFolder, QString(),
                                Format(UIT(1097), {OFFolderLabel, OFLabel}), QString(),
                                Format(UIT(1098), {OFFolderLabel})};
        StdDlg::Button yes{true, Format(UIT(989), {OFFolderLabel}), UIT(294), StdDlg::mrYes, StdDlg::glYes};
        StdDlg::Button no{true,
                          Format(UIT(990), {OFFolderLabel}) + QStringLiteral("\r\n") + Format(UIT(991), {OFLabel}),
                          UIT(291), StdDlg::mrNo, StdDlg::glNo};
        const StdDlg::Answer a =
            StdDlg::ShowMsg3(StdDlg::Question, QStringLiteral("UP012"), lines, UIT(285), StdDlg::Button{}, yes, no);
        if (UP) {
            UP->SetPromptOnCreateOFFolder(!a.checked);
            SavePreferences();
        }
        if (a.modalResult == StdDlg::mrNo)
            return false;
    }
    return Utils::ForceFolder(OFFolderLabel, OFFolder);
}

bool TzyProcess::IsOutputFileReadOnly()
{
    pollCancel();
    // The save replaces the file in its folder: a file whose folder cannot
    // be written cannot be overwritten either.
    return Utils::FileExists(OFLabel, OFName, true)
           && (Utils::IsFileReadOnly(OFLabel, OFName) || IsOutputFolderReadOnly());
}

bool TzyProcess::IsOutputFolderReadOnly()
{
    pollCancel();
    const QString folder = QFileInfo(OFName).absolutePath();
    return QFileInfo(folder).isDir() && !platform::fileAccess().canWriteIn(folder);
}

bool TzyProcess::CheckOutputFileOpen()
{
    pollCancel();
    if (!Utils::FileExists(OFLabel, OFName, true))
        return false;
    // Yes asks again while the file stays open, a bounded number of times:
    // an answer given by rote must not keep the run asking for ever.
    constexpr int kMaxAsks = 10;
    for (int asked = 0;; ++asked) {
        if (!Utils::IsFileInUse(OFLabel, OFName))
            return false;
        if (asked == kMaxAsks)
            return true;
        const QStringList lines{Format(UIT(1103), {OFLabel}), QString(), OFName, QString(),
                                Format(UIT(1104), {OFLabel}), QString(), UIT(1105)};
        const int r = StdDlg::ShowMsg2(StdDlg::Question, QStringLiteral("UP013"), lines, Format(UIT(992), {OFLabel}),
                                       UIT(294), StdDlg::mrYes, StdDlg::glYes, Format(UIT(993), {OFLabel}),
                                       UIT(291), StdDlg::mrNo, StdDlg::glNo);
        if (r == StdDlg::mrNo)
            return true;
    }
}

bool TzyProcess::ConfirmOverwrite()
{
    pollCancel();
    if (!Utils::FileExists(OFLabel, OFName, true) || (UP && !UP->PromptOnOverwriteOF()))
        return true;
    const QStringList lines{Format(UIT(1099), {OFLabel}), QString(), OFName, QString(), Format(UIT(1100), {OFLabel})};
    StdDlg::Button yes{true, Format(UIT(994), {OFLabel}), UIT(294), StdDlg::mrYes, StdDlg::glYes};
    StdDlg::Button no{true, Format(UIT(995), {OFLabel}), UIT(291), StdDlg::mrNo, StdDlg::glNo};
    const StdDlg::Answer a =
        StdDlg::ShowMsg3(StdDlg::Question, QStringLiteral("UP014"), lines, UIT(286), StdDlg::Button{}, yes, no);
    if (UP) {
        UP->SetPromptOnOverwriteOF(!a.checked);
        SavePreferences();
    }
    if (a.modalResult == StdDlg::mrNo) {
        OverwriteChecked = false;
        return false;
    }
    return true;
}

void TzyProcess::CheckDistinctFiles()
{
    pollCancel();
    // Paths are compared as the file system resolves them (links, "..",
    // doubled slashes), not as spelt. The output may not exist yet: then its
    // folder is resolved and the name appended.
    const auto real = [](const QString& name) {
        const QFileInfo fi(name);
        QString path = fi.canonicalFilePath();
        if (path.isEmpty()) {
            const QString folder = QFileInfo(fi.absolutePath()).canonicalFilePath();
            path = (folder.isEmpty() ? fi.absolutePath() : folder) + QLatin1Char('/') + fi.fileName();
        }
        return path;
    };
    const QString out = real(OFName);
    const struct {
        const QString& label;
        const QString& name;
    } others[] = {{DSFLabel, DSFName}, {TFLabel, TFName}};
    for (const auto& o : others) {
        if (!o.name.isEmpty() && real(o.name) == out)
            throw ZolError(Paragraphs({Format(UIT(714), {OFLabel, o.label}), Labelled(OFLabel, OFName),
                                       Labelled(o.label, o.name)}));
    }
}

void TzyProcess::checkOutputFile()
{
    if (!CheckOutputFolder())
        throw ZolError(Paragraphs({Format(UIT(1096), {OFFolderLabel}), OFFolder,
                                   Format(UIT(1097), {OFFolderLabel, OFLabel})}));
    if (IsOutputFileReadOnly())
        throw ZolError(Paragraphs({Format(UIT(1101), {OFLabel}), OFName, Format(UIT(1102), {OFLabel})}));
    // Found here, before the work, rather than by the save at its end.
    if (IsOutputFolderReadOnly())
        throw ZolError(Paragraphs({Format(UIT(1101), {OFFolderLabel}), OFFolder,
                                   Format(QStringLiteral("Unable to save the %s in the %s."), {OFLabel, OFFolderLabel})}));
    if (CheckOutputFileOpen())
        throw ZolError(Paragraphs({Format(UIT(1103), {OFLabel}), OFName, Format(UIT(1106), {OFLabel})}));
    if (OverwriteChecked)
        return;
    OverwriteChecked = true;
    if (!ConfirmOverwrite())
        throw ZolError(Paragraphs({Format(UIT(1099), {OFLabel}), OFName}));
}

void TzyProcess::SaveOutputFile()
{
    step([&] {
        checkOutputFile();
        StepLine(Format(UIT(388), {TFLabel, OFLabel}), [&] {
            XL->SaveAs(OFLabel, OFName);
            XL->SetWorkbookLabel(OFLabel);
            XL->SetWorkbookFileName(OFName);
        });
        // The run's last use of the server: it and the Output File end here.
        if (XL)
            XL->HoldForRun(false);
        CloseWorkbookStep(OFLabel);
        QuitServerStep();
    });
}
