// Renders the service forms to PNG files for a visual check:
//   forms_gallery <folder>
#include "FormsTestEnv.h"
#include "GallerySave.h"
#include "Format.h"
#include "Glyphs.h"
#include "Progress.h"
#include "ServiceForms.h"
#include "StdDlg.h"
#include "UF_Progress.h"
#include "UF_StdDlg.h"

#include <QDir>
#include <QPainter>
#include <cstdio>

namespace {

QString g_folder;

void save(QWidget* w, const QString& name)
{
    Gallery::Save(w, g_folder, name);
}

void dialog(const QString& name, const StdDlg::Request& r)
{
    UF_StdDlg->Prepare(r);
    save(UF_StdDlg, name);
}

StdDlg::Request request(int level, const QString& id, const QStringList& lines)
{
    StdDlg::Request r;
    r.level = level;
    r.msgId = id;
    r.lines = lines;
    return r;
}

void glyphSheet()
{
    const int glyphs[] = {StdDlg::glCancel, StdDlg::glClose, StdDlg::glContinue, StdDlg::glNo,
                          StdDlg::glOk, StdDlg::glRetry, StdDlg::glYes};
    QImage sheet(7 * 72 + 8, 4 * 72 + 8 + 80, QImage::Format_ARGB32);
    sheet.fill(QColor(0xEF, 0xEF, 0xEF));
    QPainter p(&sheet);
    int x = 8;
    for (int g : glyphs) {
        p.drawPixmap(QRect(x, 8, 64, 64), Glyphs::Button16(g));
        p.drawPixmap(x, 80, Glyphs::Button16(g));
        x += 72;
    }
    x = 8;
    for (auto pic : {Glyphs::Picture::Critical, Glyphs::Picture::Warning, Glyphs::Picture::Info, Glyphs::Picture::Question}) {
        p.drawPixmap(QRect(x, 104, 128, 128), Glyphs::Level32(pic));
        p.drawPixmap(x, 240, Glyphs::Level32(pic));
        x += 136;
    }
    p.end();
    sheet.save(QDir(g_folder).filePath(QStringLiteral("glyphs.png")));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    g_folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(g_folder);
    FormsTestEnv::Init();
    ServiceForms::CreateServiceForms();

    const QStringList typical{QStringLiteral("Unable to open the Output File."), QString(),
                              QStringLiteral("/home/user/Documents/Projects/Output/ZOL_Output_2026.xlsx"), QString(),
                              Utils::Format(UIT(1094), {QStringLiteral("Permission denied")}), QString()};

    auto r = request(StdDlg::Critical, QStringLiteral("XL001"), typical);
    r.buttons[2] = StdDlg::CloseButton(UIT(1212));
    dialog(QStringLiteral("stddlg_1_critical"), r);

    r = request(StdDlg::Warning, QStringLiteral("U010"), typical);
    r.buttons[1] = StdDlg::RetryButton(QStringLiteral("Try again."));
    r.buttons[2] = StdDlg::CancelButton(QStringLiteral("Give up."));
    dialog(QStringLiteral("stddlg_2_warning"), r);

    r = request(StdDlg::Information, QStringLiteral("UP001"), {UIT(1066), QString()});
    r.buttons[2] = StdDlg::CloseButton(UIT(1212));
    dialog(QStringLiteral("stddlg_3_information"), r);

    const QString product = QStringLiteral("Tarvo ZOL Lumo");
    r = request(StdDlg::Question, QStringLiteral("MF001"), {Utils::Format(QStringLiteral("Exit %s?"), {product})});
    r.hasCheckBox = true;
    r.checkCaption = Utils::Format(UIT(287), {product});
    r.buttons[1] = StdDlg::YesButton(Utils::Format(UIT(955), {product}));
    r.buttons[2] = StdDlg::NoButton(Utils::Format(UIT(956), {product}));
    dialog(QStringLiteral("stddlg_4_question_checkbox"), r);

    r = request(StdDlg::Warning, QStringLiteral("W001"),
                {QStringLiteral("A very long line: ") + QString(QStringLiteral("The quick brown fox jumps over the lazy dog. ")).repeated(12),
                 QString(), QStringLiteral("Short line after it.")});
    r.buttons[2] = StdDlg::CloseButton(UIT(1212));
    dialog(QStringLiteral("stddlg_5_long_line"), r);

    QStringList many;
    for (int i = 1; i <= 80; ++i)
        many << QStringLiteral("Configuration error %1: the field is empty.").arg(i);
    r = request(StdDlg::Critical, QStringLiteral("UDV004"), many);
    r.buttons[2] = StdDlg::CloseButton(UIT(1212));
    dialog(QStringLiteral("stddlg_6_tall"), r);

    r = request(StdDlg::Information, QStringLiteral("E001"), {});
    r.buttons[2] = StdDlg::CloseButton(UIT(1212));
    dialog(QStringLiteral("stddlg_7_empty"), r);

    TUF_Progress* p = UF_Progress;
    p->ResetProgress();
    p->SetCaption(Utils::Format(QStringLiteral(" %s "), {UIT(252)}));
    p->SetTotalSteps(12);
    p->SetCancelled(false);
    p->ShowStepProgress(false);
    p->Show();
    for (int i = 0; i < 6; ++i) {
        p->AddStep(UIT(318 + i));
        p->AppendToLastLine(UIT(391));
    }
    p->AddLine(QStringLiteral("Output File: /home/user/Documents/ZOL_Output.xlsx"));
    p->AddStep(UIT(320));
    p->StartStepProgress(250);
    for (int i = 1; i <= 97; ++i)
        p->UpdateStepLine(Utils::Format(UIT(320), {i, 250}));
    p->FlushNow();
    save(p, QStringLiteral("progress_1_running"));

    p->ResetProgress();
    p->SetTotalSteps(3);
    p->Show();
    p->AddStep(QStringLiteral("Reading Task Field Values of ") + QString(QStringLiteral("Wide ")).repeated(30));
    p->FlushNow();
    save(p, QStringLiteral("progress_2_wide_line"));
    p->Close();

    glyphSheet();
    ServiceForms::FreeServiceForms();
    return 0;
}
