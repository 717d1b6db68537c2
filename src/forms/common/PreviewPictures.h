#pragma once
// One preview of the S Curve Options page: the sixteen sketches of an image
// code stacked at one place, at most one of them visible.
#include <QLabel>
#include <QSize>
#include <QString>
#include <QWidget>

#include <vector>

class PreviewPictures : public QWidget {
    Q_OBJECT
public:
    enum Kind { SCurve, Histogram };
    // `prefix` names the pictures ("Img_SCO_SCP_" + suffix).
    PreviewPictures(Kind kind, const QString& prefix, const QSize& size, QWidget* parent = nullptr);

    // Shows or hides the picture the code selects.
    void ShowImage(int code, bool visible);
    void HideAll();
    QLabel* Picture(const QString& suffix) const;
    // The suffix of the one visible picture (empty when none).
    QString VisibleSuffix() const;
    int VisibleCount() const;

private:
    std::vector<QLabel*> m_pictures; // in the order of PreviewRules::PictureSuffixes
};
