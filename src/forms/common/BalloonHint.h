#pragma once
// The balloon hint that refuses a key press: a small popup under the caret
// telling why the key was dropped. It hides by itself after HideAfter
// milliseconds, or at the next key press or mouse click anywhere in the
// application, so a refused key never leaves a stale balloon behind.
#include <QLabel>
#include <QRect>
#include <QTimer>

class BalloonHint : public QLabel {
    Q_OBJECT
public:
    explicit BalloonHint(QWidget* owner = nullptr);
    ~BalloonHint() override;

    int HideAfter() const { return m_hideAfter; }
    void SetHideAfter(int ms) { m_hideAfter = ms; }
    QString Description() const { return text(); }

    // Shows the balloon with its tip pointing at the bottom-left corner of
    // `globalRect` (screen coordinates).
    void ShowHint(const QRect& globalRect, const QString& description);
    void HideHint();
    bool IsShown() const { return isVisible(); }
    // Where the balloon's tip points (screen coordinates).
    QPoint TipPoint() const { return m_tip; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kTipHeight = 8;
    int m_hideAfter = 2500;
    QTimer m_timer;
    QPoint m_tip;
    bool m_filtering = false;
};
