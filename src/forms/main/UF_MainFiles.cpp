#include "UF_MainFiles.h"

#include "Artwork.h"
#include "BalloonHint.h"
#include "BrowseCommands.h"
#include "EditKeys.h"
#include "FieldIndicator.h"
#include "FileDialogs.h"
#include "FormMetrics.h"
#include "HeadingPanel.h"
#include "HelpDocs.h"
#include "UF_Browse.h"
#include "UF_Main.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyDV.h"
#include "zyOCP.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

using namespace FilesPage;

namespace {

constexpr int kCloseDialogueHint = 1194; // "Close Dialogue."

// A small bit button with the theme's picture `theme`, else the style's.
QPushButton* SmallButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const char* theme = nullptr)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(theme ? QIcon::fromTheme(QLatin1String(theme), parent->style()->standardIcon(icon))
                     : parent->style()->standardIcon(icon));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    b->setFixedSize(FormMetrics::Scaled(26), FormMetrics::SmallBBtnHeight());
    return b;
}

} // namespace

TUF_MainFiles::TUF_MainFiles(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_SCF(sheet)
{
    Build();
    // A workbook read holds the whole main form busy and disabled; the
    // progress form, a window of its own, keeps its Cancel.
    BrowseCommands::SetBusyHook([this](bool busy) {
        F.Busy = busy;
        F.setEnabled(!busy);
    });
}

TUF_MainFiles::~TUF_MainFiles()
{
    BrowseCommands::SetBusyHook({});
}

void TUF_MainFiles::Build()
{
    QWidget* s = TS_SCF;
    const auto label = [s](const char* name) {
        auto* l = new QLabel(s);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    const auto edit = [s](const char* name) {
        auto* e = new QLineEdit(s);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    const auto image = [s](const char* name) { return new FieldIndicator(s, QLatin1String(name)); };
    const auto heading = [s](const char* name) { return new HeadingPanel(s, QLatin1String(name)); };

    Pnl_SCF_DSF = heading("Pnl_SCF_DSF");
    Lbl_SCF_DSF_DrivePathFilenameExtn = label("Lbl_SCF_DSF_DrivePathFilenameExtn");
    TB_SCF_DSF_DrivePathFilenameExtn = edit("TB_SCF_DSF_DrivePathFilenameExtn");
    BBtn_SCF_DSF_DrivePathFilenameExtn_Browse = SmallButton(s, "BBtn_SCF_DSF_DrivePathFilenameExtn_Browse", QStyle::SP_DirOpenIcon);
    BBtn_SCF_DSF_DrivePathFilenameExtn_Open = SmallButton(s, "BBtn_SCF_DSF_DrivePathFilenameExtn_Open", QStyle::SP_FileIcon, "x-office-spreadsheet");
    Img_SCF_DSF_DrivePathFilenameExtn = image("Img_SCF_DSF_DrivePathFilenameExtn");
    Lbl_SCF_DSF_OpenPassword = label("Lbl_SCF_DSF_OpenPassword");
    TB_SCF_DSF_OpenPassword = edit("TB_SCF_DSF_OpenPassword");
    Lbl_SCF_DSF_TaskWS = label("Lbl_SCF_DSF_TaskWS");
    TB_SCF_DSF_TaskWS = edit("TB_SCF_DSF_TaskWS");
    BBtn_SCF_DSF_TaskWS_Browse = SmallButton(s, "BBtn_SCF_DSF_TaskWS_Browse", QStyle::SP_FileDialogListView);
    Img_SCF_DSF_TaskWS = image("Img_SCF_DSF_TaskWS");
    Lbl_SCF_DSF_THR = label("Lbl_SCF_DSF_THR");
    TB_SCF_DSF_THR = edit("TB_SCF_DSF_THR");
    Img_SCF_DSF_THR = image("Img_SCF_DSF_THR");

    Pnl_SCF_TF = heading("Pnl_SCF_TF");
    Lbl_SCF_TF_DrivePathFilenameExtn = label("Lbl_SCF_TF_DrivePathFilenameExtn");
    TB_SCF_TF_DrivePathFilenameExtn = edit("TB_SCF_TF_DrivePathFilenameExtn");
    BBtn_SCF_TF_DrivePathFileNameExtn_Default = SmallButton(s, "BBtn_SCF_TF_DrivePathFileNameExtn_Default", QStyle::SP_DialogResetButton,
                                                            "x-office-spreadsheet-template");
    BBtn_SCF_TF_DrivePathFilenameExtn_Browse = SmallButton(s, "BBtn_SCF_TF_DrivePathFilenameExtn_Browse", QStyle::SP_DirOpenIcon);
    BBtn_SCF_TF_DrivePathFilenameExtn_Open = SmallButton(s, "BBtn_SCF_TF_DrivePathFilenameExtn_Open", QStyle::SP_FileIcon, "x-office-spreadsheet");
    Img_SCF_TF_DrivePathFilenameExtn = image("Img_SCF_TF_DrivePathFilenameExtn");
    Lbl_SCF_TF_OpenPassword = label("Lbl_SCF_TF_OpenPassword");
    TB_SCF_TF_OpenPassword = edit("TB_SCF_TF_OpenPassword");
    Lbl_SCF_TF_ProjectSummaryWS = label("Lbl_SCF_TF_ProjectSummaryWS");
    TB_SCF_TF_ProjectSummaryWS = edit("TB_SCF_TF_ProjectSummaryWS");
    BBtn_SCF_TF_ProjectSummaryWS_Browse = SmallButton(s, "BBtn_SCF_TF_ProjectSummaryWS_Browse", QStyle::SP_FileDialogListView);
    Img_SCF_TF_ProjectSummaryWS = image("Img_SCF_TF_ProjectSummaryWS");
    Lbl_SCF_TF_ChartDataWS = label("Lbl_SCF_TF_ChartDataWS");
    TB_SCF_TF_ChartDataWS = edit("TB_SCF_TF_ChartDataWS");
    BBtn_SCF_TF_ChartDataWS_Browse = SmallButton(s, "BBtn_SCF_TF_ChartDataWS_Browse", QStyle::SP_FileDialogListView);
    Img_SCF_TF_ChartDataWS = image("Img_SCF_TF_ChartDataWS");

    Pnl_SCF_OF = heading("Pnl_SCF_OF");
    Lbl_SCF_OF_DrivePathFilenameExtn = label("Lbl_SCF_OF_DrivePathFilenameExtn");
    TB_SCF_OF_DrivePathFilenameExtn = edit("TB_SCF_OF_DrivePathFilenameExtn");
    BBtn_SCF_OF_DrivePathFileNameExtn_Default = SmallButton(s, "BBtn_SCF_OF_DrivePathFileNameExtn_Default", QStyle::SP_DialogResetButton,
                                                            "user-home");
    BBtn_SCF_OF_DrivePathFilenameExtn_Browse = SmallButton(s, "BBtn_SCF_OF_DrivePathFilenameExtn_Browse", QStyle::SP_DirOpenIcon);
    BBtn_SCF_OF_DrivePathFilenameExtn_Open = SmallButton(s, "BBtn_SCF_OF_DrivePathFilenameExtn_Open", QStyle::SP_FileIcon, "x-office-spreadsheet");
    Img_SCF_OF_DrivePathFilenameExtn = image("Img_SCF_OF_DrivePathFilenameExtn");

    Pnl_PD_T = heading("Pnl_PD_T");
    Lbl_PD_ProjectTitle = label("Lbl_PD_ProjectTitle");
    TB_PD_ProjectTitle = edit("TB_PD_ProjectTitle");
    Lbl_PD_ProjectNumber = label("Lbl_PD_ProjectNumber");
    TB_PD_ProjectNumber = edit("TB_PD_ProjectNumber");
    Lbl_PD_ProjectClient = label("Lbl_PD_ProjectClient");
    TB_PD_ProjectClient = edit("TB_PD_ProjectClient");

    Pnl_SCF_Note = new QWidget(s);
    Pnl_SCF_Note->setObjectName(QStringLiteral("Pnl_SCF_Note"));
    Pnl_SCF_Note->setFixedHeight(FormMetrics::PanelHeight());
    Lbl_SCF_Note = new QLabel(Pnl_SCF_Note);
    Lbl_SCF_Note->setObjectName(QStringLiteral("Lbl_SCF_Note"));
    auto* noteLayout = new QHBoxLayout(Pnl_SCF_Note);
    noteLayout->setContentsMargins(8, 0, 8, 0);
    noteLayout->addWidget(Lbl_SCF_Note);
    noteLayout->addStretch(1);

    Edits = {TB_SCF_DSF_DrivePathFilenameExtn, TB_SCF_DSF_OpenPassword, TB_SCF_DSF_TaskWS, TB_SCF_DSF_THR,
             TB_SCF_TF_DrivePathFilenameExtn,  TB_SCF_TF_OpenPassword,  TB_SCF_TF_ProjectSummaryWS,
             TB_SCF_TF_ChartDataWS,            TB_SCF_OF_DrivePathFilenameExtn, TB_PD_ProjectTitle,
             TB_PD_ProjectNumber,              TB_PD_ProjectClient};
    Images = {Img_SCF_DSF_DrivePathFilenameExtn, Img_SCF_DSF_TaskWS,         Img_SCF_DSF_THR,
              Img_SCF_TF_DrivePathFilenameExtn,  Img_SCF_TF_ProjectSummaryWS, Img_SCF_TF_ChartDataWS,
              Img_SCF_OF_DrivePathFilenameExtn};
    TB_SCF_DSF_OpenPassword->setEchoMode(QLineEdit::Password);
    TB_SCF_TF_OpenPassword->setEchoMode(QLineEdit::Password);
    TB_SCF_DSF_THR->setFixedWidth(FormMetrics::Scaled(64));

    // Columns: label | edit | Default | Browse | Open (or worksheet Browse) | indicator.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(5, Artwork::IndicatorWidth);
    int row = 0;
    const auto fileRow = [&](QLabel* l, QLineEdit* e, QPushButton* dflt, QPushButton* browse, QPushButton* open,
                             FieldIndicator* img) {
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row, 1, 1, dflt ? 1 : 2);
        if (dflt)
            grid->addWidget(dflt, row, 2);
        grid->addWidget(browse, row, 3);
        grid->addWidget(open, row, 4);
        grid->addWidget(img, row, 5, Qt::AlignCenter);
        ++row;
    };
    const auto plainRow = [&](QLabel* l, QWidget* e, QPushButton* browse, FieldIndicator* img, int span) {
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row, 1, 1, span);
        if (browse)
            grid->addWidget(browse, row, 4);
        if (img)
            grid->addWidget(img, row, 5, Qt::AlignCenter);
        ++row;
    };
    const auto headingRow = [&](HeadingPanel* p) {
        grid->addWidget(p, row, 0, 1, 6);
        ++row;
    };
    auto* thr = new QWidget(s);
    auto* thrLayout = new QHBoxLayout(thr);
    thrLayout->setContentsMargins(0, 0, 0, 0);
    thrLayout->setSpacing(4);
    TB_SCF_DSF_THR->setParent(thr);
    Img_SCF_DSF_THR->setParent(thr);
    thrLayout->addWidget(TB_SCF_DSF_THR);
    thrLayout->addWidget(Img_SCF_DSF_THR);
    thrLayout->addStretch(1);

    headingRow(Pnl_SCF_DSF);
    fileRow(Lbl_SCF_DSF_DrivePathFilenameExtn, TB_SCF_DSF_DrivePathFilenameExtn, nullptr,
            BBtn_SCF_DSF_DrivePathFilenameExtn_Browse, BBtn_SCF_DSF_DrivePathFilenameExtn_Open,
            Img_SCF_DSF_DrivePathFilenameExtn);
    plainRow(Lbl_SCF_DSF_OpenPassword, TB_SCF_DSF_OpenPassword, nullptr, nullptr, 3);
    plainRow(Lbl_SCF_DSF_TaskWS, TB_SCF_DSF_TaskWS, BBtn_SCF_DSF_TaskWS_Browse, Img_SCF_DSF_TaskWS, 3);
    plainRow(Lbl_SCF_DSF_THR, thr, nullptr, nullptr, 5);
    headingRow(Pnl_SCF_TF);
    fileRow(Lbl_SCF_TF_DrivePathFilenameExtn, TB_SCF_TF_DrivePathFilenameExtn,
            BBtn_SCF_TF_DrivePathFileNameExtn_Default, BBtn_SCF_TF_DrivePathFilenameExtn_Browse,
            BBtn_SCF_TF_DrivePathFilenameExtn_Open, Img_SCF_TF_DrivePathFilenameExtn);
    plainRow(Lbl_SCF_TF_OpenPassword, TB_SCF_TF_OpenPassword, nullptr, nullptr, 3);
    plainRow(Lbl_SCF_TF_ProjectSummaryWS, TB_SCF_TF_ProjectSummaryWS, BBtn_SCF_TF_ProjectSummaryWS_Browse,
             Img_SCF_TF_ProjectSummaryWS, 3);
    plainRow(Lbl_SCF_TF_ChartDataWS, TB_SCF_TF_ChartDataWS, BBtn_SCF_TF_ChartDataWS_Browse, Img_SCF_TF_ChartDataWS,
             3);
    headingRow(Pnl_SCF_OF);
    fileRow(Lbl_SCF_OF_DrivePathFilenameExtn, TB_SCF_OF_DrivePathFilenameExtn,
            BBtn_SCF_OF_DrivePathFileNameExtn_Default, BBtn_SCF_OF_DrivePathFilenameExtn_Browse,
            BBtn_SCF_OF_DrivePathFilenameExtn_Open, Img_SCF_OF_DrivePathFilenameExtn);
    headingRow(Pnl_PD_T);
    plainRow(Lbl_PD_ProjectTitle, TB_PD_ProjectTitle, nullptr, nullptr, 5);
    plainRow(Lbl_PD_ProjectNumber, TB_PD_ProjectNumber, nullptr, nullptr, 5);
    plainRow(Lbl_PD_ProjectClient, TB_PD_ProjectClient, nullptr, nullptr, 5);

    auto* v = new QVBoxLayout(s);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addLayout(grid);
    v->addStretch(1);
    v->addWidget(Pnl_SCF_Note);

    for (int i = 0; i < EditCount; ++i) {
        QLineEdit* e = Edits[size_t(i)];
        e->installEventFilter(this);
        QObject::connect(e, &QLineEdit::textChanged, this, [this, i] { EditChange(Edit(i)); });
    }
    const auto click = [this](QPushButton* b, void (TUF_MainFiles::*handler)()) {
        QObject::connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(BBtn_SCF_DSF_DrivePathFilenameExtn_Browse, &TUF_MainFiles::BBtn_SCF_DSF_DrivePathFilenameExtn_BrowseClick);
    click(BBtn_SCF_DSF_DrivePathFilenameExtn_Open, &TUF_MainFiles::BBtn_SCF_DSF_DrivePathFilenameExtn_OpenClick);
    click(BBtn_SCF_DSF_TaskWS_Browse, &TUF_MainFiles::BBtn_SCF_DSF_TaskWS_BrowseClick);
    click(BBtn_SCF_TF_DrivePathFileNameExtn_Default, &TUF_MainFiles::BBtn_SCF_TF_DrivePathFileNameExtn_DefaultClick);
    click(BBtn_SCF_TF_DrivePathFilenameExtn_Browse, &TUF_MainFiles::BBtn_SCF_TF_DrivePathFilenameExtn_BrowseClick);
    click(BBtn_SCF_TF_DrivePathFilenameExtn_Open, &TUF_MainFiles::BBtn_SCF_TF_DrivePathFilenameExtn_OpenClick);
    click(BBtn_SCF_TF_ProjectSummaryWS_Browse, &TUF_MainFiles::BBtn_SCF_TF_ProjectSummaryWS_BrowseClick);
    click(BBtn_SCF_TF_ChartDataWS_Browse, &TUF_MainFiles::BBtn_SCF_TF_ChartDataWS_BrowseClick);
    click(BBtn_SCF_OF_DrivePathFileNameExtn_Default, &TUF_MainFiles::BBtn_SCF_OF_DrivePathFileNameExtn_DefaultClick);
    click(BBtn_SCF_OF_DrivePathFilenameExtn_Browse, &TUF_MainFiles::BBtn_SCF_OF_DrivePathFilenameExtn_BrowseClick);
    click(BBtn_SCF_OF_DrivePathFilenameExtn_Open, &TUF_MainFiles::BBtn_SCF_OF_DrivePathFilenameExtn_OpenClick);
}

int TUF_MainFiles::IndexOf(const QObject* edit) const
{
    for (int i = 0; i < EditCount; ++i)
        if (Edits[size_t(i)] == edit)
            return i;
    return -1;
}

FilesPage::Texts TUF_MainFiles::PageTexts() const
{
    FilesPage::Texts t;
    for (int i = 0; i < EditCount; ++i)
        t[size_t(i)] = Edits[size_t(i)]->text();
    return t;
}

void TUF_MainFiles::SetTexts(const FilesPage::Texts& t)
{
    for (int i = 0; i < EditCount; ++i)
        if (Edits[size_t(i)]->text() != t[size_t(i)])
            Edits[size_t(i)]->setText(t[size_t(i)]);
}

// ---- keys ------------------------------------------------------------------

bool TUF_MainFiles::eventFilter(QObject* watched, QEvent* event)
{
    const int i = IndexOf(watched);
    if (i < 0)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        return EditKeyDown(Edit(i), k) || EditKeyPress(Edit(i), k);
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving the window or opening a menu is not leaving the edit.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            EditExit(Edit(i));
    }
    return false;
}

bool TUF_MainFiles::EditKeyDown(Edit e, QKeyEvent* event)
{
    F.BH_Main->HideHint();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const Edit to = EnterTarget(e, event->modifiers() & Qt::ShiftModifier);
        if (to != e)
            Edits[size_t(to)]->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return F.KeyDownSelectAll(Edits[size_t(e)], event);
}

bool TUF_MainFiles::EditKeyPress(Edit e, QKeyEvent* event)
{
    // Only what the key types is filtered: editing keys and shortcuts pass.
    const QString typed = EditKeys::TypedText(event->key(), event->modifiers(), event->text());
    if (typed.isEmpty())
        return false;
    QLineEdit* edit = Edits[size_t(e)];
    if (F.WarnMaxLengthKey(edit, event, MaxLengthOf(e)))
        return true;
    for (QChar key : typed) {
        ValidateKey(edit, key, FilterOf(e));
        if (key.isNull())
            return true;
    }
    return false;
}

void TUF_MainFiles::ShowBalloon(QLineEdit* edit, const QString& text)
{
    F.ShowBalloonAtTextEnd(edit, text);
}

void TUF_MainFiles::ValidateKey(QObject* sender, QChar& key, KeyFilter filter)
{
    auto* edit = qobject_cast<QLineEdit*>(sender);
    if (!edit || edit->isReadOnly() || key.isNull() || !Refuses(filter, key))
        return;
    key = QChar();
    int maxRows = 0;
    if (filter == KeyFilter::HeaderRow) {
        // The range follows the Data Source File's format.
        XL->SetWorkbookFileName(Utils::Trim(TB_SCF_DSF_DrivePathFilenameExtn->text()));
        maxRows = XL->GetMaxRows();
    }
    ShowBalloon(edit, BalloonText(filter, maxRows));
}

// ---- change and exit -------------------------------------------------------

void TUF_MainFiles::ResetCaches(const CacheReset& r)
{
    TzySD& sd = ActiveDefinition();
    if (r.wsl1)
        sd.ResetWSL(wslDataSource);
    if (r.wsl2)
        sd.ResetWSL(wslTemplate);
    if (r.fieldList)
        sd.ResetFL();
    if (r.valueLists)
        sd.ResetVL();
}

void TUF_MainFiles::EditChange(Edit e)
{
    F.BH_Main->HideHint();
    if (F.Updating[0])
        return;
    const CacheReset r = OnChange(e);
    ResetCaches(r);
    if (r.update)
        F.UpdatePage0();
}

void TUF_MainFiles::EditExit(Edit e)
{
    F.BH_Main->HideHint();
    QLineEdit* edit = Edits[size_t(e)];
    if (e != eTitle && e != eNumber && e != eClient)
        edit->setText(edit->text()); // empties the undo history
    const FilesPage::Texts before = PageTexts();
    const FilesPage::Texts after = OnExit(*DV, e, before, UP->GetDefaultXLExtnDot());
    SetTexts(after);
    if (e == eTitle || e == eNumber || e == eClient)
        edit->setText(edit->text());
}

// ---- file commands ---------------------------------------------------------

QLineEdit* TUF_MainFiles::FileEdit(FileKind k) const
{
    return k == FileKind::DataSource ? TB_SCF_DSF_DrivePathFilenameExtn
           : k == FileKind::Template ? TB_SCF_TF_DrivePathFilenameExtn
                                     : TB_SCF_OF_DrivePathFilenameExtn;
}

void TUF_MainFiles::FileBrowse(FileKind k)
{
    F.BH_Main->HideHint();
    F.FocusPages();
    QLineEdit* edit = FileEdit(k);
    const QString label = FieldLabel(k);
    const QString fileName = Utils::Trim(edit->text());
    const QString folder = Utils::Trim(Utils::ExtractFilePath(fileName));
    const bool folderExists = Utils::DirExists(FolderLabel(k), folder);
    forms::OpenFileRequest r;
    r.title = forms::DialogTitle(BrowseTitle(k));
    r.filter = forms::ExcelFileFilter();
    r.initialDir = BrowseFolder(k, folder, folderExists, QDir::currentPath(), TzyAD::GetAppFolder(),
                                k == FileKind::Output ? UP->GetDefaultOFFolder() : QString());
    r.mustExist = k != FileKind::Output;
    if (!fileName.isEmpty() && Utils::FileExists(label, fileName, true))
        r.fileName = fileName;

    if (const std::optional<QString> picked = forms::fileDialogs().openFile(&F, r)) {
        QString chosen = *picked;
        if (Utils::GetFileExt(chosen, false).isEmpty()) {
            const QString extDot = UP->GetDefaultXLExtnDot();
            std::optional<QString> fixed;
            if (k == FileKind::Output)
                fixed = TemplateExtension(*DV, chosen, TB_SCF_TF_DrivePathFilenameExtn->text());
            if (!fixed)
                fixed = DefaultExtension(*DV, label, chosen, extDot);
            if (fixed)
                chosen = *fixed;
        }
        if (DV->ValidateExcelFile(label, chosen))
            return;
        // Another spelling of the same file changes nothing.
        if (!SameFile(chosen, fileName)) {
            CacheReset r;
            if (k == FileKind::Template) {
                r.wsl2 = true;
                ResetCaches(r);
            }
            edit->setText(chosen);
            if (k == FileKind::DataSource) {
                r.wsl1 = r.fieldList = r.valueLists = true;
                ResetCaches(r);
            }
            F.UpdatePage0();
            if (k == FileKind::Template)
                if (auto fixed = TemplateExtension(*DV, TB_SCF_OF_DrivePathFilenameExtn->text(), chosen))
                    TB_SCF_OF_DrivePathFilenameExtn->setText(*fixed);
        }
    }
    if (edit->isEnabled())
        edit->setFocus();
}

void TUF_MainFiles::FileOpen(FileKind k)
{
    F.BH_Main->HideHint();
    QLineEdit* edit = FileEdit(k);
    if (edit->isEnabled())
        edit->setFocus();
    const QString label = FieldLabel(k);
    const QString fileName = Utils::Trim(edit->text());
    if (DV->ValidatePath(label, fileName) || DV->ValidateFileExists(label, fileName) || OCP->CheckFile(label, fileName))
        return;
    CacheReset r;
    r.wsl1 = r.fieldList = r.valueLists = k == FileKind::DataSource;
    r.wsl2 = k == FileKind::Template;
    ResetCaches(r);
    HelpDocs::OpenWithDesktop(QString(), label, fileName, QString(), kCloseDialogueHint, &F);
}

void TUF_MainFiles::BBtn_SCF_DSF_DrivePathFilenameExtn_BrowseClick() { FileBrowse(FileKind::DataSource); }
void TUF_MainFiles::BBtn_SCF_TF_DrivePathFilenameExtn_BrowseClick() { FileBrowse(FileKind::Template); }
void TUF_MainFiles::BBtn_SCF_OF_DrivePathFilenameExtn_BrowseClick() { FileBrowse(FileKind::Output); }
void TUF_MainFiles::BBtn_SCF_DSF_DrivePathFilenameExtn_OpenClick() { FileOpen(FileKind::DataSource); }
void TUF_MainFiles::BBtn_SCF_TF_DrivePathFilenameExtn_OpenClick() { FileOpen(FileKind::Template); }
void TUF_MainFiles::BBtn_SCF_OF_DrivePathFilenameExtn_OpenClick() { FileOpen(FileKind::Output); }

void TUF_MainFiles::BBtn_SCF_TF_DrivePathFileNameExtn_DefaultClick()
{
    F.BH_Main->HideHint();
    F.FocusPages();
    TB_SCF_TF_DrivePathFilenameExtn->setText(UP->GetDefaultTemplateFile());
    F.UpdatePage0();
}

void TUF_MainFiles::BBtn_SCF_OF_DrivePathFileNameExtn_DefaultClick()
{
    F.BH_Main->HideHint();
    F.FocusPages();
    const QString text = TB_SCF_OF_DrivePathFilenameExtn->text();
    const QString name = Utils::Trim(Utils::ExtractFileName(text));
    const QString folder = UP->GetDefaultOFFolder();
    TB_SCF_OF_DrivePathFilenameExtn->setText(text.isEmpty() ? folder : folder + name);
    F.UpdatePage0();
}

// ---- worksheet commands ----------------------------------------------------

void TUF_MainFiles::WorksheetBrowse(int alignMode)
{
    F.BH_Main->HideHint();
    F.FocusPages();
    const bool source = alignMode == 1;
    QLineEdit* fileEdit = source ? TB_SCF_DSF_DrivePathFilenameExtn : TB_SCF_TF_DrivePathFilenameExtn;
    QLineEdit* pwdEdit = source ? TB_SCF_DSF_OpenPassword : TB_SCF_TF_OpenPassword;
    QLineEdit* wsEdit = alignMode == 1 ? TB_SCF_DSF_TaskWS
                        : alignMode == 2 ? TB_SCF_TF_ProjectSummaryWS
                                         : TB_SCF_TF_ChartDataWS;
    QPushButton* button = alignMode == 1 ? BBtn_SCF_DSF_TaskWS_Browse
                          : alignMode == 2 ? BBtn_SCF_TF_ProjectSummaryWS_Browse
                                           : BBtn_SCF_TF_ChartDataWS_Browse;
    const int itemId = alignMode == 1 ? 603 : alignMode == 2 ? 608 : 609;
    const BrowseCommands::WorksheetChoice c = BrowseCommands::BrowseWorksheet(
        UIT(source ? 600 : 605), Utils::Trim(fileEdit->text()), pwdEdit->text(), UIT(itemId),
        source ? wslDataSource : wslTemplate, alignMode, wsEdit->text(), BrowseAnchor(button, wsEdit, wsEdit->height()));
    if (!c.checksPassed)
        return;
    if (c.result == TUF_Browse::mrSelect && !c.ws.isEmpty()) {
        wsEdit->setText(c.ws);
        if (source) {
            CacheReset r;
            r.fieldList = r.valueLists = true;
            ResetCaches(r);
        }
        F.UpdatePage0();
    }
    if (wsEdit->isEnabled()) {
        wsEdit->setFocus();
        wsEdit->selectAll();
    }
}

void TUF_MainFiles::BBtn_SCF_DSF_TaskWS_BrowseClick() { WorksheetBrowse(1); }
void TUF_MainFiles::BBtn_SCF_TF_ProjectSummaryWS_BrowseClick() { WorksheetBrowse(2); }
void TUF_MainFiles::BBtn_SCF_TF_ChartDataWS_BrowseClick() { WorksheetBrowse(3); }

// ---- the page protocol -----------------------------------------------------

void TUF_Main::ClearPage0()
{
    Updating[0] = true;
    for (QLineEdit* e : Files->Edits)
        e->clear();
    TzySD& sd = ActiveDefinition();
    sd.ResetWSL(wslDataSource);
    sd.ResetWSL(wslTemplate);
    sd.ResetFL();
    sd.ResetVL();
    Updating[0] = false;
}

void TUF_Main::EnablePage0(bool enabled)
{
    PageEnabled[0] = enabled;
    if (!enabled) {
        ClearPage0();
        for (FieldIndicator* img : Files->Images)
            SetImgState(img, QString(), false);
    }
    const auto children = Files->TS_SCF->findChildren<QWidget*>();
    for (QWidget* w : children)
        w->setEnabled(enabled);
}

void TUF_Main::LoadPage0()
{
    if (!PageEnabled[0])
        return;
    Updating[0] = true;
    TzySCF& scf = ActiveDefinition().SCF;
    const StoredFiles f = ForLoad(*DV, {scf.GetDataSourceFile(), scf.GetTemplateFile(), scf.GetOutputFile()},
                                  UP->GetDefaultXLExtnDot());
    if (f.dsf != scf.GetDataSourceFile())
        scf.SetDataSourceFile(f.dsf);
    if (f.tf != scf.GetTemplateFile())
        scf.SetTemplateFile(f.tf);
    if (f.of != scf.GetOutputFile())
        scf.SetOutputFile(f.of);
    const TzyPD& pd = ActiveDefinition().PD;
    FilesPage::Texts t;
    t[eDSF] = scf.GetDataSourceFile();
    t[eDSFPassword] = scf.GetDataSourceFileOpenPassword();
    t[eTaskWS] = scf.TaskWS;
    t[eTHR] = QString::number(scf.TaskHeaderRow);
    t[eTF] = scf.GetTemplateFile();
    t[eTFPassword] = scf.GetTemplateFileOpenPassword();
    t[ePSWS] = scf.ProjectSummaryWS;
    t[eCDWS] = scf.ChartDataWS;
    t[eOF] = scf.GetOutputFile();
    t[eTitle] = pd.GetProjectTitle();
    t[eNumber] = pd.GetProjectNumber();
    t[eClient] = pd.GetProjectClient();
    Files->SetTexts(t);
    Updating[0] = false;
}

void TUF_Main::SavePage0()
{
    BH_Main->HideHint();
    if (!PageEnabled[0])
        return;
    Updating[0] = true;
    const FilesPage::Texts t = ForSave(*DV, Files->PageTexts(), UP->GetDefaultXLExtnDot());
    Files->SetTexts(t);
    TzySCF& scf = ActiveDefinition().SCF;
    scf.SetDataSourceFile(Utils::Trim(t[eDSF]));
    scf.SetDataSourceFileOpenPassword(t[eDSFPassword]);
    scf.SetTaskWS(Utils::Trim(t[eTaskWS]));
    scf.SetTaskHeaderRow(Utils::StrToIntBlankZero(Utils::Trim(t[eTHR])));
    scf.SetTemplateFile(Utils::Trim(t[eTF]));
    scf.SetTemplateFileOpenPassword(t[eTFPassword]);
    scf.SetProjectSummaryWS(t[ePSWS]);
    scf.SetChartDataWS(t[eCDWS]);
    scf.SetOutputFile(Utils::Trim(t[eOF]));
    TzyPD& pd = ActiveDefinition().PD;
    pd.SetProjectTitle(Utils::Trim(t[eTitle]));
    pd.SetProjectNumber(Utils::Trim(t[eNumber]));
    pd.SetProjectClient(Utils::Trim(t[eClient]));
    Updating[0] = false;
}

void TUF_Main::UpdatePage0()
{
    BH_Main->HideHint();
    if (!PageEnabled[0])
        return;
    TUF_MainFiles& p = *Files;
    const auto withText = [](int id, const QString& text) {
        const QString t = Utils::Trim(text);
        return t.isEmpty() ? FormMetrics::Hint({UIT(id)}) : FormMetrics::Hint({UIT(id), text});
    };
    p.BBtn_SCF_DSF_DrivePathFilenameExtn_Open->setEnabled(!Utils::Trim(p.TB_SCF_DSF_DrivePathFilenameExtn->text()).isEmpty());
    p.BBtn_SCF_TF_DrivePathFilenameExtn_Open->setEnabled(!Utils::Trim(p.TB_SCF_TF_DrivePathFilenameExtn->text()).isEmpty());
    p.BBtn_SCF_OF_DrivePathFilenameExtn_Open->setEnabled(!Utils::Trim(p.TB_SCF_OF_DrivePathFilenameExtn->text()).isEmpty());
    p.TB_SCF_DSF_DrivePathFilenameExtn->setToolTip(withText(755, p.TB_SCF_DSF_DrivePathFilenameExtn->text()));
    p.TB_SCF_TF_DrivePathFilenameExtn->setToolTip(withText(767, p.TB_SCF_TF_DrivePathFilenameExtn->text()));
    p.TB_SCF_OF_DrivePathFilenameExtn->setToolTip(withText(781, p.TB_SCF_OF_DrivePathFilenameExtn->text()));
    p.BBtn_SCF_TF_DrivePathFileNameExtn_Default->setToolTip(withText(768, UP->GetDefaultTemplateFile()));
    p.BBtn_SCF_OF_DrivePathFileNameExtn_Default->setToolTip(withText(782, UP->GetDefaultOFFolder()));
    p.UpdatePage0Details();
}

void TUF_MainFiles::UpdatePage0Details()
{
    const auto hints = IndicatorHints(*DV, PageTexts());
    for (int i = 0; i < IndicatorCount; ++i)
        F.SetImgState(Images[size_t(i)], hints[size_t(i)].value_or(QString()), hints[size_t(i)].has_value());
}
