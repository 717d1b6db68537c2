#include "OptionsRules.h"

#include "Format.h"
#include "Utils.h"
#include "zyDV.h"
#include "zyUIL.h"
#include "zyUP.h"

#include <QFile>

#include <cstdlib>

namespace OptionsRules {

namespace {
QVector<int> steps(int first, int last, int step)
{
    QVector<int> v;
    for (int x = first; x <= last; x += step)
        v << x;
    return v;
}

// The check's own short text, or its details when it gives no short one.
QString faultText(const TzyDV& dv)
{
    return dv.MsgShort.isEmpty() ? dv.MsgDetails : dv.MsgShort;
}
} // namespace

QVector<int> HintPauseItems() { return steps(0, 2000, 100); }
QVector<int> HintHidePauseItems() { return steps(1000, 5000, 250); }

int NearestItem(const QVector<int>& items, int value)
{
    int best = 0;
    for (int i = 1; i < items.size(); ++i) {
        if (std::abs(items[i] - value) < std::abs(items[best] - value))
            best = i;
    }
    return best;
}

int SampleCountItem(int count)
{
    return count >= 0 && count <= 5 ? count : 0;
}

QString TemplateChoiceText(TzyUP& up, int item, const QString& installedExt)
{
    switch (item) {
    case TzyUP::tfAuto:
        return Utils::SameText(Utils::Trim(installedExt), QStringLiteral("xls")) ? up.GetTemplateXLS()
                                                                                 : up.GetTemplateXLSX();
    case TzyUP::tfXLS: return up.GetTemplateXLS();
    case TzyUP::tfXLSX: return up.GetTemplateXLSX();
    case TzyUP::tfOther: return up.GetDefaultTemplateFile();
    default: return QString();
    }
}

QString FolderChoiceText(TzyUP& up, int item)
{
    switch (item) {
    case TzyUP::ofDesktop: return Utils::GetDesktopFolder();
    case TzyUP::ofDocuments: return Utils::GetMyDocumentsFolder();
    case TzyUP::ofOther: return up.GetDefaultOFFolder();
    default: return QString();
    }
}

bool LooksLikeWorkbook(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(8);
    return head.startsWith("PK\x03\x04") || head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

std::optional<QString> TemplateFault(TzyDV& dv, const QString& fileName)
{
    const QString label = UIT(664);
    const QString name = Utils::Trim(fileName);
    if (dv.CheckPath(label, name) || dv.CheckFileExtension(label, name) || dv.CheckFileExists(label, name))
        return faultText(dv);
    // A default template that is no workbook would fail every new definition.
    if (!LooksLikeWorkbook(name))
        return Utils::Format(UIT(696), {label});
    return std::nullopt;
}

std::optional<QString> FolderFault(TzyDV& dv, const QString& folder)
{
    if (dv.CheckFolderPath(UIT(666), Utils::Trim(folder)))
        return faultText(dv);
    return std::nullopt;
}

std::optional<Message> CloseRefusal(const std::optional<QString>& templateFault,
                                    const std::optional<QString>& folderFault)
{
    if (templateFault && folderFault)
        return Message{QStringLiteral("OF010"),
                       {UIT(1141), QString(), QStringLiteral("[1] ") + *templateFault, QString(),
                        QStringLiteral("[2] ") + *folderFault, QString(), UIT(1139)}};
    if (templateFault)
        return Message{QStringLiteral("OF008"), {UIT(1140), QString(), *templateFault, QString(), UIT(1139)}};
    if (folderFault)
        return Message{QStringLiteral("OF009"), {UIT(1140), QString(), *folderFault, QString(), UIT(1139)}};
    return std::nullopt;
}

void RestorePreferences(TzyUP& up, const TzyUP& s)
{
    up.SetAutoAlignBrowseFld(s.AutoAlignBrowseFld());
    up.SetAutoAlignBrowseVal(s.AutoAlignBrowseVal());
    up.SetAutoAlignBrowseWS(s.AutoAlignBrowseWS());
    up.SetAutoSizeBrowseFld(s.AutoSizeBrowseFld());
    up.SetAutoSizeBrowseVal(s.AutoSizeBrowseVal());
    up.SetAutoSizeBrowseWS(s.AutoSizeBrowseWS());
    up.SetAutoSizeCfgErr(s.AutoSizeCfgErr());
    up.SetAutoSizeSummary(s.AutoSizeSummary());
    up.SetAutoSizeDSM(s.AutoSizeDSM());
    up.SetAutoSizeDSF(s.AutoSizeDSF());
    up.SetDefaultTFDDLItemIndex(s.DefaultTFDDLItemIndex());
    up.SetDefaultTFOther(s.GetDefaultTFOther());
    up.SetDefaultOFFolderDDLItemIndex(s.DefaultOFFolderDDLItemIndex());
    up.SetDefaultOFFolderOther(s.GetDefaultOFFolderOther());
    up.SetDefaultXLExtn(TzyUP::xeAuto);
    up.SetDefaultXLExtn(s.DefaultXLExtn());
    up.SetHintHidePause(s.HintHidePause());
    up.SetHintPause(s.HintPause());
    up.SetImportTaskFldDesc(s.ImportTaskFldDesc());
    up.SetImportTaskFldValueCount(s.ImportTaskFldValueCount());
    up.SetShowToolBarCaptions(s.ShowToolBarCaptions());
    up.SetShowHints(s.ShowHints());
    up.SetPromptOnCreateOFFolder(s.PromptOnCreateOFFolder());
    up.SetPromptOnOverwriteOF(s.PromptOnOverwriteOF());
    up.SetPromptOnProcess(s.PromptOnProcess());
    up.SetPromptOnExit(s.PromptOnExit());
}

} // namespace OptionsRules
