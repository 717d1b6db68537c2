#pragma once
// TzyVLabel: a label whose caption is drawn turned 90 degrees, reading from
// bottom to top. With AutoSize it takes the rotated caption's size.
#include <QColor>
#include <QString>
#include <QWidget>

enum TAlignment : quint8 { taLeftJustify, taRightJustify, taCenter };

class TzyVLabel : public QWidget {
    Q_OBJECT
public:
    explicit TzyVLabel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& text);
    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment a) { m_alignment = a; update(); }
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool v);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool v);
    QColor Color() const { return m_color; }
    void setColor(const QColor& c) { m_color = c; update(); }
    QColor FontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c) { m_fontColor = c; update(); }

    // The caption's unrotated extent in the label's font.
    int TextHeight() const;
    int TextWidth() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void DoDrawText(QPainter& p, const QRect& r);
    void DrawRotated(QPainter& p, const QRect& r, const QString& text, const QColor& color);
    void CalcTextPos(QRect& r, const QString& text);
    void applyAutoSize();

    QString m_caption;
    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = true;
    bool m_transparent = false;
    QColor m_color;
    QColor m_fontColor;
};
