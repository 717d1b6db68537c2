#include "LoBackend.h"

#include "LoInteraction.h"
#include "LoLeftovers.h"
#include "LoOffice.h"
#include "LoSpare.h"
#include "LoText.h"
#include "LoUno.h"
#include "MachineKeys.h"
#include "Progress.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/UnknownPropertyException.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/chart/XChartDocument.hpp>
#include <com/sun/star/chart/XDiagramPositioning.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/datatransfer/UnsupportedFlavorException.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/XEmbeddedObjectSupplier.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XCellRangeReferrer.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XSheetFilterable.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XUnnamedDatabaseRanges.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/sheet/XViewFreezable.hpp>
#include <com/sun/star/sheet/XViewSplitable.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableChartsSupplier.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <rtl/ref.hxx>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <atomic>
#include <limits>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace lo {

namespace {

// The last row of a worksheet of the office.
constexpr int kMaxRows = 1048576;
// Free space below this while a save writes: the file system ran full.
constexpr qint64 kNearlyFull = 64 << 10;

// The profile is rebuilt whenever it is missing, so it is cache, not data.
QString defaultProfileDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
           + QStringLiteral("/Kelvane/Tarvo ZOL Lumo/office-profile");
}

QString filterFor(XLSaveFormat format, const QString& ownFilter, const QString& fileName)
{
    switch (format) {
    case XLSaveFormat::Xls:
        return kXlsFilter;
    case XLSaveFormat::Xlsx:
        return kXlsxFilter;
    case XLSaveFormat::KeepOwn:
        break;
    }
    return ownFilter.isEmpty() ? filterForFile(fileName) : ownFilter;
}

bool noSpaceError(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

qint64 freeBytes(const QString& folder)
{
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return -1;
    return qint64(fs.f_bavail) * qint64(fs.f_frsize);
}

// Why the private copy of `fileName` (`size` bytes) could not be made in the
// temporary folder: the folder is full, or cannot be written. The user's
// file is not to blame.
QString tempFolderFailure(qint64 size, int error, const QString& fileName)
{
    const QString temp = QDir::tempPath();
    const qint64 room = freeBytes(temp);
    if (noSpaceError(error) || (room >= 0 && room < std::max<qint64>(size, 1) + (64 << 10)))
        return QStringLiteral("There is not enough free space in the temporary folder '%1' for a copy of '%2'.")
            .arg(temp, fileName);
    return QStringLiteral("The temporary folder '%1' cannot be written: %2")
        .arg(temp, QString::fromLocal8Bit(std::strerror(error)));
}

// Copies the user's `from` to the private `to` on a thread of its own: a
// share that stops answering cannot hold the run, nor the windows, and
// Cancel answers meanwhile.
void copyBounded(const QString& fileName, const QString& from, const QString& to)
{
    struct Failure {
        bool reading;
        int error;
    };
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
    std::exception_ptr error;
    const FileWork r = boundedFileWork(
        [src, dst](std::atomic<quint64>& progress) {
            const int in = ::open(src.constData(), O_RDONLY | O_CLOEXEC);
            if (in < 0)
                throw Failure{true, errno};
            const int out = ::open(dst.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            if (out < 0) {
                const int e = errno;
                ::close(in);
                throw Failure{false, e};
            }
            std::vector<char> buffer(1 << 20);
            for (;;) {
                const ssize_t n = ::read(in, buffer.data(), buffer.size());
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    const int e = n < 0 ? errno : 0;
                    const int closed = ::close(out) == 0 ? 0 : errno;
                    ::close(in);
                    if (e)
                        throw Failure{true, e};
                    if (closed)
                        throw Failure{false, closed};
                    return;
                }
                for (ssize_t done = 0; done < n;) {
                    const ssize_t w = ::write(out, buffer.data() + done, size_t(n - done));
                    if (w < 0 && errno == EINTR)
                        continue;
                    if (w <= 0) {
                        const int e = w < 0 ? errno : ENOSPC;
                        ::close(out);
                        ::close(in);
                        throw Failure{false, e};
                    }
                    done += w;
                    progress += quint64(w);
                }
            }
        },
        stallTimeoutMs(), true, &error);
    switch (r) {
    case FileWork::Done:
        return;
    case FileWork::Cancelled:
        throw OperationAborted();
    case FileWork::Stuck:
        throw XLError(XLErrorKind::FolderStuck, QStringLiteral("The folder of '%1' stopped answering.").arg(fileName));
    case FileWork::Failed:
        break;
    }
    try {
        std::rethrow_exception(error);
    } catch (const Failure& f) {
        if (f.reading)
            throw XLError(XLErrorKind::Other, QStringLiteral("'%1' cannot be read.").arg(fileName));
        throw XLError(XLErrorKind::Other, tempFolderFailure(QFileInfo(from).size(), f.error, fileName));
    }
}

// The least free space on the file systems of some folders while a save runs,
// looked at every millisecond on a thread of its own: an office that runs out
// of room while it writes removes what it wrote before it gives up, and says
// no more than that the write failed.
class SpaceWatch {
public:
    explicit SpaceWatch(QStringList folders) : m_folders(std::move(folders))
    {
        m_thread = std::thread([this] {
            while (!m_stop.load()) {
                for (const QString& f : m_folders) {
                    const qint64 room = freeBytes(f);
                    if (room >= 0 && room < m_least.load())
                        m_least = room;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~SpaceWatch() { stop(); }
    qint64 stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_least.load();
    }

private:
    QStringList m_folders;
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_least{std::numeric_limits<qint64>::max()};
    std::thread m_thread;
};

// The charts of a workbook held from laying themselves out while it is
// written as .xlsx. That export converts every chart to the older format's
// records too, asking each for its laid-out plot area, which it then never
// writes: a chart whose data changed is drawn anew for it, every point, and
// that took most of the save of a filled template (a second or more, for a
// three-year block). A chart whose plot area was placed by hand is left
// alone (its place is worked out from its layout), and so is every chart
// saved in any other format: the .xls file holds the laid-out plot areas.
class ChartsHeld {
public:
    ChartsHeld(const Reference<sheet::XSpreadsheetDocument>& doc, const QString& filter)
    {
        if (filter != kXlsxFilter)
            return;
        // The hold only makes the save faster: a workbook whose charts
        // cannot be asked is saved without it.
        try {
            hold(doc);
        } catch (const uno::Exception&) {
            release();
        }
    }
    ~ChartsHeld() { release(); }
    ChartsHeld(const ChartsHeld&) = delete;
    ChartsHeld& operator=(const ChartsHeld&) = delete;

private:
    void hold(const Reference<sheet::XSpreadsheetDocument>& doc)
    {
        Reference<container::XIndexAccess> sheets(doc->getSheets(), UNO_QUERY_THROW);
        for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
            Reference<table::XTableChartsSupplier> supplier(sheets->getByIndex(i), UNO_QUERY);
            if (!supplier.is())
                continue;
            Reference<container::XIndexAccess> charts(supplier->getCharts(), UNO_QUERY_THROW);
            for (sal_Int32 j = 0; j < charts->getCount(); ++j) {
                Reference<document::XEmbeddedObjectSupplier> object(charts->getByIndex(j), UNO_QUERY);
                Reference<chart::XChartDocument> chart(object.is() ? object->getEmbeddedObject() : nullptr, UNO_QUERY);
                if (!chart.is())
                    continue;
                Reference<chart::XDiagramPositioning> place(chart->getDiagram(), UNO_QUERY);
                if (!place.is() || !place->isAutomaticDiagramPositioning())
                    continue;
                Reference<frame::XModel> model(chart, UNO_QUERY_THROW);
                model->lockControllers();
                m_held.push_back(model);
            }
        }
    }
    void release()
    {
        for (const auto& m : m_held) {
            try {
                m->unlockControllers();
            } catch (const uno::Exception&) {
                // the server went: nothing is left to release
            }
        }
        m_held.clear();
    }

    std::vector<Reference<frame::XModel>> m_held;
};

OfficeOptions officeOptions(const BackendOptions& b)
{
    OfficeOptions o;
    o.program = b.program;
    o.profileDir = b.profileDir;
    o.connectTimeoutMs = b.connectTimeoutMs;
    o.quitTimeoutMs = b.quitTimeoutMs;
    return o;
}

// What tells a file's contents unchanged without reading them: the same
// file (device and inode), size and modification time.
struct FileStamp {
    dev_t dev = 0;
    ino_t ino = 0;
    qint64 size = -1;
    qint64 mtimeNs = -1;

    static FileStamp of(const QString& path)
    {
        FileStamp f;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
            f.dev = st.st_dev;
            f.ino = st.st_ino;
            f.size = st.st_size;
            f.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        }
        return f;
    }
    bool valid() const { return size >= 0; }
    bool operator==(const FileStamp& o) const
    {
        return dev == o.dev && ino == o.ino && size == o.size && mtimeNs == o.mtimeNs;
    }
};

} // namespace

struct Backend::State {
    BackendOptions options;
    // Declared first, ended last: its thread spawned the servers it handed over.
    std::unique_ptr<SpareKeeper> keeper;
    std::unique_ptr<Office> office;
    ProfileHold profile;
    qint64 serverPeakKb = -1;

    Reference<frame::XModel> model;
    Reference<sheet::XSpreadsheetDocument> doc;
    Reference<sheet::XSpreadsheet> sheet;
    QString loadFilter;
    std::map<sal_Int32, sal_Int16> formatTypes; // number format key -> type
    // A workbook opened read-only is loaded from a private copy: the office
    // refuses every change to a read-only document (the layer writes into
    // the template it opens read-only), and the user's file is then never
    // opened for writing at all, not even locked.
    std::unique_ptr<QTemporaryDir> docCopy;

    // Kept for the run (see XLBackend::holdForRun). The open workbook's
    // file, as it was when loaded, and whether it was taken back already.
    bool hold = false;
    QString docPath;
    FileStamp docStamp;
    QString docPassword;
    bool docTakenBack = false;
    // Workbooks closed unchanged, loaded still.
    struct Kept {
        QString path;
        FileStamp stamp;
        QString password;
        Reference<frame::XModel> model;
        Reference<sheet::XSpreadsheetDocument> doc;
        QString loadFilter;
        std::unique_ptr<QTemporaryDir> copy;
    };
    std::vector<Kept> kept;
    // The server outlived a quit for the run's next start; once taken back
    // the next quit ends it.
    bool parked = false;
    bool serverTakenBack = false;

    // Runs one office request off this thread (watched: see LoCall.h) and
    // turns whatever it raises into XLError; a cancel passes on as it is.
    template <class F>
    auto guard(F&& f) -> decltype(f())
    {
        try {
            return office->call(std::forward<F>(f));
        } catch (const XLError&) {
            throw;
        } catch (const OperationAborted&) {
            throw;
        } catch (const lang::DisposedException& e) {
            throw XLError(XLErrorKind::Other, office && office->running()
                                                  ? QStringLiteral("The spreadsheet server closed the connection.")
                                                  : describe(e));
        } catch (const uno::Exception& e) {
            throw XLError(XLErrorKind::Other, describe(e));
        } catch (const std::exception& e) {
            throw XLError(XLErrorKind::Other, QString::fromUtf8(e.what()));
        }
    }

    // guard() for a request in which the server reads or writes `fileName`:
    // a server held by that file's folder is reported as the folder's fault.
    template <class F>
    auto guardFolder(const QString& fileName, F&& f) -> decltype(f())
    {
        try {
            return guard(std::forward<F>(f));
        } catch (const XLError& e) {
            if (e.kind() == XLErrorKind::NoAnswer && office && office->heldByFolder())
                throw XLError(XLErrorKind::FolderStuck,
                              QStringLiteral("The folder of '%1' stopped answering.").arg(fileName));
            throw;
        }
    }

    QString describe(const uno::Exception& e)
    {
        if (!office || !office->running())
            return QStringLiteral("The spreadsheet server is not running.");
        const QString m = cleanMessage(e.Message);
        return m.isEmpty() ? QStringLiteral("The spreadsheet server refused the request.") : m;
    }

    // Whether a failed save of `path` ran short of disk space: the folder
    // it went to, or the server's own temporary folder, has less free space
    // left than the workbook takes (and than a megabyte).
    bool shortOfSpace(const QString& path) const
    {
        qint64 need = 1 << 20;
        if (model.is()) {
            const QString loaded = docCopy ? docCopy->path() : QString();
            if (!loaded.isEmpty()) {
                for (const QFileInfo& fi : QDir(loaded).entryInfoList(QDir::Files))
                    need = std::max(need, fi.size());
            }
        }
        for (const QString& folder : {QFileInfo(path).absolutePath(), QDir::tempPath()}) {
            struct statvfs fs {};
            if (::statvfs(QFile::encodeName(folder).constData(), &fs) == 0
                && qint64(fs.f_bavail) * qint64(fs.f_frsize) < need)
                return true;
        }
        return false;
    }

    void requireOffice()
    {
        if (!office)
            throw XLError(XLErrorKind::Other, QStringLiteral("The spreadsheet server has not been started."));
    }
    void requireDoc()
    {
        requireOffice();
        if (!doc.is())
            throw XLError(XLErrorKind::Other, QStringLiteral("No workbook is open."));
    }
    void requireSheet()
    {
        requireDoc();
        if (!sheet.is())
            throw XLError(XLErrorKind::Other, QStringLiteral("No worksheet is selected."));
    }

    void dropDocument()
    {
        sheet.clear();
        doc.clear();
        model.clear();
        loadFilter.clear();
        formatTypes.clear();
        docCopy.reset();
        docPath.clear();
        docStamp = {};
        docPassword.clear();
        docTakenBack = false;
    }

    void endOffice()
    {
        dropDocument();
        kept.clear(); // they go with their server
        parked = false;
        serverTakenBack = false;
        endServer(office, profile);
    }

    void closeModel(const Reference<frame::XModel>& m)
    {
        guard([&] { Reference<util::XCloseable>(m, UNO_QUERY_THROW)->close(true); });
    }

    // The open workbook kept loaded in place of a close: only one loaded
    // read-only for the run, not taken back before, and unchanged.
    bool keepOnClose()
    {
        if (!hold || docTakenBack || docPath.isEmpty() || !docCopy)
            return false;
        const bool unchanged = guard([&] {
            Reference<util::XModifiable> m(model, UNO_QUERY);
            return m.is() && !m->isModified();
        });
        if (!unchanged)
            return false;
        kept.push_back({docPath, docStamp, docPassword, model, doc, loadFilter, std::move(docCopy)});
        dropDocument();
        return true;
    }

    // Makes a kept workbook of `path` the open one again, when its file is
    // as it was loaded; one whose file changed is closed, to be loaded anew.
    bool takeKept(const QString& path, const QString& password)
    {
        for (auto it = kept.begin(); it != kept.end(); ++it) {
            if (it->path != path || it->password != password)
                continue;
            Kept k = std::move(*it);
            kept.erase(it);
            if (!(FileStamp::of(path) == k.stamp)) {
                closeModel(k.model);
                return false;
            }
            // The workbook held so far is closed, as a load would close it.
            if (model.is())
                closeModel(model);
            dropDocument();
            model = k.model;
            doc = k.doc;
            loadFilter = k.loadFilter;
            docCopy = std::move(k.copy);
            docPath = k.path;
            docStamp = k.stamp;
            docPassword = k.password;
            docTakenBack = true;
            return true;
        }
        return false;
    }

    // An A1 address or range of the selected worksheet. The office raises a
    // bare RuntimeException for an address it cannot resolve.
    Reference<table::XCellRange> range(const QString& address)
    {
        try {
            return sheet->getCellRangeByName(toOU(address));
        } catch (const lang::DisposedException&) {
            throw;
        } catch (const uno::RuntimeException&) {
            if (!office->running())
                throw;
            throw XLError(XLErrorKind::BadRange, kXLBadRangeText);
        }
    }
    // One cell of the selected worksheet. A plain A1 address is resolved
    // here, saving the office a name lookup and a request per cell.
    Reference<table::XCell> cell(const QString& address)
    {
        if (const auto at = cellPosition(address))
            return sheet->getCellByPosition(at->first, at->second);
        return range(address)->getCellByPosition(0, 0);
    }
    // A cell or a range, for its properties.
    Reference<beans::XPropertySet> cellsProperties(const QString& address)
    {
        if (const auto at = cellPosition(address))
            return Reference<beans::XPropertySet>(sheet->getCellByPosition(at->first, at->second), UNO_QUERY_THROW);
        return Reference<beans::XPropertySet>(range(address), UNO_QUERY_THROW);
    }
    Reference<table::XCellRange> columnBlock(const QString& column, int firstRow, int lastRow)
    {
        return range(column + QString::number(firstRow) + u':' + column + QString::number(lastRow));
    }

    Reference<frame::XController> controller() { return model->getCurrentController(); }

    void select(const Reference<table::XCellRange>& r)
    {
        Reference<view::XSelectionSupplier> sel(controller(), UNO_QUERY_THROW);
        sel->select(Any(r));
    }

    sal_Int16 formatType(sal_Int32 key)
    {
        auto it = formatTypes.find(key);
        if (it != formatTypes.end())
            return it->second;
        Reference<util::XNumberFormatsSupplier> nfs(model, UNO_QUERY_THROW);
        sal_Int16 type = 0;
        nfs->getNumberFormats()->getByKey(key)->getPropertyValue("Type") >>= type;
        formatTypes.emplace(key, type);
        return type;
    }

    void removeAutoFilter()
    {
        Reference<beans::XPropertySet> docProps(model, UNO_QUERY_THROW);
        Reference<sheet::XUnnamedDatabaseRanges> ranges(docProps->getPropertyValue("UnnamedDatabaseRanges"),
                                                        UNO_QUERY);
        if (!ranges.is())
            return;
        Reference<sheet::XCellRangeAddressable> addr(sheet, UNO_QUERY_THROW);
        const sal_Int16 tab = addr->getRangeAddress().Sheet;
        if (!ranges->hasByTable(tab))
            return;
        Reference<beans::XPropertySet> db(ranges->getByTable(tab), UNO_QUERY_THROW);
        bool autoFilter = false;
        db->getPropertyValue("AutoFilter") >>= autoFilter;
        if (!autoFilter)
            return;
        // Switching the buttons off alone leaves the filtered rows hidden.
        Reference<sheet::XCellRangeReferrer> area(db, UNO_QUERY_THROW);
        Reference<sheet::XSheetFilterable> filterable(area->getReferredCells(), UNO_QUERY_THROW);
        filterable->filter(filterable->createFilterDescriptor(true));
        db->setPropertyValue("AutoFilter", Any(false));
    }

    void removeSplit()
    {
        // A headless view keeps no window split; these calls take effect only
        // where the view has one, and leave frozen panes alone.
        Reference<sheet::XViewFreezable> freeze(controller(), UNO_QUERY);
        Reference<sheet::XViewSplitable> split(controller(), UNO_QUERY);
        if (!freeze.is() || !split.is() || freeze->hasFrozenPanes())
            return;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (split->getIsWindowSplit())
            split->splitAtPosition(0, 0);
#pragma GCC diagnostic pop
    }
};

// A column of a large workbook comes back as hundreds of thousands of small
// values, freed once converted. With the allocator's default limits the freed
// memory goes back to the system after every column and is faulted in again
// for the next one: reading 100,000 tasks took twice as long for it. The
// memory is kept while the server runs, and given back when it quits.
static void keepFreedMemory()
{
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_TRIM_THRESHOLD, 256 << 20);
        mallopt(M_TOP_PAD, 64 << 20);
    });
}

Backend::Backend(BackendOptions options) : d(std::make_unique<State>())
{
    keepFreedMemory();
    d->options = std::move(options);
    if (d->options.program.isEmpty())
        d->options.program = platform::sofficePath();
    if (d->options.profileDir.isEmpty())
        d->options.profileDir = defaultProfileDir();
    if (d->options.spare.value_or(SpareKeeper::enabledByDefault())) {
        d->keeper = std::make_unique<SpareKeeper>(officeOptions(d->options));
        d->keeper->prepare();
    }
}

Backend::~Backend()
{
    try {
        if (d->office)
            d->office->terminate();
    } catch (...) {
    }
    d->endOffice();
    d->keeper.reset();
}

int Backend::sparePid() const
{
    return d->keeper ? d->keeper->readyPid() : -1;
}

bool Backend::waitSpareReady(int ms) const
{
    return d->keeper && d->keeper->waitReady(ms);
}

qint64 Backend::serverPeakKb() const
{
    return d->serverPeakKb;
}

int Backend::serverPid() const
{
    return d->office && d->office->running() ? int(d->office->pid()) : -1;
}

Office* Backend::server() const
{
    return d->office.get();
}

void Backend::start()
{
    // The run's server kept over its quit serves again while it answers.
    if (d->parked && d->office) {
        d->parked = false;
        if (d->office->answers(CallRunner::Cancel::Honoured)) {
            d->serverTakenBack = true;
            return;
        }
    }
    // A server still held is ended, not left running on its own.
    d->endOffice();
    // What runs of ours that died left behind goes before a new one starts.
    sweepLeftovers();
    if (d->keeper) {
        StartedOffice spare = d->keeper->take();
        if (spare.office) {
            d->office = std::move(spare.office);
            d->profile = std::move(spare.profile);
            // The next start finds one ready too; a run keeps its server and
            // asks for the next spare when it quits, so that no start
            // competes with its loads.
            if (!d->hold)
                d->keeper->prepare();
            return;
        }
    }
    OfficeOptions o = officeOptions(d->options);
    d->profile = ProfileHold::acquire(d->options.profileDir);
    o.profileDir = d->profile.dir;
    auto office = std::make_unique<Office>(o);
    try {
        office->start();
    } catch (const std::exception& e) {
        endServer(office, d->profile);
        if (dynamic_cast<const XLError*>(&e) || dynamic_cast<const OperationAborted*>(&e))
            throw;
        throw XLError(XLErrorKind::Other, QString::fromUtf8(e.what()));
    }
    d->office = std::move(office);
    if (d->keeper && !d->hold)
        d->keeper->prepare(); // the spare had died: a new one for the next start
}

void Backend::holdForRun(bool on)
{
    d->hold = on;
}

void Backend::quit()
{
    if (!d->office)
        return;
    // Kept running for the run's next start, unless it was taken back once
    // (or a workbook is still open, which a quit would close unsaved).
    if (d->hold && !d->serverTakenBack && !d->parked && !d->model.is()) {
        d->parked = true;
        return;
    }
    d->serverPeakKb = std::max(d->serverPeakKb, d->office->peakResidentKb());
    bool done = false;
    try {
        done = d->office->terminate();
    } catch (...) {
        done = true; // whatever went wrong, terminate() has ended the process
    }
    if (!done)
        throw XLError(XLErrorKind::Busy, kXLBusyText);
    d->endOffice();
    malloc_trim(0); // what the reads kept (see keepFreedMemory)
    // The next start gets a fresh server: one is on its way already, or
    // starts now, in the background.
    if (d->keeper)
        d->keeper->prepare();
}

void Backend::openWorkbook(const QString& fileName, const QString& password,
                           const QString& /*writeResPassword: no counterpart in the office*/, bool readOnly)
{
    d->requireOffice();
    const QFileInfo info(fileName);
    if (!info.exists())
        throw XLError(XLErrorKind::Other, QStringLiteral("'%1' could not be found.").arg(fileName));
    if (!info.isFile())
        throw XLError(XLErrorKind::Other, QStringLiteral("'%1' is not a file.").arg(fileName));
    // Loaded already for the run, and its file unchanged since.
    if (readOnly && d->takeKept(info.absoluteFilePath(), password))
        return;
    // Taken before the copy: a change while it is copied shows at the next open.
    const FileStamp stamp = readOnly ? FileStamp::of(info.absoluteFilePath()) : FileStamp();
    std::unique_ptr<QTemporaryDir> copyDir;
    QString loadPath = info.absoluteFilePath();
    if (readOnly) {
        copyDir = std::make_unique<QTemporaryDir>(tempTemplate(QStringLiteral("workbook")));
        if (!copyDir->isValid())
            throw XLError(XLErrorKind::Other, tempFolderFailure(info.size(), errno, fileName));
        loadPath = copyDir->filePath(info.fileName());
        copyBounded(fileName, info.absoluteFilePath(), loadPath);
    }
    d->guardFolder(fileName, [&] {
        rtl::Reference<InteractionRecorder> recorder(new InteractionRecorder);
        const Sequence<beans::PropertyValue> args = seqOf({
            prop("Hidden", Any(true)),
            prop("ReadOnly", Any(false)),
            prop("Password", Any(toOU(password))),
            prop("UpdateDocMode", Any(document::UpdateDocMode::NO_UPDATE)),
            prop("MacroExecutionMode", Any(document::MacroExecMode::NEVER_EXECUTE)),
            prop("PickListEntry", Any(false)),
            prop("InteractionHandler", Any(Reference<task::XInteractionHandler>(recorder.get()))),
        });
        Reference<frame::XComponentLoader> loader(d->office->desktop(), UNO_QUERY_THROW);
        Reference<lang::XComponent> component;
        const QString unreadable =
            QStringLiteral("'%1' is not a workbook that can be read, or it is damaged.").arg(fileName);
        // The office asks for the password, and is refused by the recorder,
        // whenever the one given (or none) does not open the workbook: an
        // encrypted binary workbook then loads as no document, an encrypted
        // OOXML package fails its type detection. Without that request the
        // file itself is at fault.
        const auto refused = [&] {
            if (!recorder->passwordAsked())
                return unreadable;
            return password.isEmpty() ? QStringLiteral("'%1' is protected by a password.").arg(fileName)
                                      : QStringLiteral("The password is not correct.");
        };
        try {
            component = loader->loadComponentFromURL(toOU(fileUrl(loadPath)), "_blank", 0, args);
        } catch (const lang::IllegalArgumentException&) {
            if (!d->office->running())
                throw;
            throw XLError(XLErrorKind::Other, refused());
        } catch (const io::IOException&) {
            if (!d->office->running())
                throw;
            throw XLError(XLErrorKind::Other, refused());
        }
        if (!component.is())
            throw XLError(XLErrorKind::Other, refused());
        Reference<sheet::XSpreadsheetDocument> doc(component, UNO_QUERY);
        if (!doc.is()) {
            Reference<util::XCloseable> c(component, UNO_QUERY);
            if (c.is())
                c->close(true);
            throw XLError(XLErrorKind::Other, unreadable);
        }
        // The workbook held so far stays until the new one has loaded.
        if (d->model.is()) {
            try {
                Reference<util::XCloseable>(d->model, UNO_QUERY_THROW)->close(true);
            } catch (const uno::Exception&) {
            }
        }
        d->dropDocument();
        d->docCopy = std::move(copyDir);
        if (readOnly && stamp.valid()) {
            d->docPath = info.absoluteFilePath();
            d->docStamp = stamp;
            d->docPassword = password;
        }
        d->doc = doc;
        d->model.set(component, UNO_QUERY_THROW);
        // Nothing is ever undone here: each write would copy what it
        // replaces for nothing.
        try {
            Reference<beans::XPropertySet>(component, UNO_QUERY_THROW)->setPropertyValue("IsUndoEnabled", Any(false));
        } catch (const beans::UnknownPropertyException&) {
        }
        for (const auto& a : d->model->getArgs()) {
            if (a.Name == "FilterName") {
                OUString f;
                a.Value >>= f;
                d->loadFilter = toQ(f);
            }
        }
    });
}

QStringList Backend::worksheetNames()
{
    d->requireDoc();
    return d->guard([&] {
        QStringList out;
        for (const OUString& n : d->doc->getSheets()->getElementNames())
            out << toQ(n);
        return out;
    });
}

void Backend::selectWorksheet(int index)
{
    d->requireDoc();
    d->guard([&] {
        Reference<container::XIndexAccess> sheets(d->doc->getSheets(), UNO_QUERY_THROW);
        d->sheet.set(sheets->getByIndex(index - 1), UNO_QUERY_THROW);
    });
}

XLUsedRange Backend::usedRange(const QString& wsName)
{
    d->requireDoc();
    return d->guard([&] {
        Reference<container::XNameAccess> sheets(d->doc->getSheets(), UNO_QUERY_THROW);
        if (!sheets->hasByName(toOU(wsName)))
            throw XLError(XLErrorKind::Other, QStringLiteral("The worksheet '%1' does not exist.").arg(wsName));
        d->sheet.set(sheets->getByName(toOU(wsName)), UNO_QUERY_THROW);
        Reference<sheet::XSpreadsheetView> view(d->controller(), UNO_QUERY_THROW);
        view->setActiveSheet(d->sheet);
        d->removeAutoFilter();
        d->removeSplit();
        Reference<sheet::XSheetCellCursor> cursor = d->sheet->createCursor();
        Reference<sheet::XUsedAreaCursor> used(cursor, UNO_QUERY_THROW);
        used->gotoStartOfUsedArea(false);
        used->gotoEndOfUsedArea(true);
        const table::CellRangeAddress a = Reference<sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
        XLUsedRange r;
        r.firstRow = a.StartRow + 1;
        r.firstCol = a.StartColumn + 1;
        r.rowCount = a.EndRow - a.StartRow + 1;
        r.colCount = a.EndColumn - a.StartColumn + 1;
        return r;
    });
}

void Backend::saveAs(const QString& fileName, XLSaveFormat format)
{
    d->requireDoc();
    const QFileInfo target(QDir::current().absoluteFilePath(fileName));
    const QString folder = target.absolutePath();
    if (target.fileName().isEmpty())
        throw XLError(XLErrorKind::Other, QStringLiteral("'%1' is not a file name.").arg(fileName));
    if (!QFileInfo(folder).isDir())
        throw XLError(XLErrorKind::Other, QStringLiteral("The folder '%1' does not exist.").arg(folder));
    if (target.isDir())
        throw XLError(XLErrorKind::Other, QStringLiteral("'%1' is a folder.").arg(fileName));
    // The new file is written into a folder of ours beside the target and
    // renamed into place only when complete, so a failed or interrupted save
    // never leaves a half-written file, nor touches the one already there;
    // the folder goes with all the office put into it (its temporaries and
    // lock), or a later start removes it when this process dies.
    BesideFolder beside(target.absoluteFilePath());
    if (!beside.isValid())
        throw XLError(XLErrorKind::Other, QStringLiteral("Cannot write to the folder '%1'.").arg(folder));
    const QString tempPath = beside.filePath(target.fileName());
    const QString filter = filterFor(format, d->loadFilter, fileName);
    {
        SpaceWatch space({folder, QDir::tempPath()});
        try {
            try {
                d->guardFolder(fileName, [&] {
                    const ChartsHeld held(d->doc, filter);
                    storeTo(d->model, tempPath, filter);
                });
            } catch (...) {
                if (d->office && d->office->heldByFolder())
                    beside.setUnanswering();
                throw;
            }
        } catch (const XLError& e) {
            // The office names no want of space: a file system that ran full
            // while it wrote, or has too little room left, tells it.
            if (e.kind() == XLErrorKind::Other && (space.stop() < kNearlyFull || d->shortOfSpace(tempPath)))
                throw XLError(XLErrorKind::NoSpace, e.message());
            throw;
        }
    }
    // What is left goes on a thread of its own: the folder may stop
    // answering after the office has written.
    const QString targetPath = target.absoluteFilePath();
    std::exception_ptr error;
    const FileWork r = boundedFileWork(
        [tempPath, targetPath](std::atomic<quint64>&) {
            const QFileDevice::Permissions perms =
                QFileInfo::exists(targetPath)
                    ? QFile::permissions(targetPath)
                    : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                          | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
            QFile::setPermissions(tempPath, perms);
            {
                // On disk before it replaces anything: a crash after the
                // rename must not leave an empty Output File in place of the
                // old one.
                QFile written(tempPath);
                if (written.open(QIODevice::ReadOnly) && ::fsync(written.handle()) != 0 && noSpaceError(errno))
                    throw XLError(XLErrorKind::NoSpace, QString::fromLocal8Bit(std::strerror(errno)));
            }
            if (std::rename(QFile::encodeName(tempPath).constData(), QFile::encodeName(targetPath).constData()) != 0)
                throw XLError(XLErrorKind::Other, QString());
        },
        stallTimeoutMs(), true, &error);
    switch (r) {
    case FileWork::Done:
        return;
    case FileWork::Cancelled:
        beside.setUnanswering(); // perhaps it does not: no wait for it after a Cancel
        throw OperationAborted();
    case FileWork::Stuck:
        beside.setUnanswering();
        throw XLError(XLErrorKind::FolderStuck, QStringLiteral("The folder of '%1' stopped answering.").arg(fileName));
    case FileWork::Failed:
        break;
    }
    try {
        std::rethrow_exception(error);
    } catch (const XLError& e) {
        if (e.kind() == XLErrorKind::NoSpace)
            throw;
    } catch (...) {
    }
    throw XLError(XLErrorKind::Other, QStringLiteral("Cannot replace '%1'.").arg(fileName));
}

void Backend::closeWorkbook(bool saveChanges)
{
    d->requireDoc();
    if (!saveChanges && d->keepOnClose())
        return;
    d->guard([&] {
        if (saveChanges)
            Reference<frame::XStorable>(d->model, UNO_QUERY_THROW)->store();
        Reference<util::XCloseable>(d->model, UNO_QUERY_THROW)->close(true);
    });
    d->dropDocument();
}

void Backend::unhideAllColumns(int colCount)
{
    d->requireSheet();
    d->guard([&] {
        auto r = d->range(QStringLiteral("A1:") + columnLetters(std::max(1, colCount)) + u'1');
        Reference<table::XColumnRowRange> cr(r, UNO_QUERY_THROW);
        Reference<beans::XPropertySet>(cr->getColumns(), UNO_QUERY_THROW)->setPropertyValue("IsVisible", Any(true));
    });
}

void Backend::unhideAllRows(int rowCount)
{
    d->requireSheet();
    d->guard([&] {
        auto r = d->range(QStringLiteral("A1:A") + QString::number(std::max(1, rowCount)));
        Reference<table::XColumnRowRange> cr(r, UNO_QUERY_THROW);
        Reference<beans::XPropertySet>(cr->getRows(), UNO_QUERY_THROW)->setPropertyValue("IsVisible", Any(true));
    });
}

XLColumn Backend::readRawColumn(const QString& column, int firstRow, int lastRow)
{
    d->requireSheet();
    return d->guard([&] {
        auto block = d->columnBlock(column, firstRow, lastRow);
        const Sequence<Sequence<Any>> data = Reference<sheet::XCellRangeData>(block, UNO_QUERY_THROW)->getDataArray();
        // An empty cell reads as an empty text; only the query tells it from
        // a formula that gives one.
        const Sequence<table::CellRangeAddress> empties =
            Reference<sheet::XCellRangesQuery>(block, UNO_QUERY_THROW)->queryEmptyCells()->getRangeAddresses();
        const int n = int(data.getLength());
        XLColumn out(n);
        std::vector<bool> empty(n, false);
        for (const auto& a : empties)
            for (int r = a.StartRow; r <= a.EndRow; ++r)
                if (r - (firstRow - 1) >= 0 && r - (firstRow - 1) < n)
                    empty[r - (firstRow - 1)] = true;
        for (int i = 0; i < n; ++i) {
            if (empty[i])
                continue;
            const Any& v = data[i][0];
            double number = 0;
            OUString text;
            if (v >>= number) {
                out[i] = XLCell::fromNumber(number);
            } else if (v >>= text) {
                out[i] = XLCell::fromText(toQ(text));
            } else {
                // An error value comes as void: read what the cell shows.
                Reference<text::XTextRange> cell(block->getCellByPosition(0, i), UNO_QUERY_THROW);
                out[i] = XLCell::fromError(toQ(cell->getString()));
            }
        }
        return out;
    });
}

QStringList Backend::readDisplayColumn(const QString& column, int firstRow, int lastRow)
{
    d->requireSheet();
    return d->guard([&] {
        const int n = lastRow - firstRow + 1;
        auto block = d->columnBlock(column, firstRow, lastRow);
        Reference<sheet::XCellRangeData> values(block, UNO_QUERY_THROW);
        const Sequence<Sequence<Any>> data = values->getDataArray();
        auto eachCell = [&] {
            QStringList texts;
            for (int i = 0; i < n; ++i)
                texts << toQ(Reference<text::XTextRange>(block->getCellByPosition(0, i), UNO_QUERY_THROW)->getString());
            return texts;
        };
        d->select(block);
        bool allEmpty = true;
        for (const auto& row : data) {
            OUString t;
            allEmpty = allEmpty && (row[0] >>= t) && t.isEmpty();
        }
        // Nothing to copy: the office would copy the data around the cursor.
        if (allEmpty)
            return QStringList(n, QString());
        // A single cell selected is no marked range and has no text to copy.
        if (n == 1)
            return eachCell();
        Reference<datatransfer::XTransferableSupplier> supplier(d->controller(), UNO_QUERY_THROW);
        Reference<datatransfer::XTransferable> copy = supplier->getTransferable();
        if (!copy.is())
            return eachCell();
        datatransfer::DataFlavor plain;
        plain.MimeType = "text/plain;charset=utf-16";
        plain.DataType = cppu::UnoType<OUString>::get();
        OUString plainText;
        try {
            copy->getTransferData(plain) >>= plainText;
        } catch (const datatransfer::UnsupportedFlavorException&) {
            return eachCell();
        }
        datatransfer::DataFlavor quoted;
        quoted.MimeType = "application/x-libreoffice-tsvc";
        quoted.DataType = cppu::UnoType<Sequence<sal_Int8>>::get();
        Sequence<sal_Int8> quotedBytes;
        try {
            copy->getTransferData(quoted) >>= quotedBytes;
        } catch (const datatransfer::UnsupportedFlavorException&) {
        }
        const QString quotedText =
            QString::fromUtf8(reinterpret_cast<const char*>(quotedBytes.getConstArray()), quotedBytes.getLength());
        const QStringList rows = mergeCopiedColumn(toQ(plainText), quotedText, n);
        // Texts show as they are: a copy that differs there is not the copy of
        // this block, and the cells are asked one by one instead.
        for (int i = 0; i < n; ++i) {
            OUString t;
            if ((data[i][0] >>= t) && toQ(t) != rows[i])
                return eachCell();
        }
        return rows;
    });
}

XLHeaderField Backend::readHeaderField(int headerRow, int col, int valueCount)
{
    d->requireSheet();
    return d->guard([&] {
        const int last = std::min(kMaxRows, headerRow + std::max(0, valueCount));
        Reference<table::XCellRange> block = d->sheet->getCellRangeByPosition(col - 1, headerRow - 1, col - 1, last - 1);
        const Sequence<Sequence<Any>> data = Reference<sheet::XCellRangeData>(block, UNO_QUERY_THROW)->getDataArray();
        QStringList texts;
        for (int i = 0; i < data.getLength(); ++i) {
            const Any& v = data[i][0];
            double number = 0;
            OUString text;
            if (v >>= number) {
                Reference<beans::XPropertySet> cell(block->getCellByPosition(0, i), UNO_QUERY_THROW);
                sal_Int32 key = 0;
                cell->getPropertyValue("NumberFormat") >>= key;
                texts << valueText(number, d->formatType(key));
            } else if (v >>= text) {
                texts << toQ(text);
            } else {
                Reference<text::XTextRange> cell(block->getCellByPosition(0, i), UNO_QUERY_THROW);
                texts << toQ(cell->getString());
            }
        }
        XLHeaderField f;
        f.description = texts.value(0);
        f.values = texts.mid(1);
        while (f.values.size() < valueCount)
            f.values << QString();
        return f;
    });
}

void Backend::deleteRows(int firstRow, int lastRow)
{
    d->requireSheet();
    d->guard([&] {
        Reference<table::XColumnRowRange> cr(d->sheet, UNO_QUERY_THROW);
        cr->getRows()->removeByIndex(firstRow - 1, lastRow - firstRow + 1);
    });
}

void Backend::insertRows(int firstRow, int lastRow)
{
    d->requireSheet();
    d->guard([&] {
        Reference<table::XColumnRowRange> cr(d->sheet, UNO_QUERY_THROW);
        cr->getRows()->insertByIndex(firstRow - 1, lastRow - firstRow + 1);
        d->select(d->range(QStringLiteral("A") + QString::number(firstRow)));
    });
}

void Backend::selectRange(const QString& address)
{
    d->requireSheet();
    d->guard([&] {
        auto r = d->range(address);
        Reference<sheet::XSpreadsheetView>(d->controller(), UNO_QUERY_THROW)->setActiveSheet(d->sheet);
        d->select(r);
    });
}

void Backend::writeColumn(const QString& column, int firstRow, int lastRow, const XLColumn& values)
{
    d->requireSheet();
    const int n = lastRow - firstRow + 1;
    if (values.size() != n)
        throw XLError(XLErrorKind::Other,
                      QStringLiteral("%1 values do not fill the %2 rows of the block.").arg(values.size()).arg(n));
    d->guard([&] {
        Sequence<Sequence<Any>> data(n);
        auto rows = data.getArray();
        for (int i = 0; i < n; ++i) {
            const XLCell& c = values[i];
            // An empty text leaves an empty cell; a text is stored literally.
            const Any v = c.kind == XLCell::Number ? Any(c.number)
                                                   : Any(toOU(c.kind == XLCell::Empty ? QString() : c.text));
            rows[i] = Sequence<Any>(&v, 1);
        }
        auto block = d->columnBlock(column, firstRow, lastRow);
        Reference<sheet::XCellRangeData>(block, UNO_QUERY_THROW)->setDataArray(data);
    });
}

void Backend::writeCellText(const QString& cell, const QString& text)
{
    d->requireSheet();
    d->guard([&] {
        // setString stores the text as it is: "=1+2" or "00123" stay texts.
        Reference<text::XTextRange>(d->cell(cell), UNO_QUERY_THROW)->setString(toOU(text));
    });
}

void Backend::writeCellNumber(const QString& cell, double value)
{
    d->requireSheet();
    d->guard([&] { d->cell(cell)->setValue(value); });
}

void Backend::clearContents(const QString& range)
{
    d->requireSheet();
    d->guard([&] {
        // What an empty text written into a cell removes, and no more: notes,
        // formats and drawing objects stay.
        const sal_Int32 flags = sheet::CellFlags::VALUE | sheet::CellFlags::DATETIME | sheet::CellFlags::STRING
                                | sheet::CellFlags::FORMULA;
        Reference<sheet::XSheetOperation>(d->range(range), UNO_QUERY_THROW)->clearContents(flags);
    });
}

void Backend::setFontColor(const QString& cell, int color)
{
    d->requireSheet();
    d->guard([&] {
        d->cellsProperties(cell)->setPropertyValue("CharColor", Any(sal_Int32(swapRedBlue(color))));
    });
}

void Backend::setInteriorColor(const QString& cell, int color)
{
    d->requireSheet();
    d->guard([&] {
        d->cellsProperties(cell)->setPropertyValue("CellBackColor", Any(sal_Int32(swapRedBlue(color))));
    });
}

void installBackendFactory(BackendOptions options)
{
    setXLBackendFactory([options](int) { return std::make_unique<Backend>(options); });
}

} // namespace lo
