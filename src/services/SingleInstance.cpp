#include "SingleInstance.h"

#include "Utils.h"
#include "zyAD.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QtEndian>
#include <cstdio>
#include <memory>

namespace {
// Tag and byte count.
constexpr int kHeaderSize = 8;
// A command line holds at most 32767 UTF-16 characters; data of more than
// twice that size is not a hand-over of ours.
constexpr quint32 kMaxDataSize = 4 * 32768;
} // namespace

namespace Utils {
namespace {

const QString kMutexName = QStringLiteral("Tarvo_ZOL_Lumo_BF2584AE-67C7-4BCB-A8C7-10B05ED27F10");
const QString kMsgName = QStringLiteral("Tarvo_ZOL_Lumo_F3791177-755C-4DB2-BE18-30845B2DA5B5");

constexpr int kWaitForLockMs = 100;
constexpr int kConnectTimeoutMs = 200;
// The longest socket path the system takes, less its terminating NUL.
constexpr int kMaxSocketPath = 107;

// Held by the first instance until it ends: the lock's existence is what
// tells later starts that an instance runs.
std::unique_ptr<QLockFile> g_lock;

SingleInstanceBusyPresenter g_busyPresenter;

QString runtimeFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

QString overrideName()
{
    return qEnvironmentVariable("ZOLL_INSTANCE_NAME");
}

void appendLE(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// Hands the command line to the running instance; 0 when none answers.
int sendCommandLine(const QStringList& params)
{
    QLocalSocket socket;
    socket.connectToServer(SingleInstanceServerName());
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return 0;
    const QByteArray data = SingleInstanceCopyData(params);
    QByteArray message;
    appendLE(message, SingleInstanceTag);
    appendLE(message, quint32(data.size()));
    message += data;
    socket.write(message);
    if (!socket.waitForBytesWritten(-1))
        return 0;
    // The running instance answers as soon as it has dealt with the hand-over.
    while (socket.bytesAvailable() < 4)
        if (!socket.waitForReadyRead(-1))
            return 0;
    const QByteArray reply = socket.read(4);
    return qFromLittleEndian<qint32>(reply.constData());
}

} // namespace

QString SingleInstanceMutexName()
{
    const QString o = overrideName();
    return o.isEmpty() ? kMutexName : o + QStringLiteral("_M");
}

QString SingleInstanceMsgName()
{
    const QString o = overrideName();
    return o.isEmpty() ? kMsgName : o + QStringLiteral("_S");
}

QString SingleInstanceLockFile()
{
    return runtimeFolder() + QLatin1Char('/') + SingleInstanceMutexName() + QStringLiteral(".lock");
}

QString SingleInstanceServerName()
{
    const QString folder = runtimeFolder() + QLatin1Char('/');
    const QString name = SingleInstanceMsgName();
    if ((folder + name).toLocal8Bit().size() <= kMaxSocketPath)
        return folder + name;
    // A deep runtime folder: a short name derived from the long one.
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return folder + QStringLiteral("zoll-") + QString::fromLatin1(digest);
}

QByteArray SingleInstanceCopyData(const QStringList& params)
{
    QByteArray out;
    auto put = [&out](char16_t c) {
        char b[2];
        qToLittleEndian(quint16(c), b);
        out.append(b, 2);
    };
    for (const QString& p : params) {
        for (QChar c : p)
            put(c.unicode());
        put(0);
    }
    put(0);
    return out;
}

bool ParseSingleInstanceCopyData(const QByteArray& data, QStringList& params)
{
    params.clear();
    if (data.size() < 2 || data.size() % 2 != 0)
        return false;
    const int count = int(data.size() / 2);
    auto at = [&data](int i) { return qFromLittleEndian<quint16>(data.constData() + 2 * i); };
    if (at(count - 1) != 0)
        return false;
    QString current;
    // The last NUL closes the list; every NUL before it closes one parameter.
    for (int i = 0; i < count - 1; ++i) {
        const quint16 c = at(i);
        if (c == 0) {
            params << current;
            current.clear();
        } else {
            current.append(QChar(c));
        }
    }
    return current.isEmpty();
}

QStringList SingleInstanceBusyLines()
{
    return {Format(QStringLiteral(" %s "), {Format(QStringLiteral("%s is already running, but is busy."), {TzyAD::ProductName()})}),
            QString(),
            Format(QStringLiteral(" %s "), {QStringLiteral("Please try again later.")})};
}

void SetSingleInstanceBusyPresenter(SingleInstanceBusyPresenter presenter)
{
    g_busyPresenter = std::move(presenter);
}

bool CheckSingleInstance()
{
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return CheckSingleInstance(args);
}

bool CheckSingleInstance(const QStringList& params)
{
    if (g_lock)
        return false;
    QDir().mkpath(runtimeFolder());
    auto lock = std::make_unique<QLockFile>(SingleInstanceLockFile());
    // The first instance holds the lock for as long as it runs, so its age
    // means nothing; a lock whose process has gone is still taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(kWaitForLockMs)) {
        g_lock = std::move(lock);
        return false;
    }
    // Held by another instance, or not creatable: either way this start ends,
    // after handing its command line to whatever instance answers.
    switch (sendCommandLine(params)) {
    case SingleInstanceBusy:
        if (g_busyPresenter)
            g_busyPresenter(SingleInstanceBusyLines());
        else
            std::fprintf(stderr, "%s\n", qPrintable(SingleInstanceBusyLines().join(QLatin1Char('\n'))));
        break;
    default:
        // Activated: the running instance has brought itself to the front.
        break;
    }
    return true;
}

} // namespace Utils

// ---- the first instance's side ----

SingleInstanceServer::SingleInstanceServer(Handler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstanceServer::onNewConnection);
}

SingleInstanceServer::~SingleInstanceServer() = default;

bool SingleInstanceServer::listen()
{
    const QString name = Utils::SingleInstanceServerName();
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

QString SingleInstanceServer::errorString() const
{
    return m_server->errorString();
}

void SingleInstanceServer::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void SingleInstanceServer::onReadyRead(QLocalSocket* socket)
{
    if (socket->property("zollHandled").toBool() || socket->bytesAvailable() < kHeaderSize)
        return;
    const QByteArray header = socket->peek(kHeaderSize);
    const quint32 tag = qFromLittleEndian<quint32>(header.constData());
    const quint32 size = qFromLittleEndian<quint32>(header.constData() + 4);
    QPointer<QLocalSocket> guard(socket);
    auto reply = [&guard](qint32 value) {
        if (!guard)
            return;
        char b[4];
        qToLittleEndian(value, b);
        guard->write(b, 4);
        guard->flush();
        guard->disconnectFromServer();
    };
    if (tag != Utils::SingleInstanceTag || size > kMaxDataSize) {
        socket->setProperty("zollHandled", true);
        reply(0);
        return;
    }
    if (socket->bytesAvailable() < kHeaderSize + qint64(size))
        return;
    socket->setProperty("zollHandled", true);
    socket->read(kHeaderSize);
    const QByteArray data = socket->read(size);
    QStringList params;
    if (!Utils::ParseSingleInstanceCopyData(data, params)) {
        reply(0);
        return;
    }
    // The handler may pump messages while it brings the form forward.
    reply(m_handler ? m_handler(params) : 0);
}
