#include "UF_Progress.h"

#include "FormHooks.h"
#include "FormText.h"
#include "Glyphs.h"
#include "StdDlg.h"
#include "TaskbarProgress.h"
#include "Utils.h"
#include "WindowOwner.h"
#include "WorkArea.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

TUF_Progress* UF_Progress = nullptr;

namespace {

// A dialog with a title and a close box (which asks the run to stop) and
// nothing else: no minimise or maximise for the manager to offer.
constexpr Qt::WindowFlags kFormFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

constexpr int kListItems = 15;
constexpr int kFirstStepText = 317;
constexpr int kLastStepText = 391;

// A bar whose range is empty would show the busy animation instead of 0.
void setBar(QProgressBar* bar, int position, int max)
{
    const int m = std::max(1, max);
    if (bar->maximum() != m)
        bar->setRange(0, m);
    bar->setValue(std::clamp(position, 0, m));
}

} // namespace

TUF_Progress::TUF_Progress(std::unique_ptr<ITaskbarProgress> taskbar)
    : QDialog(nullptr, kFormFlags)
    , m_taskbar(taskbar ? std::move(taskbar) : std::make_unique<LauncherEntryProgress>())
{
    FormHooks::SplashStatus(FormText::Padded(UIT(26)));
    setModal(false);
    setSizeGripEnabled(false);

    QFont f = font();
    Utils::SetSystemFont(f);
    setFont(f);

    m_list = new QListWidget(this);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->addItem(QStringLiteral("Xg"));
    m_itemHeight = m_list->sizeHintForRow(0);
    m_list->clear();
    if (m_itemHeight <= 0)
        m_itemHeight = m_list->fontMetrics().height() + 2;

    m_pbPanel = new QWidget(this);
    m_lblTotal = new QLabel(m_pbPanel);
    m_pbTotal = new QProgressBar(m_pbPanel);
    m_lblStep = new QLabel(m_pbPanel);
    m_pbStep = new QProgressBar(m_pbPanel);
    for (QProgressBar* bar : {m_pbTotal, m_pbStep}) {
        bar->setTextVisible(false);
        bar->setRange(0, 100);
        bar->setValue(0);
    }

    m_btnPanel = new QWidget(this);
    m_btnPanel->setFocusPolicy(Qt::StrongFocus);
    m_btnBevel = new QFrame(m_btnPanel);
    m_btnBevel->setFrameShape(QFrame::HLine);
    m_btnBevel->setFrameShadow(QFrame::Sunken);
    m_cancel = new QPushButton(m_btnPanel);
    m_cancel->setAutoDefault(false);
    m_cancel->setDefault(false);
    m_cancel->setIcon(QIcon(Glyphs::Button16(StdDlg::glCancel)));
    m_cancel->setIconSize(QSize(16, 16));
    connect(m_cancel, &QPushButton::clicked, this, &TUF_Progress::CancelClicked);

    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    for (int i = 0; i < 5; ++i) {
        m_panels[i] = new QLabel(m_status);
        m_panels[i]->setAlignment(Qt::AlignCenter);
        m_panels[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        m_status->addWidget(m_panels[i], i == 4 ? 1 : 0);
    }

    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &TUF_Progress::FlushNow);

    // Texts and hints.
    m_lblStep->setText(FormText::Padded(UIT(247)));
    m_lblTotal->setText(FormText::Padded(UIT(248)));
    m_cancel->setText(FormText::Padded(UIT(249)));
    m_cancel->setToolTip(UIT(899) + QLatin1Char('\n') + UIT(900));
    SetPanel(0, FormText::Padded(UIT(250)));
    SetPanel(2, FormText::Padded(UIT(251)));

    ResetProgress();
    FlushNow();
    SetSizes();
    FitToWorkArea();
    CentreOnScreen();

    Progress::setForm(this);
}

TUF_Progress::~TUF_Progress()
{
    if (&Progress::form() == this)
        Progress::setForm(nullptr);
}

// ---- the operations ------------------------------------------------------------

void TUF_Progress::ResetProgress()
{
    if (AD && AD->IsWin7)
        m_taskbar->SetNoProgress();
    ResetDisplay();
}

void TUF_Progress::ResetDisplay()
{
    m_lines.Clear();
    m_listReset = true;
    m_firstDirtyLine = -1;
    m_selectLine = -1;
    m_totalPos = 0;
    m_totalPanel = 0;
    m_stepVisible = false;
    m_stepPos = 0;
    Changed();
}

void TUF_Progress::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TUF_Progress::SetTotalSteps(int n)
{
    m_totalSteps = n;
    m_totalPos = 0;
    m_totalMax = n;
    m_totalPanel = n;
    Changed();
}

void TUF_Progress::SetCancelled(bool value)
{
    m_cancelled = value;
}

void TUF_Progress::ShowStepProgress(bool visible)
{
    m_stepVisible = visible;
    Changed();
}

void TUF_Progress::AddStep(const QString& text)
{
    AddStepIdx(text);
}

int TUF_Progress::AddStepIdx(const QString& text)
{
    const int index = m_lines.AddStep(text);
    m_selectLine = index;
    MarkLine(index);
    if (AD && AD->IsWin7)
        m_taskbar->SetProgressValue(m_lines.CurrentStep(), m_totalSteps);
    m_totalPos = std::min(m_totalPos + 1, std::max(0, m_totalMax));
    Changed();
    return index;
}

void TUF_Progress::AddLine(const QString& text)
{
    m_selectLine = m_lines.AddLine(text);
    MarkLine(m_selectLine);
    Changed();
}

void TUF_Progress::StartStepProgress(int max)
{
    m_stepPos = 0;
    m_stepMax = max;
    m_stepVisible = true;
    Changed();
}

void TUF_Progress::UpdateStepLine(const QString& text)
{
    if (!m_lines.UpdateStepLine(text))
        return;
    ++m_stepPos;
    MarkLine(m_lines.Count() - 1);
    Changed();
}

void TUF_Progress::AppendToLastLine(const QString& text)
{
    if (!m_lines.AppendToLastLine(text))
        return;
    MarkLine(m_lines.Count() - 1);
    Changed();
}

void TUF_Progress::AppendToLine(const QString& text, int index)
{
    if (!m_lines.AppendToLine(text, index))
        return;
    MarkLine(index);
    Changed();
}

void TUF_Progress::Show()
{
    show();
    FlushNow();
}

void TUF_Progress::Close()
{
    m_closingByCode = true;
    close();
    m_closingByCode = false;
}

QStringList TUF_Progress::Lines() const
{
    return m_lines.Lines();
}

void TUF_Progress::MarkLine(int index)
{
    if (m_firstDirtyLine < 0 || index < m_firstDirtyLine)
        m_firstDirtyLine = index;
}

// ---- coalescing ------------------------------------------------------------------

void TUF_Progress::Changed()
{
    m_dirty = true;
    if (!m_sinceFlush.isValid() || m_sinceFlush.elapsed() >= kFlushIntervalMs) {
        Flush();
        return;
    }
    if (!m_flushTimer.isActive())
        m_flushTimer.start(int(std::max<qint64>(1, kFlushIntervalMs - m_sinceFlush.elapsed())));
}

void TUF_Progress::FlushNow()
{
    if (m_dirty)
        Flush();
}

void TUF_Progress::Flush()
{
    m_dirty = false;
    m_flushTimer.stop();
    m_sinceFlush.restart();
    ++m_flushCount;

    if (m_listReset) {
        m_list->clear();
        m_listReset = false;
    }
    const QStringList& lines = m_lines.Lines();
    const int shown = m_list->count();
    const int total = int(lines.size());
    if (m_firstDirtyLine >= 0) {
        for (int i = m_firstDirtyLine; i < std::min(shown, total); ++i) {
            QListWidgetItem* item = m_list->item(i);
            if (item->text() != lines.at(i))
                item->setText(lines.at(i));
        }
        if (total > shown)
            m_list->addItems(lines.mid(shown));
        for (int i = m_firstDirtyLine; i < total; ++i)
            FitText(lines.at(i));
        m_firstDirtyLine = -1;
    }
    if (m_selectLine >= 0 && m_selectLine < m_list->count()) {
        m_list->setCurrentRow(m_selectLine);
        m_list->scrollToItem(m_list->item(m_selectLine), QAbstractItemView::PositionAtTop);
        m_selectLine = -1;
    }

    setBar(m_pbTotal, m_totalPos, m_totalMax);
    setBar(m_pbStep, m_stepPos, m_stepMax);
    m_lblStep->setVisible(m_stepVisible);
    m_pbStep->setVisible(m_stepVisible);
    SetPanel(1, Panel(m_totalPos));
    SetPanel(3, Panel(m_totalPanel));

    // Painted now: an operation may not pump again for a while.
    if (isVisible()) {
        m_list->viewport()->repaint();
        m_pbPanel->repaint();
        m_status->repaint();
    }
}

// ---- cancel, keys, activation, closing ---------------------------------------

void TUF_Progress::CancelClicked()
{
    // Only paint and timer events: a second click waits for its turn.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (m_btnPanel->isVisible())
        m_btnPanel->setFocus();
    if (!m_cancelLogged && AD)
        AD->Msgs << UIT(1066) << QString();
    m_cancelled = true;
    m_cancelLogged = true;
    ResetProgress();
    FlushNow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TUF_Progress::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        if (m_cancel->isVisible() && m_cancel->isEnabled())
            m_cancel->click();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TUF_Progress::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    WindowOwner::OwnByActiveWindow(this);
    FormHooks::RestoreIfIconic();
    m_cancelLogged = false;
    if (m_btnPanel->isVisible())
        m_btnPanel->setFocus();
}

void TUF_Progress::closeEvent(QCloseEvent* e)
{
    // The user's close box asks the operation to stop, like Cancel; the
    // operation closes the form once it has abandoned itself. Hiding the form
    // and clearing the flag would leave a run going with no way to stop it.
    const bool byUser = !m_closingByCode && isVisible();
    if (byUser && !m_cancelled) {
        CancelClicked();
        e->ignore();
        return;
    }
    // A second close after Cancel closes, and the flag waits for the poll.
    if (!byUser)
        m_cancelled = false;
    ResetProgress();
    FlushNow();
    e->accept();
    FormHooks::RestoreIfIconic();
}

void TUF_Progress::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    ArrangeControls();
}

// ---- sizes, positions, fit --------------------------------------------------------

QString TUF_Progress::Panel(int value)
{
    return Utils::Format(QStringLiteral(" %d "), {value});
}

void TUF_Progress::SetPanel(int index, const QString& text)
{
    QLabel* p = m_panels[index];
    if (p->text() == text)
        return;
    p->setText(text);
    if (index < 4)
        p->setFixedWidth(p->fontMetrics().horizontalAdvance(text) + 10);
}

QString TUF_Progress::StatusPanel(int index) const
{
    return (index >= 0 && index < 5) ? m_panels[index]->text() : QString();
}

void TUF_Progress::SetSizes()
{
    const int barHeight = int((qint64(14) * FontHeight + 6) / 13);
    m_pbTotal->setFixedHeight(barHeight);
    m_pbStep->setFixedHeight(barHeight);
    m_lblTotal->adjustSize();
    m_lblStep->adjustSize();
    m_pbPanel->setFixedHeight(barHeight + 12 + barHeight + 6);
    m_cancel->setFixedSize(Utils::ScaleWidth(80), FontHeight + BBtnPad);
    m_btnPanel->setFixedHeight(m_cancel->height() + 12);
    m_status->setFixedHeight(FontHeight + 8);
}

void TUF_Progress::ArrangeControls()
{
    const int w = width();
    int bottom = height() - m_status->height();
    m_status->setGeometry(0, bottom, w, m_status->height());
    bottom -= m_btnPanel->height();
    m_btnPanel->setGeometry(0, bottom, w, m_btnPanel->height());
    bottom -= m_pbPanel->height();
    m_pbPanel->setGeometry(0, bottom, w, m_pbPanel->height());
    m_list->setGeometry(0, 0, w, std::max(0, bottom));

    const int barX = 8 + std::max(m_lblTotal->width(), m_lblStep->width()) + 8;
    const int barW = std::max(0, w - 8 - barX);
    const int totalY = 6;
    const int stepY = totalY + m_pbTotal->height() + 6;
    m_pbTotal->setGeometry(barX, totalY, barW, m_pbTotal->height());
    m_pbStep->setGeometry(barX, stepY, barW, m_pbStep->height());
    m_lblTotal->move(8, totalY + (m_pbTotal->height() - m_lblTotal->height()) / 2);
    m_lblStep->move(8, stepY + (m_pbStep->height() - m_lblStep->height()) / 2);

    m_btnBevel->setGeometry(0, 0, w, 2);
    m_cancel->move(w - 8 - m_cancel->width(), (m_btnPanel->height() - m_cancel->height()) / 2);
}

QSize TUF_Progress::MinimumClientSize() const
{
    const int listFrame = std::max(4, 2 * m_list->frameWidth());
    const int h = kListItems * m_itemHeight + listFrame + m_pbPanel->height() + m_btnPanel->height()
        + m_status->height();

    const QFontMetrics fm(m_list->font());
    const int scroll = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int w = Utils::GetCaptionWidth(windowTitle(), false, true);
    for (int id = kFirstStepText; id <= kLastStepText; ++id)
        w = std::max(w, fm.horizontalAdvance(QStringLiteral(" [888] ") + UIT(id) + QStringLiteral("8888888888"))
                            + listFrame + scroll);
    const int barDesign = Utils::ScaleWidth(100);
    w = std::max(w, m_lblTotal->width() + 16 + barDesign + 8);
    w = std::max(w, m_lblStep->width() + 16 + barDesign + 8);
    w = std::max(w, m_cancel->width() + 16);
    int panels = m_status->height();
    for (int i = 0; i < 4; ++i)
        panels += m_panels[i]->fontMetrics().horizontalAdvance(m_panels[i]->text()) + 10;
    w = std::max(w, panels);
    return {w, h};
}

QSize TUF_Progress::FrameExtra() const
{
    // Known once the window has been shown; before that it counts as none.
    return frameGeometry().size() - size();
}

void TUF_Progress::FitToWorkArea()
{
    const QRect wa = platform::workArea();
    const QSize frame = FrameExtra();
    const QSize min = MinimumClientSize();
    const int h = std::min(std::max(0, wa.height() - frame.height()), min.height());
    const int w = std::min(std::max(0, wa.width() - frame.width()), min.width());
    const QPoint centre = frameGeometry().center();
    setFixedSize(w, h);
    const int left = std::max(wa.left(), centre.x() - (w + frame.width()) / 2);
    const int top = std::max(wa.top(), centre.y() - (h + frame.height()) / 2);
    move(left, top);
    ArrangeControls();
}

void TUF_Progress::CentreOnScreen()
{
    FitToWorkArea();
    const QRect wa = platform::workArea();
    const QSize full = size() + FrameExtra();
    move(std::max(wa.left(), wa.left() + (wa.width() - full.width()) / 2),
         std::max(wa.top(), wa.top() + (wa.height() - full.height()) / 2));
}

void TUF_Progress::FitText(const QString& line)
{
    // The whole line is measured, step number included, so no line is cut.
    const QFontMetrics fm(m_list->font());
    const int need = fm.horizontalAdvance(line) + std::max(4, 2 * m_list->frameWidth())
        + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    if (need <= width())
        return;
    const QRect wa = platform::workArea();
    const QSize frame = FrameExtra();
    const int w = std::min(need, std::max(0, wa.width() - frame.width()));
    if (w <= width())
        return;
    const int centreX = frameGeometry().center().x();
    const int fullW = w + frame.width();
    int left = std::min(centreX - fullW / 2, wa.left() + wa.width() - fullW);
    left = std::max(wa.left(), left);
    setFixedSize(w, height());
    move(left, y());
    ArrangeControls();
}
