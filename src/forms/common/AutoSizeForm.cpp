#include "AutoSizeForm.h"

#include "AutoFit.h"
#include "FramePlace.h"
#include "Glyphs.h"
#include "WorkArea.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWindowStateChangeEvent>

TAutoSizeForm::TAutoSizeForm(QWidget* owner, int wmIndex, PrefGetter pref, PrefSetter setPref)
    // A window of its own that stays above the form that owns it, not above
    // other programs.
    : QDialog(owner, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                         | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
    , m_wmIndex(wmIndex)
    , m_pref(pref)
    , m_setPref(setPref)
{
    setSizeGripEnabled(false);
    m_sbtnAutoSize = NewBBtn(this, "SBtn_AutoSize", -1);
    m_sbtnAutoSize->setCheckable(true);
    connect(m_sbtnAutoSize, &QPushButton::clicked, this, &TAutoSizeForm::SBtn_AutoSizeClick);
    // Sized before its frame was known, the form fits again with the real
    // one (and again when the frame changes, as after a restore).
    FramePlace::Of(this).onDecorated = [this] {
        // The frame's corner where it was put; Auto Size fits from there in
        // the same request, so no client area of the old thickness's size
        // is ever asked for on the way.
        const QRect wanted = FramePlace::Of(this).Wanted();
        if (m_sbtnAutoSize->isEnabled() && m_sbtnAutoSize->isChecked()) {
            m_fitFrom = wanted;
            AutoSize();
            m_fitFrom = QRect();
        } else {
            ByCode([&] { PlaceFrame(wanted); });
        }
    };
}

QPushButton* TAutoSizeForm::NewBBtn(QWidget* panel, const char* name, int glyph)
{
    auto* b = new QPushButton(panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    if (glyph >= 0) {
        b->setIcon(QIcon(Glyphs::Button16(glyph)));
        b->setIconSize(QSize(16, 16));
    }
    return b;
}

TzyWM& TAutoSizeForm::Record() const
{
    return WMs->getItems(m_wmIndex);
}

QSize TAutoSizeForm::FrameExtra() const
{
    // The real frame once decorated, before that the last one seen.
    return FramePlace::Of(const_cast<TAutoSizeForm*>(this)).Extra();
}

void TAutoSizeForm::SetAutoSizeDown(bool down)
{
    m_updating = true;
    m_sbtnAutoSize->setChecked(down);
    m_updating = false;
}

void TAutoSizeForm::InitPlacement(int defaultWidth, int defaultHeight)
{
    TzyWM& wm = Record();
    wm.SetDefaultHeight(defaultHeight);
    wm.SetDefaultWidth(defaultWidth);
    // The record holds the frame's bounds.
    const FormPlacement p = wm.ApplyToForm(size() + FrameExtra(), minimumSize() + FrameExtra(), true);
    ByCode([&] {
        PlaceFrame(p.bounds);
        if (p.maximised)
            FramePlace::Of(this).Maximise();
    });
    WMs->SaveItem(m_wmIndex);
    SetAutoSizeDown(UP && (*UP.*m_pref)());
}

void TAutoSizeForm::CentreOnWorkArea()
{
    const QRect wa = platform::workArea();
    const QSize outer = size() + FrameExtra();
    ByCode([&] {
        PlaceFrame(QRect(QPoint(wa.left() + (wa.width() - outer.width()) / 2,
                                wa.top() + (wa.height() - outer.height()) / 2),
                         outer));
    });
}

void TAutoSizeForm::ActivatePlacement()
{
    TzyWM& wm = Record();
    FramePlace& place = FramePlace::Of(this);
    // A maximise that waits for the window manager's frame counts already.
    if ((isMaximized() || place.MaximisePending()) && wm.WindowSize() == 0) {
        place.CancelMaximise();
        ByCode([&] { setWindowState(windowState() & ~Qt::WindowMaximized); });
        CentreOnWorkArea();
    }
    m_sbtnAutoSize->setEnabled(!isMaximized() && !place.MaximisePending());
    SetAutoSizeDown(UP && (*UP.*m_pref)());
    if (m_sbtnAutoSize->isEnabled() && m_sbtnAutoSize->isChecked())
        AutoSize();
    if (wm.FormPositionReset()) {
        CentreOnWorkArea();
        wm.SetFormPositionReset(false);
        WMs->SaveItem(m_wmIndex);
    }
}

void TAutoSizeForm::StorePlacement()
{
    const FormState state = isMaximized() ? FormState::Maximised
        : isMinimized()                   ? FormState::Minimised
                                          : FormState::Normal;
    Record().ReadFromForm(FramePlace::Of(this).NormalFrame(), state, minimumSize() + FrameExtra(), true);
    WMs->SaveItem(m_wmIndex);
    if (UP) {
        (*UP.*m_setPref)(m_sbtnAutoSize->isChecked());
        UP->Save();
    }
}

void TAutoSizeForm::SetMinClientSize(const QSize& min)
{
    ByCode([&] { setMinimumSize(min); });
    m_autoWidth = min.width();
    m_autoHeight = min.height();
}

void TAutoSizeForm::FitClientSize(const QSize& wanted)
{
    const QSize frame = FrameExtra();
    // Restored from maximised, the window may still stand at its maximised
    // bounds: the fit starts from where the form was before.
    const QRect from = m_fitFrom.isValid()                      ? m_fitFrom
        : m_restoring && FramePlace::Of(this).LastNormal().isValid() ? FramePlace::Of(this).LastNormal()
                                                                      : FramePlace::Of(this).Frame();
    const AutoFit::Result r = AutoFit::FitInWorkArea(from, wanted + frame, minimumSize() + frame,
                                                     platform::workArea());
    const QSize client = r.frame.size() - frame;
    const QSize min = r.minSize - frame;
    ByCode([&] {
        if (min.width() < minimumWidth() || min.height() < minimumHeight())
            setMinimumSize(min.boundedTo(minimumSize()));
        PlaceFrame(QRect(r.frame.topLeft(), client + frame));
    });
    m_autoWidth = client.width();
    m_autoHeight = client.height();
}

void TAutoSizeForm::PlaceFrame(const QRect& frame)
{
    FramePlace::Of(this).Set(frame);
}

void TAutoSizeForm::SBtn_AutoSizeClick()
{
    if (m_updating)
        return;
    if (m_sbtnAutoSize->isChecked())
        AutoSize();
}

void TAutoSizeForm::UserSizing()
{
    SetAutoSizeDown(false);
    if (UP) {
        (*UP.*m_setPref)(false);
        UP->Save();
    }
}

void TAutoSizeForm::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        if (QPushButton* close = CloseButton(); close && close->isVisible() && close->isEnabled())
            close->click();
        e->accept();
        return;
    }
    // Enter presses no button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TAutoSizeForm::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange)
        return;
    const auto old = static_cast<QWindowStateChangeEvent*>(e)->oldState();
    if (isMaximized()) {
        m_sbtnAutoSize->setEnabled(false);
    } else if (old & Qt::WindowMaximized) {
        m_sbtnAutoSize->setEnabled(true);
        m_restoring = true;
        if (m_sbtnAutoSize->isChecked())
            AutoSize();
        else
            ByCode([&] { FramePlace::Of(this).RestoreNormal(); });
        m_restoring = false;
    }
}

void TAutoSizeForm::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    AlignBBtns();
    // Only the user dragging a border sizes the form against Auto Size: the
    // window manager framing the form, or answering late under load, does not.
    if (!m_codeGeometry && isVisible() && !isMaximized() && !isMinimized() && FramePlace::Of(this).UserSized())
        UserSizing();
}

void TAutoSizeForm::moveEvent(QMoveEvent* e)
{
    QDialog::moveEvent(e);
    const FramePlace& place = FramePlace::Of(this);
    if (m_codeGeometry || !isVisible() || isMaximized() || isMinimized() || !place.Settled() || place.OwnPosition())
        return;
    // Only the user's own drag weighs against Auto Size (the frame keeper
    // keeps where the form stands in the normal state).
    if (!place.UserMoved() || !m_sbtnAutoSize->isChecked())
        return;
    if (width() < m_autoWidth || height() < m_autoHeight)
        SetAutoSizeDown(false);
}

void TAutoSizeForm::done(int r)
{
    if (isVisible())
        FormCloseQuery();
    QDialog::done(r);
}

void TAutoSizeForm::closeEvent(QCloseEvent* e)
{
    // The close box closes as the Close button does.
    e->accept();
    if (isVisible())
        done(11);
}
