#include "PreviewPictures.h"

#include "PreviewArt.h"
#include "PreviewRules.h"

PreviewPictures::PreviewPictures(Kind kind, const QString& prefix, const QSize& size, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(size);
    for (const QString& suffix : PreviewRules::PictureSuffixes()) {
        auto* l = new QLabel(this);
        l->setObjectName(prefix + suffix);
        l->setGeometry(0, 0, size.width(), size.height());
        l->setPixmap(kind == SCurve ? PreviewArt::SCurveSketch(suffix, size)
                                    : PreviewArt::HistogramSketch(suffix, size));
        l->hide();
        m_pictures.push_back(l);
    }
}

QLabel* PreviewPictures::Picture(const QString& suffix) const
{
    const int i = int(PreviewRules::PictureSuffixes().indexOf(suffix));
    return i >= 0 ? m_pictures[size_t(i)] : nullptr;
}

void PreviewPictures::ShowImage(int code, bool visible)
{
    if (QLabel* l = Picture(PreviewRules::PictureSuffix(code)))
        l->setVisible(visible);
}

void PreviewPictures::HideAll()
{
    for (QLabel* l : m_pictures)
        l->hide();
}

QString PreviewPictures::VisibleSuffix() const
{
    for (size_t i = 0; i < m_pictures.size(); ++i)
        if (!m_pictures[i]->isHidden())
            return PreviewRules::PictureSuffixes().at(qsizetype(i));
    return QString();
}

int PreviewPictures::VisibleCount() const
{
    int n = 0;
    for (QLabel* l : m_pictures)
        n += l->isHidden() ? 0 : 1;
    return n;
}
