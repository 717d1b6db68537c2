#pragma once
// The standard message dialog: one modal form, created once at start-up and
// reused for every message the user must read or answer. It is the prompter
// behind StdDlg::ShowMsg1/2/3.
#include "StdDlg.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

class TUF_StdDlg : public QDialog, public StdDlg::IPrompter {
    Q_OBJECT
public:
    // Shows the splash status and installs the form as the prompter.
    TUF_StdDlg();
    // A second dialog for a message raised while this one is open.
    struct Nested {};
    explicit TUF_StdDlg(Nested);
    ~TUF_StdDlg() override;

    // The message lines the caller fills before a set-up operation.
    QStringList Msgs;

    // Set-up operations; the caller then runs exec() and reads the result.
    void ShowMsg1(int level, const QString& msgId, const QString& hint, const QString& caption,
                  int modalResult, int glyphIndex);
    void ShowMsg2(int level, const QString& msgId,
                  const QString& hintM, const QString& captionM, int modalResultM, int glyphIndexM,
                  const QString& hintR, const QString& captionR, int modalResultR, int glyphIndexR);
    void ShowMsg3(int level, const QString& msgId, const QString& cbCaption,
                  const QString& hintL, bool visibleL, const QString& captionL, int modalResultL, int glyphIndexL,
                  const QString& hintM, bool visibleM, const QString& captionM, int modalResultM, int glyphIndexM,
                  const QString& hintR, bool visibleR, const QString& captionR, int modalResultR, int glyphIndexR);

    // Fills Msgs from the request and runs the matching set-up operation.
    void Prepare(const StdDlg::Request& request);
    // StdDlg::IPrompter: Prepare, then the modal loop.
    StdDlg::Answer prompt(const StdDlg::Request& request) override;

    bool CheckBoxChecked() const;
    void CentreOnScreen();

    // The hint plus CR LF and the glyph's shortcut line.
    static QString GetBtnHint(int glyphIndex, const QString& hint);
    // Breaks the message lines into the memo's lines for a width limit in
    // pixels of the given font.
    static QStringList MemoLines(const QStringList& msgs, const QFont& font, int textWidthLimit);

    // Read access for the forms' tests and the gallery.
    QPlainTextEdit* Memo() const { return m_memo; }
    QStringList MemoText() const { return m_memoLines; }
    QPushButton* Button(int slot) const; // 0 left, 1 middle, 2 right
    QCheckBox* CheckBox() const { return m_cb; }
    QWidget* CheckBoxPanel() const { return m_cbPanel; }
    QWidget* ButtonPanel() const { return m_btnPanel; }
    QLabel* MsgIdLabel() const { return m_msgId; }
    // 1..4 for the picture shown, 0 when none.
    int VisiblePicture() const;
    int ButtonModalResult(int slot) const;
    bool ButtonHasGlyph(int slot) const;
    int TextWidthLimit() const { return m_textWidthLimit; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Build();
    void SetupBBtn(int slot, const QString& caption, int modalResult, int glyphIndex);
    void SetupButton(int slot, const QString& hint, bool visible, const QString& caption, int modalResult,
                     int glyphIndex);
    // The message id, the picture and caption of the level, the memo, the fit.
    void Setup(int level, const QString& msgId);
    void SetSizes();
    void SetPositions();
    QSize MinimumClientSize() const;
    void FitToWorkArea();
    QSize FrameExtra() const;
    void PressRight();

    QWidget* m_imgPanel = nullptr;
    QLabel* m_img[4] = {};
    QPlainTextEdit* m_memo = nullptr;
    QWidget* m_spacer = nullptr;
    QWidget* m_cbPanel = nullptr;
    QFrame* m_cbBevel = nullptr;
    QCheckBox* m_cb = nullptr;
    QWidget* m_btnPanel = nullptr;
    QFrame* m_btnBevel = nullptr;
    QLabel* m_msgId = nullptr;
    QPushButton* m_btn[3] = {};
    int m_modalResult[3] = {};
    bool m_hasGlyph[3] = {};

    QStringList m_memoLines;
    int m_textWidthLimit = 0;
    bool m_cbGuard = false;
    bool m_memoScrolls = false;
};

extern TUF_StdDlg* UF_StdDlg;
