#include "HelpDocs.h"

#include "Shell.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyUIL.h"

namespace HelpDocs {
namespace {

constexpr int kShowDefault = 10;

struct DocumentTexts {
    int label;
    const char* msgId;
    int firstLine, secondLine, thirdLine; // the first and third take the product name
    int hint;
};

const DocumentTexts kTexts[] = {
    {584, "MF013", 1176, 1177, 1178, 957},
    {585, "MF012", 1179, 1180, 1181, 958},
    {586, "MF011", 1182, 1183, 1184, 959},
};

} // namespace

bool Open(Document document, QObject* window)
{
    const DocumentTexts& t = kTexts[document];
    QString file, folder;
    if (AD) {
        switch (document) {
        case Tutorial:
            file = AD->getTutorialFile();
            folder = AD->getTutorialFolder();
            break;
        case UserManual:
            file = AD->getUserManualFile();
            folder = AD->getUserManualFolder();
            break;
        case WhitePaper:
            file = AD->getWhitePaperFile();
            folder = AD->getWhitePaperFolder();
            break;
        }
    }
    if (Utils::FileExists(UIT(t.label), file, true))
        return OpenWithDesktop(QString::fromLatin1(t.msgId), UIT(t.label), file, folder, t.hint, window);
    const QString product = TzyAD::ProductName();
    const QStringList lines{Utils::Format(UIT(t.firstLine), {product}), QString(), file, QString(),
                            UIT(t.secondLine), QString(), Utils::Format(UIT(t.thirdLine), {product})};
    StdDlg::ShowClose(StdDlg::Warning, QString::fromLatin1(t.msgId), lines, t.hint);
    return false;
}

bool OpenWithDesktop(const QString& msgId, const QString& label, const QString& file, const QString& folder,
                     int hintId, QObject* window)
{
    const auto notOpened = [msgId, label, file, hintId](platform::OpenerFailure why) {
        QStringList lines{Utils::Format(UIT(1169), {label}), QString(), file, QString()};
        switch (why) {
        case platform::OpenerFailure::NoProgram:
            lines << UIT(1170) << QString() << UIT(1171);
            break;
        case platform::OpenerFailure::FileGone:
            lines << UIT(1177); // as for a missing document
            break;
        case platform::OpenerFailure::ProgramFailed:
            lines << UIT(1166);
            break;
        case platform::OpenerFailure::Failed:
            lines << UIT(1167);
            break;
        }
        StdDlg::ShowClose(StdDlg::Warning, msgId, lines, hintId);
    };
    if (Utils::ShellOpen(file, QString(), folder, kShowDefault, window, notOpened) != platform::kShellNoOpener)
        return true;
    notOpened(platform::OpenerFailure::NoProgram);
    return false;
}

} // namespace HelpDocs
