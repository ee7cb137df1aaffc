#pragma once

#include "report/cellvalue.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class ApplicationFiles;

// A spreadsheet operation that did not succeed: a missing file, a file in use, a path that cannot be saved,
// a refused value, an application that cannot be started or has gone away.
class SpreadsheetError : public std::runtime_error {
public:
    explicit SpreadsheetError(const char* what) : std::runtime_error(what) {}
    explicit SpreadsheetError(const std::string& what) : std::runtime_error(what) {}
    explicit SpreadsheetError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// The spreadsheet application is not installed or cannot start at all: not a fault of the user's inputs.
class SpreadsheetUnavailable : public SpreadsheetError {
public:
    using SpreadsheetError::SpreadsheetError;
};

// The file is no workbook of the kind asked for (missing, empty, another format, another form, an active
// sheet that cannot be told): the file's fault, whichever instance opens it.
class WorkbookRefused : public SpreadsheetError {
public:
    using SpreadsheetError::SpreadsheetError;
};

// The spreadsheet application went away in the middle of a command: not a fault of the user's inputs.
class SpreadsheetLost : public SpreadsheetError {
public:
    using SpreadsheetError::SpreadsheetError;
};

// The spreadsheet application did not answer a call in time and was ended.
class SpreadsheetTimeout : public SpreadsheetLost {
public:
    using SpreadsheetLost::SpreadsheetLost;
};

// ReadOnly: for reading cells only; every change and save of the workbook is refused (saveAs makes a copy).
// Template: a new untitled workbook made from the file, which the instance neither holds nor locks.
enum class OpenMode { Normal, ReadOnly, Template };

// A text that a workbook of a given form holds at a cell of its active sheet, whatever else was edited in it.
struct FixedText {
    int row;
    int column;
    QString text;
};

// One spreadsheet application instance with the one workbook it opened. Rows and columns count from 1.
// Every operation throws SpreadsheetError when it fails; nothing done before is undone.
// Destroying an instance that was neither quit nor handed over ends it.
class Spreadsheet {
public:
    virtual ~Spreadsheet() = default;

    // Opens a workbook; its active sheet becomes the sheet of every later cell and sheet operation.
    // The file is opened with its macros disabled and its links not updated. One workbook per instance.
    virtual void open(const QString& path, OpenMode mode = OpenMode::Normal) = 0;
    // Opens a template as open(path, OpenMode::Template) does. A backend that reads the file also refuses it
    // unless the active sheet holds every fixed text of its form (blanks around a text aside): an empty
    // file, another workbook or a template that lost its form is never written from.
    virtual void openTemplate(const QString& path, const std::vector<FixedText>& form) {
        static_cast<void>(form);
        open(path, OpenMode::Template);
    }
    // Opens a workbook to read as open(path, OpenMode::ReadOnly) does, refused like a template that is not of
    // the form: a workbook of another form is never read into fields.
    virtual void openReadOnly(const QString& path, const std::vector<FixedText>& form) {
        static_cast<void>(form);
        open(path, OpenMode::ReadOnly);
    }
    // Brings the workbook forward.
    virtual void activate() = 0;
    // Stores the workbook under a new path with alerts off: an existing file there is replaced without a
    // question. From then on the workbook is that file.
    virtual void saveAs(const QString& path) = 0;
    // The full path of the workbook's file.
    virtual QString fullName() const = 0;
    virtual void setAuthor(const QString& author) = 0;

    // Font of every cell of the sheet.
    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(double points) = 0;
    // Renames the sheet.
    virtual void renameSheet(const QString& name) = 0;

    // A text as typed into the cell: stored as CellValue::typedEntry(text) (a number text as that number,
    // anything else verbatim as text). A number with decimals also gets the number format that shows exactly
    // those decimals; one without keeps the cell's format.
    virtual void writeText(int row, int column, const QString& text) = 0;
    // The number only; the cell keeps its format.
    virtual void writeNumber(int row, int column, double value) = 0;
    // A number carries the decimals of the cell's number format where that is a plain fixed-decimals one
    // (fixedFormatDecimals), else 0.
    virtual CellValue read(int row, int column) = 0;

    // Stores the workbook again under its current path.
    virtual void save() = 0;
    // Ends the application instance, or gives it back to its factory for the next command with every
    // workbook closed; the workbook is not saved.
    virtual void quit() = 0;
    // Leaves the instance running with its workbook shown to the user, who closes it.
    virtual void handOver() = 0;

    // Places a PNG picture on the sheet, its top left corner at the cell, widthMm x heightMm large, embedded
    // so that it is saved with the workbook.
    virtual void placePicture(int row, int column, const QByteArray& png, double widthMm,
                              double heightMm) = 0;
    // Writes the open workbook as a PDF file (replacing one at `path`), as the office prints it; the workbook
    // and its file are unchanged.
    virtual void exportPdf(const QString& path) = 0;

    // Whether the instance was kept ready ahead of the command: where it fails the command before the
    // command's target was touched, a fresh instance may take over.
    virtual bool keptReady() const { return false; }
};

// Starts spreadsheet application instances: LibreOffice in the program, a recorder in tests and scripts. All
// that the commands need; the instances' life beyond a command is SpreadsheetLifecycle's.
class SpreadsheetFactory {
public:
    virtual ~SpreadsheetFactory() = default;
    // An instance for one command, visible or hidden (headless): a new one, or the one the factory kept
    // ready for hidden work.
    virtual std::unique_ptr<Spreadsheet> start(bool visible) = 0;
    // A new instance, never the one kept ready: for the command whose kept instance failed it. It suffers the
    // fault that the command's first instance suffered.
    virtual std::unique_ptr<Spreadsheet> startFresh(bool visible) { return start(visible); }
    // Whether the file is open in some running spreadsheet application (a lock of a living holder), so that
    // saving there would be refused. Stale locks are removed on the way.
    virtual bool inUse(const QString& path) = 0;
    // The files the application writes beside the documents, for the sweep of what a failed or killed
    // instance left there; none where it leaves none.
    virtual const ApplicationFiles* applicationFiles() const { return nullptr; }
};
