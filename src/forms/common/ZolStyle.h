#pragma once
// The application's look and hint behaviour on top of the platform style:
// access keys always underlined, the Help menu at the right of the menu bar
// (after a separator), hints that wait HintPause before they show, stay
// HintHidePause and are not shown at all while hints are switched off.
#include <QObject>
#include <QProxyStyle>

class ZolStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit ZolStyle(QStyle* base = nullptr);
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// Application.ShowHint, HintPause and HintHidePause.
class HintControl : public QObject {
    Q_OBJECT
public:
    // The one instance, made on first use; it filters the application's
    // tooltip events.
    static HintControl& Instance();

    bool ShowHint() const { return m_showHint; }
    int HintPause() const { return m_hintPause; }
    int HintHidePause() const { return m_hintHidePause; }
    void SetShowHint(bool v);
    void SetHintPause(int ms) { m_hintPause = ms; }
    void SetHintHidePause(int ms) { m_hintHidePause = ms; }

    // Swallows tooltip events while hints are off; shows the others for
    // HintHidePause.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintControl();
    bool m_showHint = true;
    int m_hintPause = 500;
    int m_hintHidePause = 2500;
};

namespace ZolLook {
// Installs ZolStyle over the current style and the hint control.
void Install();
}
