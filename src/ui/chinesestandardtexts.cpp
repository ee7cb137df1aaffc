#include "ui/chinesestandardtexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

ChineseStandardTexts::ChineseStandardTexts() {
    m_loaded =
        m_translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (m_loaded)
        QCoreApplication::installTranslator(&m_translator);
}

ChineseStandardTexts::~ChineseStandardTexts() {
    if (m_loaded)
        QCoreApplication::removeTranslator(&m_translator);
}
