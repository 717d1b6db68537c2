#pragma once
// A heading panel: a coloured band FontHeight + 8 high with its caption at
// the left ("  %s ") and room for an indicator at the right edge, 8 pixels
// in. Pages put one above each group of fields.
#include <QFrame>

class QLabel;
class QHBoxLayout;
class FieldIndicator;

class HeadingPanel : public QFrame {
    Q_OBJECT
public:
    explicit HeadingPanel(QWidget* parent = nullptr, const QString& name = QString());

    // The bare text; the panel adds the blanks.
    void SetCaption(const QString& text);
    QString Caption() const;
    QLabel* CaptionLabel() const { return m_label; }

    // An indicator at the right edge, centred vertically (made on first use).
    FieldIndicator* Indicator(const QString& name = QString());

    // Re-reads the font metrics (the panel's height follows FontHeight).
    void UpdateSizes();

private:
    QLabel* m_label;
    QHBoxLayout* m_layout;
    FieldIndicator* m_indicator = nullptr;
};
