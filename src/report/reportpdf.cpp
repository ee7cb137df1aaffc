#include "report/reportpdf.h"

#include "common/installpaths.h"
#include "common/launcher.h"
#include "common/prompts.h"

#include <QFileInfo>
#include <QUrl>

bool ReportPdf::open(Launcher& launcher, Prompter& prompter, const InstallPaths& paths, const QString& name) {
    const QFileInfo pdf(paths.pdfPath(name));
    if (!pdf.isFile()) {
        showStop(prompter, goneMessage(name));
        return false;
    }
    if (!launcher.openUrl(QUrl::fromLocalFile(pdf.absoluteFilePath()).toString(QUrl::FullyEncoded))) {
        showStop(prompter, noViewerMessage(name));
        return false;
    }
    return true;
}

QString ReportPdf::goneMessage(const QString& name) {
    return QStringLiteral("无法打开“%1.pdf”：文件已不存在，可能已被删除或移走，请重新保存。").arg(name);
}

QString ReportPdf::noViewerMessage(const QString& name) {
    return QStringLiteral("无法打开“%1.pdf”：系统中没有可以查看PDF文件的程序。").arg(name);
}
