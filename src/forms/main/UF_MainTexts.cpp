// The main form's text tables and the set-up routines that apply them.
#include "UF_MainTexts.h"

#include "FieldIndicator.h"
#include "FormMetrics.h"
#include "FormText.h"
#include "HeadingPanel.h"
#include "UF_Main.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyColors.h"
#include "zyGrid.h"
#include "zyUIL.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

namespace MainTexts {

using K = Kind;

const std::vector<CaptionEntry>& Captions()
{
    static const std::vector<CaptionEntry> table = {
        // Frame: menus.
        {"MT_File", K::Bare, 38},
        {"MI_File_Reset", K::Bare, 39},
        {"MI_File_Exit", K::Bare, 40},
        {"MT_Edit", K::Bare, 41},
        {"MI_Edit_Cut", K::Bare, 42},
        {"MI_Edit_Copy", K::Bare, 43},
        {"MI_Edit_Paste", K::Bare, 44},
        {"MI_Edit_Undo", K::Bare, 45},
        {"MT_Tools", K::Bare, 46},
        {"MI_Tools_Options", K::Bare, 47},
        {"MT_Help", K::Bare, 51},
        {"MI_Help_Tutorial", K::Bare, 52},
        {"MI_Help_UserManual", K::Bare, 53},
        {"MI_Help_WhitePaper", K::Bare, 54},
        {"MI_Help_About", K::BareProduct, 55},
        // Frame: toolbar and Process.
        {"TBtn_File_Reset", K::Padded, 32},
        {"TBtn_Edit_Cut", K::Padded, 33},
        {"TBtn_Edit_Copy", K::Padded, 34},
        {"TBtn_Edit_Paste", K::Padded, 35},
        {"TBtn_Edit_Undo", K::Padded, 36},
        {"TBtn_ShowHints", K::Padded, 37},
        {"BBtn_Process", K::Padded, 151},
        // Page 0.
        {"TS_SCF", K::Tab, 56},
        {"Pnl_SCF_DSF", K::Heading, 57},
        {"Lbl_SCF_DSF_DrivePathFilenameExtn", K::Padded, 58},
        {"Lbl_SCF_DSF_OpenPassword", K::Padded, 61},
        {"Lbl_SCF_DSF_TaskWS", K::Padded, 62},
        {"Lbl_SCF_DSF_THR", K::Padded, 64},
        {"Pnl_SCF_TF", K::Heading, 65},
        {"Lbl_SCF_TF_DrivePathFilenameExtn", K::Padded, 66},
        {"Lbl_SCF_TF_OpenPassword", K::Padded, 70},
        {"Lbl_SCF_TF_ProjectSummaryWS", K::Padded, 71},
        {"Lbl_SCF_TF_ChartDataWS", K::Padded, 73},
        {"Pnl_SCF_OF", K::Heading, 75},
        {"Lbl_SCF_OF_DrivePathFilenameExtn", K::Padded, 76},
        {"Pnl_PD_T", K::Heading, 80},
        {"Lbl_PD_ProjectTitle", K::Padded, 81},
        {"Lbl_PD_ProjectNumber", K::Padded, 82},
        {"Lbl_PD_ProjectClient", K::Padded, 83},
        {"Lbl_SCF_Note", K::Padded, 84},
        // Page 1.
        {"TS_SCO", K::Tab, 85},
        {"Pnl_SCO_SCO", K::Heading, 86},
        {"CB_SCO_GenerateBL", K::Padded, 87},
        {"CB_SCO_GenerateACT", K::Padded, 88},
        {"CB_SCO_GenerateTGT", K::Padded, 89},
        {"Lbl_SCO_CutOffDate", K::Padded, 90},
        {"Lbl_SCO_CutOffDate_Note1", K::Padded, 91},
        {"Lbl_SCO_CutOffDate_Note2", K::Padded, 92},
        {"Lbl_SCO_CutOffDate_Note3", K::Padded, 93},
        {"Pnl_SCO_QAO", K::Heading, 94},
        {"CB_SCO_GraphMH", K::Padded, 95},
        {"CB_SCO_GraphCost", K::Padded, 96},
        {"Pnl_SCO_SCP_Preview", K::Heading, 97},
        {"Lbl_SCO_SCP_XAxis", K::Padded, 102},
        {"Lbl_SCO_Legend_SC", K::Padded, 103},
        {"Lbl_SCO_Legend_BL_SC", K::Padded, 104},
        {"Lbl_SCO_Legend_ACT_SC", K::Padded, 105},
        {"Lbl_SCO_Legend_TGT_SC", K::Padded, 106},
        {"Lbl_SCO_Legend_COD_SC", K::Padded, 107},
        {"Pnl_SCO_HGP_Preview", K::Heading, 108},
        {"Lbl_SCO_HGP_XAxis", K::Padded, 113},
        {"Lbl_SCO_Legend_HG", K::Padded, 114},
        {"Lbl_SCO_Legend_BL_HG", K::Padded, 115},
        {"Lbl_SCO_Legend_ACT_HG", K::Padded, 116},
        {"Lbl_SCO_Legend_TGT_HG", K::Padded, 117},
        {"Lbl_SCO_Legend_COD_HG", K::Padded, 118},
        // Page 2.
        {"TS_DSM", K::Tab, 119},
        {"Pnl_DSM_T", K::Heading, 120},
        {"SG_DSM", K::GridHome, 121},
        {"SG_DSM", K::GridHeader, 122, 1},
        {"SG_DSM", K::GridHeader, 123, 2},
        {"SG_DSM", K::GridHeader, 0, 3},
        {"SG_DSM", K::GridGutter, 628, 1},
        {"SG_DSM", K::GridGutter, 629, 2},
        {"SG_DSM", K::GridGutter, 630, 3},
        {"SG_DSM", K::GridGutter, 631, 4},
        {"SG_DSM", K::GridGutter, 632, 5},
        {"SG_DSM", K::GridGutter, 633, 6},
        {"SG_DSM", K::GridGutter, 634, 7},
        {"SG_DSM", K::GridGutter, 635, 8},
        {"SG_DSM", K::GridGutter, 636, 9},
        {"SBtn_DSM_AutoSize", K::Padded, 125},
        {"BBtn_DSM_UpdateTaskFldDesc", K::Padded, 126},
        {"Lbl_DSM_Note", K::Padded, 127},
        // Page 3.
        {"TS_DSF", K::Tab, 128},
        {"Pnl_DSF_T", K::Heading, 129},
        {"SG_DSF", K::GridHome, 130},
        {"SG_DSF", K::GridHeader, 131, 1},
        {"SG_DSF", K::GridHeader, 132, 2},
        {"SG_DSF", K::GridHeader, 133, 3},
        {"SG_DSF", K::GridHeader, 134, 4},
        {"SG_DSF", K::GridHeader, 135, 5},
        {"SG_DSF", K::GridHeader, 0, 6},
        {"DDL_DSF_AndFlag", K::ComboItem, 590, 0},
        {"DDL_DSF_AndFlag", K::ComboItem, 136, 1},
        {"DDL_DSF_AndFlag", K::ComboItem, 137, 2},
        {"DDL_DSF_FilterOperator", K::ComboItem, 590, 0},
        {"DDL_DSF_FilterOperator", K::ComboItem, 650, 1},
        {"DDL_DSF_FilterOperator", K::ComboItem, 651, 2},
        {"DDL_DSF_FilterOperator", K::ComboItem, 652, 3},
        {"DDL_DSF_FilterOperator", K::ComboItem, 653, 4},
        {"DDL_DSF_FilterOperator", K::ComboItem, 654, 5},
        {"DDL_DSF_FilterOperator", K::ComboItem, 655, 6},
        {"DDL_DSF_FilterOperator", K::ComboItem, 656, 7},
        {"DDL_DSF_FilterOperator", K::ComboItem, 657, 8},
        {"DDL_DSF_FilterOperator", K::ComboItem, 658, 9},
        {"DDL_DSF_FilterOperator", K::ComboItem, 659, 10},
        {"DDL_DSF_FilterOperator", K::ComboItem, 660, 11},
        {"DDL_DSF_FilterOperator", K::ComboItem, 661, 12},
        {"DDL_DSF_FilterOperator", K::ComboItem, 662, 13},
        {"DDL_DSF_FilterOperator", K::ComboItem, 663, 14},
        {"SBtn_DSF_Enable", K::Padded, 140},
        {"BBtn_DSF_Insert", K::Padded, 141},
        {"BBtn_DSF_Delete", K::Padded, 142},
        {"BBtn_DSF_MoveUp", K::Padded, 143},
        {"BBtn_DSF_MoveDown", K::Padded, 144},
        {"BBtn_DSF_Refresh", K::Padded, 145},
        {"BBtn_DSF_Clear", K::Padded, 146},
        {"SBtn_DSF_AutoSize", K::Padded, 147},
        {"BBtn_DSF_UpdateTaskFldDesc", K::Padded, 148},
        {"Lbl_DSF_Note1", K::Padded, 149},
        {"Lbl_DSF_Note2", K::Padded, 150},
    };
    return table;
}

namespace {
HintLine L(int id)
{
    HintLine l;
    l.textId = id;
    return l;
}
HintLine N(int id, int n)
{
    HintLine l = L(id);
    l.a = n;
    l.numberOnly = true;
    return l;
}
HintLine R(int id, const char* ext, int low, int high)
{
    HintLine l = L(id);
    l.text = QString::fromLatin1(ext);
    l.a = low;
    l.b = high;
    return l;
}
HintLine S(int id)
{
    HintLine l = L(id);
    l.shortcut = true;
    return l;
}
} // namespace

const std::vector<HintEntry>& Hints()
{
    static const std::vector<HintEntry> table = {
        {"TBtn_File_Reset", {L(738), L(739)}},
        {"TBtn_Edit_Cut", {L(740), S(741)}, "MI_Edit_Cut"},
        {"TBtn_Edit_Copy", {L(742), S(743)}, "MI_Edit_Copy"},
        {"TBtn_Edit_Paste", {L(744), S(745)}, "MI_Edit_Paste"},
        {"TBtn_Edit_Undo", {L(746), S(747)}, "MI_Edit_Undo"},
        {"TBtn_ShowHints", {L(748)}},
        {"BBtn_SCF_DSF_DrivePathFilenameExtn_Browse", {L(756)}},
        {"BBtn_SCF_DSF_DrivePathFilenameExtn_Open", {L(757)}},
        {"TB_SCF_DSF_OpenPassword", {L(758), N(759, 255)}},
        {"TB_SCF_DSF_TaskWS", {L(760), L(761), N(762, 31)}},
        {"BBtn_SCF_DSF_TaskWS_Browse", {L(763)}},
        {"TB_SCF_DSF_THR", {L(764), L(765), R(766, ".xls", 1, 65535), R(766, ".xlsx", 1, 1048575)}},
        {"BBtn_SCF_TF_DrivePathFilenameExtn_Browse", {L(769)}},
        {"BBtn_SCF_TF_DrivePathFilenameExtn_Open", {L(770)}},
        {"TB_SCF_TF_OpenPassword", {L(771), N(772, 255)}},
        {"TB_SCF_TF_ProjectSummaryWS", {L(773), L(774), N(775, 31)}},
        {"BBtn_SCF_TF_ProjectSummaryWS_Browse", {L(776)}},
        {"TB_SCF_TF_ChartDataWS", {L(777), L(778), N(779, 31)}},
        {"BBtn_SCF_TF_ChartDataWS_Browse", {L(780)}},
        {"BBtn_SCF_OF_DrivePathFilenameExtn_Browse", {L(783)}},
        {"BBtn_SCF_OF_DrivePathFilenameExtn_Open", {L(784)}},
        {"TB_PD_ProjectTitle", {L(749), N(750, 255)}},
        {"TB_PD_ProjectNumber", {L(751), N(752, 255)}},
        {"TB_PD_ProjectClient", {L(753), N(754, 255)}},
        {"CB_SCO_GenerateBL", {L(785), L(786)}},
        {"CB_SCO_GenerateACT", {L(787), L(788)}},
        {"CB_SCO_GenerateTGT", {L(789), L(790)}},
        {"DTP_SCO_CutOffDate", {L(791)}},
        {"CB_SCO_GraphMH", {L(792), L(793)}},
        {"CB_SCO_GraphCost", {L(794), L(795)}},
        {"BBtn_DSM_TaskFld_Browse", {L(796)}},
        {"SBtn_DSM_AutoSize", {L(797)}},
        {"BBtn_DSM_UpdateTaskFldDesc", {L(798), L(799)}},
        {"DDL_DSF_AndFlag", {L(800)}},
        {"BBtn_DSF_TaskFld_Browse", {L(801)}},
        {"DDL_DSF_FilterOperator", {L(802)}},
        {"BBtn_DSF_TaskFldValue_Browse", {L(803)}},
        {"SBtn_DSF_Enable", {L(804)}},
        {"BBtn_DSF_Insert", {L(805), L(806)}},
        {"BBtn_DSF_Delete", {L(807), L(808)}},
        {"BBtn_DSF_MoveUp", {L(809), L(810)}},
        {"BBtn_DSF_MoveDown", {L(811), L(812)}},
        {"BBtn_DSF_Refresh", {L(813), L(814)}},
        {"BBtn_DSF_Clear", {L(815), L(816)}},
        {"SBtn_DSF_AutoSize", {L(817)}},
        {"BBtn_DSF_UpdateTaskFldDesc", {L(818), L(819)}},
        {"BBtn_Process", {L(820), L(821)}},
    };
    return table;
}

const std::vector<MaxLengthEntry>& MaxLengths()
{
    static const std::vector<MaxLengthEntry> table = {
        {"TB_SCF_DSF_DrivePathFilenameExtn", 260},
        {"TB_SCF_TF_DrivePathFilenameExtn", 260},
        {"TB_SCF_OF_DrivePathFilenameExtn", 260},
        {"TB_SCF_DSF_OpenPassword", 255},
        {"TB_SCF_TF_OpenPassword", 255},
        {"TB_SCF_DSF_TaskWS", 31},
        {"TB_SCF_TF_ProjectSummaryWS", 31},
        {"TB_SCF_TF_ChartDataWS", 31},
        {"TB_SCF_DSF_THR", 7},
        {"TB_PD_ProjectTitle", 255},
        {"TB_PD_ProjectNumber", 255},
        {"TB_PD_ProjectClient", 255},
    };
    return table;
}

const std::vector<const char*>& RequiredLabels()
{
    static const std::vector<const char*> table = {
        "Lbl_SCF_DSF_DrivePathFilenameExtn", "Lbl_SCF_DSF_TaskWS",          "Lbl_SCF_DSF_THR",
        "Lbl_SCF_TF_DrivePathFilenameExtn",  "Lbl_SCF_TF_ProjectSummaryWS", "Lbl_SCF_TF_ChartDataWS",
        "Lbl_SCF_OF_DrivePathFilenameExtn",
    };
    return table;
}

QString CaptionText(const CaptionEntry& e)
{
    const QString text = e.textId ? UIT(e.textId) : QString();
    switch (e.kind) {
    case K::Bare:
    case K::ComboItem:
        return text;
    case K::BareProduct:
        return Utils::Format(text, {TzyAD::ProductName()});
    case K::Heading:
        return FormMetrics::HeadingCaption(text);
    case K::GridHeader:
    case K::GridGutter:
        // An empty header stays empty rather than two blanks.
        return text.isEmpty() ? QString() : FormText::Padded(text);
    default:
        return FormText::Padded(text);
    }
}

QString HintText(const HintEntry& e, const QString& shortcut)
{
    QStringList lines;
    for (const HintLine& l : e.lines) {
        QString t = UIT(l.textId);
        if (l.numberOnly)
            t = Utils::Format(t, {l.a});
        else if (!l.text.isEmpty())
            t = Utils::Format(t, {l.text, l.a, l.b});
        if (l.shortcut && !shortcut.isEmpty())
            t += QStringLiteral(" (") + shortcut + QLatin1Char(')');
        lines << t;
    }
    return FormMetrics::Hint(lines);
}

namespace {

QTabWidget* tabWidgetOf(QWidget* sheet)
{
    for (QWidget* w = sheet ? sheet->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            return tabs;
    return nullptr;
}

// Header cells are columns 1..ColCount, gutter cells rows 1..RowCount; a
// grid built smaller than the table takes what fits.
bool gridCellExists(const TzyGrid* g, MainTexts::Kind kind, int index)
{
    return index >= 1 && index <= (kind == MainTexts::Kind::GridHeader ? g->ColCount() : g->RowCount());
}

} // namespace

QString ShownCaption(QObject* control, const CaptionEntry& e)
{
    if (!control)
        return QString();
    switch (e.kind) {
    case K::Tab: {
        auto* sheet = qobject_cast<QWidget*>(control);
        QTabWidget* tabs = tabWidgetOf(sheet);
        return tabs ? tabs->tabText(tabs->indexOf(sheet)) : QString();
    }
    case K::GridHome:
        if (auto* g = qobject_cast<TzyGrid*>(control))
            return g->HomeText();
        return QString();
    case K::GridHeader:
    case K::GridGutter:
        if (auto* g = qobject_cast<TzyGrid*>(control)) {
            if (!gridCellExists(g, e.kind, e.index))
                return QString();
            return e.kind == K::GridHeader ? g->getHeaderCellText(e.index) : g->getGutterCellText(e.index);
        }
        return QString();
    case K::ComboItem:
        if (auto* c = qobject_cast<QComboBox*>(control))
            return c->itemText(e.index);
        return QString();
    default:
        break;
    }
    if (auto* p = qobject_cast<HeadingPanel*>(control))
        return p->Caption();
    if (auto* l = qobject_cast<QLabel*>(control))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(control))
        return b->text();
    if (auto* m = qobject_cast<QMenu*>(control))
        return m->title();
    if (auto* a = qobject_cast<QAction*>(control))
        return a->text();
    return QString();
}

bool ApplyCaption(QObject* control, const CaptionEntry& e)
{
    if (!control)
        return false;
    const QString text = CaptionText(e);
    switch (e.kind) {
    case K::Tab: {
        auto* sheet = qobject_cast<QWidget*>(control);
        QTabWidget* tabs = tabWidgetOf(sheet);
        if (!tabs)
            return false;
        tabs->setTabText(tabs->indexOf(sheet), text);
        return true;
    }
    case K::GridHome:
        if (auto* g = qobject_cast<TzyGrid*>(control)) {
            g->setHomeText(text);
            return true;
        }
        return false;
    case K::GridHeader:
    case K::GridGutter:
        if (auto* g = qobject_cast<TzyGrid*>(control)) {
            if (!gridCellExists(g, e.kind, e.index))
                return false;
            if (e.kind == K::GridHeader)
                g->setHeaderCellText(e.index, text);
            else
                g->setGutterCellText(e.index, text);
            return true;
        }
        return false;
    case K::ComboItem:
        if (auto* c = qobject_cast<QComboBox*>(control)) {
            const QSignalBlocker block(c);
            if (e.index == 0)
                c->clear();
            c->insertItem(e.index, text);
            c->setCurrentIndex(0);
            return true;
        }
        return false;
    default:
        break;
    }
    if (auto* p = qobject_cast<HeadingPanel*>(control)) {
        p->SetCaption(e.textId ? UIT(e.textId) : QString());
        return true;
    }
    if (auto* l = qobject_cast<QLabel*>(control)) {
        l->setText(text);
        return true;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(control)) {
        b->setText(text);
        return true;
    }
    if (auto* m = qobject_cast<QMenu*>(control)) {
        m->setTitle(text);
        return true;
    }
    if (auto* a = qobject_cast<QAction*>(control)) {
        a->setText(text);
        return true;
    }
    return false;
}

} // namespace MainTexts

// ---- the set-up routines --------------------------------------------------------

void TUF_Main::SetupUIT()
{
    for (const MainTexts::CaptionEntry& e : MainTexts::Captions())
        MainTexts::ApplyCaption(findChild<QObject*>(QString::fromLatin1(e.control)), e);
}

void TUF_Main::SetupHints()
{
    for (const MainTexts::HintEntry& e : MainTexts::Hints()) {
        auto* w = findChild<QWidget*>(QString::fromLatin1(e.control));
        if (!w)
            continue;
        QString shortcut;
        if (e.shortcutAction)
            if (auto* a = findChild<QAction*>(QString::fromLatin1(e.shortcutAction)))
                shortcut = a->shortcut().toString(QKeySequence::NativeText);
        const QString hint = MainTexts::HintText(e, shortcut);
        w->setProperty("zolHint", hint);
        w->setToolTip(FormText::OnScreen(hint));
    }
}

void TUF_Main::SetupControls()
{
    for (const char* name : MainTexts::RequiredLabels()) {
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(name))) {
            l->setFont(font());
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
            l->setPalette(pal);
        }
    }
    setMinimumSize(620, 610);
    for (const MainTexts::MaxLengthEntry& e : MainTexts::MaxLengths())
        if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(e.control)))
            edit->setMaxLength(e.maxLength);
}
