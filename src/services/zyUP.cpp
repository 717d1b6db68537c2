#include "zyUP.h"

#include "REG_Utils.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QStringList>
#include <algorithm>

std::unique_ptr<TzyUP> UP;

namespace {

constexpr auto CU = platform::RootKey::CurrentUser;

TzyUP::XLExtnSource g_xlExtnSource;

const QString kTemplateBase = QStringLiteral("Templates/Tarvo_ZOL_Lumo_Template");

} // namespace

namespace Utils {
void ShowRegistryError(bool writing, const QStringList& details)
{
    QStringList lines;
    lines << Utils::Format(QStringLiteral(" %s "), {UIT(writing ? 1174 : 1172)}) << QString()
          << Utils::Format(QStringLiteral(" %s "), {UIT(writing ? 1175 : 1173)}) << QString();
    // A store that fails as a whole fails alike for every value: say it once.
    QStringList unique = details;
    unique.removeDuplicates();
    for (const QString& d : unique)
        lines << Utils::Format(QStringLiteral(" %s "), {Utils::Format(UIT(1094), {d})});
    StdDlg::ShowMsg1(StdDlg::Critical, QString(), lines, QString(), QStringLiteral("OK"),
                     StdDlg::mrOk, StdDlg::glOk);
}

bool RegistryLoadErrors::report() const
{
    if (m_details.isEmpty())
        return true;
    ShowRegistryError(false, m_details);
    return false;
}

bool SaveRegistryValues(const std::function<void()>& write)
{
    try {
        write();
    } catch (const std::exception& e) {
        ShowRegistryError(true, {ExceptionMessage(e)});
        return false;
    }
    return true;
}
} // namespace Utils

TzyUP::TzyUP()
    : RegKey(QStringLiteral("Software\\Kelvane\\Tarvo ZOL Lumo\\UP"))
{
    Reset();
}

void TzyUP::Reset()
{
    m_AutoAlignBrowseFld = m_AutoAlignBrowseVal = m_AutoAlignBrowseWS = true;
    m_AutoSizeBrowseFld = m_AutoSizeBrowseVal = m_AutoSizeBrowseWS = true;
    m_AutoSizeCfgErr = m_AutoSizeSummary = m_AutoSizeDSM = m_AutoSizeDSF = true;
    m_DefaultTFDDLItemIndex = tfAuto;
    m_DefaultTFOther.clear();
    m_DefaultOFFolderDDLItemIndex = ofDocuments;
    m_DefaultOFFolderOther.clear();
    m_DefaultXLExtn = xeAuto;
    m_HintHidePause = 2500;
    m_HintPause = 500;
    m_ImportTaskFldDesc = true;
    m_ImportTaskFldValueCount = 3;
    m_ShowToolBarCaptions = m_ShowHints = true;
    m_PromptOnCreateOFFolder = m_PromptOnOverwriteOF = m_PromptOnProcess = m_PromptOnExit = true;
    const QString app = TzyAD::GetAppFolder();
    TemplateXLS = app + kTemplateBase + QStringLiteral(".xls");
    TemplateXLSX = app + kTemplateBase + QStringLiteral(".xlsx");
}

bool TzyUP::Load()
{
    Utils::RegistryLoadErrors errors;
    // A value that cannot be read keeps its default; the others go on.
    auto b = [&](const char* name, bool def, void (TzyUP::*set)(bool)) {
        bool v = def;
        errors.attempt([&] { v = REG_Utils::ReadBool(CU, RegKey, QLatin1String(name), def); });
        (this->*set)(v);
    };
    auto i = [&](const char* name, int def, void (TzyUP::*set)(int)) {
        int v = def;
        errors.attempt([&] { v = REG_Utils::ReadInteger(CU, RegKey, QLatin1String(name), def); });
        (this->*set)(v);
    };
    auto s = [&](const char* name, const QString& def, auto set) {
        QString v = def;
        errors.attempt([&] { v = REG_Utils::ReadString(CU, RegKey, QLatin1String(name), def); });
        set(v);
    };
    auto text = [this](void (TzyUP::*set)(const QString&)) {
        return [this, set](const QString& v) { (this->*set)(v); };
    };

    b("AutoAlignBrowseFld", true, &TzyUP::SetAutoAlignBrowseFld);
    b("AutoAlignBrowseVal", true, &TzyUP::SetAutoAlignBrowseVal);
    b("AutoAlignBrowseWS", true, &TzyUP::SetAutoAlignBrowseWS);
    b("AutoSizeBrowseFld", true, &TzyUP::SetAutoSizeBrowseFld);
    b("AutoSizeBrowseVal", true, &TzyUP::SetAutoSizeBrowseVal);
    b("AutoSizeBrowseWS", true, &TzyUP::SetAutoSizeBrowseWS);
    b("AutoSizeCfgErr", true, &TzyUP::SetAutoSizeCfgErr);
    b("AutoSizeSummary", true, &TzyUP::SetAutoSizeSummary);
    b("AutoSizeDSM", true, &TzyUP::SetAutoSizeDSM);
    b("AutoSizeDSF", true, &TzyUP::SetAutoSizeDSF);
    i("DefaultTFDDLItemIndex", tfAuto, &TzyUP::SetDefaultTFDDLItemIndex);
    s("DefaultTFOther", QString(), text(&TzyUP::SetDefaultTFOther));
    i("DefaultOFFolderDDLItemIndex", ofDocuments, &TzyUP::SetDefaultOFFolderDDLItemIndex);
    s("DefaultOFFolderOther", QString(), text(&TzyUP::SetDefaultOFFolderOther));
    s("DefaultXLExtn", QStringLiteral("Auto"), [this](const QString& v) { SetDefaultXLExtn(StrToXLExtn(v)); });
    i("HintHidePause", 2500, &TzyUP::SetHintHidePause);
    i("HintPause", 500, &TzyUP::SetHintPause);
    b("ImportTaskFldDesc", true, &TzyUP::SetImportTaskFldDesc);
    i("ImportTaskFldValueCount", 3, &TzyUP::SetImportTaskFldValueCount);
    b("ShowToolBarCaptions", true, &TzyUP::SetShowToolBarCaptions);
    b("ShowHints", true, &TzyUP::SetShowHints);
    b("PromptOnCreateOFFolder", true, &TzyUP::SetPromptOnCreateOFFolder);
    b("PromptOnOverwriteOF", true, &TzyUP::SetPromptOnOverwriteOF);
    b("PromptOnProcess", true, &TzyUP::SetPromptOnProcess);
    b("PromptOnExit", true, &TzyUP::SetPromptOnExit);
    return errors.report();
}

bool TzyUP::Save()
{
    auto b = [&](const char* name, bool v) { REG_Utils::WriteBool(CU, RegKey, QLatin1String(name), v); };
    auto i = [&](const char* name, int v) { REG_Utils::WriteInteger(CU, RegKey, QLatin1String(name), v); };
    auto s = [&](const char* name, const QString& v) { REG_Utils::WriteString(CU, RegKey, QLatin1String(name), v); };
    return Utils::SaveRegistryValues([&] {
        b("AutoAlignBrowseFld", m_AutoAlignBrowseFld);
        b("AutoAlignBrowseVal", m_AutoAlignBrowseVal);
        b("AutoAlignBrowseWS", m_AutoAlignBrowseWS);
        b("AutoSizeBrowseFld", m_AutoSizeBrowseFld);
        b("AutoSizeBrowseVal", m_AutoSizeBrowseVal);
        b("AutoSizeBrowseWS", m_AutoSizeBrowseWS);
        b("AutoSizeCfgErr", m_AutoSizeCfgErr);
        b("AutoSizeSummary", m_AutoSizeSummary);
        b("AutoSizeDSM", m_AutoSizeDSM);
        b("AutoSizeDSF", m_AutoSizeDSF);
        i("DefaultTFDDLItemIndex", m_DefaultTFDDLItemIndex);
        s("DefaultTFOther", GetDefaultTFOther());
        i("DefaultOFFolderDDLItemIndex", m_DefaultOFFolderDDLItemIndex);
        s("DefaultOFFolderOther", GetDefaultOFFolderOther());
        s("DefaultXLExtn", XLExtnToStr(m_DefaultXLExtn));
        i("HintHidePause", m_HintHidePause);
        i("HintPause", m_HintPause);
        b("ImportTaskFldDesc", m_ImportTaskFldDesc);
        i("ImportTaskFldValueCount", m_ImportTaskFldValueCount);
        b("ShowToolBarCaptions", m_ShowToolBarCaptions);
        b("ShowHints", m_ShowHints);
        b("PromptOnCreateOFFolder", m_PromptOnCreateOFFolder);
        b("PromptOnOverwriteOF", m_PromptOnOverwriteOF);
        b("PromptOnProcess", m_PromptOnProcess);
        b("PromptOnExit", m_PromptOnExit);
    });
}

// ---- extension codes ----

bool TzyUP::IsInvalidXLExtn(int code)
{
    return code != xeAuto && code != xeXLS && code != xeXLSX;
}

QString TzyUP::XLExtnToStr(int code)
{
    switch (code) {
    case xeXLS: return QStringLiteral("xls");
    case xeXLSX: return QStringLiteral("xlsx");
    default: return QStringLiteral("Auto");
    }
}

int TzyUP::StrToXLExtn(const QString& text)
{
    const QString t = Utils::Trim(text);
    if (Utils::SameText(t, QStringLiteral("xls")))
        return xeXLS;
    if (Utils::SameText(t, QStringLiteral("xlsx")))
        return xeXLSX;
    return xeAuto;
}

void TzyUP::SetXLExtnSource(XLExtnSource source)
{
    g_xlExtnSource = std::move(source);
}

QString TzyUP::InstalledXLExtn()
{
    return g_xlExtnSource ? g_xlExtnSource() : QStringLiteral("xlsx");
}

// ---- texts ----

QString TzyUP::GetDefaultTFOther() const
{
    return Utils::Trim(m_DefaultTFOther);
}

QString TzyUP::GetDefaultOFFolderOther() const
{
    return Utils::Trim(m_DefaultOFFolderOther);
}

// ---- setters ----

void TzyUP::SetAutoAlignBrowseFld(bool v) { m_AutoAlignBrowseFld = v; }
void TzyUP::SetAutoAlignBrowseVal(bool v) { m_AutoAlignBrowseVal = v; }
void TzyUP::SetAutoAlignBrowseWS(bool v) { m_AutoAlignBrowseWS = v; }
void TzyUP::SetAutoSizeBrowseFld(bool v) { m_AutoSizeBrowseFld = v; }
void TzyUP::SetAutoSizeBrowseVal(bool v) { m_AutoSizeBrowseVal = v; }
void TzyUP::SetAutoSizeBrowseWS(bool v) { m_AutoSizeBrowseWS = v; }
void TzyUP::SetAutoSizeCfgErr(bool v) { m_AutoSizeCfgErr = v; }
void TzyUP::SetAutoSizeSummary(bool v) { m_AutoSizeSummary = v; }
void TzyUP::SetAutoSizeDSM(bool v) { m_AutoSizeDSM = v; }
void TzyUP::SetAutoSizeDSF(bool v) { m_AutoSizeDSF = v; }
void TzyUP::SetImportTaskFldDesc(bool v) { m_ImportTaskFldDesc = v; }
void TzyUP::SetShowToolBarCaptions(bool v) { m_ShowToolBarCaptions = v; }
void TzyUP::SetShowHints(bool v) { m_ShowHints = v; }
void TzyUP::SetPromptOnCreateOFFolder(bool v) { m_PromptOnCreateOFFolder = v; }
void TzyUP::SetPromptOnOverwriteOF(bool v) { m_PromptOnOverwriteOF = v; }
void TzyUP::SetPromptOnProcess(bool v) { m_PromptOnProcess = v; }
void TzyUP::SetPromptOnExit(bool v) { m_PromptOnExit = v; }

void TzyUP::SetDefaultTFDDLItemIndex(int v)
{
    m_DefaultTFDDLItemIndex = (v < tfNone || v > tfOther) ? int(tfAuto) : v;
}

void TzyUP::SetDefaultTFOther(const QString& v)
{
    m_DefaultTFOther = Utils::Trim(v);
}

void TzyUP::SetDefaultOFFolderDDLItemIndex(int v)
{
    m_DefaultOFFolderDDLItemIndex = (v < ofNone || v > ofOther) ? int(ofDocuments) : v;
}

void TzyUP::SetDefaultOFFolderOther(const QString& v)
{
    m_DefaultOFFolderOther = Utils::IncludeTrailingSlash(Utils::Trim(v));
}

bool TzyUP::SetDefaultXLExtn(int code)
{
    if (IsInvalidXLExtn(m_DefaultXLExtn))
        m_DefaultXLExtn = xeAuto;
    if (IsInvalidXLExtn(code))
        return true;
    m_DefaultXLExtn = code;
    return false;
}

void TzyUP::SetHintHidePause(int v) { m_HintHidePause = std::clamp(v, 1000, 5000); }
void TzyUP::SetHintPause(int v) { m_HintPause = std::clamp(v, 0, 2000); }
void TzyUP::SetImportTaskFldValueCount(int v) { m_ImportTaskFldValueCount = std::clamp(v, 0, 5); }

void TzyUP::SetAllAutoSize()
{
    SetAutoSizeBrowseFld(true);
    SetAutoSizeBrowseVal(true);
    SetAutoSizeBrowseWS(true);
    SetAutoSizeCfgErr(true);
    SetAutoSizeSummary(true);
}

void TzyUP::SetAllAutoAlign()
{
    SetAutoAlignBrowseFld(true);
    SetAutoAlignBrowseVal(true);
    SetAutoAlignBrowseWS(true);
}

// ---- derived values ----

QString TzyUP::GetDefaultTemplateFile()
{
    if (m_DefaultTFDDLItemIndex < tfNone || m_DefaultTFDDLItemIndex > tfOther)
        m_DefaultTFDDLItemIndex = tfAuto;
    switch (m_DefaultTFDDLItemIndex) {
    case tfNone: return QString();
    case tfXLS: return TemplateXLS;
    case tfXLSX: return TemplateXLSX;
    case tfOther: return GetDefaultTFOther();
    default:
        return Utils::SameText(Utils::Trim(InstalledXLExtn()), QStringLiteral("xls")) ? TemplateXLS : TemplateXLSX;
    }
}

QString TzyUP::GetDefaultOFFolder()
{
    if (m_DefaultOFFolderDDLItemIndex < ofNone || m_DefaultOFFolderDDLItemIndex > ofOther)
        m_DefaultOFFolderDDLItemIndex = ofDocuments;
    switch (m_DefaultOFFolderDDLItemIndex) {
    case ofNone: return QString();
    case ofDesktop: return Utils::GetDesktopFolder();
    case ofOther: return GetDefaultOFFolderOther();
    default: return Utils::GetMyDocumentsFolder();
    }
}

QString TzyUP::GetDefaultXLExtnDot() const
{
    switch (m_DefaultXLExtn) {
    case xeAuto: return QLatin1Char('.') + InstalledXLExtn();
    case xeXLSX: return QStringLiteral(".xlsx");
    default: return QStringLiteral(".xls");
    }
}
