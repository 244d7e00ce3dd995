#pragma once

// The C libraries that write and read workbooks, opened the first time a
// workbook is written or read instead of when a program starts: both
// programs start for many other jobs, and loading these libraries (with
// the cryptography library the writer needs) cost every start about 2 ms.
// The headers give the functions' types; the calls go through the tables.

#include <QString>
#include <unzip.h>
#include <xlsxwriter.h>

namespace cr::exchange {

struct XlsxWriterCalls {
    decltype(&::workbook_new_opt) workbookNewOpt;
    decltype(&::workbook_add_worksheet) workbookAddWorksheet;
    decltype(&::workbook_add_format) workbookAddFormat;
    decltype(&::workbook_close) workbookClose;
    decltype(&::format_set_font_name) formatSetFontName;
    decltype(&::format_set_font_size) formatSetFontSize;
    decltype(&::format_set_bold) formatSetBold;
    decltype(&::format_set_pattern) formatSetPattern;
    decltype(&::format_set_bg_color) formatSetBgColor;
    decltype(&::format_set_border) formatSetBorder;
    decltype(&::format_set_top) formatSetTop;
    decltype(&::format_set_align) formatSetAlign;
    decltype(&::format_set_num_format) formatSetNumFormat;
    decltype(&::worksheet_set_column) worksheetSetColumn;
    decltype(&::worksheet_freeze_panes) worksheetFreezePanes;
    decltype(&::worksheet_set_paper) worksheetSetPaper;
    decltype(&::worksheet_set_landscape) worksheetSetLandscape;
    decltype(&::worksheet_repeat_rows) worksheetRepeatRows;
    decltype(&::worksheet_fit_to_pages) worksheetFitToPages;
    decltype(&::worksheet_write_string) worksheetWriteString;
    decltype(&::worksheet_write_number) worksheetWriteNumber;
    decltype(&::worksheet_write_datetime) worksheetWriteDatetime;
    decltype(&::lxw_strerror) strerror;
};

struct UnzipCalls {
    decltype(&::unzOpen64) open64;
    decltype(&::unzClose) close;
    decltype(&::unzLocateFile) locateFile;
    decltype(&::unzGetCurrentFileInfo64) currentFileInfo64;
    decltype(&::unzOpenCurrentFile) openCurrentFile;
    decltype(&::unzReadCurrentFile) readCurrentFile;
    decltype(&::unzCloseCurrentFile) closeCurrentFile;
};

// The library's calls, loaded once; nullptr with *error saying in Chinese
// which library could not be loaded (not installed, too old).
const XlsxWriterCalls* xlsxWriter(QString* error);
const UnzipCalls* unzip(QString* error);

} // namespace cr::exchange
