// Renders the About form and the Options dialog to PNG files for a person to
// look at: options_about_gallery <folder>.
#include "FormsTestEnv.h"
#include "UF_About.h"
#include "ServerInfo.h"
#include "UF_Options.h"
#include "zyUP.h"

#include <QComboBox>
#include <QLineEdit>

#include <QDir>
#include <QTimer>

namespace {
bool save(QWidget* w, const QString& folder, const QString& name)
{
    w->show();
    QCoreApplication::processEvents();
    const bool ok = w->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    w->hide();
    return ok;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    FormsTestEnv::Init();

    bool ok = true;
    TUF_About about;
    // The server as this machine has it; the add-on row as without the layer.
    about.SetSources({[] {
                          const platform::ServerInfo server = platform::installedServer();
                          return server.found() ? server.displayName() : UIT(1198);
                      },
                      [] { return UIT(1185); }});
    TUF_About::SetWebAddress(QString()); // a build naming no site: the User Manual
    about.Refresh();
    ok &= save(&about, folder, QStringLiteral("about"));
    TUF_About::SetWebAddress(QStringLiteral("https://kelvane.example/"));
    about.SetSources({[] { return UIT(1198); }, {}});
    about.Refresh();
    ok &= save(&about, folder, QStringLiteral("about_no_server"));

    UP = std::make_unique<TzyUP>();
    TUF_Options options;
    options.SnapshotUP();
    ok &= save(&options, folder, QStringLiteral("options"));
    // Both Other entries, the template at fault.
    options.SnapshotUP();
    options.show();
    options.TemplateList()->setCurrentIndex(4);
    emit options.TemplateList()->activated(4);
    options.TemplateEdit()->setText(QStringLiteral("/home/user/templates/report.txt"));
    options.FolderList()->setCurrentIndex(3);
    emit options.FolderList()->activated(3);
    options.FolderEdit()->setText(QStringLiteral("/home/user/reports/"));
    QCoreApplication::processEvents();
    ok &= options.grab().save(folder + QStringLiteral("/options_other_invalid.png"));
    options.hide();
    return ok ? 0 : 1;
}
