#pragma once

#include "office/closewatcher.h"
#include "office/officepool.h"
#include "office/officeprocess.h"

#include <com/sun/star/lang/XComponent.hpp>
#include <rtl/ref.hxx>

#include <future>
#include <memory>

// One office the pool started, as the pool and the spreadsheet of the command that has it share it.
struct OfficeInstance {
    // Changed by OfficePool only.
    OfficePhase phase = OfficePhase::Starting;
    std::unique_ptr<OfficeProcess> process;
    // The connect of the office kept ready, on a thread of its own, until the pool has taken its outcome.
    std::future<void> starting;
    css::uno::Reference<css::lang::XComponent> document;
    // Set when the user has closed the handed-over workbook.
    rtl::Reference<CloseWatcher> closeWatcher;
    // A call into it failed: it is retired, not kept for the next command.
    bool inDoubt = false;
    // The commands it served.
    int uses = 0;
};
