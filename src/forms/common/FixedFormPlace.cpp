#include "FixedFormPlace.h"

#include "FixedFormFit.h"
#include "WorkArea.h"

#include <QWidget>

namespace FixedFormPlace {
namespace {
// Moves the window so its frame's top-left corner is `frameTopLeft`.
void placeFrame(QWidget* w, const QPoint& frameTopLeft, const QSize& client)
{
    const QPoint inset = w->geometry().topLeft() - w->frameGeometry().topLeft();
    w->setFixedSize(client);
    w->setGeometry(QRect(frameTopLeft + inset, client));
}
} // namespace

QSize FrameExtra(const QWidget* w)
{
    return w->frameGeometry().size() - w->size();
}

void Fit(QWidget* w, const QSize& minClient)
{
    const QSize frame = FrameExtra(w);
    const FixedFormFit fit = FitFixedForm(minClient + frame, w->frameGeometry(), platform::workArea());
    placeFrame(w, fit.topLeft, (fit.size - frame).expandedTo(QSize(0, 0)));
}

void Centre(QWidget* w, const QSize& minClient)
{
    Fit(w, minClient);
    const QRect wa = platform::workArea();
    const QSize outer = w->frameGeometry().size();
    placeFrame(w,
               QPoint(std::max(wa.left(), wa.left() + (wa.width() - outer.width()) / 2),
                      std::max(wa.top(), wa.top() + (wa.height() - outer.height()) / 2)),
               w->size());
}

} // namespace FixedFormPlace
