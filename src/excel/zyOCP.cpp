#include "zyOCP.h"

#include "Format.h"
#include "REG_Utils.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyUIL.h"
#include "zyXL.h"

std::unique_ptr<TzyOCP> OCP;

using Utils::Format;

namespace {
const QString kPackKey = QStringLiteral("Installer\\Products\\00002109020090400000000000F01FEC");
const QString kPackValue = QStringLiteral("ProductName");
} // namespace

TzyOCP::TzyOCP()
{
    // Built before the dialogs exist: a failing registry counts as no pack.
    ProductName = read(false);
}

void TzyOCP::Init()
{
    ProductName = ReadProductName();
}

QString TzyOCP::read(bool report)
{
    QString name = UIT(1185);
    Installed = false;
    try {
        if (REG_Utils::ValueExists(platform::RootKey::ClassesRoot, kPackKey, kPackValue)) {
            const QString value =
                REG_Utils::ReadString(platform::RootKey::ClassesRoot, kPackKey, kPackValue, QString());
            if (!value.isEmpty()) {
                Installed = true;
                name = value;
            }
        }
    } catch (const std::exception& e) {
        const QString details = Utils::ExceptionMessage(e);
        if (!report) {
            StartupNote = UIT(1197);
            if (!details.isEmpty())
                StartupNote += QLatin1Char(' ') + Format(UIT(1186), {details});
            return name;
        }
        QStringList lines{UIT(1197), QString()};
        if (!details.isEmpty())
            lines << Format(UIT(1186), {details});
        StdDlg::ShowMsg1(StdDlg::Warning, QStringLiteral("UOCP001"), lines, UIT(1194), UIT(289),
                         StdDlg::mrClose, StdDlg::glClose);
    }
    return name;
}

QString TzyOCP::ReadProductName()
{
    return read(true);
}

QString TzyOCP::GetProductName()
{
    return ReadProductName();
}

bool TzyOCP::NeedsCompatPack(const QString& fileName)
{
    GetProductName();
    if (!XL || !XL->IsXL97To2003())
        return false;
    if (Installed)
        return false;
    const QString ext = Utils::Trim(Utils::GetFileExt(fileName, false));
    return !ext.isEmpty() && Utils::SameText(ext, QStringLiteral("xlsx"));
}

bool TzyOCP::CheckFile(const QString& fileLabel, const QString& fileName)
{
    if (!NeedsCompatPack(fileName))
        return false;
    const QStringList lines{Format(UIT(1187), {XL->GetXLVersionName(), fileLabel}),
                            QString(),
                            fileName,
                            QString(),
                            UIT(1188),
                            QString(),
                            UIT(1189),
                            QString(),
                            Format(UIT(1190), {fileLabel}),
                            QString(),
                            UIT(1191),
                            QString(),
                            UIT(1192),
                            QString(),
                            Format(UIT(1193), {fileLabel})};
    const int answer = StdDlg::ShowMsg2(StdDlg::Question, QStringLiteral("UOCP002"), lines,
                                        Format(UIT(1195), {fileLabel}), UIT(290), StdDlg::mrYes,
                                        StdDlg::glContinue, Format(UIT(1196), {fileLabel}), UIT(288),
                                        StdDlg::mrCancel, StdDlg::glCancel);
    return answer == StdDlg::mrCancel;
}
