#include "office/libreofficefactory.h"

#include "office/libreofficespreadsheet.h"
#include "office/officeinstance.h"

#include <com/sun/star/frame/XStorable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QByteArray>
#include <algorithm>
#include <vector>

struct LibreOfficeFactory::State {
    Display display;
    // The local UNO context, made on the first start.
    css::uno::Reference<css::uno::XComponentContext> local;
    // Every instance started and not yet ended.
    std::vector<std::weak_ptr<OfficeInstance>> started;
    // Instances handed over to the user; the factory keeps them alive.
    std::vector<std::shared_ptr<OfficeInstance>> handedOver;

    const css::uno::Reference<css::uno::XComponentContext>& localContext() {
        if (!local.is()) {
            try {
                // Without it the local side lacks the office's types.
                rtl::Bootstrap::set(
                    rtl::OUString("URE_BOOTSTRAP"),
                    rtl::OUString("vnd.sun.star.pathname:" MIX_FUNDAMENTALRC));
                local = cppu::defaultBootstrap_InitialComponentContext();
            } catch (const css::uno::Exception& e) {
                throw SpreadsheetError(QStringLiteral("UNO runtime: ") + toQString(e.Message));
            }
        }
        return local;
    }

    // Forgets instances that ended and handed-over ones the user has closed.
    void prune() {
        started.erase(std::remove_if(started.begin(), started.end(),
                                     [](const std::weak_ptr<OfficeInstance>& i) { return i.expired(); }),
                      started.end());
        handedOver.erase(std::remove_if(handedOver.begin(), handedOver.end(),
                                        [](const std::shared_ptr<OfficeInstance>& i) {
                                            if (i->process->running())
                                                return false;
                                            i->document.clear();
                                            i->process->end();
                                            return true;
                                        }),
                         handedOver.end());
    }
};

LibreOfficeFactory::LibreOfficeFactory(Display display) : m_state(std::make_unique<State>()) {
    m_state->display = display;
}

// Instances still with a command are ended by their spreadsheets; a handed-over one stays for the user only
// when it has a window.
LibreOfficeFactory::~LibreOfficeFactory() {
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
    instance->process = std::make_unique<OfficeProcess>(m_state->localContext(), headless);
    m_state->started.push_back(instance);
    State* state = m_state.get();
    return std::make_unique<LibreOfficeSpreadsheet>(
        instance, visible,
        [state](std::shared_ptr<OfficeInstance> handed) { state->handedOver.push_back(std::move(handed)); });
}

void LibreOfficeFactory::saveHandedOver() {
    m_state->prune();
    for (const auto& instance : m_state->handedOver) {
        try {
            css::uno::Reference<css::frame::XStorable> storable(instance->document, css::uno::UNO_QUERY);
            if (storable.is())
                storable->store();
        } catch (const css::uno::Exception&) {
            // The user closed the workbook or the office: nothing of theirs is left to save.
        }
    }
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

int LibreOfficeFactory::running() const {
    int count = 0;
    for (const auto& weak : m_state->started)
        if (const auto instance = weak.lock(); instance && instance->process->running())
            ++count;
    return count;
}
