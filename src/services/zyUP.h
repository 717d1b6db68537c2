#pragma once
// The user preferences: 25 values under one per-user key, one value per
// preference named like its field. The forms read them through the getters
// and change them through the setters, saving at once.
#include "Utils.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TzyUP {
public:
    // Default Template File choices.
    enum TemplateChoice { tfNone = 0, tfAuto = 1, tfXLS = 2, tfXLSX = 3, tfOther = 4 };
    // Default Output File folder choices.
    enum FolderChoice { ofNone = 0, ofDesktop = 1, ofDocuments = 2, ofOther = 3 };
    // Default extension codes.
    enum ExtnCode { xeAuto = 0, xeXLS = 1, xeXLSX = 2 };

    TzyUP();

    const QString RegKey;

    void Reset();
    // Reads every value on its own: a missing value, or one that cannot be
    // read, takes its own default and the others keep what is stored. Any
    // failure is reported once; false then.
    bool Load();
    // Writes the 25 values; the first failure stops the save and is
    // reported; false then.
    bool Save();

    static bool IsInvalidXLExtn(int code);
    static QString XLExtnToStr(int code);
    static int StrToXLExtn(const QString& text);

    // The default extension of the installed spreadsheet program ("xls" or
    // "xlsx"); the spreadsheet layer installs its answer at start-up.
    // nullptr restores the fallback "xlsx".
    using XLExtnSource = std::function<QString()>;
    static void SetXLExtnSource(XLExtnSource source);
    static QString InstalledXLExtn();

    // ---- getters ----
    bool AutoAlignBrowseFld() const { return m_AutoAlignBrowseFld; }
    bool AutoAlignBrowseVal() const { return m_AutoAlignBrowseVal; }
    bool AutoAlignBrowseWS() const { return m_AutoAlignBrowseWS; }
    bool AutoSizeBrowseFld() const { return m_AutoSizeBrowseFld; }
    bool AutoSizeBrowseVal() const { return m_AutoSizeBrowseVal; }
    bool AutoSizeBrowseWS() const { return m_AutoSizeBrowseWS; }
    bool AutoSizeCfgErr() const { return m_AutoSizeCfgErr; }
    bool AutoSizeSummary() const { return m_AutoSizeSummary; }
    bool AutoSizeDSM() const { return m_AutoSizeDSM; }
    bool AutoSizeDSF() const { return m_AutoSizeDSF; }
    int DefaultTFDDLItemIndex() const { return m_DefaultTFDDLItemIndex; }
    QString GetDefaultTFOther() const;
    int DefaultOFFolderDDLItemIndex() const { return m_DefaultOFFolderDDLItemIndex; }
    QString GetDefaultOFFolderOther() const;
    int DefaultXLExtn() const { return m_DefaultXLExtn; }
    int HintHidePause() const { return m_HintHidePause; }
    int HintPause() const { return m_HintPause; }
    bool ImportTaskFldDesc() const { return m_ImportTaskFldDesc; }
    int ImportTaskFldValueCount() const { return m_ImportTaskFldValueCount; }
    bool ShowToolBarCaptions() const { return m_ShowToolBarCaptions; }
    bool ShowHints() const { return m_ShowHints; }
    bool PromptOnCreateOFFolder() const { return m_PromptOnCreateOFFolder; }
    bool PromptOnOverwriteOF() const { return m_PromptOnOverwriteOF; }
    bool PromptOnProcess() const { return m_PromptOnProcess; }
    bool PromptOnExit() const { return m_PromptOnExit; }

    QString GetTemplateXLS() const { return TemplateXLS; }
    QString GetTemplateXLSX() const { return TemplateXLSX; }

    // ---- setters ----
    void SetAutoAlignBrowseFld(bool v);
    void SetAutoAlignBrowseVal(bool v);
    void SetAutoAlignBrowseWS(bool v);
    void SetAutoSizeBrowseFld(bool v);
    void SetAutoSizeBrowseVal(bool v);
    void SetAutoSizeBrowseWS(bool v);
    void SetAutoSizeCfgErr(bool v);
    void SetAutoSizeSummary(bool v);
    void SetAutoSizeDSM(bool v);
    void SetAutoSizeDSF(bool v);
    void SetDefaultTFDDLItemIndex(int v);       // outside 0..4 becomes 1
    void SetDefaultTFOther(const QString& v);   // trimmed
    void SetDefaultOFFolderDDLItemIndex(int v); // outside 0..3 becomes 2
    void SetDefaultOFFolderOther(const QString& v); // trimmed, "/" appended
    // True when the code is refused (nothing stored).
    bool SetDefaultXLExtn(int code);
    void SetHintHidePause(int v);            // clamped to 1000..5000
    void SetHintPause(int v);                // clamped to 0..2000
    void SetImportTaskFldDesc(bool v);
    void SetImportTaskFldValueCount(int v);  // clamped to 0..5
    void SetShowToolBarCaptions(bool v);
    void SetShowHints(bool v);
    void SetPromptOnCreateOFFolder(bool v);
    void SetPromptOnOverwriteOF(bool v);
    void SetPromptOnProcess(bool v);
    void SetPromptOnExit(bool v);

    void SetAllAutoSize();
    void SetAllAutoAlign();

    // The Template File and Output File folder a new definition starts with,
    // and the default extension with its dot.
    QString GetDefaultTemplateFile();
    QString GetDefaultOFFolder();
    QString GetDefaultXLExtnDot() const;

private:
    bool m_AutoAlignBrowseFld, m_AutoAlignBrowseVal, m_AutoAlignBrowseWS;
    bool m_AutoSizeBrowseFld, m_AutoSizeBrowseVal, m_AutoSizeBrowseWS;
    bool m_AutoSizeCfgErr, m_AutoSizeSummary, m_AutoSizeDSM, m_AutoSizeDSF;
    int m_DefaultTFDDLItemIndex;
    QString m_DefaultTFOther;
    int m_DefaultOFFolderDDLItemIndex;
    QString m_DefaultOFFolderOther;
    int m_DefaultXLExtn;
    int m_HintHidePause, m_HintPause;
    bool m_ImportTaskFldDesc;
    int m_ImportTaskFldValueCount;
    bool m_ShowToolBarCaptions, m_ShowHints;
    bool m_PromptOnCreateOFFolder, m_PromptOnOverwriteOF, m_PromptOnProcess, m_PromptOnExit;

    QString TemplateXLS, TemplateXLSX;
};

extern std::unique_ptr<TzyUP> UP;

namespace Utils {
// The box of a failed load or save of a group of registry values: the
// failure line (UI text 1172 or 1174), the rights line (1173 or 1175) and
// one "Details: %s" line per failure, separated by blank lines, shown with
// the error icon and one OK button.
void ShowRegistryError(bool writing, const QStringList& details);

// Collects the failures of a load of a group of values, one detail each, so
// one bad value costs only itself.
class RegistryLoadErrors {
public:
    template <typename F>
    void attempt(F&& read)
    {
        try {
            read();
        } catch (const std::exception& e) {
            m_details << ExceptionMessage(e);
        }
    }
    // Reports the failures, if any, in one box; true when there were none.
    bool report() const;

private:
    QStringList m_details;
};

// Runs the writes of a group of values; the first failure stops them and is
// reported. False then.
bool SaveRegistryValues(const std::function<void()>& write);
} // namespace Utils
