#include "common/scriptedprompter.h"
#include "report/recordingspreadsheet.h"
#include "ui/guardedapplication.h"
#include "ui/internalerror.h"

#include <QPushButton>
#include <QtTest>

#include <stdexcept>

// An exception escaping a window's handler: caught at the top, the hidden instances ended, the stop box
// shown, and the program goes on with its next event.
class InternalErrorTest : public QObject {
    Q_OBJECT

private slots:
    void escapingExceptionIsReported() {
        QStringList log;
        ScriptedPrompter prompter([&](const QString& line) { log << line; });
        RecordingSpreadsheetFactory spreadsheets([&](const QString& line) { log << line; });
        InternalError internalError(prompter, spreadsheets);
        auto* app = static_cast<GuardedApplication*>(QCoreApplication::instance());
        app->setInternalError(&internalError);

        const auto hidden = spreadsheets.start(false);
        auto handedOver = spreadsheets.start(true);
        handedOver->handOver();
        int clicks = 0;
        QPushButton button;
        QObject::connect(&button, &QPushButton::clicked, &button, [&clicks] {
            if (++clicks == 1)
                throw std::logic_error("no control Text31");
        });
        button.show();
        prompter.queueAnswer(MessageButton::Ok);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(prompter.messages().size(), 1);
        const MessageBoxRequest box = prompter.messages()[0];
        QCOMPARE(box.text, QStringLiteral("程序内部错误：no control Text31"));
        QCOMPARE(box.icon, MessageIcon::Stop);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        // Only the hidden instance was ended; the user's workbook stays.
        QCOMPARE(log.count(QStringLiteral("XLS end")), 1);
        QCOMPARE(spreadsheets.running(), 1);
        // The program goes on.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(prompter.messages().size(), 1);
        app->setInternalError(nullptr);
    }
};

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    InternalErrorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_internal_error.moc"
