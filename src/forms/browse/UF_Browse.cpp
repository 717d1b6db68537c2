#include "UF_Browse.h"

#include "BrowseRules.h"
#include "FormHooks.h"
#include "FormText.h"
#include "FramePlace.h"
#include "Glyphs.h"
#include "StdDlg.h"
#include "UF_Progress.h"
#include "Utils.h"
#include "WorkArea.h"
#include "zyAD.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Padded(const QString& s)
{
    return FormText::Padded(s);
}

// The list's rows: the cache's cells, padded, read when drawn.
class BrowseModel : public QAbstractTableModel {
public:
    explicit BrowseModel(BrowseColumns& c, QObject* parent) : QAbstractTableModel(parent), m_c(c) {}
    void Reload(bool empty)
    {
        beginResetModel();
        m_empty = empty;
        m_titles = m_c.Titles();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || m_empty ? 0 : m_c.RowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_titles.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return Padded(Utils::LineFeedsToSpaces(m_c.Cell(index.row(), index.column())));
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole || section >= m_titles.size())
            return {};
        return Padded(m_titles[section]);
    }

private:
    BrowseColumns& m_c;
    QStringList m_titles;
    bool m_empty = true;
};

// Rows one line high, texts single-line and never elided (the columns are
// fitted to their texts with room to spare).
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), FontHeight + 3};
    }
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideNone;
        option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
};

QPushButton* MakeButton(QWidget* parent, const QString& caption, int glyph, bool toggle)
{
    auto* b = new QPushButton(Padded(caption), parent);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setCheckable(toggle);
    if (glyph >= 0)
        b->setIcon(QIcon(Glyphs::Button16(glyph)));
    return b;
}

QString Hint(int first, int second, const QString& item)
{
    QString s = Utils::Format(UIT(first), {item});
    if (second > 0)
        s += QLatin1Char('\n') + Utils::Format(UIT(second), {item});
    return s;
}

} // namespace

TzySD& ActiveDefinition()
{
    return SDs->getItems(SDs->ActiveSD());
}

TUF_Browse::TUF_Browse(std::unique_ptr<BrowseColumns> columns, const BrowseTexts& texts, const BrowsePrefs& prefs,
                       int wmIndex, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_columns(std::move(columns)), m_prefs(prefs), m_wmIndex(wmIndex)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    // Placed before its frame was known, the dialog is fitted again once the
    // window manager has framed it.
    FramePlace::Of(this).onDecorated = [this] { FrameKnown(); };
    FormHooks::SplashStatus(Padded(UIT(texts.splash)));
}

TUF_Browse::~TUF_Browse() = default;

bool TUF_Browse::AutoSizePref() const { return (*UP.*m_prefs.autoSize)(); }
bool TUF_Browse::AutoAlignPref() const { return (*UP.*m_prefs.autoAlign)(); }
void TUF_Browse::SetAutoSizePref(bool down) { (*UP.*m_prefs.setAutoSize)(down); }
void TUF_Browse::SetAutoAlignPref(bool down) { (*UP.*m_prefs.setAutoAlign)(down); }

void TUF_Browse::Build(QWidget* descPanel)
{
    QFont font = this->font();
    Utils::SetSystemFont(font);
    setFont(font);

    m_model = new BrowseModel(*m_columns, this);
    m_list = new QTreeView(this);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new RowDelegate(m_list));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setItemsExpandable(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setHighlightSections(false);
    m_list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->header()->setFixedHeight(FontHeight + 8);
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid() && SelectedRow() >= 0)
            SelectClick();
    });

    m_descPanel = descPanel;

    m_buttonBar = new QWidget(this);
    m_sbAutoSize = MakeButton(m_buttonBar, UIT(m_texts.autoSize), -1, true);
    m_sbAutoAlign = MakeButton(m_buttonBar, UIT(m_texts.autoAlign), -1, true);
    m_bbRefresh = MakeButton(m_buttonBar, UIT(m_texts.refresh), StdDlg::glRetry, false);
    m_bbSelect = MakeButton(m_buttonBar, UIT(m_texts.select), StdDlg::glOk, false);
    m_bbCancel = MakeButton(m_buttonBar, UIT(m_texts.cancel), StdDlg::glCancel, false);
    const int bw = Utils::ScaleWidth(80);
    for (QPushButton* b : {m_sbAutoSize, m_sbAutoAlign, m_bbRefresh, m_bbSelect, m_bbCancel}) {
        b->setMinimumWidth(bw);
        b->setFixedHeight(FontHeight + (b->isCheckable() ? SBtnPad : BBtnPad));
    }
    auto* bar = new QHBoxLayout(m_buttonBar);
    bar->setContentsMargins(8, 6, 8, 6);
    bar->setSpacing(8);
    bar->addWidget(m_sbAutoSize);
    bar->addWidget(m_sbAutoAlign);
    bar->addWidget(m_bbRefresh);
    bar->addStretch(1);
    bar->addWidget(m_bbSelect);
    bar->addWidget(m_bbCancel);
    connect(m_sbAutoSize, &QPushButton::clicked, this, [this] { AutoSizeClick(); });
    connect(m_sbAutoAlign, &QPushButton::clicked, this, [this] { AutoAlignClick(); });
    // Aligned, the dialog stands where its anchor puts it: the window
    // manager's own moves are undone.
    connect(m_sbAutoAlign, &QPushButton::toggled, this, [this](bool down) { FramePlace::Of(this).keepPlace = down; });
    connect(m_bbRefresh, &QPushButton::clicked, this, [this] { RefreshClick(); });
    connect(m_bbSelect, &QPushButton::clicked, this, [this] { SelectClick(); });
    connect(m_bbCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
    m_sbAutoSize->setToolTip(UIT(m_texts.autoSizeHint));
    m_sbAutoAlign->setToolTip(UIT(m_texts.autoAlignHint));
    m_bbRefresh->setToolTip(Hint(m_texts.refreshHint, m_texts.refreshShortcut, QString()));
    SetItemHints(QString());

    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    m_status->setFixedHeight(FontHeight + 8);
    const int panels = int(m_columns->StatusTexts().size());
    for (int i = 0; i < panels; ++i) {
        auto* l = new QLabel(m_status);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::StyledPanel);
        m_status->addWidget(l);
        m_panels << l;
    }

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(m_list, 1);
    if (m_descPanel)
        v->addWidget(m_descPanel);
    v->addWidget(m_buttonBar);
    v->addWidget(m_status);

    // The placement record with its defaults, applied with its size; the
    // record holds the frame's bounds.
    TzyWM& wm = WMs->getItems(m_wmIndex);
    const QSize dflt = WMDefaultSize(m_wmIndex);
    wm.SetDefaultWidth(dflt.width());
    wm.SetDefaultHeight(dflt.height());
    SetMinSize();
    const FormPlacement p = wm.ApplyToForm(size() + FrameExtra(), m_minSize, true);
    SetFormRect(p.bounds);
    WMs->SaveItem(m_wmIndex);
    Updating = true;
    m_sbAutoSize->setChecked(AutoSizePref());
    m_sbAutoAlign->setChecked(AutoAlignPref());
    Updating = false;
}

void TUF_Browse::SetItemHints(const QString& itemName)
{
    m_list->setToolTip(Hint(m_texts.listHint, m_texts.listShortcut, itemName));
    m_bbSelect->setToolTip(Hint(m_texts.selectHint, m_texts.selectShortcut, itemName));
    m_bbCancel->setToolTip(Hint(m_texts.cancelHint, m_texts.cancelShortcut, itemName));
}

void TUF_Browse::Fill(int row)
{
    static_cast<BrowseModel*>(m_model)->Reload(false);
    SelectRow(row);
    const QStringList status = m_columns->StatusTexts();
    for (int i = 0; i < m_panels.size(); ++i)
        m_panels[i]->setText(Padded(status.value(i)));
    AutoSizeCols();
    AutoSizeSBPanels();
}

int TUF_Browse::SelectedRow() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TUF_Browse::SelectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_list->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex i = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString TUF_Browse::StatusPanel(int index) const
{
    return index >= 0 && index < m_panels.size() ? m_panels[index]->text() : QString();
}

QStringList TUF_Browse::HeaderTitles() const
{
    QStringList out;
    for (int c = 0; c < m_model->columnCount(); ++c)
        out << m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return out;
}

int TUF_Browse::ColumnWidth(int col) const
{
    return m_list->header()->sectionSize(col);
}

void TUF_Browse::CalcAlignPos(std::optional<QPoint> anchor)
{
    const QRect wa = platform::workArea();
    const QPoint p = anchor.value_or(QPoint(wa.x() + wa.width(), wa.y()));
    m_anchorX = p.x();
    m_anchorY = p.y();
}

QPoint BrowseAnchor(const QWidget* button, const QWidget* below, int belowY)
{
    const int x = button->mapToGlobal(QPoint(button->width() + 4, 0)).x();
    const int y = below->mapToGlobal(QPoint(0, belowY)).y();
    return {x, y};
}

void TUF_Browse::AutoSizeCols()
{
    const QFontMetrics hfm(m_list->header()->font());
    const QFontMetrics lfm(m_list->font());
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int w = hfm.horizontalAdvance(m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString()) + 12;
        for (int r = 0; r < m_model->rowCount(); ++r)
            w = std::max(w, lfm.horizontalAdvance(m_model->index(r, c).data().toString()) + 12);
        m_list->header()->resizeSection(c, w);
    }
    m_list->viewport()->update();
}

void TUF_Browse::AutoSizeSBPanels()
{
    for (QLabel* l : m_panels)
        l->setFixedWidth(l->fontMetrics().horizontalAdvance(l->text()) + 10);
}

// The real frame once decorated, before that the last one seen on any form.
QSize TUF_Browse::FrameExtra() const
{
    return FramePlace::Of(const_cast<TUF_Browse*>(this)).Extra();
}

QRect TUF_Browse::FormRect() const
{
    return FramePlace::Of(const_cast<TUF_Browse*>(this)).Frame();
}

void TUF_Browse::SetFormRect(const QRect& outer)
{
    const bool wasCode = m_codeGeometry;
    m_codeGeometry = true;
    FramePlace::Of(this).Set(outer);
    m_codeGeometry = wasCode;
}

void TUF_Browse::FrameKnown()
{
    const bool wasCode = m_codeGeometry;
    m_codeGeometry = true;
    SetMinSize();
    SetFormRect(FramePlace::Of(this).Wanted());
    if (m_sbAutoSize->isChecked())
        AutoSize();
    if (m_sbAutoAlign->isChecked())
        AutoAlign();
    m_codeGeometry = wasCode;
}

bool TUF_Browse::UserGeometry(bool position) const
{
    if (!m_active || m_codeGeometry || !isVisible() || isMaximized() || isMinimized())
        return false;
    // The window manager places and frames the window it maps, and may move
    // it again when its hints change; only the user drags it.
    const FramePlace& fp = FramePlace::Of(const_cast<TUF_Browse*>(this));
    return position ? fp.UserMoved() : fp.UserSized();
}

// The bottom panels and the button row at their laid-out heights.
QSize TUF_Browse::ContentSize() const
{
    int bottom = m_buttonBar->sizeHint().height() + m_status->height();
    if (m_descPanel)
        bottom += m_descPanel->sizeHint().height();
    const int itemHeight = FontHeight + 3;
    int listHeight = itemHeight * m_model->rowCount() + 4;
    listHeight = std::max(listHeight, 3 * itemHeight + 4);
    const int height = m_list->header()->height() + listHeight + bottom;

    int cols = 0;
    for (int c = 0; c < m_model->columnCount(); ++c)
        cols += m_list->header()->sectionSize(c);
    int panels = m_status->height();
    for (QLabel* l : m_panels)
        panels += l->width();
    const int width = std::max({Utils::GetCaptionWidth(windowTitle(), false, true), cols + 4,
                                m_buttonBar->minimumSizeHint().width(), panels});
    return QSize(width, height);
}

void TUF_Browse::SetMinSize()
{
    const int itemHeight = FontHeight + 3;
    int bottom = m_buttonBar->sizeHint().height() + m_status->height();
    if (m_descPanel)
        bottom += m_descPanel->sizeHint().height();
    const int h = std::max(0, m_list->header()->height() + 3 * itemHeight + 4 + bottom);
    const int w = std::max(0, m_buttonBar->minimumSizeHint().width());
    m_minSize = QSize(w, h) + FrameExtra();
    setMinimumSize(m_minSize - FrameExtra());
    m_autoWidth = m_minSize.width();
    m_autoHeight = m_minSize.height();
}

void TUF_Browse::AutoSize()
{
    AutoSizeCols();
    AutoSizeSBPanels();
    const QSize wanted = ContentSize() + FrameExtra();
    const BrowseRules::AutoSizeResult r =
        BrowseRules::AutoSize(FormRect(), wanted, m_minSize, platform::workArea(), m_sbAutoAlign->isChecked());
    if (r.minSize != m_minSize) {
        m_minSize = r.minSize;
        setMinimumSize(m_minSize - FrameExtra());
    }
    m_autoWidth = r.autoSize.width();
    m_autoHeight = r.autoSize.height();
    if (!m_sbAutoAlign->isChecked())
        SetFormRect(r.form);
}

void TUF_Browse::AutoAlign()
{
    const QRect r = BrowseRules::AutoAlign(FormRect(), Anchor(), m_sbAutoSize->isChecked(),
                                           QSize(m_autoWidth, m_autoHeight), m_minSize, platform::workArea());
    SetFormRect(r);
}

int TUF_Browse::ShowModal()
{
    FormHooks::RestoreIfIconic();
    if (UF_Progress)
        UF_Progress->Close();
    // An empty list closes again at once: never shown.
    if (m_model->rowCount() == 0)
        return mrCancel;
    return exec();
}

void TUF_Browse::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    m_codeGeometry = true;
    if (SelectedRow() < 0)
        SelectRow(0);
    Updating = true;
    ActivateExtra();
    m_sbAutoSize->setChecked(AutoSizePref());
    m_sbAutoAlign->setChecked(AutoAlignPref());
    Updating = false;
    SetMinSize();
    if (m_sbAutoSize->isChecked())
        AutoSize();
    TzyWM& wm = WMs->getItems(m_wmIndex);
    if (wm.FormPositionReset()) {
        const QRect wa = platform::workArea();
        const QRect f = FormRect();
        SetFormRect(QRect(QPoint(wa.x() + (wa.width() - f.width()) / 2, wa.y() + (wa.height() - f.height()) / 2),
                          f.size()));
        wm.SetFormPositionReset(false);
        WMs->SaveItem(m_wmIndex);
    }
    if (m_sbAutoAlign->isChecked())
        AutoAlign();
    m_codeGeometry = true;
    if (SelectedRow() >= 0)
        m_list->scrollTo(m_model->index(SelectedRow(), 0), QAbstractItemView::PositionAtTop);
    raise();
    activateWindow();
    if (m_list->isEnabled())
        m_list->setFocus();
    m_codeGeometry = false;
    m_active = true;
}

void TUF_Browse::SelectClick()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    StoreChoice(row);
    done(mrSelect);
}

void TUF_Browse::CancelClick()
{
    ClearChoice();
    done(mrCancel);
}

void TUF_Browse::RefreshClick()
{
    ClearLoaded();
    if (m_list->isEnabled())
        m_list->setFocus();
    done(mrRefresh);
}

void TUF_Browse::AutoSizeClick()
{
    if (Updating || !m_sbAutoSize->isChecked())
        return;
    AutoSize();
    if (m_sbAutoAlign->isChecked())
        AutoAlign();
}

void TUF_Browse::AutoAlignClick()
{
    if (Updating || !m_sbAutoAlign->isChecked())
        return;
    AutoAlign();
}

void TUF_Browse::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        m_bbCancel->click();
        return;
    }
    // Enter presses no button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

// The close box closes without the Cancel logic: the value fields stay.
void TUF_Browse::closeEvent(QCloseEvent* e)
{
    e->accept();
    if (isVisible())
        done(mrCancel);
}

// A user's drag of a border switches both toggles off and keeps Auto Size off.
void TUF_Browse::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    if (!UserGeometry(false))
        return;
    Updating = true;
    m_sbAutoSize->setChecked(false);
    m_sbAutoAlign->setChecked(false);
    Updating = false;
    SetAutoSizePref(false);
    UP->Save();
}

// A user's move switches Auto Align off, and Auto Size too when the dialog is
// smaller than its auto size.
void TUF_Browse::moveEvent(QMoveEvent* e)
{
    QDialog::moveEvent(e);
    if (!UserGeometry(true))
        return;
    Updating = true;
    m_sbAutoAlign->setChecked(false);
    const QRect f = FormRect();
    if (m_sbAutoSize->isChecked() && (f.width() < m_autoWidth || f.height() < m_autoHeight))
        m_sbAutoSize->setChecked(false);
    Updating = false;
}

void TUF_Browse::done(int r)
{
    if (m_active) {
        m_active = false;
        TzyWM& wm = WMs->getItems(m_wmIndex);
        const FormState state = isMaximized() ? FormState::Maximised : FormState::Normal;
        wm.ReadFromForm(FramePlace::Of(this).NormalFrame(), state, m_minSize, true);
        WMs->SaveItem(m_wmIndex);
        SetAutoSizePref(m_sbAutoSize->isChecked());
        SetAutoAlignPref(m_sbAutoAlign->isChecked());
        UP->Save();
    }
    static_cast<BrowseModel*>(m_model)->Reload(true);
    QDialog::done(r);
}
