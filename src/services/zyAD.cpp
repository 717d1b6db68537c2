#include "zyAD.h"

#include "SpecialFolders.h"
#include "Utils.h"
#include "zyUIL.h"

#include <QFontMetrics>
#include <QGuiApplication>

std::unique_ptr<TzyAD> AD;

int FontHeight = 13;
int AveCharWidth = 6;
int ImgWidth = 22;
int ImgHeight = 21;
int SmallBBtnPad = 8;
int BBtnPad = 11;
int SBtnPad = 11;

namespace {
bool haveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}
} // namespace

TzyAD::TzyAD()
{
    Init();
}

void TzyAD::Init()
{
    AveCharWidth = 6;
    FontHeight = 13;
    ImgWidth = 22;
    ImgHeight = 21;
    Utils::InitFontMetrics();
    Utils::SetPadsFromFontHeight(FontHeight);

    TutorialFileName = QStringLiteral("Tarvo_ZOL_Lumo_") + UIT(667) + QStringLiteral(".pdf");
    UserManualFileName = QStringLiteral("Tarvo_ZOL_Lumo_") + UIT(668) + QStringLiteral(".pdf");
    WhitePaperFileName = UIT(669) + QStringLiteral(".pdf");
    const QString app = GetDocumentFolder();
    TutorialFile = app + QStringLiteral("Tutorial/") + TutorialFileName;
    UserManualFile = app + QStringLiteral("User_Manual/") + UserManualFileName;
    WhitePaperFile = app + QStringLiteral("White_Paper/") + WhitePaperFileName;
    IsWin7 = true;
    IsVista = true;
    Version = GetFileVersion();
}

QString TzyAD::ProductName()
{
    return QStringLiteral("Tarvo ZOL Lumo");
}

QString TzyAD::GetAppFolder()
{
    return Utils::IncludeTrailingSlash(Utils::Trim(platform::programFolder()));
}

QString TzyAD::GetDocumentFolder()
{
    return Utils::IncludeTrailingSlash(Utils::Trim(platform::programDocumentFolder()));
}

QString TzyAD::GetFileVersion()
{
    return QStringLiteral(ZOL_VERSION);
}

QString TzyAD::getVersion() const { return Utils::Trim(Version); }
QString TzyAD::getTutorialFile() const { return Utils::Trim(TutorialFile); }
QString TzyAD::getUserManualFile() const { return Utils::Trim(UserManualFile); }
QString TzyAD::getWhitePaperFile() const { return Utils::Trim(WhitePaperFile); }
QString TzyAD::getTutorialFolder() const { return Utils::ExtractFilePath(getTutorialFile()); }
QString TzyAD::getUserManualFolder() const { return Utils::ExtractFilePath(getUserManualFile()); }
QString TzyAD::getWhitePaperFolder() const { return Utils::ExtractFilePath(getWhitePaperFile()); }

namespace Utils {

void SetPadsFromFontHeight(int fontHeight)
{
    SmallBBtnPad = fontHeight + 8 < 21 ? 21 - fontHeight : 8;
    BBtnPad = fontHeight + 11 < 24 ? 24 - fontHeight : 11;
    SBtnPad = BBtnPad;
}

void SetSystemFont(QFont& font)
{
    if (haveGui())
        font = QGuiApplication::font();
}

int AverageCharWidth(int widthOf52Letters)
{
    return (widthOf52Letters / 26 + 1) / 2;
}

void InitFontMetrics()
{
    if (!haveGui()) {
        FontHeight = 13;
        AveCharWidth = 6;
        return;
    }
    const QFontMetrics fm(QGuiApplication::font());
    FontHeight = fm.boundingRect(QStringLiteral("gH")).height();
    if (FontHeight <= 0)
        FontHeight = fm.height();
    AveCharWidth = AverageCharWidth(
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")));
    if (AveCharWidth <= 0)
        AveCharWidth = 6;
}

int GetCaptionWidth(const QString& text, bool addSmallButtons, bool addIconAndClose)
{
    // Title bars are drawn by the window manager; the application font and
    // the usual button sizes stand in for its metrics.
    const int width = haveGui() ? QFontMetrics(QGuiApplication::font()).horizontalAdvance(text) : 6 * int(text.size());
    int w = width + 4;
    if (addSmallButtons)
        w += 2 + 2 * 16;
    if (addIconAndClose)
        w += 2 + 16 + 2 + 24 + 2;
    return w;
}

int ScaleWidth(int designWidth)
{
    return int((qint64(designWidth) * AveCharWidth + 3) / 6);
}

} // namespace Utils
