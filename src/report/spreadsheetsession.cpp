#include "report/spreadsheetsession.h"

#include "common/failure.h"
#include "common/prompter.h"
#include "report/spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>
#include <QtGlobal>

#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// A file name holds at most 255 bytes; the lock name adds ".~lock." and "#", the file name ".xls".
constexpr qsizetype kMaxNameBytes = 243;

// Removes a file at the end of a scope unless it was kept.
class TemporaryPath {
public:
    explicit TemporaryPath(QString path) : m_path(std::move(path)) {}
    ~TemporaryPath() {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;
    const QString& path() const { return m_path; }
    void keep() { m_path.clear(); }

private:
    QString m_path;
};

// Ends an instance that was neither quit nor handed over; the instance ends with its object in any case.
void endInstance(std::unique_ptr<Spreadsheet>& sheet) {
    if (!sheet)
        return;
    try {
        sheet->quit();
    } catch (const SpreadsheetError&) {
        sheet.reset(); // destroying it ends whatever is left of it
    }
    sheet.reset();
}

// Puts the saved temporary file in place of the target in one step.
bool replaceFile(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

QString SpreadsheetSession::reserveBeside(const QString& suffix) const {
    QTemporaryFile reserved(QDir(m_paths.root()).filePath(QStringLiteral(".mixdesign-XXXXXX") + suffix));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return {};
    // The file becomes the user's report: the access of any new file of theirs, not a temporary file's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(reserved.handle(), 0666 & ~mask);
    return reserved.fileName();
}

SpreadsheetSession::SpreadsheetSession(SpreadsheetFactory& spreadsheets, Prompter& prompter,
                                       InstallPaths paths, std::function<void()> failure)
    : m_spreadsheets(spreadsheets), m_prompter(prompter), m_paths(std::move(paths)),
      m_failure(std::move(failure)) {}

QString SpreadsheetSession::unavailableMessage() {
    return QStringLiteral("无法启动电子表格程序 LibreOffice Calc，请确认已经安装。");
}

bool SpreadsheetSession::nameFits(const QString& name) { return name.toUtf8().size() <= kMaxNameBytes; }

QString SpreadsheetSession::inUseMessage(const QString& fileName) {
    return QStringLiteral("文件“%1”正在被其他程序使用，请关闭后再保存。").arg(fileName);
}

QString SpreadsheetSession::timeoutMessage() { return QStringLiteral("电子表格程序没有响应，请稍后再试。"); }

SpreadsheetSession::Target SpreadsheetSession::checkTarget(const QString& target) const {
    const QFileInfo info(target);
    // Inside the installation folder only, and never through a link.
    const QString root = QFileInfo(m_paths.root()).canonicalFilePath();
    if (root.isEmpty() || QFileInfo(info.absolutePath()).canonicalFilePath() != root || info.isSymLink())
        return Target::Refused;
    if (m_spreadsheets.inUse(target))
        return Target::InUse;
    if (!info.exists())
        return ::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) == 0 ? Target::Acceptable
                                                                                       : Target::Refused;
    // Replaced only where the user could write it.
    return info.isFile() && ::access(QFile::encodeName(target).constData(), W_OK) == 0 ? Target::Acceptable
                                                                                       : Target::Refused;
}

void SpreadsheetSession::fail(Cause cause, const QString& detail, const QString& fileName) {
    qWarning("spreadsheet command failed: %s", qUtf8Printable(detail));
    MessageBoxRequest box;
    box.icon = MessageIcon::Stop;
    box.buttons = MessageButtons::Ok;
    box.defaultButton = MessageButton::Ok;
    switch (cause) {
    case Cause::Unavailable:
        box.text = unavailableMessage();
        box.title = QStringLiteral("重要提示");
        break;
    case Cause::InUse:
        box.text = inUseMessage(fileName);
        break;
    case Cause::Timeout:
        box.text = timeoutMessage();
        break;
    case Cause::Command:
        if (m_failure)
            m_failure();
        return;
    }
    m_prompter.message(box);
}

bool SpreadsheetSession::exportWorkbook(const Export& request) {
    if (!isSafeWorkbookName(request.name) || !nameFits(request.name)) {
        fail(Cause::Command, QStringLiteral("unsafe workbook name: ") + request.name);
        return false;
    }
    const QString target = m_paths.workbookPath(request.name);
    if (request.ending == Ending::HandOver && request.pdf) {
        // The workbook and its PDF are written together as a save-and-quit export does; the user then sees
        // the saved workbook.
        Export saved = request;
        saved.ending = Ending::SaveAndQuit;
        return exportWorkbook(saved) && showWorkbook(target);
    }
    const bool handOver = request.ending == Ending::HandOver;
    const bool pdf = request.pdf;
    const QString pdfTarget = m_paths.pdfPath(request.name);
    for (const QString& path : pdf ? QStringList{target, pdfTarget} : QStringList{target}) {
        const Target state = checkTarget(path);
        if (state == Target::InUse) {
            fail(request.namesFileInUse ? Cause::InUse : Cause::Command,
                 QStringLiteral("open in another program: ") + path, QFileInfo(path).fileName());
            return false;
        }
        if (state == Target::Refused) {
            fail(Cause::Command, QStringLiteral("target cannot be written: ") + path);
            return false;
        }
    }
    // A save-and-quit export fills files of its own beside the targets and replaces the targets only at the
    // end.
    const QString temporaryName = handOver ? QString() : reserveBeside(QStringLiteral(".xls"));
    const QString temporaryPdfName = pdf ? reserveBeside(QStringLiteral(".pdf")) : QString();
    TemporaryPath temporary(temporaryName);
    TemporaryPath temporaryPdf(temporaryPdfName);
    if ((!handOver && temporaryName.isEmpty()) || (pdf && temporaryPdfName.isEmpty())) {
        fail(Cause::Command, QStringLiteral("no temporary file beside ") + target);
        return false;
    }
    std::unique_ptr<Spreadsheet> sheet;
    return runSteps(sheet, [&] {
        sheet = m_spreadsheets.start(handOver);
        sheet->open(m_paths.templatePath(request.templateName), OpenMode::Template);
        sheet->activate();
        sheet->setAuthor(target);
        request.fill(*sheet);
        if (handOver) {
            sheet->saveAs(target);
            sheet->handOver();
            return true;
        }
        sheet->saveAs(temporary.path());
        if (pdf)
            sheet->exportPdf(temporaryPdf.path());
        sheet->quit();
        if (!replaceFile(temporary.path(), target))
            return false;
        temporary.keep();
        if (pdf) {
            if (!replaceFile(temporaryPdf.path(), pdfTarget))
                return false;
            temporaryPdf.keep();
        }
        return true;
    });
}

bool SpreadsheetSession::showWorkbook(const QString& path) {
    std::unique_ptr<Spreadsheet> sheet;
    return runSteps(sheet, [&] {
        sheet = m_spreadsheets.start(true);
        sheet->open(path, OpenMode::Normal);
        sheet->activate();
        sheet->handOver();
        return true;
    });
}

bool SpreadsheetSession::importWorkbook(const QString& path, const std::function<void(Spreadsheet&)>& read) {
    // An empty file is no workbook, though an office would open it as a new one.
    const QFileInfo source(path);
    if (path.isEmpty() || !source.isFile() || source.size() == 0) {
        fail(Cause::Command, QStringLiteral("no workbook to read: ") + path);
        return false;
    }
    std::unique_ptr<Spreadsheet> sheet;
    return runSteps(sheet, [&] {
        sheet = m_spreadsheets.start(false);
        sheet->open(path, OpenMode::ReadOnly);
        sheet->activate();
        read(*sheet);
        sheet->quit();
        return true;
    });
}

bool SpreadsheetSession::runSteps(std::unique_ptr<Spreadsheet>& sheet, const std::function<bool()>& steps) {
    Cause cause = Cause::Command;
    QString detail = QStringLiteral("the finished file could not be put in place");
    try {
        if (steps())
            return true;
    } catch (const SpreadsheetUnavailable& e) {
        cause = Cause::Unavailable;
        detail = QString::fromUtf8(e.what());
    } catch (const SpreadsheetTimeout& e) {
        cause = Cause::Timeout;
        detail = QString::fromUtf8(e.what());
    } catch (const SpreadsheetError& e) {
        detail = QString::fromUtf8(e.what());
    } catch (const CalcFailure& e) {
        detail = QString::fromUtf8(e.what());
    }
    endInstance(sheet);
    fail(cause, detail);
    return false;
}
