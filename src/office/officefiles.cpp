#include "office/officefiles.h"

#include "common/processtable.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

const QRegularExpression& lockName() {
    static const QRegularExpression pattern(QStringLiteral("^\\.~lock\\.(.+)#$"));
    return pattern;
}

const QRegularExpression& temporaryName() {
    static const QRegularExpression pattern(QStringLiteral("^lu(\\d+)[0-9a-z]*\\.tmp$"));
    return pattern;
}

} // namespace

QString OfficeFiles::lockedDocument(const QString& fileName) const {
    return lockName().match(fileName).captured(1);
}

bool OfficeFiles::abandonedTemporary(const QString& fileName) const {
    const QRegularExpressionMatch match = temporaryName().match(fileName);
    if (!match.hasMatch())
        return false;
    const QString digits = match.captured(1);
    const std::vector<ProcessEntry> processes = ProcessTable::all();
    return std::none_of(processes.begin(), processes.end(), [&digits](const ProcessEntry& process) {
        return !process.ended() && digits.startsWith(QString::number(process.pid)) &&
               ProcessTable::name(process.pid) == "soffice.bin";
    });
}
