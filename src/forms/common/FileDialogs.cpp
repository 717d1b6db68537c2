#include "FileDialogs.h"

#include "Format.h"
#include "zyUIL.h"

#include <QFileDialog>

namespace forms {

namespace {

void prepare(QFileDialog& dlg, const QString& title, const QString& initialDir)
{
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setWindowTitle(title);
    dlg.setLabelText(QFileDialog::Accept, UIT(1036));
    if (!initialDir.isEmpty())
        dlg.setDirectory(initialDir);
}

class QtFileDialogs : public IFileDialogs {
public:
    std::optional<QString> openFile(QWidget* parent, const OpenFileRequest& r) override
    {
        QFileDialog dlg(parent);
        prepare(dlg, r.title, r.initialDir);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (!r.filter.isEmpty())
            dlg.setNameFilter(r.filter);
        if (!r.fileName.isEmpty())
            dlg.selectFile(r.fileName);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        return dlg.selectedFiles().constFirst();
    }

    std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& initialDir) override
    {
        QFileDialog dlg(parent);
        prepare(dlg, title, initialDir);
        dlg.setFileMode(QFileDialog::Directory);
        dlg.setOption(QFileDialog::ShowDirsOnly, true);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        return dlg.selectedFiles().constFirst();
    }
};

QtFileDialogs g_qt;
IFileDialogs* g_dialogs = nullptr;

} // namespace

IFileDialogs& fileDialogs()
{
    return g_dialogs ? *g_dialogs : g_qt;
}

void setFileDialogs(IFileDialogs* dialogs)
{
    g_dialogs = dialogs;
}

QString ExcelFileFilter()
{
    // Qt separates the patterns of one filter by blanks only.
    return Utils::Format(UIT(1031), {QStringLiteral("xls"), QStringLiteral("xlsx")}).remove(QLatin1Char(';'));
}

QString DialogTitle(const QString& text)
{
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

} // namespace forms
