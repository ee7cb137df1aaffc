#include "office/libreofficefactory.h"

#include "office/libreofficespreadsheet.h"
#include "office/officeinstance.h"
#include "office/officelimits.h"
#include "office/officelocks.h"

#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QByteArray>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <vector>

namespace {

// How often workbooks left open for the user are checked for having been closed.
constexpr int kHandOverCheckMs = 500;

} // namespace

struct LibreOfficeFactory::State {
    Display display;
    QString soffice;
    StartFault fault = StartFault::None;
    // The local UNO context, made on the first start.
    css::uno::Reference<css::uno::XComponentContext> local;
    // Every instance started and not yet ended.
    std::vector<std::weak_ptr<OfficeInstance>> started;
    // Instances handed over to the user; the factory keeps them until the user closes the workbook.
    std::vector<std::shared_ptr<OfficeInstance>> handedOver;
    // Ends the offices of closed workbooks while the program waits for the user.
    QTimer handOverCheck;

    const css::uno::Reference<css::uno::XComponentContext>& localContext() {
        if (!local.is()) {
            try {
                // Without it the local side lacks the office's types.
                rtl::Bootstrap::set(rtl::OUString("URE_BOOTSTRAP"),
                                    rtl::OUString("vnd.sun.star.pathname:" MIX_FUNDAMENTALRC));
                local = cppu::defaultBootstrap_InitialComponentContext();
            } catch (const css::uno::Exception& e) {
                throw SpreadsheetUnavailable(QStringLiteral("UNO runtime: ") + toQString(e.Message));
            }
        }
        return local;
    }

    // The user owns it now: it ends when the user closes the workbook.
    void takeHandedOver(std::shared_ptr<OfficeInstance> instance) {
        instance->process->handOver();
        instance->closeWatcher = new CloseWatcher;
        try {
            ArmedCall call(instance->process->deadline(), OfficeLimits::kCallMs);
            if (instance->document.is())
                instance->document->addEventListener(
                    css::uno::Reference<css::lang::XEventListener>(instance->closeWatcher.get()));
        } catch (const css::uno::Exception&) {
            // The office went already: the next check ends what is left of it.
            instance->document.clear();
        }
        handedOver.push_back(std::move(instance));
        handOverCheck.start();
    }

    // Forgets instances that ended, and ends handed-over ones whose workbook the user has closed.
    void prune() {
        handedOver.erase(std::remove_if(handedOver.begin(), handedOver.end(),
                                        [](const std::shared_ptr<OfficeInstance>& i) {
                                            const bool closed =
                                                !i->document.is() || i->closeWatcher->closed();
                                            if (i->process->running() && !closed)
                                                return false;
                                            i->document.clear();
                                            i->process->end();
                                            return true;
                                        }),
                         handedOver.end());
        started.erase(std::remove_if(started.begin(), started.end(),
                                     [](const std::weak_ptr<OfficeInstance>& i) { return i.expired(); }),
                      started.end());
        if (handedOver.empty())
            handOverCheck.stop();
    }

    // The fault of the next started instance, right after it connected.
    void applyFault(OfficeProcess& process) {
        const StartFault now = std::exchange(fault, StartFault::None);
        if (now == StartFault::Kill)
            ::kill(-process.processGroup(), SIGKILL);
        else if (now == StartFault::Stop)
            ::kill(-process.processGroup(), SIGSTOP);
    }
};

QString LibreOfficeFactory::installedSoffice() { return QStringLiteral(MIX_SOFFICE); }

LibreOfficeFactory::LibreOfficeFactory(Display display, const QString& soffice)
    : m_state(std::make_unique<State>()) {
    m_state->display = display;
    m_state->soffice = soffice;
    m_state->handOverCheck.setInterval(kHandOverCheckMs);
    State* state = m_state.get();
    QObject::connect(&m_state->handOverCheck, &QTimer::timeout, [state] { state->prune(); });
}

// Instances still with a command are ended by their spreadsheets; a handed-over one stays for the user only
// while it shows the workbook in a window.
LibreOfficeFactory::~LibreOfficeFactory() {
    m_state->prune();
    for (const auto& instance : m_state->handedOver) {
        instance->document.clear();
        if (instance->process->headless())
            instance->process->end();
        else
            instance->process->release();
    }
}

std::unique_ptr<Spreadsheet> LibreOfficeFactory::start(bool visible) {
    m_state->prune();
    const bool hasDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool headless = !visible || m_state->display == Display::HeadlessOnly || !hasDisplay;
    auto instance = std::make_shared<OfficeInstance>();
    instance->process = std::make_unique<OfficeProcess>(m_state->localContext(), headless, m_state->soffice);
    m_state->started.push_back(instance);
    m_state->applyFault(*instance->process);
    State* state = m_state.get();
    return std::make_unique<LibreOfficeSpreadsheet>(
        instance, visible,
        [state](std::shared_ptr<OfficeInstance> handed) { state->takeHandedOver(handed); });
}

void LibreOfficeFactory::saveHandedOver() {
    m_state->prune();
    for (const auto& instance : m_state->handedOver) {
        try {
            ArmedCall call(instance->process->deadline(), OfficeLimits::kCallMs);
            css::uno::Reference<css::frame::XStorable> storable(instance->document, css::uno::UNO_QUERY);
            if (storable.is())
                storable->store();
        } catch (const css::uno::Exception&) {
            // The user closed the workbook or the office: nothing of theirs is left to save.
            instance->document.clear();
        }
    }
}

void LibreOfficeFactory::closeHandedOver() {
    for (const auto& instance : m_state->handedOver) {
        try {
            ArmedCall call(instance->process->deadline(), OfficeLimits::kCallMs);
            css::uno::Reference<css::util::XModifiable> modifiable(instance->document, css::uno::UNO_QUERY);
            if (modifiable.is())
                modifiable->setModified(false);
            css::uno::Reference<css::util::XCloseable> closeable(instance->document, css::uno::UNO_QUERY);
            if (closeable.is())
                closeable->close(true);
        } catch (const css::uno::Exception&) {
            // Closed already, or the office is gone: either way the check below ends it.
        }
        instance->document.clear();
    }
    m_state->prune();
}

void LibreOfficeFactory::endAll() {
    for (const auto& weak : m_state->started) {
        if (const auto instance = weak.lock()) {
            instance->document.clear();
            instance->process->end();
        }
    }
    m_state->handedOver.clear();
    m_state->prune();
}

void LibreOfficeFactory::endHidden() {
    for (const auto& weak : m_state->started) {
        if (const auto instance = weak.lock(); instance && !instance->handedOver) {
            instance->document.clear();
            instance->process->end();
        }
    }
    m_state->prune();
}

int LibreOfficeFactory::running() {
    m_state->prune();
    int count = 0;
    for (const auto& weak : m_state->started)
        if (const auto instance = weak.lock(); instance && instance->process->running())
            ++count;
    return count;
}

std::vector<int> LibreOfficeFactory::processGroups() {
    m_state->prune();
    std::vector<int> groups;
    for (const auto& weak : m_state->started)
        if (const auto instance = weak.lock(); instance && instance->process->running())
            groups.push_back(instance->process->processGroup());
    return groups;
}

bool LibreOfficeFactory::inUse(const QString& path) { return !clearStaleLock(path); }

void LibreOfficeFactory::injectFault(StartFault fault) { m_state->fault = fault; }
