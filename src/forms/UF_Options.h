#pragma once
// The Options dialog: the user preferences that no other form sets, the
// default template and output folder with their validity pictures, the reset
// of every form's size and position, and the reset of the preferences.
// Edits reach the store only through Close; Cancel and the close box put
// every preference back as it was when the dialog opened.
#include "zyUP.h"
#include "zyWM.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class BalloonHint;
class FieldIndicator;
class HeadingPanel;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class TUF_Options : public QDialog {
    Q_OBJECT
public:
    TUF_Options();
    ~TUF_Options() override;

    // Copies the preferences for Cancel; the main form calls it before exec().
    void SnapshotUP();
    // Refits the dialog and centres it on the work area.
    void CentreOnScreen();

    // Where a reset placement record goes: the form of record `index` (1..6)
    // takes `placement`. Start-up wires the six forms; unset, only the
    // records change (each form applies its record the next time it shows).
    using PlacementApplier = std::function<void(int index, const FormPlacement& placement)>;
    void SetPlacementApplier(PlacementApplier applier) { m_applyPlacement = std::move(applier); }

    // Read access for tests and the gallery.
    QComboBox* HintPauseList() const { return DDL_UP_HintPause; }
    QComboBox* HintHidePauseList() const { return DDL_UP_HintHidePause; }
    QComboBox* XLExtnList() const { return DDL_UP_DefaultXLExtn; }
    QComboBox* SampleCountList() const { return DDL_UP_ImportTaskFldValCount; }
    QComboBox* TemplateList() const { return DDL_UP_DefaultTF; }
    QComboBox* FolderList() const { return DDL_UP_DefaultOFFolder; }
    QLineEdit* TemplateEdit() const { return TB_UP_DefaultTF; }
    QLineEdit* FolderEdit() const { return TB_UP_DefaultOFFolder; }
    QPushButton* TemplateBrowseButton() const { return BBtn_UP_DefaultTF_Browse; }
    QPushButton* TemplateOpenButton() const { return BBtn_UP_DefaultTF_Open; }
    QPushButton* FolderBrowseButton() const { return BBtn_UP_DefaultOFFolder_Browse; }
    FieldIndicator* TemplateImage() const { return Img_UP_DefaultTF; }
    FieldIndicator* FolderImage() const { return Img_UP_DefaultOFFolder; }
    QCheckBox* ShowToolBarCaptionsBox() const { return CB_UP_ShowToolBarCaptions; }
    QCheckBox* PromptOnProcessBox() const { return CB_UP_PromptOnProcess; }
    QCheckBox* PromptOnExitBox() const { return CB_UP_PromptOnExit; }
    QCheckBox* PromptOnCreateOFFolderBox() const { return CB_UP_PromptOnCreateOFFolder; }
    QCheckBox* PromptOnOverwriteOFBox() const { return CB_UP_PromptOnOverwriteOF; }
    QPushButton* ResetSizesButton() const { return BBtn_UP_ResetSizePosition; }
    QPushButton* ResetButton() const { return BBtn_Reset; }
    QPushButton* CloseButton() const { return BBtn_Close; }
    QPushButton* CancelButton() const { return BBtn_Cancel; }
    BalloonHint* Balloon() const { return BH_Options; }
    bool TemplateError() const { return TFError; }
    bool FolderError() const { return OFFolderError; }

protected:
    void done(int r) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Build();
    void SetupUIT();
    void SetupHints();
    void SetupLayout();
    void FitToScreen();
    QSize MinClientSize() const;

    void LoadUP();
    void SaveUP();
    void UpdateControls();
    void ValidateFiles();
    void SetValidityImage(FieldIndicator* image, const QString& text, bool atFault);
    void ApplyHintDelays(int hintPause, int hintHidePause);
    void FillTemplateEdit(int item);
    void FillFolderEdit(int item);

    void DDL_UP_HintPauseChange();
    void DDL_UP_HintHidePauseChange();
    void DDL_UP_DefaultTFChange();
    void DDL_UP_DefaultOFFolderChange();
    void EditChange(QLineEdit* edit);
    void BBtn_CloseClick();
    void BBtn_CancelClick();
    void BBtn_ResetClick();
    void BBtn_UP_ResetSizePositionClick();
    void BBtn_UP_DefaultTF_BrowseClick();
    void BBtn_UP_DefaultTF_OpenClick();
    void BBtn_UP_DefaultOFFolder_BrowseClick();
    // The two edits' key filters: true when the key was swallowed.
    bool EditKeyPress(QLineEdit* edit, QKeyEvent* e);
    void ShowBalloon(QLineEdit* edit, const QString& text);
    void HideBalloon();
    void FocusButtonBar();
    // The question before a reset ("OF001", "OF006"); false when answered No.
    bool ConfirmReset(const char* msgId, int line, int hintYes, int hintNo);
    // Puts every preference and the hint delays back as they were.
    void RestoreSnapshot();

    QWidget* Pnl_Options_Left = nullptr;
    HeadingPanel* Pnl_UP_UI = nullptr;
    QPushButton* BBtn_UP_ResetSizePosition = nullptr;
    QCheckBox* CB_UP_ShowToolBarCaptions = nullptr;
    QCheckBox* CB_UP_PromptOnProcess = nullptr;
    QCheckBox* CB_UP_PromptOnExit = nullptr;
    QLabel* Lbl_UP_HintPause = nullptr;
    QComboBox* DDL_UP_HintPause = nullptr;
    QLabel* Lbl_UP_HintPause_ms = nullptr;
    QLabel* Lbl_UP_HintHidePause = nullptr;
    QComboBox* DDL_UP_HintHidePause = nullptr;
    QLabel* Lbl_UP_HintHidePause_ms = nullptr;
    QLabel* Lbl_UP_DefaultXLExtn = nullptr;
    QComboBox* DDL_UP_DefaultXLExtn = nullptr;
    QFrame* Bvl_Options_Middle = nullptr;
    QWidget* Pnl_Options_Right = nullptr;
    HeadingPanel* Pnl_UP_BTFF = nullptr;
    QLabel* Lbl_UP_ImportTaskFldValCount = nullptr;
    QComboBox* DDL_UP_ImportTaskFldValCount = nullptr;
    QWidget* Pnl_Options_TFOF = nullptr;
    HeadingPanel* Pnl_UP_TF = nullptr;
    QLabel* Lbl_UP_DefaultTF = nullptr;
    QComboBox* DDL_UP_DefaultTF = nullptr;
    QLineEdit* TB_UP_DefaultTF = nullptr;
    QPushButton* BBtn_UP_DefaultTF_Browse = nullptr;
    QPushButton* BBtn_UP_DefaultTF_Open = nullptr;
    FieldIndicator* Img_UP_DefaultTF = nullptr;
    HeadingPanel* Pnl_UP_OF = nullptr;
    QLabel* Lbl_UP_DefaultOFFolder = nullptr;
    QComboBox* DDL_UP_DefaultOFFolder = nullptr;
    QLineEdit* TB_UP_DefaultOFFolder = nullptr;
    QPushButton* BBtn_UP_DefaultOFFolder_Browse = nullptr;
    FieldIndicator* Img_UP_DefaultOFFolder = nullptr;
    QCheckBox* CB_UP_PromptOnCreateOFFolder = nullptr;
    QCheckBox* CB_UP_PromptOnOverwriteOF = nullptr;
    QWidget* Pnl_Options_BBtn = nullptr;
    QFrame* Bvl_Options_BBtn = nullptr;
    QPushButton* BBtn_Reset = nullptr;
    QPushButton* BBtn_Close = nullptr;
    QPushButton* BBtn_Cancel = nullptr;
    BalloonHint* BH_Options = nullptr;

    bool Loading = false;
    bool TFError = false;
    bool OFFolderError = false;
    QString m_tfErrorText, m_ofErrorText;
    // The preferences as the dialog found them, and whether the store was
    // written while it was open (the reset of sizes saves at once).
    std::unique_ptr<TzyUP> m_snapshot;
    bool m_storeWritten = false;
    PlacementApplier m_applyPlacement;
};

extern TUF_Options* UF_Options;
