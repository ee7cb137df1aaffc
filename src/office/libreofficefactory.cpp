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
    OfficeLimits limits;
    Warm warm = Warm::Off;
    StartFault fault = StartFault::None;
    // The fault of the command now running: its first instance and a fresh one in its place suffer it.
    StartFault commandFault = StartFault::None;
    // The local UNO context, made on the first start.
    css::uno::Reference<css::uno::XComponentContext> local;
    // Every instance started and not yet ended.
    std::vector<std::weak_ptr<OfficeInstance>> started;
    // The profile folder of every office started.
    QStringList profiles;
    // Instances handed over to the user; the factory keeps them until the user closes the workbook.
    std::vector<std::shared_ptr<OfficeInstance>> handedOver;
    // Ends the offices of closed workbooks while the program waits for the user.
    QTimer handOverCheck;
    // The idle instance kept ready, connecting or connected; no command has it.
    std::shared_ptr<OfficeInstance> idle;
    // Finishes the idle instance's start while the program waits for the user.
    QTimer idleConnect;
    // A warm start failed: no more until a start succeeds again (an office that cannot start is reported by
    // the command that needs it, not retried in the background).
    bool warmFailed = false;

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
            ArmedCall call(instance->process->deadline(), instance->process->limits().callMs);
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

    // Starts the idle instance when there is none; never waits for it.
    void warmUp() {
        if (warm != Warm::On || idle || warmFailed)
            return;
        try {
            auto instance = std::make_shared<OfficeInstance>();
            instance->process = std::make_unique<OfficeProcess>(localContext(), true, soffice, limits,
                                                                OfficeProcess::Connection::Later);
            profiles.append(instance->process->profileDir());
            started.push_back(instance);
            idle = std::move(instance);
            idleConnect.start();
        } catch (const SpreadsheetError&) {
            warmFailed = true;
        }
    }

    // Once the command that is running now is over, the next idle instance starts where none is left.
    void warmUpWhenIdle() {
        if (warm == Warm::On)
            QTimer::singleShot(0, &idleConnect, [this] { warmUp(); });
    }

    void pollIdle() {
        if (!idle) {
            idleConnect.stop();
            return;
        }
        try {
            if (idle->process->tryConnect())
                idleConnect.stop();
        } catch (const SpreadsheetError&) {
            dropIdle();
            warmFailed = true;
        }
    }

    void dropIdle() {
        idleConnect.stop();
        if (idle)
            idle->process->end();
        idle.reset();
    }

    // The idle instance, connected, for a command; null when there is none, or when it is stopped, died or
    // failed to start, so that the command starts an office of its own. Waits only for the rest of its own
    // start, so never longer than a cold start. Its processes are looked at, not called: a stopped office
    // would keep the command waiting until the call deadline.
    std::shared_ptr<OfficeInstance> takeIdle() {
        idleConnect.stop();
        std::shared_ptr<OfficeInstance> instance = std::move(idle);
        if (!instance)
            return nullptr;
        const auto drop = [&instance](const char* why) {
            qWarning("the office kept ready %s: a new one is started", why);
            instance->process->end();
            return nullptr;
        };
        if (!instance->process->responsive())
            return drop("is stopped or gone");
        try {
            instance->process->connect();
        } catch (const SpreadsheetError&) {
            return drop("did not start");
        }
        applyFault(*instance->process);
        if (!instance->process->responsive())
            return drop("is stopped or gone");
        return instance;
    }

    // A new office, connected. One that ended while starting is started once more: only a program that
    // cannot start at all is reported.
    std::shared_ptr<OfficeInstance> startNew(bool headless) {
        auto instance = std::make_shared<OfficeInstance>();
        try {
            instance->process = std::make_unique<OfficeProcess>(localContext(), headless, soffice, limits);
        } catch (const OfficeStartFailure& e) {
            qWarning("%s: starting once more", e.what());
            instance->process = std::make_unique<OfficeProcess>(localContext(), headless, soffice, limits);
        }
        profiles.append(instance->process->profileDir());
        started.push_back(instance);
        warmFailed = false;
        applyFault(*instance->process);
        return instance;
    }

    // A command is done with a kept instance: it becomes the idle one again with its documents closed, or
    // is ended when it is in doubt. One worn by its uses is replaced once the program is idle.
    void giveBack(std::shared_ptr<OfficeInstance> instance) {
        instance->document.clear();
        ++instance->uses;
        if (!idle && !instance->inDoubt && instance->process->closeAllDocuments()) {
            idle = std::move(instance);
            QTimer::singleShot(0, &idleConnect, [this] { renewWorn(); });
            return;
        }
        instance->process->end();
        warmUpWhenIdle();
    }

    // Replaces the idle instance once it has served its number of commands or grown past its memory size.
    void renewWorn() {
        if (!idle || !idle->process->desktop().is())
            return;
        const int uses = idle->uses;
        const qint64 resident = idle->process->residentBytes();
        if (uses < limits.keptUses && resident < limits.keptResidentBytes)
            return;
        qInfo("the office kept ready is renewed after %d commands at %lld MB", uses,
              static_cast<long long>(resident >> 20));
        dropIdle();
        warmUp();
    }

    // The command's fault, right after its instance connected.
    void applyFault(OfficeProcess& process) {
        if (commandFault == StartFault::Kill)
            ::kill(-process.processGroup(), SIGKILL);
        else if (commandFault == StartFault::Stop)
            ::kill(-process.processGroup(), SIGSTOP);
    }

    LibreOfficeSpreadsheet::InstanceCall onDone(bool headless) {
        if (warm != Warm::On || !headless)
            return {};
        return [this](std::shared_ptr<OfficeInstance> used) { giveBack(std::move(used)); };
    }

    LibreOfficeSpreadsheet::InstanceCall onHandOver() {
        return [this](std::shared_ptr<OfficeInstance> handed) {
            takeHandedOver(std::move(handed));
            warmUpWhenIdle();
        };
    }

    bool headlessFor(bool visible) const {
        return !visible || display == Display::HeadlessOnly || qEnvironmentVariableIsEmpty("DISPLAY");
    }
};

QString LibreOfficeFactory::installedSoffice() { return QStringLiteral(MIX_SOFFICE); }

LibreOfficeFactory::LibreOfficeFactory(Display display, const QString& soffice, Warm warm,
                                       const OfficeLimits& limits)
    : m_state(std::make_unique<State>()) {
    m_state->display = display;
    m_state->soffice = soffice;
    m_state->warm = warm;
    m_state->limits = limits;
    m_state->handOverCheck.setInterval(kHandOverCheckMs);
    m_state->idleConnect.setInterval(limits.connectRetryMs);
    State* state = m_state.get();
    QObject::connect(&m_state->handOverCheck, &QTimer::timeout, [state] { state->prune(); });
    QObject::connect(&m_state->idleConnect, &QTimer::timeout, [state] { state->pollIdle(); });
}

// Instances still with a command are ended by their spreadsheets; a handed-over one stays for the user only
// while it shows the workbook in a window.
LibreOfficeFactory::~LibreOfficeFactory() {
    m_state->dropIdle();
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
    m_state->commandFault = std::exchange(m_state->fault, StartFault::None);
    const bool headless = m_state->headlessFor(visible);
    // The kept instance is headless: work in a window starts an office of its own.
    std::shared_ptr<OfficeInstance> instance = headless ? m_state->takeIdle() : nullptr;
    const bool kept = instance != nullptr;
    if (!kept) {
        instance = m_state->startNew(headless);
        m_state->warmUpWhenIdle();
    }
    return std::make_unique<LibreOfficeSpreadsheet>(instance, visible, m_state->onHandOver(),
                                                    m_state->onDone(headless), kept);
}

std::unique_ptr<Spreadsheet> LibreOfficeFactory::startFresh(bool visible) {
    m_state->prune();
    const bool headless = m_state->headlessFor(visible);
    std::shared_ptr<OfficeInstance> instance = m_state->startNew(headless);
    m_state->warmUpWhenIdle();
    return std::make_unique<LibreOfficeSpreadsheet>(instance, visible, m_state->onHandOver(),
                                                    m_state->onDone(headless));
}

void LibreOfficeFactory::saveHandedOver() {
    m_state->prune();
    for (const auto& instance : m_state->handedOver) {
        try {
            ArmedCall call(instance->process->deadline(), instance->process->limits().callMs);
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
            ArmedCall call(instance->process->deadline(), instance->process->limits().callMs);
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
    m_state->dropIdle();
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
    m_state->dropIdle();
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
        if (const auto instance = weak.lock();
            instance && instance != m_state->idle && instance->process->running())
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

QStringList LibreOfficeFactory::startedProfiles() const { return m_state->profiles; }

int LibreOfficeFactory::warmProcessGroup() {
    return m_state->idle && m_state->idle->process->running() ? m_state->idle->process->processGroup() : -1;
}

qint64 LibreOfficeFactory::warmResidentBytes() {
    return m_state->idle && m_state->idle->process->running() ? m_state->idle->process->residentBytes() : 0;
}

void LibreOfficeFactory::warmUp() { m_state->warmUp(); }

bool LibreOfficeFactory::inUse(const QString& path) { return !clearStaleLock(path); }

void LibreOfficeFactory::injectFault(StartFault fault) { m_state->fault = fault; }
