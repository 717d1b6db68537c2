#include "XlsxNumberFormats.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <zip.h>

namespace lo {

namespace {

// The formats behind the implied ids, as Excel writes them for en-US.
const QMap<int, QByteArray>& impliedFormats()
{
    static const QMap<int, QByteArray> codes{
        {5, R"("$"#,##0_);\("$"#,##0\))"},
        {6, R"("$"#,##0_);[Red]\("$"#,##0\))"},
        {7, R"("$"#,##0.00_);\("$"#,##0.00\))"},
        {8, R"("$"#,##0.00_);[Red]\("$"#,##0.00\))"},
        {41, R"(_(* #,##0_);_(* \(#,##0\);_(* "-"_);_(@_))"},
        {42, R"(_("$"* #,##0_);_("$"* \(#,##0\);_("$"* "-"_);_(@_))"},
        {43, R"(_(* #,##0.00_);_(* \(#,##0.00\);_(* "-"??_);_(@_))"},
        {44, R"(_("$"* #,##0.00_);_("$"* \(#,##0.00\);_("$"* "-"??_);_(@_))"},
    };
    return codes;
}

QByteArray xmlAttribute(QByteArray text)
{
    return text.replace('&', "&amp;").replace('"', "&quot;").replace('<', "&lt;").replace('>', "&gt;");
}

} // namespace

QByteArray completeNumberFormats(const QByteArray& stylesXml)
{
    const QString xml = QString::fromUtf8(stylesXml);
    static const QRegularExpression used(QStringLiteral(R"re(<xf\b[^>]*\bnumFmtId="(\d+)")re"));
    static const QRegularExpression defined(QStringLiteral(R"re(<numFmt\b[^>]*\bnumFmtId="(\d+)")re"));
    QSet<int> have;
    for (auto it = defined.globalMatch(xml); it.hasNext();)
        have.insert(it.next().captured(1).toInt());
    QMap<int, QByteArray> missing;
    for (auto it = used.globalMatch(xml); it.hasNext();) {
        const int id = it.next().captured(1).toInt();
        if (!have.contains(id) && impliedFormats().contains(id))
            missing.insert(id, impliedFormats().value(id));
    }
    if (missing.isEmpty())
        return stylesXml;

    QByteArray added;
    for (auto it = missing.cbegin(); it != missing.cend(); ++it)
        added += "<numFmt numFmtId=\"" + QByteArray::number(it.key()) + "\" formatCode=\"" + xmlAttribute(it.value())
                 + "\"/>";
    QByteArray out = stylesXml;
    static const QRegularExpression numFmts(QStringLiteral(R"re(<numFmts\b[^>]*?(/?)>)re"));
    const auto m = numFmts.match(QString::fromUtf8(out));
    if (m.hasMatch()) {
        // Offsets of the match are in characters: find the same element in bytes.
        const QByteArray tag = m.captured(0).toUtf8();
        const qsizetype at = out.indexOf(tag);
        static const QRegularExpression countAttr(QStringLiteral(R"re(\bcount="(\d+)")re"));
        const auto c = countAttr.match(m.captured(0));
        const int count = (c.hasMatch() ? c.captured(1).toInt() : 0) + int(missing.size());
        QByteArray open = "<numFmts count=\"" + QByteArray::number(count) + "\">";
        if (m.captured(1) == QLatin1String("/"))
            out.replace(at, tag.size(), open + added + "</numFmts>");
        else
            out.replace(at, tag.size(), open + added);
        return out;
    }
    // No <numFmts> yet: it is the style sheet's first child.
    static const QRegularExpression sheet(QStringLiteral(R"(<styleSheet\b[^>]*>)"));
    const auto s = sheet.match(xml);
    if (!s.hasMatch())
        return stylesXml;
    const QByteArray tag = s.captured(0).toUtf8();
    const qsizetype at = out.indexOf(tag) + tag.size();
    out.insert(at, "<numFmts count=\"" + QByteArray::number(missing.size()) + "\">" + added + "</numFmts>");
    return out;
}

bool completeNumberFormatsInFile(const QString& path, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    };
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return fail(f.errorString());
        if (f.read(4) != QByteArrayLiteral("PK\x03\x04"))
            return true;
    }
    int code = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), 0, &code);
    if (!za)
        return fail(QStringLiteral("not a readable zip archive (%1)").arg(code));
    const char* name = "xl/styles.xml";
    const zip_int64_t index = zip_name_locate(za, name, 0);
    if (index < 0) {
        zip_discard(za);
        return true;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    QByteArray styles;
    if (zip_stat_index(za, zip_uint64_t(index), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE)) {
        if (zip_file_t* zf = zip_fopen_index(za, zip_uint64_t(index), 0)) {
            styles.resize(qsizetype(st.size));
            if (zip_fread(zf, styles.data(), st.size) != zip_int64_t(st.size))
                styles.clear();
            zip_fclose(zf);
        }
    }
    if (styles.isEmpty() && st.size > 0) {
        zip_discard(za);
        return fail(QStringLiteral("cannot read %1").arg(QLatin1String(name)));
    }
    const QByteArray fixed = completeNumberFormats(styles);
    if (fixed == styles) {
        zip_discard(za);
        return true;
    }
    // The buffer must outlive zip_close, which writes the archive.
    zip_source_t* src = zip_source_buffer(za, fixed.constData(), zip_uint64_t(fixed.size()), 0);
    if (!src || zip_file_replace(za, zip_uint64_t(index), src, 0) != 0) {
        if (src)
            zip_source_free(src);
        const QString why = QString::fromUtf8(zip_strerror(za));
        zip_discard(za);
        return fail(why);
    }
    if (zip_close(za) != 0) {
        const QString why = QString::fromUtf8(zip_strerror(za));
        zip_discard(za);
        return fail(why);
    }
    return true;
}

} // namespace lo
