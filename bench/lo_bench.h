#pragma once
// One private server for a benchmark program, and a workbook filled in it.
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"
#include "LoUno.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace lobench {

struct Server {
    QTemporaryDir dir;
    std::unique_ptr<lo::Backend> backend;
    Server()
    {
        lo::BackendOptions o;
        o.profileDir = dir.filePath("profile");
        o.spare = false; // one server for the whole bench
        backend = std::make_unique<lo::Backend>(o);
        backend->start();
    }
    ~Server() { backend->quit(); }
};

// A new workbook whose first sheet `fill` fills, saved as .xlsx at `path`.
inline void makeWorkbook(lo::Office& office, const QString& path,
                         const std::function<void(const css::uno::Reference<css::sheet::XSpreadsheet>&,
                                                  const css::uno::Reference<css::util::XNumberFormats>&)>& fill)
{
    using namespace css;
    lo::NewWorkbook book(office.desktop());
    fill(book.addSheet(QStringLiteral("Sheet1")), book.formats);
    lo::storeTo(book.doc, path, lo::kXlsxFilter);
}

} // namespace lobench
