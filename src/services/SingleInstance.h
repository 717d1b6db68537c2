#pragma once
// One instance of the program at a time. The first instance holds a lock
// file for its whole life and, once its main form exists, answers on a local
// socket. A later start hands its command line over to it and ends.
//
// Hand-over on the socket (all numbers 32-bit little-endian):
//   sender:   tag 0x5A4F4C4C ("ZOLL"), byte count n, then n bytes: the
//             parameters as UTF-16LE, each followed by a NUL, one more NUL
//   receiver: the reply: 121543 activated, 313 busy
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace Utils {

constexpr quint32 SingleInstanceTag = 0x5A4F4C4Cu; // Z O L L, most significant first
constexpr int SingleInstanceActivated = 121543;
constexpr int SingleInstanceBusy = 313;

// The lock's and the socket's names; ZOLL_INSTANCE_NAME replaces both
// (tests run side by side under names of their own).
QString SingleInstanceMutexName();
QString SingleInstanceMsgName();
// Full paths of the lock file and of the socket, in the per-user runtime
// folder.
QString SingleInstanceLockFile();
QString SingleInstanceServerName();

// The hand-over data of these parameters (without the program itself).
QByteArray SingleInstanceCopyData(const QStringList& params);
// The parameters of hand-over data; false when it is not well formed.
bool ParseSingleInstanceCopyData(const QByteArray& data, QStringList& params);

// True when another instance runs (the caller then ends at once): its
// command line has been handed over and, when it is busy, the busy box
// shown. False when this is the only instance; the lock is then held until
// the process ends.
bool CheckSingleInstance();
bool CheckSingleInstance(const QStringList& params);

// The busy box's lines (fixed texts: no UI texts exist yet at that point).
QStringList SingleInstanceBusyLines();
// Shows the busy box: a box with the error icon and one OK button. Without
// one the lines go to standard error, where a desktop user never sees them:
// the program installs its widget box before the guard runs.
using SingleInstanceBusyPresenter = std::function<void(const QStringList& lines)>;
void SetSingleInstanceBusyPresenter(SingleInstanceBusyPresenter presenter);

} // namespace Utils

// The first instance's side: listens on the socket, reads each hand-over and
// replies with what the handler answers (Utils::SingleInstanceActivated or
// Utils::SingleInstanceBusy). The main form plugs in its handler.
class SingleInstanceServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<int(const QStringList& params)>;
    explicit SingleInstanceServer(Handler handler, QObject* parent = nullptr);
    ~SingleInstanceServer() override;

    // Takes over the socket name (one left by a crashed instance is removed:
    // only the lock holder listens) and listens. False when that fails.
    bool listen();
    QString errorString() const;

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);

    Handler m_handler;
    QLocalServer* m_server;
};
