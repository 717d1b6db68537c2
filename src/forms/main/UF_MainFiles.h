#pragma once
// Page 0 of the main form: S Curve Files and Project Details. Its controls
// and handlers; the frame owns one (TUF_Main::Files) and calls the protocol
// members that UF_MainFiles.cpp defines. The logic that needs no widget is
// in FilesPageRules (rules/); the browse commands' road in BrowseCommands.
#include "FilesPageRules.h"

#include <QObject>

#include <array>

class FieldIndicator;
class HeadingPanel;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TUF_Main;

class TUF_MainFiles : public QObject {
public:
    // Builds the page's controls on its tab sheet (TS_SCF).
    TUF_MainFiles(TUF_Main& form, QWidget* sheet);
    ~TUF_MainFiles() override;

    TUF_Main& F;
    QWidget* TS_SCF;

    HeadingPanel* Pnl_SCF_DSF = nullptr;
    HeadingPanel* Pnl_SCF_TF = nullptr;
    HeadingPanel* Pnl_SCF_OF = nullptr;
    HeadingPanel* Pnl_PD_T = nullptr;
    QWidget* Pnl_SCF_Note = nullptr;
    QLabel* Lbl_SCF_Note = nullptr;

    QLabel* Lbl_SCF_DSF_DrivePathFilenameExtn = nullptr;
    QLabel* Lbl_SCF_DSF_OpenPassword = nullptr;
    QLabel* Lbl_SCF_DSF_TaskWS = nullptr;
    QLabel* Lbl_SCF_DSF_THR = nullptr;
    QLabel* Lbl_SCF_TF_DrivePathFilenameExtn = nullptr;
    QLabel* Lbl_SCF_TF_OpenPassword = nullptr;
    QLabel* Lbl_SCF_TF_ProjectSummaryWS = nullptr;
    QLabel* Lbl_SCF_TF_ChartDataWS = nullptr;
    QLabel* Lbl_SCF_OF_DrivePathFilenameExtn = nullptr;
    QLabel* Lbl_PD_ProjectTitle = nullptr;
    QLabel* Lbl_PD_ProjectNumber = nullptr;
    QLabel* Lbl_PD_ProjectClient = nullptr;

    QLineEdit* TB_SCF_DSF_DrivePathFilenameExtn = nullptr;
    QLineEdit* TB_SCF_DSF_OpenPassword = nullptr;
    QLineEdit* TB_SCF_DSF_TaskWS = nullptr;
    QLineEdit* TB_SCF_DSF_THR = nullptr;
    QLineEdit* TB_SCF_TF_DrivePathFilenameExtn = nullptr;
    QLineEdit* TB_SCF_TF_OpenPassword = nullptr;
    QLineEdit* TB_SCF_TF_ProjectSummaryWS = nullptr;
    QLineEdit* TB_SCF_TF_ChartDataWS = nullptr;
    QLineEdit* TB_SCF_OF_DrivePathFilenameExtn = nullptr;
    QLineEdit* TB_PD_ProjectTitle = nullptr;
    QLineEdit* TB_PD_ProjectNumber = nullptr;
    QLineEdit* TB_PD_ProjectClient = nullptr;

    QPushButton* BBtn_SCF_DSF_DrivePathFilenameExtn_Browse = nullptr;
    QPushButton* BBtn_SCF_DSF_DrivePathFilenameExtn_Open = nullptr;
    QPushButton* BBtn_SCF_DSF_TaskWS_Browse = nullptr;
    QPushButton* BBtn_SCF_TF_DrivePathFileNameExtn_Default = nullptr;
    QPushButton* BBtn_SCF_TF_DrivePathFilenameExtn_Browse = nullptr;
    QPushButton* BBtn_SCF_TF_DrivePathFilenameExtn_Open = nullptr;
    QPushButton* BBtn_SCF_TF_ProjectSummaryWS_Browse = nullptr;
    QPushButton* BBtn_SCF_TF_ChartDataWS_Browse = nullptr;
    QPushButton* BBtn_SCF_OF_DrivePathFileNameExtn_Default = nullptr;
    QPushButton* BBtn_SCF_OF_DrivePathFilenameExtn_Browse = nullptr;
    QPushButton* BBtn_SCF_OF_DrivePathFilenameExtn_Open = nullptr;

    FieldIndicator* Img_SCF_DSF_DrivePathFilenameExtn = nullptr;
    FieldIndicator* Img_SCF_DSF_TaskWS = nullptr;
    FieldIndicator* Img_SCF_DSF_THR = nullptr;
    FieldIndicator* Img_SCF_TF_DrivePathFilenameExtn = nullptr;
    FieldIndicator* Img_SCF_TF_ProjectSummaryWS = nullptr;
    FieldIndicator* Img_SCF_TF_ChartDataWS = nullptr;
    FieldIndicator* Img_SCF_OF_DrivePathFilenameExtn = nullptr;

    // The twelve edits in FilesPage::Edit order, the seven indicators in
    // FilesPage::Indicator order.
    std::array<QLineEdit*, FilesPage::EditCount> Edits{};
    std::array<FieldIndicator*, FilesPage::IndicatorCount> Images{};

    // ---- handlers (one per event family, by edit) ----
    // OnKeyDown and OnKeyPress of an edit: true when the key is swallowed.
    bool EditKeyDown(FilesPage::Edit e, QKeyEvent* event);
    bool EditKeyPress(FilesPage::Edit e, QKeyEvent* event);
    void EditChange(FilesPage::Edit e);
    void EditExit(FilesPage::Edit e);

    // The key filters: the key becomes QChar() when refused (the balloon
    // tells why).
    void ValidatePathFileName(QObject* sender, QChar& key);
    void ValidateWS(QObject* sender, QChar& key);
    void ValidateTHR(QObject* sender, QChar& key);

    void BBtn_SCF_DSF_DrivePathFilenameExtn_BrowseClick();
    void BBtn_SCF_DSF_DrivePathFilenameExtn_OpenClick();
    void BBtn_SCF_DSF_TaskWS_BrowseClick();
    void BBtn_SCF_TF_DrivePathFileNameExtn_DefaultClick();
    void BBtn_SCF_TF_DrivePathFilenameExtn_BrowseClick();
    void BBtn_SCF_TF_DrivePathFilenameExtn_OpenClick();
    void BBtn_SCF_TF_ProjectSummaryWS_BrowseClick();
    void BBtn_SCF_TF_ChartDataWS_BrowseClick();
    void BBtn_SCF_OF_DrivePathFileNameExtn_DefaultClick();
    void BBtn_SCF_OF_DrivePathFilenameExtn_BrowseClick();
    void BBtn_SCF_OF_DrivePathFilenameExtn_OpenClick();

    // The seven indicators from the checks of the page's texts.
    void UpdatePage0Details();

    // The page's edit texts, and the changed ones written back (a changed
    // text fires its change handler, as a user's change does).
    FilesPage::Texts PageTexts() const;
    void SetTexts(const FilesPage::Texts& t);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    int IndexOf(const QObject* edit) const;
    void ShowBalloon(QLineEdit* edit, const QString& text);
    void ResetCaches(const FilesPage::CacheReset& r);
    void FileBrowse(FilesPage::FileKind k);
    void FileOpen(FilesPage::FileKind k);
    void WorksheetBrowse(int alignMode);
    QLineEdit* FileEdit(FilesPage::FileKind k) const;
};
