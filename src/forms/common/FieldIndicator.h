#pragma once
// A field indicator: the 22 x 21 picture beside an edit, a grid title or a
// page title that says whether the field's check failed. The picture is
// redrawn only when the state changes, however often the checks run.
#include <QLabel>

class FieldIndicator : public QLabel {
    Q_OBJECT
public:
    // The cached state (the picture's Tag).
    enum State { NotSet = 0, WarningShown = 1, NoWarningShown = 2 };

    explicit FieldIndicator(QWidget* parent = nullptr, const QString& name = QString());

    State Tag() const { return m_state; }
    // The hint as given (CR LF between lines); the tooltip shows it.
    QString Hint() const { return m_hint; }
    // How often the picture was drawn (tests see that an unchanged state
    // does not redraw).
    int DrawCount() const { return m_drawCount; }

    // The warning with its hint (the failed check's short message), or no
    // warning and no hint.
    void SetImgState(const QString& hintText, bool warning);

private:
    State m_state = NotSet;
    QString m_hint;
    int m_drawCount = 0;
};
