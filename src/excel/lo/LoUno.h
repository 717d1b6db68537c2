#pragma once
// The few office calls every workbook maker repeats: load and store
// arguments, a new Calc document, a number format key. Shared by the
// backend, the template maker, the office tests and the benchmarks.
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <com/sun/star/util/XNumberFormats.hpp>

#include <QString>

#include <initializer_list>

namespace lo {

// A sequence of the given items (the SDK's own list constructor is internal
// to the office).
template <class T>
css::uno::Sequence<T> seqOf(std::initializer_list<T> items)
{
    return css::uno::Sequence<T>(items.begin(), sal_Int32(items.size()));
}

// One named argument of a load or store request.
css::beans::PropertyValue prop(const char* name, const css::uno::Any& value);

// Writes a copy of the document to `path` with the export filter, replacing
// a file already there; encrypted when `password` is not empty. An .xlsx
// gets the number formats the office leaves undefined (XlsxNumberFormats.h).
void storeTo(const css::uno::Reference<css::uno::XInterface>& doc, const QString& path, const QString& filter,
             const QString& password = QString());

// The key of a number format code (en-US), added to the document's formats
// when it has none yet.
sal_Int32 formatKey(const css::uno::Reference<css::util::XNumberFormats>& formats, const char* code);

// A new, empty Calc document loaded hidden, to fill; closed (never throwing)
// when the object goes.
// The first worksheet added takes the place of the document's own one; the
// others follow it in order.
class NewWorkbook {
public:
    explicit NewWorkbook(const css::uno::Reference<css::frame::XDesktop2>& desktop);
    ~NewWorkbook();
    NewWorkbook(const NewWorkbook&) = delete;
    NewWorkbook& operator=(const NewWorkbook&) = delete;

    css::uno::Reference<css::sheet::XSpreadsheet> addSheet(const QString& name);
    sal_Int32 format(const char* code) { return formatKey(formats, code); }

    const css::uno::Reference<css::lang::XComponent> doc;
    const css::uno::Reference<css::sheet::XSpreadsheets> sheets;
    const css::uno::Reference<css::util::XNumberFormats> formats;

private:
    bool m_renamed = false;
};

} // namespace lo
