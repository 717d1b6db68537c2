#pragma once
// The about box: product, version, the spreadsheet server found, the format
// add-on row (none is needed here), legal notice and the maker's web site (a
// link; the User Manual when the build names no site) as rows of a read-only
// grid, the maker's logo and a Close button. Created once, refreshed and fitted to
// its content and the work area at every opening.
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;
class TzyGrid;

class TUF_About : public QDialog {
    Q_OBJECT
public:
    TUF_About();

    // The values of the two rows read from the machine. By default the name
    // and version the installed spreadsheet server gives itself and the
    // format add-on's row; "Not Installed" when those layers are not built.
    struct Sources {
        std::function<QString()> excelVersionName;
        std::function<QString()> ocpProductName;
    };
    void SetSources(Sources sources);

    // Reads the values and lays the form out, then shows it modally; reading
    // first means a reader's own message never appears while the form
    // activates. Returns 11 (Close, Esc or the close box).
    int Execute();
    // Reads the values and lays the form out without showing it.
    void Refresh();
    // Refits the form and centres it on the work area.
    void CentreOnScreen();

    // The maker's web address set at build time; empty when none is.
    static QString WebAddress();
    static void SetWebAddress(const QString& address); // tests: another build's setting
    static QString LegalNotice();
    static QString FullTitle();

    // Read access for tests and the gallery.
    TzyGrid* Grid() const { return SG_About; }
    QLabel* Logo() const { return Img_KV; }
    QPushButton* CloseButton() const { return BBtn_Close; }
    QWidget* ButtonPanel() const { return Pnl_About_BBtn; }
    int WebsiteRow() const { return m_rowWebsite; }
    QSize MinClientSize() const { return m_minClient; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void SetRows();
    void SetupUIT();
    void SetupHints();
    void SetupFonts();
    void SetupLayout();
    void ArrangeControls();
    void SetMinSize();
    void FitToScreen();
    void AlignBBtns(bool stretch);
    void LoadValues();
    void SG_AboutCellClick(int col, int row);
    void Img_KVClick();
    void OpenWebsite();
    void PlaceGrid();

    TzyGrid* SG_About = nullptr;
    QWidget* Pnl_About_BBtn = nullptr;
    QLabel* Img_KV = nullptr;
    QPushButton* BBtn_Close = nullptr;
    Sources m_sources;

    int m_rowApplication = 0, m_rowVersion = 0, m_rowExcel = 0, m_rowOCP = 0, m_rowLegal = 0, m_rowWebsite = 0;
    QSize m_minClient;
};

extern TUF_About* UF_About;
