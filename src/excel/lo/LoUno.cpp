#include "LoUno.h"

#include "LoText.h"
#include "XlsxNumberFormats.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

#include <stdexcept>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace lo {

namespace {

Reference<lang::XComponent> newCalcDocument(const Reference<frame::XDesktop2>& desktop)
{
    Reference<frame::XComponentLoader> loader(desktop, UNO_QUERY_THROW);
    return loader->loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                        seqOf({prop("Hidden", Any(true))}));
}

} // namespace

beans::PropertyValue prop(const char* name, const Any& value)
{
    beans::PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

void storeTo(const Reference<uno::XInterface>& doc, const QString& path, const QString& filter,
             const QString& password)
{
    const auto filterName = prop("FilterName", Any(toOU(filter)));
    const auto overwrite = prop("Overwrite", Any(true));
    Reference<frame::XStorable>(doc, UNO_QUERY_THROW)
        ->storeToURL(toOU(fileUrl(path)), password.isEmpty()
                                              ? seqOf({filterName, overwrite})
                                              : seqOf({filterName, overwrite, prop("Password", Any(toOU(password)))}));
    // Other readers refuse the number formats the office leaves undefined.
    QString error;
    if (filter == kXlsxFilter && !completeNumberFormatsInFile(path, &error))
        throw std::runtime_error(error.toStdString());
}

sal_Int32 formatKey(const Reference<util::XNumberFormats>& formats, const char* code)
{
    const lang::Locale locale("en", "US", OUString());
    const OUString text = OUString::createFromAscii(code);
    const sal_Int32 key = formats->queryKey(text, locale, false);
    return key >= 0 ? key : formats->addNew(text, locale);
}

NewWorkbook::NewWorkbook(const Reference<frame::XDesktop2>& desktop)
    : doc(newCalcDocument(desktop)),
      sheets(Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets()),
      formats(Reference<util::XNumberFormatsSupplier>(doc, UNO_QUERY_THROW)->getNumberFormats())
{
}

NewWorkbook::~NewWorkbook()
{
    try {
        Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
    } catch (...) {
    }
}

Reference<sheet::XSpreadsheet> NewWorkbook::addSheet(const QString& name)
{
    Reference<container::XIndexAccess> idx(sheets, UNO_QUERY_THROW);
    const sal_Int16 count = sal_Int16(idx->getCount());
    if (count == 1 && !m_renamed) {
        Reference<container::XNamed>(idx->getByIndex(0), UNO_QUERY_THROW)->setName(toOU(name));
        m_renamed = true;
    } else {
        sheets->insertNewByName(toOU(name), count);
    }
    return Reference<sheet::XSpreadsheet>(sheets->getByName(toOU(name)), UNO_QUERY_THROW);
}

} // namespace lo
