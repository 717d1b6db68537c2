#include "zyAD.h"

#include "SpecialFolders.h"
#include "Utils.h"
#include "zyUIL.h"

#include <QFontInfo>
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
// The smallest title font a caption counts with, in points.
constexpr qreal kCaptionPointSize = 11.0;

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
    // The window manager draws the title in a font of its own, usually bold
    // and often larger than the program's, which a program cannot read: the
    // caption counts in the program's font made bold and at least as large as
    // the title fonts managers ship with. A title-bar button is about as wide
    // as the bar is high. Some managers draw minimise and maximise on every
    // dialog whatever it asks for (openbox), and some centre the title between
    // the buttons, so a bar with buttons counts the two small ones as well.
    int textWidth = 6 * int(text.size());
    int button = 24;
    if (haveGui()) {
        QFont f = QGuiApplication::font();
        f.setBold(true);
        if (QFontInfo(f).pointSizeF() < kCaptionPointSize)
            f.setPointSizeF(kCaptionPointSize);
        const QFontMetrics fm(f);
        textWidth = fm.horizontalAdvance(text);
        button = fm.height() + 8;
    }
    int w = textWidth + 2 * 4;
    if (addSmallButtons || addIconAndClose)
        w += 2 * button;
    if (addIconAndClose)
        w += 2 * button;
    return w;
}

int ScaleWidth(int designWidth)
{
    return int((qint64(designWidth) * AveCharWidth + 3) / 6);
}

} // namespace Utils
