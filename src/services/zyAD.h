#pragma once
// What the program knows about itself: its folder, its documents, its
// version, the message lines of the operation under way, and the layout
// metrics every form sizes its controls from.
#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>

class TzyAD {
public:
    TzyAD();
    void Init();

    QString TutorialFileName, UserManualFileName, WhitePaperFileName;
    QString TutorialFile, UserManualFile, WhitePaperFile;
    QString Version;
    QStringList Msgs;
    bool IsWin7 = true;  // the desktop has a launcher that shows progress
    bool IsVista = true;

    // "Tarvo ZOL Lumo", as the program's boxes and captions name it.
    static QString ProductName();
    // The program folder (templates, sample) and the folder of the Help
    // documents' folders, each with its trailing slash; they differ only for
    // an installed program.
    static QString GetAppFolder();
    static QString GetDocumentFolder();
    static QString GetFileVersion();
    QString getVersion() const;
    QString getTutorialFile() const;
    QString getUserManualFile() const;
    QString getWhitePaperFile() const;
    QString getTutorialFolder() const;
    QString getUserManualFolder() const;
    QString getWhitePaperFolder() const;
};

extern std::unique_ptr<TzyAD> AD;

// Layout metrics.
extern int FontHeight;
extern int AveCharWidth;
extern int ImgWidth;
extern int ImgHeight;
extern int SmallBBtnPad;
extern int BBtnPad;
extern int SBtnPad;

namespace Utils {
// The padding metrics that follow from a font height.
void SetPadsFromFontHeight(int fontHeight);
// Applies the application's font (the stand-in for the system font).
void SetSystemFont(QFont& font);
// Measures FontHeight and AveCharWidth from the application font; 13 and 6
// when no GUI exists.
void InitFontMetrics();
// The rounded average width of the 52 letters' widths.
int AverageCharWidth(int widthOf52Letters);
// The width a window needs for its caption as the manager draws it, with
// room for the title bar's buttons.
int GetCaptionWidth(const QString& text, bool addSmallButtons, bool addIconAndClose);
// MulDiv(designWidth, AveCharWidth, 6).
int ScaleWidth(int designWidth);
} // namespace Utils
