#pragma once
// The progress form of long operations: numbered step lines and plain lines,
// total and step progress, the step count in the status bar and on the
// launcher button, and a Cancel button that only raises a flag.
//
// Operations update it far more often than a screen can show (a counter line
// may change a million times), so each change is recorded at once and the
// widgets follow at most about thirty times a second: the first change after
// a quiet spell shows at once, later ones when the flush timer fires. What the
// form reports (lines, counters) is always the latest state.
#include "Progress.h"
#include "TaskbarProgress.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <memory>


class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStatusBar;

class TUF_Progress : public QDialog, public IProgress {
    Q_OBJECT
public:
    // Shows the splash status and installs the form as the progress display.
    explicit TUF_Progress(std::unique_ptr<ITaskbarProgress> taskbar = nullptr);
    ~TUF_Progress() override;

    // IProgress
    void ResetProgress() override;
    void SetCaption(const QString& caption) override;
    void SetTotalSteps(int n) override;
    void SetCancelled(bool value) override;
    bool Cancelled() const override { return m_cancelled; }
    void ShowStepProgress(bool visible) override;
    void AddStep(const QString& text) override;
    int AddStepIdx(const QString& text) override;
    void AddLine(const QString& text) override;
    void StartStepProgress(int max) override;
    void UpdateStepLine(const QString& text) override;
    void AppendToLastLine(const QString& text) override;
    void AppendToLine(const QString& text, int index) override;
    void Show() override;
    void Close() override;

    void CentreOnScreen();

    // The latest state, whether or not the widgets show it yet.
    QStringList Lines() const;
    int CurrentStep() const { return m_lines.CurrentStep(); }
    int TotalSteps() const { return m_totalSteps; }
    int StepPosition() const { return m_stepPos; }
    int TotalPosition() const { return m_totalPos; }

    // Brings the widgets up to date now.
    void FlushNow();
    // How often the widgets were brought up to date.
    int FlushCount() const { return m_flushCount; }
    static constexpr int kFlushIntervalMs = 33;

    // The Cancel button's action.
    void CancelClicked();

    // Read access for the forms' tests and the gallery.
    QListWidget* List() const { return m_list; }
    QProgressBar* TotalBar() const { return m_pbTotal; }
    QProgressBar* StepBar() const { return m_pbStep; }
    QLabel* StepLabel() const { return m_lblStep; }
    QPushButton* CancelButton() const { return m_cancel; }
    QString StatusPanel(int index) const;
    ITaskbarProgress* Taskbar() const { return m_taskbar.get(); }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void ResetDisplay();
    void Changed();
    void Flush();
    void MarkLine(int index);
    void FitText(const QString& line);
    void SetSizes();
    void ArrangeControls();
    QSize MinimumClientSize() const;
    void FitToWorkArea();
    QSize FrameExtra() const;
    void SetPanel(int index, const QString& text);
    static QString Panel(int value);

    QListWidget* m_list = nullptr;
    QWidget* m_pbPanel = nullptr;
    QLabel* m_lblTotal = nullptr;
    QProgressBar* m_pbTotal = nullptr;
    QLabel* m_lblStep = nullptr;
    QProgressBar* m_pbStep = nullptr;
    QWidget* m_btnPanel = nullptr;
    QFrame* m_btnBevel = nullptr;
    QPushButton* m_cancel = nullptr;
    QStatusBar* m_status = nullptr;
    QLabel* m_panels[5] = {};

    std::unique_ptr<ITaskbarProgress> m_taskbar;

    // The latest state.
    ProgressLines m_lines;
    int m_totalSteps = 0;
    int m_totalPanel = 0; // status panel 3
    int m_totalPos = 0;
    int m_totalMax = 100;
    int m_stepPos = 0;
    int m_stepMax = 100;
    bool m_stepVisible = false;
    bool m_cancelled = false;
    bool m_cancelLogged = false;
    bool m_closingByCode = false;

    // What the widgets lag behind in.
    bool m_dirty = false;
    bool m_listReset = false;
    int m_firstDirtyLine = -1;
    int m_selectLine = -1;
    QElapsedTimer m_sinceFlush;
    QTimer m_flushTimer;
    int m_flushCount = 0;
    int m_itemHeight = 0;
};

extern TUF_Progress* UF_Progress;
