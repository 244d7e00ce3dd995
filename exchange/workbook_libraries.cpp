#include "exchange/workbook_libraries.h"

#include <QLibrary>
#include <QStringList>

namespace cr::exchange {
namespace {

// Resolves the named functions into a table of calls; any that is missing
// makes the whole library unusable.
class Binder {
public:
    explicit Binder(const char* soname) : m_library(QString::fromLatin1(soname)) {}

    template <typename Fn>
    void bind(Fn& call, const char* symbol)
    {
        if (!m_library.isLoaded() && !m_failed && !m_library.load()) m_failed = true;
        call = m_failed ? nullptr : reinterpret_cast<Fn>(m_library.resolve(symbol));
        if (!call && !m_failed) m_missing << QString::fromLatin1(symbol);
    }
    bool ok() const { return !m_failed && m_missing.isEmpty(); }
    QString problem(const char* purpose) const
    {
        const QString detail = m_failed ? m_library.errorString()
                                        : QStringLiteral("缺少函数 %1").arg(m_missing.join(QStringLiteral("、")));
        return QStringLiteral("无法载入%1所需的程序库 %2（%3），请重新安装本程序。")
            .arg(QString::fromUtf8(purpose), m_library.fileName(), detail);
    }

private:
    QLibrary m_library;   // stays loaded for the rest of the program
    bool m_failed = false;
    QStringList m_missing;
};

void bindWriter(Binder& b, XlsxWriterCalls& calls)
{
    b.bind(calls.workbookNewOpt, "workbook_new_opt");
    b.bind(calls.workbookAddWorksheet, "workbook_add_worksheet");
    b.bind(calls.workbookAddFormat, "workbook_add_format");
    b.bind(calls.workbookClose, "workbook_close");
    b.bind(calls.formatSetFontName, "format_set_font_name");
    b.bind(calls.formatSetFontSize, "format_set_font_size");
    b.bind(calls.formatSetBold, "format_set_bold");
    b.bind(calls.formatSetPattern, "format_set_pattern");
    b.bind(calls.formatSetBgColor, "format_set_bg_color");
    b.bind(calls.formatSetBorder, "format_set_border");
    b.bind(calls.formatSetTop, "format_set_top");
    b.bind(calls.formatSetAlign, "format_set_align");
    b.bind(calls.formatSetNumFormat, "format_set_num_format");
    b.bind(calls.worksheetSetColumn, "worksheet_set_column");
    b.bind(calls.worksheetFreezePanes, "worksheet_freeze_panes");
    b.bind(calls.worksheetSetPaper, "worksheet_set_paper");
    b.bind(calls.worksheetSetLandscape, "worksheet_set_landscape");
    b.bind(calls.worksheetRepeatRows, "worksheet_repeat_rows");
    b.bind(calls.worksheetFitToPages, "worksheet_fit_to_pages");
    b.bind(calls.worksheetWriteString, "worksheet_write_string");
    b.bind(calls.worksheetWriteNumber, "worksheet_write_number");
    b.bind(calls.worksheetWriteDatetime, "worksheet_write_datetime");
    b.bind(calls.strerror, "lxw_strerror");
}

void bindUnzip(Binder& b, UnzipCalls& calls)
{
    b.bind(calls.open64, "unzOpen64");
    b.bind(calls.close, "unzClose");
    b.bind(calls.locateFile, "unzLocateFile");
    b.bind(calls.currentFileInfo64, "unzGetCurrentFileInfo64");
    b.bind(calls.openCurrentFile, "unzOpenCurrentFile");
    b.bind(calls.readCurrentFile, "unzReadCurrentFile");
    b.bind(calls.closeCurrentFile, "unzCloseCurrentFile");
}

// Each table is filled once, the first time it is asked for; a library that
// failed to load says so every time.
template <typename Calls, void (*BindAll)(Binder&, Calls&)>
const Calls* loadedOnce(const char* soname, const char* purpose, QString* error)
{
    static Calls calls{};
    static const QString problem = [&] {
        Binder b(soname);
        BindAll(b, calls);
        return b.ok() ? QString() : b.problem(purpose);
    }();
    if (!problem.isEmpty() && error) *error = problem;
    return problem.isEmpty() ? &calls : nullptr;
}

} // namespace

const XlsxWriterCalls* xlsxWriter(QString* error)
{
    return loadedOnce<XlsxWriterCalls, &bindWriter>(CR_XLSXWRITER_SONAME, "写 Excel 文件", error);
}

const UnzipCalls* unzip(QString* error)
{
    return loadedOnce<UnzipCalls, &bindUnzip>(CR_MINIZIP_SONAME, "读 Excel 文件", error);
}

} // namespace cr::exchange
