#include "tools/backends.h"

#include "office/libreofficefactory.h"
#include "report/recordingspreadsheet.h"

#include <QGuiApplication>

std::unique_ptr<SpreadsheetFactory> makeSpreadsheets(const QString& kind,
                                                     std::function<void(const QString&)> sink, bool warm,
                                                     const OfficeLimits& limits) {
    if (kind == QStringLiteral("log"))
        return std::make_unique<RecordingSpreadsheetFactory>(std::move(sink));
    if (kind == QStringLiteral("libreoffice")) {
        // On the offscreen platform there is no screen to show a workbook on: every instance runs headless.
        const bool offscreen = QGuiApplication::platformName() == QStringLiteral("offscreen");
        return std::make_unique<LibreOfficeFactory>(
            offscreen ? LibreOfficeFactory::Display::HeadlessOnly : LibreOfficeFactory::Display::Auto,
            LibreOfficeFactory::installedSoffice(),
            warm ? LibreOfficeFactory::Warm::On : LibreOfficeFactory::Warm::Off, limits);
    }
    return nullptr;
}
