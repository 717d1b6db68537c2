#include "ServiceForms.h"

#include "FormText.h"
#include "SingleInstance.h"
#include "UF_Progress.h"
#include "UF_StdDlg.h"
#include "Utils.h"
#include "zyAD.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <cstdio>

namespace ServiceForms {
namespace {

bool haveWidgets()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

void toStderr(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(FormText::OnScreen(text)));
}

void runBox(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, TzyAD::ProductName(), FormText::OnScreen(text), QMessageBox::Ok);
    box.exec();
}

} // namespace

void ShowIndexErrorBox(const QString& text)
{
    if (!haveWidgets()) {
        toStderr(text);
        return;
    }
    QTimer::singleShot(0, qApp, [text] { runBox(text); });
}

void ShowFatalErrorBox(const QString& text)
{
    if (!haveWidgets()) {
        toStderr(text);
        return;
    }
    runBox(text);
}

void ShowBusyBox(const QStringList& lines)
{
    const QString text = lines.join(QLatin1Char('\n'));
    if (!haveWidgets()) {
        toStderr(text);
        return;
    }
    runBox(text);
}

void InstallServiceForms()
{
    Utils::SetIndexReporter(ShowIndexErrorBox);
    Utils::SetFatalErrorPresenter(ShowFatalErrorBox);
    Utils::SetSingleInstanceBusyPresenter(ShowBusyBox);
}

void UninstallServiceForms()
{
    Utils::SetIndexReporter(nullptr);
    Utils::SetFatalErrorPresenter(nullptr);
    Utils::SetSingleInstanceBusyPresenter(nullptr);
}

void CreateServiceForms()
{
    if (!UF_Progress)
        UF_Progress = new TUF_Progress();
    if (!UF_StdDlg)
        UF_StdDlg = new TUF_StdDlg();
}

void FreeServiceForms()
{
    delete UF_StdDlg;
    UF_StdDlg = nullptr;
    delete UF_Progress;
    UF_Progress = nullptr;
}

} // namespace ServiceForms
