// Renders the S Curve Options page for several option sets, the Data Source
// Map with flagged rows and the Data Source Filter with its operator list
// open, to PNG files.
#include "FormsTestKit.h"
#include "PagesTestKit.h"
#include "UF_Main.h"
#include "UF_MainFilter.h"
#include "UF_MainMap.h"
#include "UF_MainOptions.h"
#include "zyGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <cstdio>

namespace {

void save(QWidget* w, const QString& file)
{
    QCoreApplication::processEvents();
    w->grab().save(file);
}


} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
    QDir().mkpath(out);
    formskit::FixLook();
    formskit::Globals globals;

    TUF_Main form;
    form.resize(760, 640);
    form.show();
    form.GoToPage(1);
    struct Case { const char* name; bool bl, act, tgt, mh, cost; };
    const Case cases[] = {{"none", false, false, false, false, false},
                          {"code3_baseline", true, false, false, false, false},
                          {"code21_actual_mh", false, true, false, true, false},
                          {"code27_bl_tgt_cost", true, false, true, false, true},
                          {"code31_all", true, true, true, true, true}};
    for (const Case& c : cases) {
        pageskit::SetOptions(form, c.bl, c.act, c.tgt, c.mh, c.cost);
        save(&form, out + QStringLiteral("/options_%1.png").arg(QLatin1String(c.name)));
    }

    TzySD& sd = SDs->getItems(SDs->ActiveSD());
    sd.SCF.SetDataSourceFile(QStringLiteral("/data/Schedule.xls"));
    pageskit::SetOptions(form, true, true, false, true, false);
    form.SavePage1();
    const char* const cols[] = {"C", "", "F", "", "D", "C", "IW", "", "ab1"};
    for (int i = 1; i <= 9; ++i)
        sd.DSM.getItems(i).SetTaskFld(QString::fromLatin1(cols[i - 1]));
    sd.DSM.getItems(1).SetTaskFldDesc(QStringLiteral("Early Start"));
    sd.DSM.getItems(5).SetTaskFldDesc(QStringLiteral("Start"));
    form.GoToPage(2);
    save(&form, out + QStringLiteral("/map_flagged.png"));

    sd.DSF.SetEnabled(true);
    const struct { bool andFlag; const char* tf; const char* desc; int op; const char* value; } rows[] = {
        {false, "B", "Discipline", foEquals, "Civil"},
        {true, "B", "Discipline", foDoesNotEqual, "civil"},
        {false, "H", "Area", foIsBlank, "x"},
    };
    for (const auto& r : rows) {
        const int i = sd.DSF.Add();
        sd.DSF.getItems(i).SetAndFlag(r.andFlag);
        sd.DSF.getItems(i).SetTaskFld(QString::fromLatin1(r.tf));
        sd.DSF.getItems(i).SetTaskFldDesc(QString::fromLatin1(r.desc));
        sd.DSF.getItems(i).SetFilterOperator(r.op);
        sd.DSF.getItems(i).SetTaskFldValue(QString::fromLatin1(r.value));
    }
    form.GoToPage(3);
    save(&form, out + QStringLiteral("/filter_rows.png"));
    TzyGrid* g = form.Filter->SG_DSF;
    g->MoveToCell(4, 2);
    QCoreApplication::processEvents();
    QComboBox* cb = form.Filter->DDL_DSF_FilterOperator;
    cb->showPopup();
    QCoreApplication::processEvents();
    // The popup is a window of its own: paint it over the form's picture.
    QPixmap shot = form.grab();
    if (QWidget* popup = cb->view()->window(); popup && popup->isVisible()) {
        QPainter p(&shot);
        p.drawPixmap(form.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    }
    shot.save(out + QStringLiteral("/filter_operator_list.png"));
    cb->hidePopup();
    std::printf("%s\n", qPrintable(out));
    return 0;
}
