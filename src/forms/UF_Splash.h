#pragma once
// The splash form shown while start-up creates the global objects and the
// forms: the product picture, the version, the status line every step
// writes, two legal lines and the publisher's logo. Its timer marks the
// minimum time it stays up, counted from its creation.
#include <QElapsedTimer>
#include <QFrame>
#include <QStringList>
#include <QTimer>

class QLabel;

class TUF_Splash : public QFrame {
    Q_OBJECT
public:
    static constexpr int kMinimumDisplayMs = 1500;

    explicit TUF_Splash(int minimumDisplayMs = kMinimumDisplayMs);
    ~TUF_Splash() override;

    // The status line: " %s ", repainted at once.
    void SetStatus(const QString& text);
    // The status line as the forms write it (already padded).
    void SetStatusLine(const QString& line);
    QString Status() const;
    // Every distinct status line shown, in order (what a user saw).
    QStringList StatusHistory() const { return m_history; }

    // TmrSplash's Enabled: true until the minimum time has passed.
    bool TimerEnabled() const { return TmrSplash.isActive(); }
    // Waits, pumping events, until the timer has fired (at once when it has).
    void WaitForTimer();
    qint64 ElapsedMs() const { return m_clock.elapsed(); }

    // Read access for tests and the gallery.
    QLabel* VersionLabel() const { return Lbl_Ver; }
    QLabel* StatusLabel() const { return Lbl_Status; }
    QLabel* LegalLabel(int n) const { return n == 1 ? Lbl_Legal_1 : Lbl_Legal_2; }
    QLabel* Logo() const { return Img_KV; }
    QLabel* ProductImage() const { return Img_App; }

    // The texts the status line may show (its width is fixed for the widest).
    static QList<int> StatusTextIds();

    void ArrangeControls();
    void SetMinSize();
    void FitToScreen();
    void AlignLogo();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void TmrSplashTimer();
    void SetupUIT();
    void SetupFonts();

    QLabel* Img_App;
    QLabel* Lbl_Ver;
    QLabel* Lbl_Status;
    QLabel* Lbl_Legal_1;
    QLabel* Lbl_Legal_2;
    QLabel* Img_KV;
    QTimer TmrSplash;
    QElapsedTimer m_clock;
    QStringList m_history;
};

// The splash while it exists (nullptr otherwise).
extern TUF_Splash* UF_Splash;
