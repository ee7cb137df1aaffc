#include "office/libreofficefactory.h"

#include "office/libreofficespreadsheet.h"
#include "office/officeinstance.h"
#include "office/officelocks.h"
#include "office/officepool.h"

QString LibreOfficeFactory::installedSoffice() { return QStringLiteral(MIX_SOFFICE); }

LibreOfficeFactory::LibreOfficeFactory(Display display, const QString& soffice, Keep keep,
                                       const OfficeLimits& limits)
    : m_display(display),
      m_pool(std::make_unique<OfficePool>(
          soffice, keep == Keep::On ? OfficePool::Keeping::On : OfficePool::Keeping::Off, limits)) {}

LibreOfficeFactory::~LibreOfficeFactory() = default;

bool LibreOfficeFactory::headlessFor(bool visible) const {
    return !visible || m_display == Display::HeadlessOnly || qEnvironmentVariableIsEmpty("DISPLAY");
}

std::unique_ptr<Spreadsheet> LibreOfficeFactory::start(bool visible) {
    bool kept = false;
    std::shared_ptr<OfficeInstance> office = m_pool->take(headlessFor(visible), kept);
    return std::make_unique<LibreOfficeSpreadsheet>(std::move(office), *m_pool, visible, kept);
}

std::unique_ptr<Spreadsheet> LibreOfficeFactory::startFresh(bool visible) {
    return std::make_unique<LibreOfficeSpreadsheet>(m_pool->takeFresh(headlessFor(visible)), *m_pool,
                                                    visible);
}

void LibreOfficeFactory::saveHandedOver() { m_pool->saveHandedOver(); }

void LibreOfficeFactory::closeHandedOver() { m_pool->closeHandedOver(); }

void LibreOfficeFactory::endAll() { m_pool->retireAll(true); }

void LibreOfficeFactory::endHidden() { m_pool->retireAll(false); }

int LibreOfficeFactory::running() { return m_pool->running(); }

std::vector<int> LibreOfficeFactory::processGroups() { return m_pool->processGroups(); }

QStringList LibreOfficeFactory::startedProfiles() const { return m_pool->startedProfiles(); }

int LibreOfficeFactory::keptProcessGroup() { return m_pool->keptProcessGroup(); }

qint64 LibreOfficeFactory::keptResidentBytes() { return m_pool->keptResidentBytes(); }

void LibreOfficeFactory::keepReady() { m_pool->keepReady(); }

bool LibreOfficeFactory::inUse(const QString& path) { return !clearStaleLock(path); }

void LibreOfficeFactory::watchTakes(TakeWatcher* watcher) { m_pool->watchTakes(watcher); }
