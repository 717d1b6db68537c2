#pragma once
// One private server for a benchmark program, and a workbook filled in it.
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

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
        backend = std::make_unique<lo::Backend>(o);
        backend->start();
    }
    ~Server() { backend->quit(); }
};

inline css::beans::PropertyValue prop(const char* name, const css::uno::Any& v)
{
    css::beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = v;
    return p;
}

// A new workbook whose first sheet `fill` fills, saved as .xlsx at `path`.
inline void makeWorkbook(lo::Office& office, const QString& path,
                         const std::function<void(const css::uno::Reference<css::sheet::XSpreadsheet>&,
                                                  const css::uno::Reference<css::util::XNumberFormats>&)>& fill)
{
    using namespace css;
    uno::Reference<frame::XComponentLoader> loader(office.desktop(), uno::UNO_QUERY_THROW);
    uno::Any hidden;
    hidden <<= true;
    uno::Sequence<beans::PropertyValue> args(1);
    args.getArray()[0] = prop("Hidden", hidden);
    auto doc = loader->loadComponentFromURL("private:factory/scalc", "_blank", 0, args);
    uno::Reference<container::XIndexAccess> sheets(
        uno::Reference<sheet::XSpreadsheetDocument>(doc, uno::UNO_QUERY_THROW)->getSheets(), uno::UNO_QUERY_THROW);
    uno::Reference<sheet::XSpreadsheet> s(sheets->getByIndex(0), uno::UNO_QUERY_THROW);
    fill(s, uno::Reference<util::XNumberFormatsSupplier>(doc, uno::UNO_QUERY_THROW)->getNumberFormats());
    uno::Sequence<beans::PropertyValue> store(1);
    store.getArray()[0] = prop("FilterName", uno::Any(OUString("Calc MS Excel 2007 XML")));
    uno::Reference<frame::XStorable>(doc, uno::UNO_QUERY_THROW)->storeToURL(lo::toOU(lo::fileUrl(path)), store);
    uno::Reference<util::XCloseable>(doc, uno::UNO_QUERY_THROW)->close(true);
}

} // namespace lobench
