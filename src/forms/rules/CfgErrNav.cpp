#include "CfgErrNav.h"

#include <array>

namespace CfgErrNav {

namespace {

struct Row {
    int tabId;
    int page;
    int fldId;
    const char* control;
    Action action;
    int col; // grid rows only
};

constexpr int kTabFiles = 56;
constexpr int kTabOptions = 85;
constexpr int kTabMap = 119;
constexpr int kTabFilter = 128;

constexpr std::array<Row, 21> kRows{{
    {kTabFiles, 0, 600, "TB_SCF_DSF_DrivePathFilenameExtn", Action::SelectEdit, 0},
    {kTabFiles, 0, 602, "TB_SCF_DSF_OpenPassword", Action::SelectEdit, 0},
    {kTabFiles, 0, 603, "TB_SCF_DSF_TaskWS", Action::SelectEdit, 0},
    {kTabFiles, 0, 604, "TB_SCF_DSF_THR", Action::SelectEdit, 0},
    {kTabFiles, 0, 605, "TB_SCF_TF_DrivePathFilenameExtn", Action::SelectEdit, 0},
    {kTabFiles, 0, 607, "TB_SCF_TF_OpenPassword", Action::SelectEdit, 0},
    {kTabFiles, 0, 608, "TB_SCF_TF_ProjectSummaryWS", Action::SelectEdit, 0},
    {kTabFiles, 0, 609, "TB_SCF_TF_ChartDataWS", Action::SelectEdit, 0},
    {kTabFiles, 0, 610, "TB_SCF_OF_DrivePathFilenameExtn", Action::SelectEdit, 0},
    {kTabFiles, 0, 597, "TB_PD_ProjectTitle", Action::SelectEdit, 0},
    {kTabFiles, 0, 598, "TB_PD_ProjectNumber", Action::SelectEdit, 0},
    {kTabFiles, 0, 599, "TB_PD_ProjectClient", Action::SelectEdit, 0},
    {kTabOptions, 1, 612, "CB_SCO_GenerateBL", Action::Focus, 0},
    {kTabOptions, 1, 620, "DTP_SCO_CutOffDate", Action::Focus, 0},
    {kTabOptions, 1, 621, "CB_SCO_GraphMH", Action::Focus, 0},
    {kTabMap, 2, 624, "SG_DSM", Action::GridCell, 1},
    {kTabMap, 2, 625, "SG_DSM", Action::GridCell, 2},
    {kTabFilter, 3, 638, "SG_DSF", Action::GridCell, 2},
    {kTabFilter, 3, 639, "SG_DSF", Action::GridCell, 3},
    {kTabFilter, 3, 640, "SG_DSF", Action::GridCell, 4},
    {kTabFilter, 3, 641, "SG_DSF", Action::GridCell, 5},
}};

int PageOfTab(int tabId)
{
    switch (tabId) {
    case kTabFiles: return 0;
    case kTabOptions: return 1;
    case kTabMap: return 2;
    case kTabFilter: return 3;
    default: return -1;
    }
}

} // namespace

Target Locate(int tabId, int fldId, int rowId)
{
    Target t;
    t.page = PageOfTab(tabId);
    if (t.page < 0)
        return t;
    for (const Row& r : kRows) {
        if (r.tabId != tabId || r.fldId != fldId)
            continue;
        t.action = r.action;
        t.control = QString::fromLatin1(r.control);
        if (r.action == Action::GridCell) {
            t.col = r.col;
            t.row = rowId;
        }
        break;
    }
    return t;
}

} // namespace CfgErrNav
