#include "common/installpaths.h"

#include <utility>

InstallPaths::InstallPaths(QString root) : m_root(std::move(root)) {
    if (!m_root.endsWith(u'/'))
        m_root += u'/';
}

bool isSafeWorkbookName(const QString& name) {
    return !name.contains(u'/') && !name.contains(u'\\') && !name.startsWith(u'.');
}
