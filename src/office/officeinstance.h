#pragma once

#include "office/closewatcher.h"
#include "office/officeprocess.h"

#include <com/sun/star/lang/XComponent.hpp>
#include <rtl/ref.hxx>

#include <memory>

// What the factory and the spreadsheet of one started office share: the process and the workbook it shows.
struct OfficeInstance {
    std::unique_ptr<OfficeProcess> process;
    css::uno::Reference<css::lang::XComponent> document;
    // Left open for the user: the spreadsheet no longer ends it; it ends when the user closes the workbook.
    bool handedOver = false;
    // Set when the user has closed the handed-over workbook.
    rtl::Reference<CloseWatcher> closeWatcher;
    // A call into it failed: it is ended, not kept for the next command.
    bool inDoubt = false;
};
