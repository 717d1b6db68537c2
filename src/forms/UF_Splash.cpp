#include "UF_Splash.h"

#include "Artwork.h"
#include "FitRules.h"
#include "FormText.h"
#include "Utils.h"
#include "WorkArea.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QEventLoop>
#include <QLabel>
#include <QPainter>

TUF_Splash* UF_Splash = nullptr;

namespace {
const QString kLegal1 = QStringLiteral("Copyright \u00A9 2026 Kelvane. All rights reserved.");
const QString kLegal2 = QStringLiteral("Tarvo ZOL Lumo is a trademark of Kelvane.");
} // namespace

TUF_Splash::TUF_Splash(int minimumDisplayMs)
    : QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , Img_App(new QLabel(this))
    , Lbl_Ver(new QLabel(this))
    , Lbl_Status(new QLabel(this))
    , Lbl_Legal_1(new QLabel(this))
    , Lbl_Legal_2(new QLabel(this))
    , Img_KV(new QLabel(this))
{
    m_clock.start();
    setObjectName(QStringLiteral("UF_Splash"));
    setWindowTitle(TzyAD::ProductName());
    setCursor(Qt::WaitCursor);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
    setPalette(pal);
    Img_App->setPixmap(Artwork::ProductPicture());
    Img_App->setFixedSize(244, 44);
    Img_App->move(8, 8);
    Img_KV->setPixmap(Artwork::KelvaneLogo());
    Img_KV->setFixedSize(145, 37);
    Lbl_Ver->move(8, 56);
    for (QLabel* l : {Lbl_Status, Lbl_Legal_1, Lbl_Legal_2})
        l->move(8, 0);
    resize(370, 230);

    TmrSplash.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the minimum time is a minimum.
    TmrSplash.setTimerType(Qt::PreciseTimer);
    TmrSplash.setInterval(minimumDisplayMs);
    connect(&TmrSplash, &QTimer::timeout, this, &TUF_Splash::TmrSplashTimer);
    TmrSplash.start();

    SetupUIT();
    SetupFonts();
    ArrangeControls();
    SetMinSize();
}

TUF_Splash::~TUF_Splash()
{
    if (UF_Splash == this)
        UF_Splash = nullptr;
}

QList<int> TUF_Splash::StatusTextIds()
{
    QList<int> ids;
    for (int id = 7; id <= 23; ++id)
        ids << id;
    ids << 25 << 26 << 28 << 29 << 31;
    return ids;
}

void TUF_Splash::SetupUIT()
{
    Lbl_Ver->setText(FormText::Padded(Utils::Format(UIT(1), {AD ? AD->getVersion() : TzyAD::GetFileVersion()})));
    Lbl_Legal_1->setText(FormText::Padded(kLegal1));
    Lbl_Legal_2->setText(FormText::Padded(kLegal2));
    Lbl_Status->setText(QStringLiteral(" "));
}

void TUF_Splash::SetupFonts()
{
    QFont f = font();
    Utils::SetSystemFont(f);
    setFont(f);
    for (QLabel* l : {Lbl_Ver, Lbl_Status, Lbl_Legal_1, Lbl_Legal_2})
        l->adjustSize();
}

void TUF_Splash::SetStatus(const QString& text)
{
    SetStatusLine(FormText::Padded(text));
}

void TUF_Splash::SetStatusLine(const QString& line)
{
    if (Lbl_Status->text() != line)
        m_history << line;
    Lbl_Status->setText(line);
    Lbl_Status->adjustSize();
    if (isVisible())
        repaint();
}

QString TUF_Splash::Status() const
{
    return Lbl_Status->text();
}

void TUF_Splash::TmrSplashTimer()
{
    TmrSplash.stop();
}

void TUF_Splash::WaitForTimer()
{
    if (!TmrSplash.isActive())
        return;
    QEventLoop loop;
    connect(&TmrSplash, &QTimer::timeout, &loop, &QEventLoop::quit);
    loop.exec();
}

void TUF_Splash::ArrangeControls()
{
    Lbl_Status->move(8, Lbl_Ver->geometry().bottom() + 1 + 12);
    Lbl_Legal_1->move(8, Lbl_Status->geometry().bottom() + 1 + 18);
    Lbl_Legal_2->move(8, Lbl_Legal_1->geometry().bottom() + 1 + 3);
    AlignLogo();
}

void TUF_Splash::SetMinSize()
{
    const QFontMetrics fm(font());
    const int minHeight = Img_App->height() + 12 + Lbl_Ver->height() + 12 + Lbl_Status->height() + 18
        + Lbl_Legal_1->height() + 3 + Lbl_Legal_2->height() + 8;
    int widest = 0;
    for (int id : StatusTextIds())
        widest = qMax(widest, fm.horizontalAdvance(FormText::Padded(UIT(id))));
    int minWidth = int(minHeight * 1.6);
    minWidth = qMax(minWidth, widest + 16);
    minWidth = qMax(minWidth, Lbl_Legal_1->width() + 16 + Img_KV->width() + 8);
    minWidth = qMax(minWidth, Lbl_Legal_2->width() + 16 + Img_KV->width() + 8);
    // The status label is as wide as the widest line from the start, so the
    // splash never changes size while the steps run.
    Lbl_Status->setMinimumWidth(widest);
    setMinimumSize(minWidth, minHeight);
    if (width() < minWidth || height() < minHeight)
        resize(qMax(width(), minWidth), qMax(height(), minHeight));
    AlignLogo();
}

void TUF_Splash::FitToScreen()
{
    const QRect wa = platform::workArea();
    const FitRules::Span v = FitRules::CentreSpan(wa.top(), wa.height(), minimumHeight());
    const FitRules::Span h = FitRules::CentreSpan(wa.left(), wa.width(), minimumWidth());
    setMinimumSize(h.minimum, v.minimum);
    setGeometry(h.pos, v.pos, h.length, v.length);
    AlignLogo();
}

void TUF_Splash::AlignLogo()
{
    Img_KV->move(width() - 8 - Img_KV->width(), height() - 8 - Img_KV->height());
}

void TUF_Splash::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    // Bvl_Splash: the frame line around the whole form.
    QPainter p(this);
    p.setPen(QColor(0x6E, 0x7F, 0x92));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TUF_Splash::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    ArrangeControls();
    SetMinSize();
    FitToScreen();
    raise();
    activateWindow();
}
