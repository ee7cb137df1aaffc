#include "report/spreadsheetsession.h"

#include "common/failure.h"
#include "common/prompter.h"
#include "common/prompts.h"
#include "report/scratchfiles.h"
#include "report/spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <memory>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// A file name holds at most 255 bytes; the lock name adds ".~lock." and "#", the file name ".xls".
constexpr qsizetype kMaxNameBytes = 243;

// With less free space than this in the installation folder or the temporary folder, a failed command is put
// down to a full disk: a report with its PDF takes well under a megabyte, an office's profile about half of
// one.
constexpr qint64 kLowSpaceBytes = 4 * 1024 * 1024;

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

// Puts finished files in place of their targets, all or none: where one cannot be put in place, the targets
// replaced before it get back what they held, or go where there was none. What they held is kept meanwhile
// as a scratch file beside them (a second name of the same file where the file system allows, else a copy).
class Replacement {
public:
    explicit Replacement(const ScratchFiles& scratch) : m_scratch(scratch) {}
    ~Replacement() {
        for (const Replaced& done : m_done)
            if (!done.kept.isEmpty())
                QFile::remove(done.kept);
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // False, with every target as it was, where from could not replace to.
    bool replace(const QString& from, const QString& to) {
        Replaced done{to, QString()};
        if (QFileInfo::exists(to)) {
            done.kept = keepAside(to);
            if (done.kept.isEmpty()) {
                undo();
                return false;
            }
        }
        if (!replaceFile(from, to)) {
            if (!done.kept.isEmpty())
                QFile::remove(done.kept);
            undo();
            return false;
        }
        m_done.push_back(done);
        return true;
    }

private:
    struct Replaced {
        QString target;
        QString kept; // what the target held, empty where there was none
    };

    QString keepAside(const QString& target) const {
        const QString kept = m_scratch.reserve(u'.' + QFileInfo(target).suffix());
        if (kept.isEmpty() || !QFile::remove(kept))
            return {};
        const QByteArray from = QFile::encodeName(target);
        if (::link(from.constData(), QFile::encodeName(kept).constData()) == 0 || QFile::copy(target, kept))
            return kept;
        return {};
    }

    void undo() {
        for (auto it = m_done.rbegin(); it != m_done.rend(); ++it) {
            if (it->kept.isEmpty())
                QFile::remove(it->target);
            else if (replaceFile(it->kept, it->target))
                it->kept.clear();
        }
        m_done.clear();
    }

    const ScratchFiles& m_scratch;
    std::vector<Replaced> m_done;
};

} // namespace

SpreadsheetSession::SpreadsheetSession(SpreadsheetFactory& spreadsheets, Prompter& prompter,
                                       InstallPaths paths, std::function<void()> failure)
    : m_spreadsheets(spreadsheets), m_prompter(prompter), m_paths(std::move(paths)),
      m_failure(std::move(failure)) {}

SpreadsheetSession::SpreadsheetSession(SpreadsheetFactory& spreadsheets, Prompter& prompter,
                                       InstallPaths paths, SaveFailure::Reporter reporter)
    : m_spreadsheets(spreadsheets), m_prompter(prompter), m_paths(std::move(paths)),
      m_reporter(std::move(reporter)) {}

QString SpreadsheetSession::unavailableMessage() {
    return QStringLiteral("无法启动电子表格程序 LibreOffice Calc，请确认已经安装。");
}

bool SpreadsheetSession::nameFits(const QString& name) { return name.toUtf8().size() <= kMaxNameBytes; }

int SpreadsheetSession::maxNameBytes() { return int(kMaxNameBytes); }

QString SpreadsheetSession::inUseMessage(const QString& fileName) {
    return QStringLiteral("文件“%1”正在被其他程序使用，请关闭后再保存。").arg(fileName);
}

QString SpreadsheetSession::timeoutMessage() { return QStringLiteral("电子表格程序没有响应，请稍后再试。"); }

QString SpreadsheetSession::diskFullMessage() { return QStringLiteral("磁盘空间不足，无法保存文件。"); }

QString SpreadsheetSession::folderMessage() {
    return QStringLiteral("无法写入文件夹“%1”，请检查其权限。").arg(InstallPaths::displayRoot());
}

QString SpreadsheetSession::templateMessage(const QString& templateName) {
    return SaveFailure::templateMessage(InstallPaths::displayRoot() + QStringLiteral("mb/") + templateName);
}

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
    const auto report = [this, &fileName](SaveFailureCause named) {
        if (m_reporter)
            m_reporter(named, fileName);
        else if (m_failure)
            m_failure();
    };
    switch (cause) {
    case Cause::Unavailable:
        showStop(m_prompter, unavailableMessage(), QStringLiteral("重要提示"));
        return;
    case Cause::InUse:
        showStop(m_prompter, inUseMessage(fileName));
        return;
    case Cause::Timeout:
        showStop(m_prompter, timeoutMessage());
        return;
    case Cause::DiskFull:
        showStop(m_prompter, diskFullMessage());
        return;
    case Cause::Folder:
        showStop(m_prompter, folderMessage());
        return;
    case Cause::Template:
        showStop(m_prompter, templateMessage(fileName));
        return;
    case Cause::Name:
        report(SaveFailureCause::Name);
        return;
    case Cause::Target:
        report(SaveFailureCause::Target);
        return;
    case Cause::OfficeEnded:
        report(SaveFailureCause::OfficeEnded);
        return;
    case Cause::Command:
        report(SaveFailureCause::Other);
        return;
    }
}

bool SpreadsheetSession::exportWorkbook(const Export& request) {
    if (writeWorkbook(request))
        return true;
    // Whatever a failed office left beside the reports, and what earlier runs of the program left there.
    ScratchFiles(m_paths.root(), m_spreadsheets.applicationFiles()).sweep();
    return false;
}

bool SpreadsheetSession::writeWorkbook(const Export& request) {
    if (!isSafeWorkbookName(request.name) || !nameFits(request.name)) {
        fail(Cause::Name, QStringLiteral("unsafe workbook name: ") + request.name);
        return false;
    }
    if (!folderWritable()) {
        fail(Cause::Folder, QStringLiteral("the installation folder cannot be written: ") + m_paths.root());
        return false;
    }
    const QString target = m_paths.workbookPath(request.name);
    if (request.ending == Ending::HandOver && request.pdf) {
        // The workbook and its PDF are written together as a save-and-quit export does; the user then sees
        // the saved workbook.
        Export saved = request;
        saved.ending = Ending::SaveAndQuit;
        return writeWorkbook(saved) && showWorkbook(target);
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
            fail(Cause::Target, QStringLiteral("target cannot be written: ") + path,
                 QFileInfo(path).fileName());
            return false;
        }
    }
    // A save-and-quit export fills files of its own beside the targets and replaces the targets only at the
    // end.
    const ScratchFiles scratch(m_paths.root(), m_spreadsheets.applicationFiles());
    TemporaryPath temporary(handOver ? QString() : scratch.reserve(QStringLiteral(".xls")));
    TemporaryPath temporaryPdf(pdf ? scratch.reserve(QStringLiteral(".pdf")) : QString());
    if ((!handOver && temporary.path().isEmpty()) || (pdf && temporaryPdf.path().isEmpty())) {
        fail(lowOnSpace() ? Cause::DiskFull : Cause::Command,
             QStringLiteral("no temporary file beside ") + target, QFileInfo(target).fileName());
        return false;
    }
    const auto steps = [&](Spreadsheet& sheet, Progress& progress) {
        progress.opening = true;
        sheet.openTemplate(m_paths.templatePath(request.templateName), request.form);
        progress.opened = true;
        sheet.activate();
        sheet.setAuthor(target);
        request.fill(sheet);
        if (handOver) {
            progress.touched = true;
            sheet.saveAs(target);
            sheet.handOver();
            return true;
        }
        sheet.saveAs(temporary.path());
        if (pdf)
            sheet.exportPdf(temporaryPdf.path());
        sheet.quit();
        progress.touched = true;
        Replacement replacement(scratch);
        if (!replacement.replace(temporary.path(), target))
            return false;
        if (pdf && !replacement.replace(temporaryPdf.path(), pdfTarget))
            return false;
        temporary.keep();
        temporaryPdf.keep();
        return true;
    };
    return runSteps(handOver, steps, request.templateName, QFileInfo(target).fileName());
}

bool SpreadsheetSession::showWorkbook(const QString& path) {
    return runSteps(
        true,
        [&](Spreadsheet& sheet, Progress& progress) {
            progress.opening = true;
            sheet.open(path, OpenMode::Normal);
            progress.opened = true;
            sheet.activate();
            progress.touched = true;
            sheet.handOver();
            return true;
        },
        QString(), QFileInfo(path).fileName());
}

bool SpreadsheetSession::importWorkbook(const QString& path, const std::vector<FixedText>& form,
                                        const std::function<void(Spreadsheet&)>& read) {
    // An empty file is no workbook, though an office would open it as a new one.
    const QFileInfo source(path);
    if (path.isEmpty() || !source.isFile() || source.size() == 0) {
        fail(Cause::Command, QStringLiteral("no workbook to read: ") + path);
        return false;
    }
    return runSteps(false, [&](Spreadsheet& sheet, Progress& progress) {
        progress.opening = true;
        sheet.openReadOnly(path, form);
        progress.opened = true;
        sheet.activate();
        read(sheet);
        sheet.quit();
        return true;
    });
}

bool SpreadsheetSession::runSteps(bool visible, const std::function<bool(Spreadsheet&, Progress&)>& steps,
                                  const QString& templateName, const QString& fileName) {
    // The steps failed on the template itself, not on the office or the command's own file.
    const auto templateOpening = [&templateName](const Progress& progress) {
        return !templateName.isEmpty() && progress.opening && !progress.opened;
    };
    for (int attempt = 1;; ++attempt) {
        std::unique_ptr<Spreadsheet> sheet;
        Progress progress;
        Cause cause = Cause::Command;
        QString detail = QStringLiteral("the finished file could not be put in place");
        // The office failed the command, not the file or the inputs: it went, did not answer, or could not
        // open a file that is a workbook.
        bool officeFailed = false;
        bool inputs = false;
        try {
            sheet = attempt == 1 ? m_spreadsheets.start(visible) : m_spreadsheets.startFresh(visible);
            if (steps(*sheet, progress))
                return true;
        } catch (const SpreadsheetUnavailable& e) {
            cause = Cause::Unavailable;
            detail = QString::fromUtf8(e.what());
        } catch (const SpreadsheetTimeout& e) {
            cause = Cause::Timeout;
            officeFailed = true;
            detail = QString::fromUtf8(e.what());
        } catch (const SpreadsheetLost& e) {
            cause = Cause::OfficeEnded;
            officeFailed = true;
            detail = QString::fromUtf8(e.what());
        } catch (const WorkbookRefused& e) {
            if (templateOpening(progress))
                cause = Cause::Template;
            detail = QString::fromUtf8(e.what());
        } catch (const SpreadsheetError& e) {
            // An office that answers but cannot open the template: the template's fault once a fresh
            // office failed on it too, or where no office was kept ready.
            if (templateOpening(progress))
                cause = Cause::Template;
            officeFailed = !progress.opened;
            detail = QString::fromUtf8(e.what());
        } catch (const CalcFailure& e) {
            inputs = true;
            detail = QString::fromUtf8(e.what());
        }
        const bool retry = attempt == 1 && officeFailed && !progress.touched && sheet && sheet->keptReady();
        endInstance(sheet);
        if (retry) {
            // A slower command rather than a failed one; what the failed office left is removed first.
            qWarning("the office kept ready failed (%s): a new one takes over", qUtf8Printable(detail));
            ScratchFiles(m_paths.root(), m_spreadsheets.applicationFiles()).sweep();
            continue;
        }
        // A full disk explains any failure but the inputs' and the template's, which would fail on any disk.
        if (!inputs && cause != Cause::Template && lowOnSpace())
            cause = Cause::DiskFull;
        fail(cause, detail, cause == Cause::Template ? templateName : fileName);
        return false;
    }
}

bool SpreadsheetSession::folderWritable() const {
    const QFileInfo folder(m_paths.root());
    return folder.isDir() && ::access(QFile::encodeName(folder.absoluteFilePath()).constData(), W_OK) == 0;
}

bool SpreadsheetSession::lowOnSpace() const {
    for (const QString& folder : {m_paths.root(), QDir::tempPath()}) {
        const QStorageInfo storage(folder);
        if (storage.isValid() && storage.isReady() && storage.bytesAvailable() < kLowSpaceBytes)
            return true;
    }
    return false;
}
