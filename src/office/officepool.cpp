#include "office/officepool.h"

#include "office/officeinstance.h"

#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QLoggingCategory>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(officeLife, "mixdesign.office", QtWarningMsg)

// How often workbooks left open for the user are checked for having been closed.
constexpr int kHandOverCheckMs = 500;

} // namespace

OfficePool::OfficePool(const QString& soffice, Keeping keeping, const OfficeLimits& limits)
    : m_soffice(soffice), m_keeping(keeping), m_limits(limits) {
    m_handOverCheck.setInterval(kHandOverCheckMs);
    m_keptConnect.setInterval(limits.connectRetryMs);
    QObject::connect(&m_handOverCheck, &QTimer::timeout, [this] { retireClosed(); });
    QObject::connect(&m_keptConnect, &QTimer::timeout, [this] { pollKept(); });
}

OfficePool::~OfficePool() {
    retireClosed();
    waitForEndings();
    // A copy: retiring and releasing take the offices out of the list.
    const auto offices = m_offices;
    for (const auto& office : offices) {
        office->document.clear();
        if (office->phase == OfficePhase::HandedOver && !office->process->headless() &&
            enter(*office, OfficeStep::Release)) {
            office->process->release();
            m_offices.erase(std::find(m_offices.begin(), m_offices.end(), office));
        } else {
            retire(office, "the program goes");
        }
    }
}

bool OfficePool::enter(OfficeInstance& office, OfficeStep step) {
    const std::optional<OfficePhase> phase = nextPhase(office.phase, step);
    if (!phase) {
        qCDebug(officeLife, "step %d refused in phase %d", int(step), int(office.phase));
        return false;
    }
    office.phase = *phase;
    return true;
}

std::shared_ptr<OfficeInstance> OfficePool::kept() const {
    const auto found = std::find_if(m_offices.begin(), m_offices.end(), [](const auto& office) {
        return office->phase == OfficePhase::Starting || office->phase == OfficePhase::Kept;
    });
    return found == m_offices.end() ? nullptr : *found;
}

const css::uno::Reference<css::uno::XComponentContext>& OfficePool::localContext() {
    if (!m_local.is()) {
        try {
            // Without it the local side lacks the office's types.
            rtl::Bootstrap::set(rtl::OUString("URE_BOOTSTRAP"),
                                rtl::OUString("vnd.sun.star.pathname:" MIX_FUNDAMENTALRC));
            m_local = cppu::defaultBootstrap_InitialComponentContext();
        } catch (const css::uno::Exception& e) {
            throw SpreadsheetUnavailable(QStringLiteral("UNO runtime: ") + toQString(e.Message));
        }
    }
    return m_local;
}

bool OfficePool::retire(const std::shared_ptr<OfficeInstance>& office, const char* reason, Ending ending) {
    if (!office || !enter(*office, OfficeStep::Retire))
        return false;
    qCDebug(officeLife, "an office is ended: %s", reason);
    if (office == kept())
        m_keptConnect.stop();
    m_offices.erase(std::remove(m_offices.begin(), m_offices.end(), office), m_offices.end());
    if (office->starting.valid())
        office->process->abandonStart();
    const auto end = [](std::shared_ptr<OfficeInstance> retired) {
        if (retired->starting.valid()) {
            try {
                retired->starting.get();
            } catch (const std::exception&) {
                // Abandoned, or failed on its own: it is ended either way.
            }
        }
        retired->document.clear();
        retired->process->end();
    };
    if (ending == Ending::Wait) {
        end(office);
    } else {
        m_endings.erase(std::remove_if(m_endings.begin(), m_endings.end(),
                                       [](const std::future<void>& done) {
                                           return done.wait_for(std::chrono::seconds(0)) ==
                                                  std::future_status::ready;
                                       }),
                        m_endings.end());
        // No one else holds it: no command has an office in the phases retired in the background.
        m_endings.push_back(std::async(std::launch::async, end, office));
    }
    if (std::none_of(m_offices.begin(), m_offices.end(),
                     [](const auto& o) { return o->phase == OfficePhase::HandedOver; }))
        m_handOverCheck.stop();
    return true;
}

void OfficePool::keepReady() {
    if (m_keeping != Keeping::On || kept() || m_keepingFailed)
        return;
    try {
        auto office = std::make_shared<OfficeInstance>();
        office->process = std::make_unique<OfficeProcess>(localContext(), true, m_soffice, m_limits,
                                                          OfficeProcess::Connection::Later);
        // Connecting may wait for an office slow to answer: never on the window's thread.
        office->starting =
            std::async(std::launch::async, [process = office->process.get()] { process->connect(); });
        m_profiles.append(office->process->profileDir());
        m_offices.push_back(std::move(office));
        m_keptConnect.start();
    } catch (const SpreadsheetError&) {
        m_keepingFailed = true;
    }
}

void OfficePool::keepReadyWhenIdle() {
    // Once the command that is running now is over.
    if (m_keeping == Keeping::On)
        QTimer::singleShot(0, &m_keptConnect, [this] { keepReady(); });
}

void OfficePool::pollKept() {
    const auto office = kept();
    if (!office || office->phase != OfficePhase::Starting) {
        m_keptConnect.stop();
        return;
    }
    if (office->starting.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    try {
        office->starting.get();
        enter(*office, OfficeStep::Connect);
        m_keptConnect.stop();
    } catch (const std::exception&) {
        retire(office, "the office kept ready did not start", Ending::Background);
        m_keepingFailed = true;
    }
}

std::shared_ptr<OfficeInstance> OfficePool::takeKept() {
    m_keptConnect.stop();
    const std::shared_ptr<OfficeInstance> office = kept();
    if (!office)
        return nullptr;
    const auto drop = [this, &office](const char* why) {
        qWarning("the office kept ready %s: a new one is started", why);
        retire(office, why, Ending::Background);
        return nullptr;
    };
    // Its processes are looked at, not called: a stopped office would keep the command waiting until the
    // call deadline. It waits only for the rest of its own start, so never longer than a cold start.
    if (!office->process->responsive())
        return drop("is stopped or gone");
    try {
        // The rest of its start, under the command.
        if (office->starting.valid())
            office->starting.get();
    } catch (const std::exception&) {
        return drop("did not start");
    }
    enter(*office, OfficeStep::Take);
    showTaken(*office);
    if (!office->process->responsive())
        return drop("is stopped or gone");
    return office;
}

std::shared_ptr<OfficeInstance> OfficePool::startNew(bool headless) {
    auto office = std::make_shared<OfficeInstance>();
    // One that ended while starting is started once more: only a program that cannot start at all is
    // reported.
    try {
        office->process = std::make_unique<OfficeProcess>(localContext(), headless, m_soffice, m_limits);
    } catch (const OfficeStartFailure& e) {
        qWarning("%s: starting once more", e.what());
        office->process = std::make_unique<OfficeProcess>(localContext(), headless, m_soffice, m_limits);
    }
    m_profiles.append(office->process->profileDir());
    m_offices.push_back(office);
    enter(*office, OfficeStep::Take);
    m_keepingFailed = false;
    showTaken(*office);
    return office;
}

std::shared_ptr<OfficeInstance> OfficePool::take(bool headless, bool& wasKept) {
    retireClosed();
    if (m_watcher)
        m_watcher->commandBegins();
    // The kept office is headless: work in a window starts an office of its own.
    std::shared_ptr<OfficeInstance> office = headless ? takeKept() : nullptr;
    wasKept = office != nullptr;
    if (!office) {
        office = startNew(headless);
        keepReadyWhenIdle();
    }
    return office;
}

std::shared_ptr<OfficeInstance> OfficePool::takeFresh(bool headless) {
    retireClosed();
    auto office = startNew(headless);
    keepReadyWhenIdle();
    return office;
}

void OfficePool::giveBack(const std::shared_ptr<OfficeInstance>& office) {
    if (office->phase != OfficePhase::Busy)
        return; // handed over, or retired while the command had it
    office->document.clear();
    ++office->uses;
    const bool keep = m_keeping == Keeping::On && office->process->headless();
    if (keep && !kept() && !office->inDoubt && office->process->closeAllDocuments() &&
        enter(*office, OfficeStep::GiveBack)) {
        // One worn by its commands is replaced once the program is idle.
        QTimer::singleShot(0, &m_keptConnect, [this] { renewWorn(); });
        return;
    }
    retire(office, "the command is done with it");
    if (keep)
        keepReadyWhenIdle();
}

void OfficePool::handOver(const std::shared_ptr<OfficeInstance>& office) {
    if (!enter(*office, OfficeStep::HandOver))
        return;
    office->process->leaveToUser();
    office->closeWatcher = new CloseWatcher;
    try {
        ArmedCall call(office->process->deadline(), office->process->limits().callMs);
        if (office->document.is())
            office->document->addEventListener(
                css::uno::Reference<css::lang::XEventListener>(office->closeWatcher.get()));
    } catch (const css::uno::Exception&) {
        // The office went already: the next check retires what is left of it.
        office->document.clear();
    }
    m_handOverCheck.start();
    keepReadyWhenIdle();
}

void OfficePool::renewWorn() {
    const auto office = kept();
    if (!office || office->phase != OfficePhase::Kept)
        return;
    const int uses = office->uses;
    const qint64 resident = office->process->residentBytes();
    if (uses < m_limits.keptUses && resident < m_limits.keptResidentBytes)
        return;
    qInfo("the office kept ready is renewed after %d commands at %lld MB", uses,
          static_cast<long long>(resident >> 20));
    retire(office, "worn", Ending::Background);
    keepReady();
}

void OfficePool::retireClosed() {
    const auto offices = m_offices;
    for (const auto& office : offices) {
        if (office->phase != OfficePhase::HandedOver)
            continue;
        const bool closed = !office->document.is() || office->closeWatcher->closed();
        if (closed || !office->process->running())
            retire(office, "the user closed its workbook", Ending::Background);
    }
}

void OfficePool::saveHandedOver() {
    retireClosed();
    for (const auto& office : m_offices) {
        if (office->phase != OfficePhase::HandedOver)
            continue;
        try {
            ArmedCall call(office->process->deadline(), office->process->limits().callMs);
            css::uno::Reference<css::frame::XStorable> storable(office->document, css::uno::UNO_QUERY);
            if (storable.is())
                storable->store();
        } catch (const css::uno::Exception&) {
            // The user closed the workbook or the office: nothing of theirs is left to save.
            office->document.clear();
        }
    }
}

void OfficePool::closeHandedOver() {
    for (const auto& office : m_offices) {
        if (office->phase != OfficePhase::HandedOver)
            continue;
        try {
            ArmedCall call(office->process->deadline(), office->process->limits().callMs);
            css::uno::Reference<css::util::XModifiable> modifiable(office->document, css::uno::UNO_QUERY);
            if (modifiable.is())
                modifiable->setModified(false);
            css::uno::Reference<css::util::XCloseable> closeable(office->document, css::uno::UNO_QUERY);
            if (closeable.is())
                closeable->close(true);
        } catch (const css::uno::Exception&) {
            // Closed already, or the office is gone: either way the check below retires it.
        }
        office->document.clear();
    }
    retireClosed();
}

void OfficePool::retireAll(bool handedOverToo) {
    const auto offices = m_offices;
    for (const auto& office : offices)
        if (handedOverToo || office->phase != OfficePhase::HandedOver)
            retire(office, handedOverToo ? "every office is ended" : "every hidden office is ended");
    waitForEndings();
}

int OfficePool::running() const {
    return int(std::count_if(m_offices.begin(), m_offices.end(), [](const auto& office) {
        return office->phase != OfficePhase::Starting && office->phase != OfficePhase::Kept &&
               office->process->running();
    }));
}

std::vector<int> OfficePool::processGroups() const {
    std::vector<int> groups;
    for (const auto& office : m_offices)
        if (office->process->running())
            groups.push_back(office->process->processGroup());
    return groups;
}

int OfficePool::keptProcessGroup() const {
    const auto office = kept();
    return office && office->process->running() ? office->process->processGroup() : -1;
}

qint64 OfficePool::keptResidentBytes() const {
    const auto office = kept();
    return office && office->process->running() ? office->process->residentBytes() : 0;
}

void OfficePool::waitForEndings() {
    for (std::future<void>& ending : m_endings)
        ending.wait();
    m_endings.clear();
}

void OfficePool::showTaken(const OfficeInstance& office) const {
    if (m_watcher)
        m_watcher->taken(office.process->processGroup());
}
