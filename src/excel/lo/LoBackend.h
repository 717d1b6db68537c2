#pragma once
// The spreadsheet backend on a private headless LibreOffice (Calc) server,
// driven over UNO. Every column is read or written in one request; office
// failures come out as XLError with the office's source positions removed.
#include "XLBackend.h"

#include <QString>

#include <memory>
#include <optional>

namespace lo {

class Office;

struct BackendOptions {
    QString program;    // soffice.bin; empty: platform::sofficePath()
    QString profileDir; // private user profile; empty: one under the user's cache folder
    int connectTimeoutMs = 90000;
    int quitTimeoutMs = 15000;
    // Keep a spare server starting in the background, so that a start hands
    // one over at once; unset: as SpareKeeper::enabledByDefault() says.
    std::optional<bool> spare;
};

class Backend : public XLBackend {
public:
    explicit Backend(BackendOptions options = {});
    ~Backend() override;

    void start() override;
    void quit() override;
    void openWorkbook(const QString& fileName, const QString& password,
                      const QString& writeResPassword, bool readOnly) override;
    QStringList worksheetNames() override;
    void selectWorksheet(int index) override;
    XLUsedRange usedRange(const QString& wsName) override;
    void saveAs(const QString& fileName, XLSaveFormat format) override;
    void closeWorkbook(bool saveChanges) override;

    void unhideAllColumns(int colCount) override;
    void unhideAllRows(int rowCount) override;
    XLColumn readRawColumn(const QString& column, int firstRow, int lastRow) override;
    QStringList readDisplayColumn(const QString& column, int firstRow, int lastRow) override;
    XLHeaderField readHeaderField(int headerRow, int col, int valueCount) override;

    void deleteRows(int firstRow, int lastRow) override;
    void insertRows(int firstRow, int lastRow) override;
    void selectRange(const QString& address) override;
    void writeColumn(const QString& column, int firstRow, int lastRow, const XLColumn& values) override;
    void writeCellText(const QString& cell, const QString& text) override;
    void writeCellNumber(const QString& cell, double value) override;
    void clearContents(const QString& range) override;
    void setFontColor(const QString& cell, int color) override;
    void setInteriorColor(const QString& cell, int color) override;
    void holdForRun(bool on) override;

    // The server's process id while one runs (-1 otherwise), and the server
    // itself (nullptr when none): for tests and the fixture maker, which look
    // at workbooks in ways the layer never needs.
    int serverPid() const;
    Office* server() const;
    // The spare's process id while one is connected and waiting (-1
    // otherwise), and a wait of up to `ms` for one under way.
    int sparePid() const;
    bool waitSpareReady(int ms) const;
    // The largest peak resident memory (KiB) of the servers this backend
    // ended by quit(), each read just before it was asked to end; -1: none.
    qint64 serverPeakKb() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

// Installs the factory that gives the layer this backend for every version.
void installBackendFactory(BackendOptions options = {});

} // namespace lo
