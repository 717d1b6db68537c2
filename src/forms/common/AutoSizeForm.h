#pragma once
// What the resizable secondary forms share: the Auto Size toggle whose state
// is a user preference, the placement record applied at creation, checked at
// activation and stored at closing, the fit into the work area, and telling
// the user's resizing and moving apart from the form's own.
#include <QDialog>

class QPushButton;
class TzyUP;
class TzyWM;

class TAutoSizeForm : public QDialog {
    Q_OBJECT
public:
    using PrefGetter = bool (TzyUP::*)() const;
    using PrefSetter = void (TzyUP::*)(bool);

    // The size computed by the last minimum-size or Auto Size pass (client
    // size: the window frame is the desktop's).
    int AutoWidth() const { return m_autoWidth; }
    int AutoHeight() const { return m_autoHeight; }
    QPushButton* SBtn_AutoSize() const { return m_sbtnAutoSize; }

    // Fits the form to its whole content inside the work area.
    virtual void AutoSize() = 0;

    // Every way of closing passes the form's close query first.
    void done(int r) override;

protected:
    TAutoSizeForm(QWidget* owner, int wmIndex, PrefGetter pref, PrefSetter setPref);

    // The button Esc presses.
    virtual QPushButton* CloseButton() const = 0;
    // Puts the buttons of the bottom row in place for the present width.
    virtual void AlignBBtns() = 0;
    // Closing is always allowed; the form stores what it keeps.
    virtual void FormCloseQuery() { StorePlacement(); }

    // Creation: the record's default size applied with its size, saved; the
    // Auto Size button set from the preference.
    void InitPlacement(int defaultWidth, int defaultHeight);
    // Activation: back to normal and centred when maximised but recorded
    // normal; the Auto Size button from the preference, and the fit when it
    // is down; a pending re-centring done.
    void ActivatePlacement();
    // Closing: the record read from the form and saved, the preference from
    // the button, the preferences saved.
    void StorePlacement();

    // Records a minimum client size as the form's minimum and as AutoWidth
    // and AutoHeight.
    void SetMinClientSize(const QSize& min);
    // Moves and sizes the form so that a client area of `wanted` shows inside
    // the work area.
    void FitClientSize(const QSize& wanted);
    // Sets the Auto Size button without running its click.
    void SetAutoSizeDown(bool down);
    bool Updating() const { return m_updating; }

    // A button of the bottom row: Enter presses none; glyph -1 for none.
    static QPushButton* NewBBtn(QWidget* panel, const char* name, int glyph);

    TzyWM& Record() const;
    QSize FrameExtra() const;
    // Runs `f` as the form's own geometry change (not the user's).
    template <class F>
    void ByCode(F f)
    {
        const bool was = m_codeGeometry;
        m_codeGeometry = true;
        f();
        m_codeGeometry = was;
    }

    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void SBtn_AutoSizeClick();
    void CentreOnWorkArea();
    void UserSizing();
    // Puts the frame at `frame` (the form's own change).
    void PlaceFrame(const QRect& frame);

    int m_wmIndex;
    PrefGetter m_pref;
    PrefSetter m_setPref;
    QPushButton* m_sbtnAutoSize = nullptr;
    bool m_updating = false;
    bool m_codeGeometry = false;
    int m_autoWidth = 0;
    int m_autoHeight = 0;
    bool m_restoring = false;
    QRect m_fitFrom; // where a fit starts when not from the frame as it stands
};
