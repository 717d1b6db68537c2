#include "UF_CfgErr.h"

#include "AutoFit.h"
#include "FormHooks.h"
#include "FormText.h"
#include "Format.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "WorkArea.h"
#include "zyAD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>

TUF_CfgErr* UF_CfgErr = nullptr;

namespace {

constexpr int kTitleIds[CfgErrRows::kColumns] = {201, 202, 203, 204, 205};

QString Hint(std::initializer_list<int> ids)
{
    QStringList lines;
    for (int id : ids)
        lines << UIT(id);
    return lines.join(QLatin1Char('\n'));
}

// Each column single-line, vertically centred, 4 pixels short of its
// section's right edge, on the line's own background.
class LineDelegate : public QStyledItemDelegate {
public:
    LineDelegate(QObject* parent, const int* itemHeight) : QStyledItemDelegate(parent), m_itemHeight(itemHeight) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup cg = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        p->save();
        p->fillRect(option.rect, option.palette.brush(cg, selected ? QPalette::Highlight : QPalette::Base));
        p->setPen(option.palette.color(cg, selected ? QPalette::HighlightedText : QPalette::Text));
        p->setFont(option.font);
        const QRect box = option.rect.adjusted(0, 0, -4, 0);
        p->setClipRect(box);
        p->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString());
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(*m_itemHeight);
        return s;
    }

private:
    const int* m_itemHeight;
};

} // namespace

class CfgErrModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    std::vector<CfgErrRows::Line> lines;
    QString titles[CfgErrRows::kColumns];

    void Set(std::vector<CfgErrRows::Line> l)
    {
        beginResetModel();
        lines = std::move(l);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(lines.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : CfgErrRows::kColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(lines.size()))
            return {};
        if (role == Qt::DisplayRole)
            return lines[size_t(index.row())][size_t(index.column())];
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < CfgErrRows::kColumns)
            return titles[section];
        if (o == Qt::Horizontal && role == Qt::TextAlignmentRole)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
};

TUF_CfgErr::TUF_CfgErr(QWidget* owner)
    : TAutoSizeForm(owner, wmCfgErr, &TzyUP::AutoSizeCfgErr, &TzyUP::SetAutoSizeCfgErr)
{
    FormHooks::SplashStatus(FormText::Padded(UIT(23)));
    setObjectName(QStringLiteral("UF_CfgErr"));
    QFont f = font();
    Utils::SetSystemFont(f);
    setFont(f);

    m_model = new CfgErrModel(this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("LB_CfgErr"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setIndentation(0);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setItemDelegate(new LineDelegate(m_list, &m_itemHeight));
    m_list->viewport()->installEventFilter(this);
    QHeaderView* hc = m_list->header();
    hc->setObjectName(QStringLiteral("HC_CfgErr"));
    hc->setStretchLastSection(false);
    hc->setSectionsMovable(false);
    hc->setHighlightSections(false);
    hc->setSectionResizeMode(QHeaderView::Interactive);
    hc->setMinimumSectionSize(1);
    connect(hc, &QHeaderView::sectionResized, this, &TUF_CfgErr::SectionResized);

    m_panel = new QWidget(this);
    SBtn_AutoSize()->setParent(m_panel);
    m_close = NewBBtn(m_panel, "BBtn_Close", StdDlg::glClose);
    connect(m_close, &QPushButton::clicked, this, [this] { done(StdDlg::mrClose); });

    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(m_status);
        m_panels[i]->setAlignment(Qt::AlignCenter);
        m_panels[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        m_status->addWidget(m_panels[i], i == 2 ? 1 : 0);
    }

    SetupUIT();
    SetupHints();
    SetupLayout();
    AlignBBtns();
    SetMinSize();
    InitPlacement(400, 360);
    UF_CfgErr = this;
}

TUF_CfgErr::~TUF_CfgErr()
{
    if (UF_CfgErr == this)
        UF_CfgErr = nullptr;
}

void TUF_CfgErr::SetupUIT()
{
    setWindowTitle(FormText::Padded(Utils::Format(UIT(200), {TzyAD::ProductName()})));
    for (int i = 0; i < CfgErrRows::kColumns; ++i)
        m_model->titles[i] = FormText::Padded(UIT(kTitleIds[i]));
    emit m_model->headerDataChanged(Qt::Horizontal, 0, CfgErrRows::kColumns - 1);
    SBtn_AutoSize()->setText(FormText::Padded(UIT(206)));
    m_close->setText(FormText::Padded(UIT(207)));
    m_panels[0]->setText(FormText::Padded(UIT(208)));
}

void TUF_CfgErr::SetupHints()
{
    m_list->setToolTip(Hint({857, 858, 859}));
    SBtn_AutoSize()->setToolTip(Hint({860}));
    m_close->setToolTip(Hint({861, 862}));
}

void TUF_CfgErr::SetupLayout()
{
    m_itemHeight = FontHeight + 3;
    SBtn_AutoSize()->setFixedSize(Utils::ScaleWidth(80), FontHeight + SBtnPad);
    m_close->setFixedSize(Utils::ScaleWidth(80), FontHeight + BBtnPad);
    m_panel->setFixedHeight(m_close->height() + 12);
    m_status->setFixedHeight(FontHeight + 8);
    // Design widths until the first list is fitted.
    const int design[CfgErrRows::kColumns] = {30, 40, 40, 50, 124};
    for (int i = 0; i < CfgErrRows::kColumns; ++i)
        m_list->header()->resizeSection(i, design[i]);
}

QHeaderView* TUF_CfgErr::HC_CfgErr() const
{
    return m_list->header();
}

void TUF_CfgErr::AlignBBtns()
{
    if (!m_panel)
        return;
    const int w = width();
    int bottom = height() - m_status->height();
    m_status->setGeometry(0, bottom, w, m_status->height());
    bottom -= m_panel->height();
    m_panel->setGeometry(0, bottom, w, m_panel->height());
    m_list->setGeometry(0, 0, w, std::max(0, bottom));
    const int panelH = m_panel->height();
    SBtn_AutoSize()->move(8, (panelH - SBtn_AutoSize()->height()) / 2);
    m_close->move(w - 8 - m_close->width(), (panelH - m_close->height()) / 2);
    ShowScrollBars();
}

void TUF_CfgErr::ShowScrollBars()
{
    // Each bar shows when the other one's room leaves the lines or columns
    // short; both once shown would keep each other up (the view decides
    // from the room left beside them) though the list holds everything
    // without either.
    const QSize room = m_list->maximumViewportSize();
    const bool fits = ColumnsWidth() <= room.width() && Count() * m_itemHeight <= room.height();
    const Qt::ScrollBarPolicy policy = fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    m_list->setHorizontalScrollBarPolicy(policy);
    m_list->setVerticalScrollBarPolicy(policy);
}

int TUF_CfgErr::ColumnsWidth() const
{
    int w = 0;
    for (int c = 0; c < CfgErrRows::kColumns; ++c)
        w += m_list->header()->sectionSize(c);
    return w;
}

int TUF_CfgErr::ButtonRowWidth() const
{
    const int close = m_close->width();
    return AutoFit::ButtonRowWidth(SBtn_AutoSize()->width(), &close, 1);
}

int TUF_CfgErr::ListHeightFor(int lines) const
{
    // The header sits inside the list's frame.
    return m_list->header()->sizeHint().height() + m_itemHeight * std::max(lines, 3)
        + 2 * m_list->frameWidth();
}

void TUF_CfgErr::SetMinSize()
{
    SetMinClientSize({ButtonRowWidth(), ListHeightFor(3) + m_panel->height() + m_status->height()});
}

void TUF_CfgErr::Populate(const TzyDV& dv)
{
    m_model->Set(CfgErrRows::Read(dv));
    if (Count() > 0)
        SetItemIndex(0);
    m_panels[1]->setText(Utils::Format(QStringLiteral(" %d "), {Count()}));
    FitColumns();
    AutoSizeSBPanels();
}

int TUF_CfgErr::Count() const
{
    return m_model->rowCount();
}

int TUF_CfgErr::ItemIndex() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TUF_CfgErr::SetItemIndex(int index)
{
    if (index < 0 || index >= Count()) {
        m_list->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex i = m_model->index(index, 0);
    m_list->selectionModel()->setCurrentIndex(
        i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(i);
}

QString TUF_CfgErr::Text(int line, int column) const
{
    return m_model->data(m_model->index(line, column), Qt::DisplayRole).toString();
}

QString TUF_CfgErr::StatusPanel(int index) const
{
    return index >= 0 && index < 3 ? m_panels[index]->text() : QString();
}

void TUF_CfgErr::FitColumns()
{
    QHeaderView* hc = m_list->header();
    const QFontMetrics headerFm(hc->font());
    const QFontMetrics listFm(m_list->font());
    m_fitting = true;
    for (int c = 0; c < CfgErrRows::kColumns; ++c) {
        m_minSection[c] = headerFm.horizontalAdvance(m_model->titles[c]) + 12;
        int w = m_minSection[c];
        for (const CfgErrRows::Line& line : m_model->lines)
            w = std::max(w, listFm.horizontalAdvance(line[size_t(c)]) + 12);
        hc->resizeSection(c, w);
    }
    m_fitting = false;
    ShowScrollBars();
    m_list->viewport()->update();
}

void TUF_CfgErr::SectionResized(int section, int, int newSize)
{
    // A section is never narrower than its title.
    if (!m_fitting && section >= 0 && section < CfgErrRows::kColumns && newSize < m_minSection[section])
        m_list->header()->resizeSection(section, m_minSection[section]);
    if (!m_fitting)
        ShowScrollBars();
    m_list->viewport()->update();
}

void TUF_CfgErr::AutoSizeSBPanels()
{
    for (int i = 0; i < 2; ++i)
        m_panels[i]->setFixedWidth(m_panels[i]->fontMetrics().horizontalAdvance(m_panels[i]->text()) + 10);
}

void TUF_CfgErr::AutoSize()
{
    FitColumns();
    AutoSizeSBPanels();
    AutoFit::ListContent c;
    c.lines = Count();
    c.minLines = 3;
    c.itemHeight = m_itemHeight;
    c.headerHeight = m_list->header()->sizeHint().height();
    c.listFrame = m_list->frameWidth();
    c.columns = ColumnsWidth();
    c.otherWidth = std::max({Utils::GetCaptionWidth(windowTitle(), true, true), ButtonRowWidth(),
                             m_panels[0]->width() + m_panels[1]->width() + m_status->height()});
    c.otherHeight = m_panel->height() + m_status->height();
    c.hBarHeight = m_list->horizontalScrollBar()->sizeHint().height();
    c.vBarWidth = m_list->verticalScrollBar()->sizeHint().width();
    const AutoFit::ListSize fit = AutoFit::ListClientSize(c, platform::workArea().size() - FrameExtra());
    FitClientSize(fit.client);
    AlignBBtns();
}

void TUF_CfgErr::showEvent(QShowEvent* e)
{
    TAutoSizeForm::showEvent(e);
    FormActivate();
}

void TUF_CfgErr::FormActivate()
{
    FormHooks::RestoreIfIconic();
    Progress::form().Close();
    ActivatePlacement();
    if (Count() == 0) {
        // Nothing to list: the form closes at once.
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                done(StdDlg::mrCancel);
        });
        return;
    }
    SetItemIndex(ItemIndex() < 0 ? 0 : ItemIndex());
    raise();
    activateWindow();
    if (m_list->isEnabled())
        m_list->setFocus();
}

void TUF_CfgErr::LB_CfgErrDblClick()
{
    const int index = ItemIndex();
    if (index >= 0 && m_goTo)
        m_goTo(index + 1);
    if (m_list->isEnabled())
        m_list->setFocus();
}

bool TUF_CfgErr::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_list->viewport()) {
        switch (e->type()) {
        case QEvent::MouseButtonDblClick:
            // Also below the last line: the selected line is the one meant.
            LB_CfgErrDblClick();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            // A click on empty space keeps the selection, as a list box does.
            const auto* me = static_cast<QMouseEvent*>(e);
            if (!m_list->indexAt(me->position().toPoint()).isValid())
                return true;
            break;
        }
        default:
            break;
        }
    }
    return TAutoSizeForm::eventFilter(o, e);
}

void TUF_CfgErr::FormCloseQuery()
{
    m_model->Set({});
    TAutoSizeForm::FormCloseQuery();
}
