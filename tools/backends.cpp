#include "tools/backends.h"

#include "office/libreofficefactory.h"
#include "office/officefaults.h"
#include "report/recordingspreadsheet.h"

#include <QGuiApplication>

Backend makeSpreadsheets(const QString& kind, std::function<void(const QString&)> sink, bool keepOffice,
                         const OfficeLimits& limits) {
    Backend backend;
    if (kind == QStringLiteral("log")) {
        auto recorder = std::make_unique<RecordingSpreadsheetFactory>(std::move(sink));
        backend.faults = recorder.get();
        backend.spreadsheets = std::move(recorder);
    } else if (kind == QStringLiteral("libreoffice")) {
        // On the offscreen platform there is no screen to show a workbook on: every instance runs headless.
        const bool offscreen = QGuiApplication::platformName() == QStringLiteral("offscreen");
        auto office = std::make_unique<LibreOfficeFactory>(
            offscreen ? LibreOfficeFactory::Display::HeadlessOnly : LibreOfficeFactory::Display::Auto,
            LibreOfficeFactory::installedSoffice(),
            keepOffice ? LibreOfficeFactory::Keep::On : LibreOfficeFactory::Keep::Off, limits);
        backend.faultsOwner = std::make_shared<OfficeFaults>(*office);
        backend.faults = backend.faultsOwner.get();
        backend.spreadsheets = std::move(office);
    }
    return backend;
}
