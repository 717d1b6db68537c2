#include "UF_Options.h"

#include "BalloonHint.h"
#include "EditKeys.h"
#include "FieldIndicator.h"
#include "FileDialogs.h"
#include "FilesPageRules.h"
#include "FixedFormPlace.h"
#include "FormHooks.h"
#include "FormText.h"
#include "Glyphs.h"
#include "HeadingPanel.h"
#include "HelpDocs.h"
#include "OptionsRules.h"
#include "StdDlg.h"
#include "UF_About.h"
#include "UF_Progress.h"
#include "UF_StdDlg.h"
#include "Utils.h"
#include "ZolStyle.h"
#include "zyAD.h"
#include "zyDV.h"
#include "zyOCP.h"
#include "zyUIL.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TUF_Options* UF_Options = nullptr;

namespace {

constexpr int kTemplateMaxLength = 260;
constexpr int kFolderMaxLength = 248;
constexpr int kCloseDialogueHint = 1194;
constexpr int kGap = 6;
constexpr int kMargin = 8;

using FormText::Padded;

QString hint(std::initializer_list<int> ids)
{
    QStringList lines;
    for (int id : ids)
        lines << UIT(id);
    return FormText::OnScreen(lines.join(QStringLiteral("\r\n")));
}

QCheckBox* checkBox(QWidget* parent)
{
    auto* cb = new QCheckBox(parent);
    cb->setFixedHeight(std::max(FontHeight, cb->sizeHint().height()));
    return cb;
}

QComboBox* dropDownList(QWidget* parent, int width)
{
    auto* c = new QComboBox(parent);
    c->setEditable(false);
    c->setMaxVisibleItems(16);
    if (width > 0)
        c->setFixedWidth(width);
    return c;
}

QPushButton* button(QWidget* parent, int glyph = -1)
{
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);
    b->setDefault(false);
    if (glyph >= 0)
        b->setIcon(QIcon(Glyphs::Button16(glyph)));
    return b;
}

QFrame* bevel(QWidget* parent, QFrame::Shape shape)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

// A list sized to its widest item (" %s ") plus the drop-down button.
void fitListToItems(QComboBox* c)
{
    const QFontMetrics fm(c->font());
    int w = 0;
    for (int i = 0; i < c->count(); ++i)
        w = std::max(w, fm.horizontalAdvance(Padded(c->itemText(i))));
    c->setFixedWidth(w + c->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8 + 16);
}

} // namespace

TUF_Options::TUF_Options()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    FormHooks::SplashStatus(Padded(UIT(25)));
    setModal(true);
    setSizeGripEnabled(false);
    QFont f = font();
    Utils::SetSystemFont(f);
    setFont(f);

    Build();
    SetupUIT();
    SetupHints();
    SetupLayout();
    CentreOnScreen();
}

TUF_Options::~TUF_Options() = default;

// ---- creation --------------------------------------------------------------------

void TUF_Options::Build()
{
    BH_Options = new BalloonHint(this);
    BH_Options->SetHideAfter(2500);

    // Upper left: the user interface.
    Pnl_Options_Left = new QWidget(this);
    Pnl_UP_UI = new HeadingPanel(Pnl_Options_Left);
    BBtn_UP_ResetSizePosition = button(Pnl_Options_Left);
    CB_UP_ShowToolBarCaptions = checkBox(Pnl_Options_Left);
    CB_UP_PromptOnProcess = checkBox(Pnl_Options_Left);
    CB_UP_PromptOnExit = checkBox(Pnl_Options_Left);
    Lbl_UP_HintPause = new QLabel(Pnl_Options_Left);
    DDL_UP_HintPause = dropDownList(Pnl_Options_Left, Utils::ScaleWidth(60));
    Lbl_UP_HintPause_ms = new QLabel(Pnl_Options_Left);
    Lbl_UP_HintHidePause = new QLabel(Pnl_Options_Left);
    DDL_UP_HintHidePause = dropDownList(Pnl_Options_Left, Utils::ScaleWidth(60));
    Lbl_UP_HintHidePause_ms = new QLabel(Pnl_Options_Left);
    Lbl_UP_DefaultXLExtn = new QLabel(Pnl_Options_Left);
    DDL_UP_DefaultXLExtn = dropDownList(Pnl_Options_Left, Utils::ScaleWidth(60));
    for (int ms : OptionsRules::HintPauseItems())
        DDL_UP_HintPause->addItem(QString::number(ms));
    for (int ms : OptionsRules::HintHidePauseItems())
        DDL_UP_HintHidePause->addItem(QString::number(ms));

    Bvl_Options_Middle = bevel(this, QFrame::VLine);

    // Upper right: the Browse Task Fields form.
    Pnl_Options_Right = new QWidget(this);
    Pnl_UP_BTFF = new HeadingPanel(Pnl_Options_Right);
    Lbl_UP_ImportTaskFldValCount = new QLabel(Pnl_Options_Right);
    DDL_UP_ImportTaskFldValCount = dropDownList(Pnl_Options_Right, Utils::ScaleWidth(50));
    for (int n = 0; n <= 5; ++n)
        DDL_UP_ImportTaskFldValCount->addItem(QString::number(n));

    // Lower part: the template and the output folder.
    Pnl_Options_TFOF = new QWidget(this);
    Pnl_UP_TF = new HeadingPanel(Pnl_Options_TFOF);
    Lbl_UP_DefaultTF = new QLabel(Pnl_Options_TFOF);
    DDL_UP_DefaultTF = dropDownList(Pnl_Options_TFOF, 0);
    TB_UP_DefaultTF = new QLineEdit(Pnl_Options_TFOF);
    TB_UP_DefaultTF->setMaxLength(kTemplateMaxLength);
    BBtn_UP_DefaultTF_Browse = button(Pnl_Options_TFOF);
    BBtn_UP_DefaultTF_Open = button(Pnl_Options_TFOF);
    Img_UP_DefaultTF = new FieldIndicator(Pnl_Options_TFOF, QStringLiteral("Img_UP_DefaultTF"));
    Pnl_UP_OF = new HeadingPanel(Pnl_Options_TFOF);
    Lbl_UP_DefaultOFFolder = new QLabel(Pnl_Options_TFOF);
    DDL_UP_DefaultOFFolder = dropDownList(Pnl_Options_TFOF, 0);
    TB_UP_DefaultOFFolder = new QLineEdit(Pnl_Options_TFOF);
    TB_UP_DefaultOFFolder->setMaxLength(kFolderMaxLength);
    BBtn_UP_DefaultOFFolder_Browse = button(Pnl_Options_TFOF);
    Img_UP_DefaultOFFolder = new FieldIndicator(Pnl_Options_TFOF, QStringLiteral("Img_UP_DefaultOFFolder"));
    CB_UP_PromptOnCreateOFFolder = checkBox(Pnl_Options_TFOF);
    CB_UP_PromptOnOverwriteOF = checkBox(Pnl_Options_TFOF);
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    BBtn_UP_DefaultTF_Browse->setIcon(folderIcon);
    BBtn_UP_DefaultOFFolder_Browse->setIcon(folderIcon);
    BBtn_UP_DefaultTF_Open->setIcon(style()->standardIcon(QStyle::SP_FileIcon));

    // The button bar.
    Pnl_Options_BBtn = new QWidget(this);
    Pnl_Options_BBtn->setFocusPolicy(Qt::StrongFocus);
    Bvl_Options_BBtn = bevel(Pnl_Options_BBtn, QFrame::HLine);
    BBtn_Reset = button(Pnl_Options_BBtn, StdDlg::glRetry);
    BBtn_Close = button(Pnl_Options_BBtn, StdDlg::glOk);
    BBtn_Cancel = button(Pnl_Options_BBtn, StdDlg::glCancel);

    // User changes only: code that fills the controls fires none of these.
    connect(DDL_UP_HintPause, &QComboBox::activated, this, &TUF_Options::DDL_UP_HintPauseChange);
    connect(DDL_UP_HintHidePause, &QComboBox::activated, this, &TUF_Options::DDL_UP_HintHidePauseChange);
    connect(DDL_UP_DefaultTF, &QComboBox::activated, this, &TUF_Options::DDL_UP_DefaultTFChange);
    connect(DDL_UP_DefaultOFFolder, &QComboBox::activated, this, &TUF_Options::DDL_UP_DefaultOFFolderChange);
    for (QComboBox* c : {DDL_UP_DefaultXLExtn, DDL_UP_ImportTaskFldValCount})
        connect(c, &QComboBox::activated, this, &TUF_Options::HideBalloon);
    for (QCheckBox* c : {CB_UP_ShowToolBarCaptions, CB_UP_PromptOnProcess, CB_UP_PromptOnExit,
                         CB_UP_PromptOnCreateOFFolder, CB_UP_PromptOnOverwriteOF})
        connect(c, &QCheckBox::clicked, this, &TUF_Options::HideBalloon);
    connect(TB_UP_DefaultTF, &QLineEdit::textChanged, this, [this] { EditChange(TB_UP_DefaultTF); });
    connect(TB_UP_DefaultOFFolder, &QLineEdit::textChanged, this, [this] { EditChange(TB_UP_DefaultOFFolder); });
    TB_UP_DefaultTF->installEventFilter(this);
    TB_UP_DefaultOFFolder->installEventFilter(this);
    connect(BBtn_UP_ResetSizePosition, &QPushButton::clicked, this, &TUF_Options::BBtn_UP_ResetSizePositionClick);
    connect(BBtn_UP_DefaultTF_Browse, &QPushButton::clicked, this, &TUF_Options::BBtn_UP_DefaultTF_BrowseClick);
    connect(BBtn_UP_DefaultTF_Open, &QPushButton::clicked, this, &TUF_Options::BBtn_UP_DefaultTF_OpenClick);
    connect(BBtn_UP_DefaultOFFolder_Browse, &QPushButton::clicked, this,
            &TUF_Options::BBtn_UP_DefaultOFFolder_BrowseClick);
    connect(BBtn_Reset, &QPushButton::clicked, this, &TUF_Options::BBtn_ResetClick);
    connect(BBtn_Close, &QPushButton::clicked, this, &TUF_Options::BBtn_CloseClick);
    connect(BBtn_Cancel, &QPushButton::clicked, this, &TUF_Options::BBtn_CancelClick);
}

void TUF_Options::SetupUIT()
{
    const QString product = TzyAD::ProductName();
    setWindowTitle(Utils::Format(UIT(212), {product}));
    Pnl_UP_UI->SetCaption(UIT(213));
    Pnl_UP_BTFF->SetCaption(UIT(224));
    Pnl_UP_TF->SetCaption(UIT(226));
    Pnl_UP_OF->SetCaption(UIT(235));
    BBtn_UP_ResetSizePosition->setText(Padded(UIT(214)));
    CB_UP_ShowToolBarCaptions->setText(Padded(UIT(215)));
    CB_UP_PromptOnProcess->setText(Padded(UIT(216)));
    CB_UP_PromptOnExit->setText(Padded(Utils::Format(UIT(217), {product})));
    CB_UP_PromptOnCreateOFFolder->setText(Padded(UIT(242)));
    CB_UP_PromptOnOverwriteOF->setText(Padded(UIT(243)));
    const std::pair<QLabel*, int> labels[] = {
        {Lbl_UP_HintPause, 218}, {Lbl_UP_HintPause_ms, 219}, {Lbl_UP_HintHidePause, 220},
        {Lbl_UP_HintHidePause_ms, 221}, {Lbl_UP_DefaultXLExtn, 222}, {Lbl_UP_ImportTaskFldValCount, 225},
        {Lbl_UP_DefaultTF, 227}, {Lbl_UP_DefaultOFFolder, 236}};
    for (const auto& [label, id] : labels)
        label->setText(Padded(UIT(id)));

    DDL_UP_DefaultXLExtn->clear();
    DDL_UP_DefaultXLExtn->addItems({UIT(223), QStringLiteral(".xls"), QStringLiteral(".xlsx")});
    DDL_UP_DefaultTF->clear();
    for (int id = 228; id <= 232; ++id)
        DDL_UP_DefaultTF->addItem(UIT(id));
    DDL_UP_DefaultOFFolder->clear();
    for (int id = 237; id <= 240; ++id)
        DDL_UP_DefaultOFFolder->addItem(UIT(id));
    BBtn_Reset->setText(Padded(UIT(244)));
    BBtn_Close->setText(Padded(UIT(245)));
    BBtn_Cancel->setText(Padded(UIT(246)));
}

void TUF_Options::SetupHints()
{
    BBtn_UP_ResetSizePosition->setToolTip(hint({869, 870}));
    CB_UP_ShowToolBarCaptions->setToolTip(hint({871, 872}));
    CB_UP_PromptOnProcess->setToolTip(hint({873, 874}));
    CB_UP_PromptOnExit->setToolTip(
        FormText::OnScreen(Utils::Format(UIT(875), {TzyAD::ProductName()}) + QStringLiteral("\r\n") + UIT(876)));
    DDL_UP_HintPause->setToolTip(hint({877}));
    DDL_UP_HintHidePause->setToolTip(hint({878}));
    DDL_UP_DefaultXLExtn->setToolTip(hint({879, 880, 881}));
    DDL_UP_ImportTaskFldValCount->setToolTip(hint({882}));
    DDL_UP_DefaultTF->setToolTip(hint({883, 884}));
    BBtn_UP_DefaultTF_Browse->setToolTip(hint({885}));
    BBtn_UP_DefaultTF_Open->setToolTip(hint({886}));
    DDL_UP_DefaultOFFolder->setToolTip(hint({887}));
    BBtn_UP_DefaultOFFolder_Browse->setToolTip(hint({888}));
    CB_UP_PromptOnCreateOFFolder->setToolTip(hint({889, 890}));
    CB_UP_PromptOnOverwriteOF->setToolTip(hint({891, 892}));
    BBtn_Reset->setToolTip(hint({893, 894}));
    BBtn_Close->setToolTip(hint({895, 896}));
    BBtn_Cancel->setToolTip(hint({897, 898}));
}

void TUF_Options::SetupLayout()
{
    const int bbtnHeight = FontHeight + BBtnPad;
    const QSize smallButton(Utils::ScaleWidth(26), FontHeight + SmallBBtnPad);
    for (QPushButton* b : {BBtn_UP_DefaultTF_Browse, BBtn_UP_DefaultTF_Open, BBtn_UP_DefaultOFFolder_Browse})
        b->setFixedSize(smallButton);
    BBtn_UP_ResetSizePosition->setFixedHeight(bbtnHeight);
    for (QPushButton* b : {BBtn_Reset, BBtn_Close, BBtn_Cancel})
        b->setFixedSize(std::max(Utils::ScaleWidth(80), b->sizeHint().width()), bbtnHeight);
    fitListToItems(DDL_UP_DefaultTF);
    fitListToItems(DDL_UP_DefaultOFFolder);
    // The edits at their design widths: the row is as wide as they need.
    TB_UP_DefaultTF->setMinimumWidth(Utils::ScaleWidth(478));
    TB_UP_DefaultOFFolder->setMinimumWidth(Utils::ScaleWidth(508) - smallButton.width() - 4);

    // Labels sit 8 pixels left of their lists, centred on them.
    auto listRow = [](QGridLayout* g, int row, QLabel* label, QComboBox* list, QLabel* unit = nullptr) {
        g->addWidget(label, row, 0, Qt::AlignVCenter);
        g->addWidget(list, row, 1, Qt::AlignVCenter);
        if (unit)
            g->addWidget(unit, row, 2, Qt::AlignVCenter);
    };

    auto* left = new QVBoxLayout(Pnl_Options_Left);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(kGap);
    left->addWidget(Pnl_UP_UI);
    auto* leftBody = new QVBoxLayout;
    leftBody->setContentsMargins(kMargin, 0, kMargin, 0);
    leftBody->setSpacing(kGap);
    leftBody->addWidget(BBtn_UP_ResetSizePosition);
    leftBody->addWidget(CB_UP_ShowToolBarCaptions);
    leftBody->addWidget(CB_UP_PromptOnProcess);
    leftBody->addWidget(CB_UP_PromptOnExit);
    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(kMargin);
    lists->setVerticalSpacing(kGap);
    listRow(lists, 0, Lbl_UP_HintPause, DDL_UP_HintPause, Lbl_UP_HintPause_ms);
    listRow(lists, 1, Lbl_UP_HintHidePause, DDL_UP_HintHidePause, Lbl_UP_HintHidePause_ms);
    listRow(lists, 2, Lbl_UP_DefaultXLExtn, DDL_UP_DefaultXLExtn);
    lists->setColumnStretch(3, 1);
    leftBody->addLayout(lists);
    left->addLayout(leftBody);
    left->addStretch(1);

    auto* right = new QVBoxLayout(Pnl_Options_Right);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(kGap);
    right->addWidget(Pnl_UP_BTFF);
    auto* count = new QGridLayout;
    count->setContentsMargins(kMargin, 0, kMargin, 0);
    count->setHorizontalSpacing(kMargin);
    listRow(count, 0, Lbl_UP_ImportTaskFldValCount, DDL_UP_ImportTaskFldValCount);
    count->setColumnStretch(2, 1);
    right->addLayout(count);
    right->addStretch(1);

    auto* lower = new QVBoxLayout(Pnl_Options_TFOF);
    lower->setContentsMargins(0, 0, 0, 0);
    lower->setSpacing(kGap);
    auto editRow = [](QLineEdit* edit, std::initializer_list<QWidget*> buttons, FieldIndicator* image) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(kMargin, 0, kMargin, 0);
        row->setSpacing(4);
        row->addWidget(edit, 1);
        for (QWidget* b : buttons)
            row->addWidget(b);
        row->addWidget(image);
        return row;
    };
    auto listLine = [](QLabel* label, QComboBox* list) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(kMargin, 0, kMargin, 0);
        row->setSpacing(kMargin);
        row->addWidget(label);
        row->addWidget(list);
        row->addStretch(1);
        return row;
    };
    lower->addWidget(Pnl_UP_TF);
    lower->addLayout(listLine(Lbl_UP_DefaultTF, DDL_UP_DefaultTF));
    lower->addLayout(editRow(TB_UP_DefaultTF, {BBtn_UP_DefaultTF_Browse, BBtn_UP_DefaultTF_Open}, Img_UP_DefaultTF));
    lower->addWidget(Pnl_UP_OF);
    lower->addLayout(listLine(Lbl_UP_DefaultOFFolder, DDL_UP_DefaultOFFolder));
    lower->addLayout(editRow(TB_UP_DefaultOFFolder, {BBtn_UP_DefaultOFFolder_Browse}, Img_UP_DefaultOFFolder));
    auto* checks = new QVBoxLayout;
    checks->setContentsMargins(kMargin, 0, kMargin, 0);
    checks->setSpacing(kGap);
    checks->addWidget(CB_UP_PromptOnCreateOFFolder);
    checks->addWidget(CB_UP_PromptOnOverwriteOF);
    lower->addLayout(checks);

    auto* bar = new QVBoxLayout(Pnl_Options_BBtn);
    bar->setContentsMargins(0, 0, 0, kGap);
    bar->setSpacing(kGap);
    bar->addWidget(Bvl_Options_BBtn);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(kGap, 0, kMargin, 0);
    buttons->setSpacing(kMargin);
    buttons->addWidget(BBtn_Reset);
    buttons->addStretch(1);
    buttons->addWidget(BBtn_Close);
    buttons->addWidget(BBtn_Cancel);
    bar->addLayout(buttons);

    auto* upper = new QHBoxLayout;
    upper->setContentsMargins(0, 0, 0, 0);
    upper->setSpacing(0);
    upper->addWidget(Pnl_Options_Left, 1);
    upper->addWidget(Bvl_Options_Middle);
    upper->addWidget(Pnl_Options_Right, 1);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(kGap);
    form->setSizeConstraint(QLayout::SetNoConstraint);
    form->addLayout(upper);
    form->addWidget(Pnl_Options_TFOF);
    form->addWidget(Pnl_Options_BBtn);
}

QSize TUF_Options::MinClientSize() const
{
    // What the layout needs, and never narrower than the caption.
    QSize min = layout()->minimumSize();
    min.setWidth(std::max(min.width(), Utils::GetCaptionWidth(windowTitle(), false, true)));
    return min;
}

void TUF_Options::FitToScreen()
{
    FixedFormPlace::Fit(this, MinClientSize());
}

void TUF_Options::CentreOnScreen()
{
    FixedFormPlace::Centre(this, MinClientSize());
}

// ---- preferences and controls ---------------------------------------------------------

void TUF_Options::SnapshotUP()
{
    if (UP)
        m_snapshot = std::make_unique<TzyUP>(*UP);
    m_storeWritten = false;
}

void TUF_Options::RestoreSnapshot()
{
    if (!UP || !m_snapshot)
        return;
    OptionsRules::RestorePreferences(*UP, *m_snapshot);
    ApplyHintDelays(m_snapshot->HintPause(), m_snapshot->HintHidePause());
    // The reset of sizes saved while the dialog was open: the store follows
    // the preferences back.
    if (m_storeWritten)
        UP->Save();
    m_storeWritten = false;
}

void TUF_Options::ApplyHintDelays(int hintPause, int hintHidePause)
{
    HintControl::Instance().SetHintPause(hintPause);
    HintControl::Instance().SetHintHidePause(hintHidePause);
}

void TUF_Options::LoadUP()
{
    if (!UP)
        return;
    Loading = true;
    DDL_UP_HintPause->setCurrentIndex(OptionsRules::NearestItem(OptionsRules::HintPauseItems(), UP->HintPause()));
    DDL_UP_HintHidePause->setCurrentIndex(
        OptionsRules::NearestItem(OptionsRules::HintHidePauseItems(), UP->HintHidePause()));
    DDL_UP_DefaultXLExtn->setCurrentIndex(
        UP->DefaultXLExtn() == TzyUP::xeXLS || UP->DefaultXLExtn() == TzyUP::xeXLSX ? UP->DefaultXLExtn() : 0);
    DDL_UP_ImportTaskFldValCount->setCurrentIndex(OptionsRules::SampleCountItem(UP->ImportTaskFldValueCount()));
    DDL_UP_DefaultTF->setCurrentIndex(UP->DefaultTFDDLItemIndex());
    FillTemplateEdit(UP->DefaultTFDDLItemIndex());
    DDL_UP_DefaultOFFolder->setCurrentIndex(UP->DefaultOFFolderDDLItemIndex());
    FillFolderEdit(UP->DefaultOFFolderDDLItemIndex());
    CB_UP_ShowToolBarCaptions->setChecked(UP->ShowToolBarCaptions());
    CB_UP_PromptOnProcess->setChecked(UP->PromptOnProcess());
    CB_UP_PromptOnExit->setChecked(UP->PromptOnExit());
    CB_UP_PromptOnCreateOFFolder->setChecked(UP->PromptOnCreateOFFolder());
    CB_UP_PromptOnOverwriteOF->setChecked(UP->PromptOnOverwriteOF());
    // Whatever the store held, the boxes start without stale faults.
    TFError = OFFolderError = false;
    Loading = false;
}

void TUF_Options::FillTemplateEdit(int item)
{
    TB_UP_DefaultTF->setText(OptionsRules::TemplateChoiceText(*UP, item, TzyUP::InstalledXLExtn()));
    TB_UP_DefaultTF->setToolTip(TB_UP_DefaultTF->text());
}

void TUF_Options::FillFolderEdit(int item)
{
    TB_UP_DefaultOFFolder->setText(OptionsRules::FolderChoiceText(*UP, item));
    TB_UP_DefaultOFFolder->setToolTip(TB_UP_DefaultOFFolder->text());
}

void TUF_Options::SaveUP()
{
    UP->SetShowToolBarCaptions(CB_UP_ShowToolBarCaptions->isChecked());
    UP->SetPromptOnProcess(CB_UP_PromptOnProcess->isChecked());
    UP->SetPromptOnExit(CB_UP_PromptOnExit->isChecked());
    UP->SetHintPause(DDL_UP_HintPause->currentText().toInt());
    UP->SetHintHidePause(DDL_UP_HintHidePause->currentText().toInt());
    UP->SetDefaultXLExtn(TzyUP::xeAuto);
    UP->SetDefaultXLExtn(DDL_UP_DefaultXLExtn->currentIndex());
    UP->SetImportTaskFldValueCount(DDL_UP_ImportTaskFldValCount->currentText().toInt());
    UP->SetDefaultTFDDLItemIndex(DDL_UP_DefaultTF->currentIndex());
    UP->SetDefaultTFOther(Utils::Trim(TB_UP_DefaultTF->text()));
    UP->SetDefaultOFFolderDDLItemIndex(DDL_UP_DefaultOFFolder->currentIndex());
    UP->SetDefaultOFFolderOther(Utils::Trim(TB_UP_DefaultOFFolder->text()));
    UP->SetPromptOnCreateOFFolder(CB_UP_PromptOnCreateOFFolder->isChecked());
    UP->SetPromptOnOverwriteOF(CB_UP_PromptOnOverwriteOF->isChecked());
    UP->Save();
}

void TUF_Options::UpdateControls()
{
    if (Loading)
        return;
    const QPalette::ColorRole editable = QPalette::Base, readOnly = QPalette::Button;
    auto setEditable = [&](QLineEdit* edit, QPushButton* browse, bool other) {
        edit->setReadOnly(!other);
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, palette().color(other ? editable : readOnly));
        edit->setPalette(p);
        browse->setEnabled(other);
    };
    setEditable(TB_UP_DefaultTF, BBtn_UP_DefaultTF_Browse, DDL_UP_DefaultTF->currentIndex() == TzyUP::tfOther);
    setEditable(TB_UP_DefaultOFFolder, BBtn_UP_DefaultOFFolder_Browse,
                DDL_UP_DefaultOFFolder->currentIndex() == TzyUP::ofOther);
    BBtn_UP_DefaultTF_Open->setEnabled(!Utils::Trim(TB_UP_DefaultTF->text()).isEmpty());
    ValidateFiles();
}

void TUF_Options::ValidateFiles()
{
    TzyDV dv;
    std::optional<QString> tf, of;
    if (DDL_UP_DefaultTF->currentIndex() == TzyUP::tfOther)
        tf = OptionsRules::TemplateFault(dv, TB_UP_DefaultTF->text());
    if (DDL_UP_DefaultOFFolder->currentIndex() == TzyUP::ofOther)
        of = OptionsRules::FolderFault(dv, TB_UP_DefaultOFFolder->text());
    TFError = tf.has_value();
    OFFolderError = of.has_value();
    m_tfErrorText = tf.value_or(QString());
    m_ofErrorText = of.value_or(QString());
    SetValidityImage(Img_UP_DefaultTF, m_tfErrorText, TFError);
    SetValidityImage(Img_UP_DefaultOFFolder, m_ofErrorText, OFFolderError);
    BBtn_UP_DefaultTF_Open->setEnabled(!Utils::Trim(TB_UP_DefaultTF->text()).isEmpty());
}

void TUF_Options::SetValidityImage(FieldIndicator* image, const QString& text, bool atFault)
{
    image->SetImgState(text, atFault);
}

// ---- handlers ----------------------------------------------------------------------------

void TUF_Options::DDL_UP_HintPauseChange()
{
    HideBalloon();
    HintControl::Instance().SetHintPause(DDL_UP_HintPause->currentText().toInt());
}

void TUF_Options::DDL_UP_HintHidePauseChange()
{
    HideBalloon();
    HintControl::Instance().SetHintHidePause(DDL_UP_HintHidePause->currentText().toInt());
}

void TUF_Options::DDL_UP_DefaultTFChange()
{
    HideBalloon();
    Loading = true;
    FillTemplateEdit(DDL_UP_DefaultTF->currentIndex());
    Loading = false;
    UpdateControls();
}

void TUF_Options::DDL_UP_DefaultOFFolderChange()
{
    HideBalloon();
    Loading = true;
    FillFolderEdit(DDL_UP_DefaultOFFolder->currentIndex());
    Loading = false;
    UpdateControls();
}

void TUF_Options::EditChange(QLineEdit* edit)
{
    if (Loading)
        return;
    edit->setToolTip(edit->text());
    UpdateControls();
}

void TUF_Options::FocusButtonBar()
{
    if (Pnl_Options_BBtn->isEnabled())
        Pnl_Options_BBtn->setFocus();
}

void TUF_Options::BBtn_CloseClick()
{
    HideBalloon();
    UpdateControls();
    const auto refusal = OptionsRules::CloseRefusal(TFError ? std::optional<QString>(m_tfErrorText) : std::nullopt,
                                                    OFFolderError ? std::optional<QString>(m_ofErrorText)
                                                                  : std::nullopt);
    if (!refusal) {
        SaveUP();
        m_storeWritten = false;
        done(StdDlg::mrOk);
        return;
    }
    StdDlg::ShowClose(StdDlg::Warning, refusal->msgId, refusal->lines, 968);
}

void TUF_Options::BBtn_CancelClick()
{
    HideBalloon();
    RestoreSnapshot();
    done(StdDlg::mrCancel);
}

bool TUF_Options::ConfirmReset(const char* msgId, int line, int hintYes, int hintNo)
{
    HideBalloon();
    FocusButtonBar();
    // Any answer but No goes ahead.
    return StdDlg::ShowMsg2(StdDlg::Question, QString::fromLatin1(msgId), {UIT(line)}, UIT(hintYes), UIT(294),
                            StdDlg::mrYes, StdDlg::glYes, UIT(hintNo), UIT(291), StdDlg::mrNo, StdDlg::glNo)
           != StdDlg::mrNo;
}

void TUF_Options::BBtn_ResetClick()
{
    if (!ConfirmReset("OF006", 1056, 965, 966))
        return;
    UP->Reset();
    LoadUP();
    UpdateControls();
    StdDlg::ShowClose(StdDlg::Information, QStringLiteral("OF007"), {UIT(1057)}, 967);
}

void TUF_Options::BBtn_UP_ResetSizePositionClick()
{
    if (!ConfirmReset("OF001", 1053, 962, 963))
        return;

    if (WMs) {
        for (int i = wmMain; i <= std::min<int>(wmSummary, WMs->HighIndex()); ++i) {
            TzyWM& wm = WMs->getItems(i);
            // A form not created yet has given its record no defaults.
            if (wm.DefaultWidth() <= 0 || wm.DefaultHeight() <= 0) {
                wm.SetDefaultWidth(WMDefaultSize(i).width());
                wm.SetDefaultHeight(WMDefaultSize(i).height());
            }
            const FormPlacement p = wm.ResetForm(QSize(wm.DefaultWidth(), wm.DefaultHeight()), true);
            if (m_applyPlacement)
                m_applyPlacement(i, p);
        }
        // The main form is on screen already: it keeps the place it was given.
        if (WMs->HighIndex() >= wmMain)
            WMs->getItems(wmMain).SetFormPositionReset(false);
        WMs->SaveAll();
    }
    UP->SetAllAutoSize();
    UP->SetAllAutoAlign();
    UP->Save();
    m_storeWritten = true;
    // Taken at once: Cancel keeps the automatic sizing switched back on.
    if (m_snapshot) {
        m_snapshot->SetAllAutoSize();
        m_snapshot->SetAllAutoAlign();
    }

    if (UF_About)
        UF_About->CentreOnScreen();
    if (UF_Progress)
        UF_Progress->CentreOnScreen();
    if (UF_StdDlg)
        UF_StdDlg->CentreOnScreen();
    CentreOnScreen();

    raise();
    activateWindow();
    StdDlg::ShowClose(StdDlg::Information, QStringLiteral("OF002"), {UIT(1054)}, 964);
}

void TUF_Options::BBtn_UP_DefaultTF_BrowseClick()
{
    HideBalloon();
    if (TB_UP_DefaultTF->isEnabled())
        TB_UP_DefaultTF->setFocus();
    const QString name = Utils::Trim(TB_UP_DefaultTF->text());
    const QString folder = Utils::Trim(Utils::ExtractFilePath(name));

    forms::OpenFileRequest request;
    request.title = Padded(UIT(1029));
    request.filter = forms::ExcelFileFilter();
    request.initialDir = !folder.isEmpty() && Utils::DirExists(UIT(665), folder) ? folder : QDir::currentPath();
    request.fileName = !name.isEmpty() && Utils::FileExists(UIT(664), name, true) ? name : QString();
    request.mustExist = true;
    const std::optional<QString> chosen = forms::fileDialogs().openFile(this, request);

    if (chosen && !Utils::SameText(Utils::Trim(*chosen), name)) {
        TzyDV dv;
        if (dv.ValidateExcelFile(UIT(664), *chosen))
            return;
        TB_UP_DefaultTF->setText(Utils::Trim(*chosen));
    }
    if (TB_UP_DefaultTF->isEnabled())
        TB_UP_DefaultTF->setFocus();
}

void TUF_Options::BBtn_UP_DefaultTF_OpenClick()
{
    HideBalloon();
    FocusButtonBar();
    const QString file = Utils::Trim(TB_UP_DefaultTF->text());
    TzyDV dv;
    const QString label = UIT(664);
    if (dv.ValidatePath(label, file) || dv.ValidateFileExists(label, file) || (OCP && OCP->CheckFile(label, file)))
        return;
    HelpDocs::OpenWithDesktop(QString(), label, file, QString(), kCloseDialogueHint, this);
}

void TUF_Options::BBtn_UP_DefaultOFFolder_BrowseClick()
{
    HideBalloon();
    const QString current = Utils::Trim(TB_UP_DefaultOFFolder->text());
    const std::optional<QString> folder =
        forms::fileDialogs().chooseFolder(this, Padded(UIT(1055)), QDir(current).exists() ? current : QString());
    if (folder && !Utils::Trim(*folder).isEmpty())
        TB_UP_DefaultOFFolder->setText(Utils::IncludeTrailingSlash(Utils::Trim(*folder)));
}

// ---- key filters and the balloon ---------------------------------------------------------

void TUF_Options::ShowBalloon(QLineEdit* edit, const QString& text)
{
    edit->setToolTip(QString());
    BH_Options->ShowHint(QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()), FormText::OnScreen(text));
    edit->setToolTip(edit->text());
}

void TUF_Options::HideBalloon()
{
    if (BH_Options)
        BH_Options->HideHint();
}

bool TUF_Options::EditKeyPress(QLineEdit* edit, QKeyEvent* e)
{
    HideBalloon();
    const bool isTemplate = edit == TB_UP_DefaultTF;
    const int key = e->key();
    if (e->matches(QKeySequence::SelectAll)) {
        edit->selectAll();
        return true;
    }
    if (isTemplate && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        DDL_UP_DefaultOFFolder->setFocus();
        return true;
    }
    // Only what the key types is filtered: editing keys and shortcuts pass.
    const QString typed = EditKeys::TypedText(key, e->modifiers(), e->text());
    if (typed.isEmpty())
        return false;
    if (edit->isReadOnly())
        return false;
    const int maxLength = isTemplate ? kTemplateMaxLength : kFolderMaxLength;
    if (edit->text().size() >= maxLength) {
        ShowBalloon(edit, FilesPage::MaxLengthBalloon(maxLength));
        return true;
    }
    for (QChar c : typed) {
        if (FilesPage::Refuses(FilesPage::KeyFilter::PathFileName, c)) {
            ShowBalloon(edit, FilesPage::BalloonText(FilesPage::KeyFilter::PathFileName, 0));
            return true;
        }
    }
    return false;
}

bool TUF_Options::eventFilter(QObject* watched, QEvent* e)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && (edit == TB_UP_DefaultTF || edit == TB_UP_DefaultOFFolder)) {
        if (e->type() == QEvent::KeyPress && EditKeyPress(edit, static_cast<QKeyEvent*>(e)))
            return true;
        if (e->type() == QEvent::FocusOut) {
            const QString trimmed = Utils::Trim(edit->text());
            if (trimmed != edit->text())
                edit->setText(trimmed);
        }
    }
    return QDialog::eventFilter(watched, e);
}

// ---- keys, closing, activation ---------------------------------------------------------

void TUF_Options::keyPressEvent(QKeyEvent* e)
{
    HideBalloon();
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        BBtn_Cancel->click();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TUF_Options::closeEvent(QCloseEvent* e)
{
    HideBalloon();
    // The close box cancels like the Cancel button: every preference and the
    // tried hint delays go back.
    if (isVisible()) {
        RestoreSnapshot();
        done(StdDlg::mrCancel);
    }
    e->accept();
}

void TUF_Options::done(int r)
{
    HideBalloon();
    QDialog::done(r);
    // The next opening takes its own copy.
    m_snapshot.reset();
}

void TUF_Options::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormHooks::RestoreIfIconic();
    HideBalloon();
    if (!m_snapshot)
        SnapshotUP();
    LoadUP();
    UpdateControls();
    FitToScreen();
    FocusButtonBar();
}

void TUF_Options::moveEvent(QMoveEvent* e)
{
    HideBalloon();
    QDialog::moveEvent(e);
}

void TUF_Options::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange)
        HideBalloon();
    QDialog::changeEvent(e);
}
