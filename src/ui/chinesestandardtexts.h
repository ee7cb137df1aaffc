#pragma once

#include <QTranslator>

// Qt's own Chinese translation (qtbase_zh_CN from Qt's translations folder), installed for as long as this
// object lives: standard buttons read 是/否/确定/取消 and the file dialog is Chinese, whatever the system
// locale. The program's own texts are Chinese already and are not touched.
class ChineseStandardTexts {
public:
    ChineseStandardTexts();
    ~ChineseStandardTexts();
    ChineseStandardTexts(const ChineseStandardTexts&) = delete;
    ChineseStandardTexts& operator=(const ChineseStandardTexts&) = delete;

    // False where the translation is not installed (Debian: qt6-translations-l10n); the texts stay English.
    bool isLoaded() const { return m_loaded; }

private:
    QTranslator m_translator;
    bool m_loaded = false;
};
